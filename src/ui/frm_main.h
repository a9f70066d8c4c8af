// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The entry form: one person's birth data, the place and its coordinates, the time zone, and the
// command "Get My Sree Lagna" that runs the chart request.

#include <QMainWindow>

#include <optional>

#include "chart/chart_request.h"
#include "place_form/zone_follower.h"
#include "places/place.h"
#include "ui/platform.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace halvora::ui {

class FilteredEdit;

class FrmMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit FrmMain(Platform& platform, QWidget* parent = nullptr);

  // The controls' values as the chart request reads them.
  FormInput formInput() const;
  // Puts a form's values into the controls (as a birth-data file holds them).
  void setFormInput(const FormInput& form);

  // Opens a birth-data file into the form and puts it first in the recent list; a file that
  // cannot be read is named in a message with its problem, and the form stays as it was. A form
  // changed since its own file was opened or saved is offered for saving first.
  bool openBirthDataFile(const QString& path);

  // Asks "Save changes?" when the form came from a file (opened or saved) and was changed since,
  // and on Yes writes it back there. False when that write failed: what asked should not go on.
  bool offerToSaveChanges();

  // The size that shows every control at its natural size without scrolling.
  QSize preferredSize() const;

  // Fills the place's names, coordinates and hemispheres, and selects the zone its clock selects
  // for the date and time on the form; the zone then follows the date and time until the user
  // picks a zone or types a coordinate. This is what choosing the place from City's list does.
  void choosePlace(const places::Place& place);

  // Whether the zone follows the date and time for a chosen place.
  bool zoneFollowsPlace() const { return m_zoneFollower.follows(); }

  // The entry after the zone list's rows, or none; removing it while it is selected selects the
  // first row.
  void setCustomZoneEntry(const std::optional<CustomZone>& entry);

 signals:
  // The request passed its checks: the results are ready to be shown.
  void chartReady(const halvora::ChartResult& result);
  // The user closed the form (close box or "E&xit").
  void closed();

 public slots:
  void cmdRashi_Click();
  void cmdBrowser_Click();
  // "&New": the form as it starts, once a changed file has been offered for saving.
  void mnuNew_Click();
  // "&Open Birth Data…", "&Save Birth Data…" and an item of "Open &Recent".
  void mnuOpen_Click();
  void mnuSave_Click();
  void openRecent(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildMenus();
  void fillRecentMenu();
  void refreshRecentMenu();
  QWidget* buildControls();
  void Form_Load();
  void setTabOrder();
  void nameForListeners();
  void connectPlaceAndZone();
  // City, State, Country, the coordinates and the hemispheres of the form.
  void showPlaceFields(const FormInput& form);
  // The zone entry and daylight saving of the form, and the line under them.
  void showZone(const FormInput& form);
  void showZoneSource();

  Platform& m_platform;

  QMenu* m_mnuRecent = nullptr;
  QWidget* m_content = nullptr;  // the frames and lines of the form, at their natural size
  FilteredEdit* m_txtName = nullptr;
  QComboBox* m_cboMonth = nullptr;
  QComboBox* m_cboDate = nullptr;
  QComboBox* m_cboYear = nullptr;
  QComboBox* m_cboHH = nullptr;
  QComboBox* m_cboMM = nullptr;
  QComboBox* m_cboSS = nullptr;
  QLineEdit* m_txtMCity = nullptr;
  QLineEdit* m_txtMState = nullptr;
  QLineEdit* m_txtMCountry = nullptr;
  QPushButton* m_cmdBrowser = nullptr;
  FilteredEdit* m_txtLatD = nullptr;
  FilteredEdit* m_txtLatM = nullptr;
  QRadioButton* m_optLat[2] = {};
  FilteredEdit* m_txtLonD = nullptr;
  FilteredEdit* m_txtLonM = nullptr;
  QRadioButton* m_optLong[2] = {};
  QComboBox* m_cmbTimeZone = nullptr;
  QCheckBox* m_chkDST = nullptr;
  QLabel* m_lblZoneSource = nullptr;  // where the zone came from, under the list
  QPushButton* m_cmdRashi = nullptr;

  place_form::ZoneFollower m_zoneFollower;       // the place the zone follows, and the line under it
  std::optional<CustomZone> m_customZone;        // the list's entry after its rows
  std::string m_placeLabel;                      // the place last chosen from the atlas
  QString m_filePath;                            // the file the form came from or was saved to
  FormInput m_fileForm;                          // the form as that file holds it
};

}  // namespace halvora::ui
