// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears, through Qt's accessibility interface: the chart cells as sentences,
// the values with their captions, the prediction boxes and the entry boxes by their captions.

#include <gtest/gtest.h>
#include <QAccessible>
#include <QAbstractButton>
#include <QAccessibleInterface>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "fakes.h"
#include "form_helpers.h"
#include "support/births.h"
#include "ui/frm_closing_screen.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/tell_a_friend.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;

QString spoken(QWidget* widget, QAccessible::Text what = QAccessible::Name) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  EXPECT_NE(face, nullptr) << widget->objectName().toStdString();
  return face ? face->text(what) : QString();
}

struct CellRow {
  const char* name;
  int sign;
  const char* bodies;   // the sign label's caption as the core writes it
  const char* markers;  // the marker label's caption
  const char* heard;
};
void PrintTo(const CellRow& row, std::ostream* os) { *os << row.name; }

class CellSpeech : public ::testing::TestWithParam<CellRow> {};

TEST_P(CellSpeech, SaysTheSignItsBodiesAndTheSreeLagna) {
  const CellRow& row = GetParam();
  EXPECT_EQ(chartCellSpokenText(row.sign, QString::fromLatin1(row.bodies), QString::fromLatin1(row.markers)),
            QString::fromLatin1(row.heard));

  // The same through the results window, as a screen reader asks it.
  FakePlatform fake;
  FrmDisplay display(fake.platform);
  ChartResult result = std::get<ChartResult>(RunChartRequest(halvora::testing_support::newDelhiForm()));
  result.signLabels[static_cast<std::size_t>(row.sign)] = row.bodies;
  result.markers[static_cast<std::size_t>(row.sign)] = row.markers;
  display.showResult(result);
  const auto& name = kSignLabelNames[static_cast<std::size_t>(row.sign)];
  auto* label = child<QLabel>(&display, QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  EXPECT_EQ(spoken(label), QString::fromLatin1(row.heard));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CellSpeech,
    ::testing::Values(
        // The example a listener asked for.
        CellRow{"AquariusWithTheSreeLagna", 10, "\r\nSun\r\nMercury\r\nMars", "\r\n\r\nSrL",
                "Aquarius, sign 11: Sun, Mercury, Mars; Sree Lagna here"},
        CellRow{"PiscesWithTheAscendant", 11, "\r\nJupiter\r\nAsc", "\r\n",
                "Pisces, sign 12: Jupiter, Ascendant"},
        CellRow{"LibraRetrograde", 6, "\r\nSaturn (R) ", "", "Libra, sign 7: Saturn retrograde"},
        CellRow{"AriesEmpty", 0, "", "", "Aries, sign 1: no planets"},
        CellRow{"ScorpioOnlyTheSreeLagna", 7, "", "\r\n\r\n\r\nSrL\r\n",
                "Scorpio, sign 8: no planets; Sree Lagna here"}),
    [](const ::testing::TestParamInfo<CellRow>& info) { return std::string(info.param.name); });

TEST(ResultsSpeech, ValuesAreHeardWithTheirCaptions) {
  FakePlatform fake;
  FrmDisplay display(fake.platform);
  display.showResult(std::get<ChartResult>(RunChartRequest(halvora::testing_support::newDelhiForm())));
  const std::pair<const char*, const char*> heard[] = {
      {"lblName", "Name: ASHA"},
      {"lblDOB", "Date of Birth: February/22/2011"},
      {"lblTOB", "Time of Birth: 9:5"},
      {"lblLatitude", "Latitude: 28\u00b0 37' N"},
      {"lblLongitude", "Longitude: 77\u00b0 13' E"},
      {"lblCity", "City: New Delhi"},
      {"lblState", "State: Delhi"},
      {"lblCountry", "Country: India"},
      {"lblVedicName", "Vedic Name: Vrischika"},
      {"lblArudhaLagnaPresentInSign", "Sree Lagna Present In Sign: Scorpio"},
  };
  for (const auto& [name, text] : heard) EXPECT_EQ(spoken(child<QWidget>(&display, name)), QString::fromUtf8(text)) << name;
  EXPECT_TRUE(spoken(child<QWidget>(&display, "planet_0")).startsWith("Surya/Sun: "));
  EXPECT_EQ(spoken(child<QWidget>(&display, "lblHoraDesc")), "Sree Lagna Present In House Significance");
  const std::pair<const char*, const char*> boxes[] = {{"txtLooks", "Looks"},
                                                       {"txtNature", "Nature"},
                                                       {"txtCareerAndFinance", "Career And Finance"},
                                                       {"txtLoveAndDomesticLife", "Love And Domestic Life"},
                                                       {"txtHealth", "Health"}};
  for (const auto& [name, caption] : boxes) {
    auto* box = child<QPlainTextEdit>(&display, name);
    EXPECT_EQ(spoken(box), caption) << name;
    // The text itself is there to be read.
    EXPECT_EQ(spoken(box, QAccessible::Value), box->toPlainText()) << name;
  }
  // The marker of the Sree Lagna's cell says what it is, not "SrL".
  EXPECT_EQ(spoken(child<QWidget>(&display, "lblArudha_7")), "Sree Lagna in Scorpio");
  EXPECT_EQ(spoken(child<QWidget>(&display, "Hno_7")), "Scorpio, sign 8");
}

TEST(EntryFormSpeech, EveryEntryHasAName) {
  FakePlatform fake;
  FrmMain form(fake.platform);
  for (QWidget* control : form.findChildren<QWidget*>()) {
    const bool entry = qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                       qobject_cast<QAbstractButton*>(control);
    if (!entry || control->objectName().isEmpty() || control->objectName().startsWith("qt_")) continue;
    EXPECT_FALSE(spoken(control).trimmed().isEmpty()) << control->objectName().toStdString();
  }
  // A list is heard by its item, and described by what it holds.
  const std::pair<const char*, const char*> lists[] = {
      {"cboMonth", "Date of Birth: month"}, {"cboDate", "Date of Birth: day"},   {"cboYear", "Date of Birth: year"},
      {"cboHH", "Time of Birth: hours"},    {"cboMM", "Time of Birth: minutes"}, {"cboSS", "Time of Birth: seconds"},
      {"cmbTimeZone", "Zone"},
  };
  for (const auto& [name, text] : lists) {
    EXPECT_EQ(spoken(child<QWidget>(&form, name), QAccessible::Description), text) << name;
  }
  const std::pair<const char*, const char*> heard[] = {
      {"txtName", "Name"},
      {"txtMCity", "City"},
      {"txtMState", "State"},
      {"txtMCountry", "Country"},
      {"txtLatD", "Latitude: degrees"},
      {"txtLatM", "Latitude: minutes"},
      {"txtLonD", "Longitude: degrees"},
      {"txtLonM", "Longitude: minutes"},
      {"optLat_1", "Latitude South"},
      {"optLong_0", "Longitude East"},
      {"chkDST", "Daylight Saving Time"},
      {"cmdRashi", "Get My Sree Lagna"},
  };
  for (const auto& [name, text] : heard) EXPECT_EQ(spoken(child<QWidget>(&form, name)), text) << name;
}

TEST(ClosingScreenSpeech, BoxesAreNamedByTheirPlaceholders) {
  FakePlatform fake;
  FrmClosingScreen screen(fake.platform);
  const std::pair<const char*, QString> boxes[] = {{"txtName", kNamePlaceholder},
                                                   {"txtEmail", kEmailPlaceholder},
                                                   {"txtFriendName", kFriendNamePlaceholder},
                                                   {"txtFriendEmail", kFriendEmailPlaceholder},
                                                   {"txtMessage", kMessagePlaceholder}};
  for (const auto& [name, placeholder] : boxes) {
    QWidget* box = child<QWidget>(&screen, name);
    // Still named when the user has typed over the placeholder.
    if (auto* line = qobject_cast<QLineEdit*>(box)) line->setText("Ravi");
    EXPECT_EQ(spoken(box), placeholder) << name;
  }
}

}  // namespace
}  // namespace halvora::ui
