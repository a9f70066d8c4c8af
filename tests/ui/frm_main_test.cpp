// SPDX-License-Identifier: GPL-3.0-or-later
// The entry form: its controls, lists and defaults, the chart request's checks as the user meets
// them, the menus and links, the keyboard.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>

#include "chart/time_zone_table.h"
#include "fakes.h"
#include "form_helpers.h"
#include "ui/frm_main.h"
#include "ui/look.h"
#include "ui/place_lookup.h"
#include "ui/web_pages.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;

class EntryForm : public ::testing::Test {
 protected:
  // Collects the results the form hands on.
  void SetUp() override {
    QObject::connect(&form, &FrmMain::chartReady, [this](const ChartResult& result) { results.push_back(result); });
  }
  QAction* action(const char* name) { return child<QAction>(&form, name); }
  std::vector<QString> shownTexts() const {
    std::vector<QString> texts;
    for (const auto& message : fake.messages.shown) texts.push_back(message.text);
    return texts;
  }

  FakePlatform fake;
  FrmMain form{fake.platform};
  std::vector<ChartResult> results;
};

// --- Controls, lists and defaults ---------------------------------------------------------------

struct ListRow {
  const char* name;
  int count;
  const char* first;
  const char* last;
};

class EntryFormLists : public ::testing::TestWithParam<ListRow> {
 protected:
  FakePlatform fake;
  FrmMain form{fake.platform};
};

TEST_P(EntryFormLists, HoldTheirItemsAndStartOnTheFirst) {
  const ListRow& row = GetParam();
  auto* list = child<QComboBox>(&form, row.name);
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(list->isEditable());
  ASSERT_EQ(list->count(), row.count);
  EXPECT_EQ(list->itemText(0), row.first);
  if (row.last != nullptr) {
    EXPECT_EQ(list->itemText(row.count - 1), row.last);
  }
  EXPECT_EQ(list->currentIndex(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Form, EntryFormLists,
    ::testing::Values(ListRow{"cboMonth", 12, "January", "December"}, ListRow{"cboDate", 31, "1", "31"},
                      ListRow{"cboYear", 150, "1901", "2050"}, ListRow{"cboHH", 24, "0", "23"},
                      ListRow{"cboMM", 60, "0", "59"}, ListRow{"cboSS", 60, "0", "59"},
                      ListRow{"cmbTimeZone", 71, "Alaska/Hawaii Daylight Time,AHDT,-9.0", nullptr}),
    [](const ::testing::TestParamInfo<ListRow>& info) { return std::string(info.param.name); });

// --- The zone list --------------------------------------------------------------------------------

struct ZoneRow {
  const char* text;
  int hours;    // ZoneCorrectionHours: positive west of Greenwich
  int minutes;  // ZoneCorrectionMinutes, with the sign of the hours
};

// The 71 zones in their list order, with the numbers each stands for, as the design of the form
// lists them (".3" in the Indian row is 30 minutes).
constexpr ZoneRow kZones[71] = {
    {"Alaska/Hawaii Daylight Time,AHDT,-9.0", 9, 0},
    {"Alaska/Hawaii Standard Time,AHST,-10.0", 10, 0},
    {"Alaska/Hawaii War Time,AHWT,-9.0", 9, 0},
    {"Atlantic Standard Time,AST,-4.0", 4, 0},
    {"Atlantic War Time,AWT,-3.0", 3, 0},
    {"Australian Central Daylight Time,ACDT,+10.5", -10, -30},
    {"Australian Central Standard Time,ACST,+9.5", -9, -30},
    {"Australian Eastern Daylight Time,AEDT,+11.0", -11, 0},
    {"Australian Eastern Standard Time,AEST,+10.0", -10, 0},
    {"Australian Western Daylight Time,AWDT,+9.0", -9, 0},
    {"Australian Western Standard Time,AWST,+8.0", -8, 0},
    {"Azores Time, AT, -2.0", 2, 0},
    {"Baghdad Time, BAT, +3.0", -3, 0},
    {"Bering Standard Time,BET,-11.0", 11, 0},
    {"Brazil Zone 2,BZT2,-3.0", 3, 0},
    {"British Double Summer Time,BDST,+2.0", -2, 0},
    {"British Summer Time,BST,+1.0", -1, 0},
    {"British War Time,BWT,+2.0", -2, 0},
    {"Central Daylight Time,CDT,-5.0", 5, 0},
    {"Central European Daylight,CED,+2.0", -2, 0},
    {"Central European Time,CET,+1.0", -1, 0},
    {"Central Standard Time,CST,-6.0", 6, 0},
    {"Central War Time,CWT,-5.0", 5, 0},
    {"China Coast Time,CCT,+8.0", -8, 0},
    {"Eastern Daylight Time,EDT,-4.0", 4, 0},
    {"Eastern European Daylight Time,EED,+3.0", -3, 0},
    {"Eastern European Time,EET,+2.0", -2, 0},
    {"Eastern Standard Time,EST,-5.0", 5, 0},
    {"Eastern War Time,EWT,-4.0", 4, 0},
    {"Greenwich Mean Time,GMT,0.0", 0, 0},
    {"Guam Standard Time,GST,+10.0", -10, 0},
    {"Hawaiian Daylight Time,HDT,-9.5", 9, 30},
    {"Hawaiian Standard Time,HST,-10.5", 10, 30},
    {"Hawaiian War Time,HWT,-9.5", 9, 30},
    {"Indian Time, IST, +5.3", -5, -30},
    {"Int'l Date Line East,IDLE,+12.0", -12, 0},
    {"Int'l Date Line West,IDLW,-12.0", 12, 0},
    {"Iran Time, IT, +3.5", -3, -30},
    {"Japan Standard Time,JST,+9.0", -9, 0},
    {"Java Time, JT, +7.5", -7, -30},
    {"Middle European Daylight Time,MED,+2.0", -2, 0},
    {"Middle European Time,MET,+1.0", -1, 0},
    {"Moluccas Time, MT, +8.5", -8, -30},
    {"Mountain Daylight Time,MDT,-6.0", 6, 0},
    {"Mountain Standard Time,MST,-7.0", 7, 0},
    {"Mountain War Time,MWT,-6.0", 6, 0},
    {"New Zealand Std Summer Time,NZST,+13.0", -13, 0},
    {"New Zealand Std Time,NZT,+12.0", -12, 0},
    {"New Zealand Summer Time,NZS,+12.5", -12, -30},
    {"New Zealand Time,NZ,+11.5", -11, -30},
    {"Newfoundland Standard Time,NST,-3.5", 3, 30},
    {"Nome Time, NT, -11.0", 11, 0},
    {"North Sumatra Time,NST,+6.5", -6, -30},
    {"Pacific Daylight Time,PDT,-7.0", 7, 0},
    {"Pacific Standard Time,PST,-8.0", 8, 0},
    {"Pacific War Time,PWT,-7.0", 7, 0},
    {"South Australia Daylight Time,SAD,+10.5", -10, -30},
    {"South Australia Daylight Time,SDT,+10.5", -10, -30},
    {"South Australia Standard Time,SAST,+9.5", -9, -30},
    {"South Australia Standard Time,SAT,+9.5", -9, -30},
    {"South Sumatra Time,SST,+7.0", -7, 0},
    {"Universal Time, UT, 0.0", 0, 0},
    {"USSR Zone 10,UZ10,+11.0", -11, 0},
    {"USSR Zone 3,USZ3,+4.0", -4, 0},
    {"USSR Zone 4,USZ4,+5.0", -5, 0},
    {"USSR Zone 5,USZ5,+6.0", -6, 0},
    {"USSR Zone 6,USZ6,+7.0", -7, 0},
    {"West Africa Time,WAT,-1.0", 1, 0},
    {"Yukon Daylight Time,YDT,-8.0", 8, 0},
    {"Yukon Standard Time,YST,-9.0", 9, 0},
    {"Yukon War Time,YWT,-8.0", 8, 0},
};

TEST_F(EntryForm, ZoneListHoldsEveryZoneWithItsNumbers) {
  auto* zones = child<QComboBox>(&form, "cmbTimeZone");
  ASSERT_EQ(zones->count(), 71);
  testing::fillNewDelhiBirth(&form);
  for (int i = 0; i < 71; ++i) {
    const ZoneRow& row = kZones[i];
    EXPECT_EQ(zones->itemText(i), QString::fromLatin1(row.text)) << "row " << i;
    zones->setCurrentIndex(i);
    // The numbers the chart request takes from the chosen row.
    const ChartRequestOutcome outcome = RunChartRequest(form.formInput());
    ASSERT_TRUE(std::holds_alternative<ChartResult>(outcome)) << "row " << i;
    const ZoneCorrection zone = std::get<ChartResult>(outcome).zone;
    EXPECT_EQ(zone.hours, row.hours) << row.text;
    EXPECT_EQ(zone.minutes, row.minutes) << row.text;
  }
}

TEST_F(EntryForm, MonthsAreInCalendarOrder) {
  auto* months = child<QComboBox>(&form, "cboMonth");
  const QStringList expected = {"January", "February", "March",     "April",   "May",      "June",
                                "July",    "August",   "September", "October", "November", "December"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(months->itemText(i), expected[i]);
}

TEST_F(EntryForm, TextBoxesStartEmptyWithTheirMaximumLengths) {
  const std::pair<const char*, int> boxes[] = {{"txtName", 32767},  {"txtMCity", 32767}, {"txtMState", 32767},
                                               {"txtMCountry", 32767}, {"txtLatD", 2},    {"txtLatM", 2},
                                               {"txtLonD", 3},      {"txtLonM", 2}};
  for (const auto& [name, maxLength] : boxes) {
    auto* box = child<QLineEdit>(&form, name);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().isEmpty()) << name;
    EXPECT_EQ(box->maxLength(), maxLength) << name;
  }
}

TEST_F(EntryForm, OptionsAndCheckBoxStartAsDesigned) {
  EXPECT_TRUE(child<QRadioButton>(&form, "optLat_0")->isChecked());
  EXPECT_FALSE(child<QRadioButton>(&form, "optLat_1")->isChecked());
  EXPECT_TRUE(child<QRadioButton>(&form, "optLong_0")->isChecked());
  EXPECT_FALSE(child<QRadioButton>(&form, "optLong_1")->isChecked());
  EXPECT_FALSE(child<QCheckBox>(&form, "chkDST")->isChecked());
}

TEST_F(EntryForm, CaptionsAreTheSystemsOwn) {
  const std::pair<const char*, const char*> captions[] = {
      {"Label13", "Name"},         {"Label5", "Date of Birth"}, {"Label1", "Time of Birth"}, {"Label12", "HH:MM:SS"},
      {"Label54", "City"},         {"Label55", "State"},        {"Label4", "Country"},       {"Label7", "Deg"},
      {"Label9", "Min"},           {"Label6", "Deg"},           {"Label8", "Min"},
      {"Label2", "Know more about your material prosperity with Halvora"},
      {"lblFullBrand",
       "Home Business Opportunity. Start your own Internet business and make money online. Get this software fully "
       "branded for your website. Click here for more details."},
      {"lblCobrand",
       "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &  "
       "link here. See \"Help\" for details.    Click Here for more info on co-branding."},
  };
  for (const auto& [name, text] : captions) EXPECT_EQ(child<QLabel>(&form, name)->text(), text) << name;

  const std::pair<const char*, const char*> frames[] = {{"Frame6", "Personal Details"}, {"Frame2", "Place Details"},
                                                        {"Frame3", "Latitude"},         {"Frame4", "Longitude"},
                                                        {"fraZone", "Zone"}};
  for (const auto& [name, title] : frames) EXPECT_EQ(child<QGroupBox>(&form, name)->title(), title) << name;

  EXPECT_EQ(child<QPushButton>(&form, "cmdRashi")->text(), "Get My Sree Lagna");
  EXPECT_EQ(child<QPushButton>(&form, "cmdBrowser")->text(), "Click for Latitude && Longitude");
  EXPECT_EQ(child<QCheckBox>(&form, "chkDST")->text(), "Daylight Saving Time");
  EXPECT_EQ(child<QRadioButton>(&form, "optLat_0")->text(), "North");
  EXPECT_EQ(child<QRadioButton>(&form, "optLat_1")->text(), "South");
  EXPECT_EQ(child<QRadioButton>(&form, "optLong_0")->text(), "East");
  EXPECT_EQ(child<QRadioButton>(&form, "optLong_1")->text(), "West");
  EXPECT_EQ(form.windowTitle(), "Halvora v1.15");
}

TEST_F(EntryForm, LooksAsDesigned) {
  EXPECT_EQ(form.palette().color(QPalette::Window), QColor(64, 64, 0));
  EXPECT_EQ(form.palette().color(QPalette::WindowText), QColor(255, 192, 128));
  auto* button = child<QPushButton>(&form, "cmdRashi");
  EXPECT_EQ(button->palette().color(QPalette::Button), QColor(255, 224, 192));
  EXPECT_TRUE(button->font().bold());
  EXPECT_TRUE(child<QGroupBox>(&form, "Frame6")->font().bold());
  EXPECT_FALSE(child<QLabel>(&form, "Label13")->font().bold());
  EXPECT_DOUBLE_EQ(child<QLabel>(&form, "Label13")->font().pointSizeF(), 8.25);
  auto* prosperity = child<QLabel>(&form, "Label2");
  EXPECT_EQ(prosperity->palette().color(QPalette::WindowText), QColor(192, 255, 192));
  EXPECT_TRUE(prosperity->font().bold());
  EXPECT_DOUBLE_EQ(prosperity->font().pointSizeF(), 9.0);
}

// --- Size -------------------------------------------------------------------------------------------

// Tops of the place boxes and heights of the frames, relative to the form's controls.
struct FormShape {
  int cityToState, stateToCountry;
  QSize personal, place, zone;
  int boxHeight;
};

FormShape shapeOf(FrmMain& form) {
  const auto top = [&form](const char* name) { return child<QWidget>(&form, name)->mapTo(&form, QPoint(0, 0)).y(); };
  return {top("txtMState") - top("txtMCity"), top("txtMCountry") - top("txtMState"),
          child<QWidget>(&form, "Frame6")->size(), child<QWidget>(&form, "Frame2")->size(),
          child<QWidget>(&form, "fraZone")->size(), child<QWidget>(&form, "txtMCity")->height()};
}

TEST_F(EntryForm, GrowingPutsTheSpaceAroundTheControls) {
  form.show();
  form.resize(form.preferredSize());
  QApplication::processEvents();
  const FormShape natural = shapeOf(form);
  EXPECT_GE(natural.boxHeight, child<QWidget>(&form, "txtMCity")->sizeHint().height());
  form.resize(form.preferredSize() * 2);
  QApplication::processEvents();
  const FormShape grown = shapeOf(form);
  EXPECT_EQ(grown.cityToState, natural.cityToState);
  EXPECT_EQ(grown.stateToCountry, natural.stateToCountry);
  EXPECT_EQ(grown.personal, natural.personal);
  EXPECT_EQ(grown.place, natural.place);
  EXPECT_EQ(grown.zone, natural.zone);
  // The controls sit in the middle of the larger window.
  const QRect frame1(child<QWidget>(&form, "Frame1")->mapTo(&form, QPoint(0, 0)), child<QWidget>(&form, "Frame1")->size());
  EXPECT_NEAR(frame1.center().x(), form.rect().center().x(), 2);
}

TEST_F(EntryForm, ShrinkingScrollsAndKeepsEveryControlAtItsSize) {
  form.show();
  form.resize(form.preferredSize());
  QApplication::processEvents();
  const FormShape natural = shapeOf(form);
  form.resize(form.minimumSize());
  QApplication::processEvents();
  EXPECT_EQ(shapeOf(form).boxHeight, natural.boxHeight);
  EXPECT_EQ(shapeOf(form).place, natural.place);
  EXPECT_LE(form.minimumSize().height(), 300);
  auto* scroll = child<QScrollArea>(&form, "frmMainScroll");
  EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
  // "Time of Birth" and "HH:MM:SS" do not touch.
  EXPECT_LT(child<QWidget>(&form, "Label1")->geometry().bottom(), child<QWidget>(&form, "Label12")->geometry().top());
}

// --- Get My Sree Lagna ----------------------------------------------------------------------------

TEST_F(EntryForm, FreshFormAsksForTheNameAndFocusesIt) {
  form.show();
  child<QLineEdit>(&form, "txtMCity")->setFocus();
  QTest::mouseClick(child<QPushButton>(&form, "cmdRashi"), Qt::LeftButton);
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, "Please Enter Name");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Error);
  EXPECT_EQ(form.focusWidget(), child<QWidget>(&form, "txtName"));
  EXPECT_TRUE(results.empty());
}

TEST_F(EntryForm, MenuItemRunsTheSameRequest) {
  action("mnuNext")->trigger();
  EXPECT_EQ(shownTexts(), std::vector<QString>{"Please Enter Name"});
  EXPECT_EQ(action("mnuNext")->text(), "Get My Sree Lagna");
}

struct CheckRow {
  const char* name;
  std::function<void(QWidget*)> change;  // applied to a valid New Delhi form
  const char* message;
  MessageIcon icon;
  const char* focus;  // nullptr: the focus stays where it was
};

class EntryFormChecks : public EntryForm, public ::testing::WithParamInterface<CheckRow> {};

TEST_P(EntryFormChecks, ShowTheFirstFailureAndMoveTheFocus) {
  const CheckRow& row = GetParam();
  form.show();
  testing::fillNewDelhiBirth(&form);
  row.change(&form);
  QWidget* before = child<QWidget>(&form, "cmbTimeZone");
  before->setFocus();
  // Through the menu, which leaves the focus where it is (a click would give it to the button).
  action("mnuNext")->trigger();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, row.message);
  EXPECT_EQ(fake.messages.shown[0].icon, row.icon);
  EXPECT_EQ(form.focusWidget(), row.focus ? child<QWidget>(&form, row.focus) : before);
  EXPECT_TRUE(results.empty());
  EXPECT_TRUE(form.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Form, EntryFormChecks,
    ::testing::Values(
        CheckRow{"BlankName", [](QWidget* f) { testing::setText(f, "txtName", "   "); }, "Please Enter Name",
                 MessageIcon::Error, "txtName"},
        CheckRow{"Longitude180", [](QWidget* f) { testing::setText(f, "txtLonD", "180"); },
                 "Please Enter Value Between 0 And 179 in the Degree of Longitude", MessageIcon::Error, "txtLonD"},
        CheckRow{"EmptyLongitudeMinutes", [](QWidget* f) { testing::setText(f, "txtLonM", ""); },
                 "Please Enter Value Between 0 And 59 in the  Minute of Longitude", MessageIcon::Error, "txtLonM"},
        CheckRow{"Latitude90", [](QWidget* f) { testing::setText(f, "txtLatD", "90"); },
                 "Please Enter Value Between 0 And 89 in the Degree of Latitude", MessageIcon::Error, "txtLatD"},
        CheckRow{"LatitudeMinutes60", [](QWidget* f) { testing::setText(f, "txtLatM", "60"); },
                 "Please Enter Value Between 0 And 59 in the  Minute of Latitude", MessageIcon::Error, "txtLatM"},
        CheckRow{"ThirtiethOfFebruary",
                 [](QWidget* f) {
                   testing::choose(f, "cboDate", "30");
                   testing::choose(f, "cboYear", "2000");
                 },
                 "Please Enter Correct Date Or Month!", MessageIcon::Information, nullptr},
        CheckRow{"ThirtyFirstOfApril",
                 [](QWidget* f) {
                   testing::choose(f, "cboMonth", "April");
                   testing::choose(f, "cboDate", "31");
                 },
                 "Please Enter Correct Date Or Month !", MessageIcon::Information, nullptr}),
    [](const ::testing::TestParamInfo<CheckRow>& info) { return std::string(info.param.name); });

TEST_F(EntryForm, ReadsEveryControlIntoTheRequest) {
  testing::fillNewDelhiBirth(&form);
  child<QRadioButton>(&form, "optLat_1")->setChecked(true);
  child<QRadioButton>(&form, "optLong_1")->setChecked(true);
  child<QCheckBox>(&form, "chkDST")->setChecked(true);
  const FormInput input = form.formInput();
  EXPECT_EQ(input.name, "ASHA");
  EXPECT_EQ(input.monthIndex, 1);
  EXPECT_EQ(input.day, "22");
  EXPECT_EQ(input.year, "2011");
  EXPECT_EQ(input.hour, "9");
  EXPECT_EQ(input.minute, "5");
  EXPECT_EQ(input.second, "30");
  EXPECT_EQ(input.city, "New Delhi");
  EXPECT_EQ(input.state, "Delhi");
  EXPECT_EQ(input.country, "India");
  EXPECT_EQ(input.latDeg, "28");
  EXPECT_EQ(input.latMin, "37");
  EXPECT_EQ(input.lonDeg, "77");
  EXPECT_EQ(input.lonMin, "13");
  EXPECT_FALSE(input.north);
  EXPECT_FALSE(input.east);
  EXPECT_TRUE(input.dst);
  EXPECT_EQ(input.zoneIndex, 34);
}

TEST_F(EntryForm, ValidBirthHandsOnTheRequestsResult) {
  testing::fillNewDelhiBirth(&form);
  QTest::mouseClick(child<QPushButton>(&form, "cmdRashi"), Qt::LeftButton);
  EXPECT_TRUE(fake.messages.shown.empty());
  ASSERT_EQ(results.size(), 1u);
  const auto expected = std::get<ChartResult>(RunChartRequest(form.formInput()));
  EXPECT_EQ(results[0].details.lblName, "ASHA");
  EXPECT_EQ(results[0].chartPositions, expected.chartPositions);
  EXPECT_EQ(results[0].signLabels, expected.signLabels);
  EXPECT_EQ(results[0].houseText, expected.houseText);
}

// --- Keyboard ------------------------------------------------------------------------------------

TEST_F(EntryForm, TabGoesThroughTheFormInReadingOrder) {
  const QStringList expected = {"txtName",    "cboMonth", "cboDate",  "cboYear",     "cboHH",       "cboMM",
                                "cboSS",      "txtMCity", "txtMState", "txtMCountry", "cmdBrowser", "txtLatD",
                                "txtLatM",    "optLat_0", "optLat_1", "txtLonD",     "txtLonM",     "optLong_0",
                                "optLong_1",  "cmbTimeZone", "chkDST", "cmdRashi"};
  QStringList chain;
  QWidget* widget = child<QWidget>(&form, "txtName");
  for (int step = 0; step < 200 && chain.size() < expected.size(); ++step) {
    if (widget->focusPolicy() & Qt::TabFocus && !widget->objectName().isEmpty()) chain << widget->objectName();
    widget = widget->nextInFocusChain();
  }
  EXPECT_EQ(chain, expected);
}

TEST_F(EntryForm, EnterPressesGetMySreeLagnaAndKeepsTheEntries) {
  form.show();
  testing::fillNewDelhiBirth(&form);
  const FormInput before = form.formInput();
  auto* latD = child<QLineEdit>(&form, "txtLatD");
  latD->setFocus();
  QTest::keyClick(latD, Qt::Key_Return);
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(results.size(), 1u);
  const FormInput after = form.formInput();
  EXPECT_EQ(after.name, before.name);
  EXPECT_EQ(after.latDeg, before.latDeg);
  EXPECT_EQ(after.lonMin, before.lonMin);
  EXPECT_EQ(after.city, before.city);
  EXPECT_EQ(after.zoneIndex, before.zoneIndex);
}

TEST_F(EntryForm, EnterInTheNameOfAnUnfinishedFormShowsTheNextCheck) {
  form.show();
  auto* name = child<QLineEdit>(&form, "txtName");
  QTest::keyClicks(name, "asha");
  QTest::keyClick(name, Qt::Key_Enter);
  EXPECT_EQ(shownTexts(), std::vector<QString>{"Please Enter Value Between 0 And 179 in the Degree of Longitude"});
  EXPECT_EQ(name->text(), "ASHA");
}

// --- Menus, links and the place search ----------------------------------------------------------

struct PageRow {
  const char* name;
  QUrl (*page)();
};

class EntryFormPages : public EntryForm, public ::testing::WithParamInterface<PageRow> {};

TEST_P(EntryFormPages, OpenTheirPage) {
  const PageRow& row = GetParam();
  if (auto* link = form.findChild<QLabel*>(row.name)) {
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(link, Qt::LeftButton);
  } else {
    action(row.name)->trigger();
  }
  ASSERT_EQ(fake.urls.opened.size(), 1u);
  EXPECT_EQ(fake.urls.opened[0], row.page());
}

INSTANTIATE_TEST_SUITE_P(Form, EntryFormPages,
                         ::testing::Values(PageRow{"mnuOnline", &helpPageUrl}, PageRow{"mnuVisit", &homePageUrl},
                                           PageRow{"mnuUpdate", &downloadPageUrl},
                                           PageRow{"mnuDonate", &donatePageUrl},
                                           PageRow{"mkmoney", &fullBrandPageUrl}, PageRow{"Label61", &homePageUrl},
                                           PageRow{"lblCobrand", &coBrandPageUrl},
                                           PageRow{"lblFullBrand", &fullBrandPageUrl}),
                         [](const ::testing::TestParamInfo<PageRow>& info) { return std::string(info.param.name); });

TEST_F(EntryForm, MenusHaveTheirCaptionsAndOrder) {
  QList<QAction*> bar = form.menuBar()->actions();
  ASSERT_EQ(bar.size(), 4);
  EXPECT_EQ(bar[0]->text(), "&File");
  EXPECT_EQ(bar[1]->text(), "&Help");
  EXPECT_EQ(bar[2]->text(), "&Donate");
  EXPECT_EQ(bar[3]->text(), "Make Money &Online");
  // Donate and Make Money Online act on a click of their title: they have no items.
  EXPECT_EQ(bar[2]->menu(), nullptr);
  EXPECT_EQ(bar[3]->menu(), nullptr);

  QStringList file;
  for (QAction* item : bar[0]->menu()->actions()) file << (item->isSeparator() ? "-" : item->text());
  EXPECT_EQ(file, (QStringList{QString::fromUtf8("&Open Birth Data\u2026"), QString::fromUtf8("&Save Birth Data\u2026"),
                               "Open &Recent", "-", "Get My Sree Lagna", QString::fromUtf8("Se&ttings\u2026"),
                               "E&xit"}));
  EXPECT_EQ(action("mnuOpen")->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_EQ(action("mnuSave")->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_NE(bar[0]->menu()->actions()[2]->menu(), nullptr) << "Open Recent is a submenu";
  QStringList help;
  for (QAction* item : bar[1]->menu()->actions()) help << (item->isSeparator() ? "-" : item->text());
  EXPECT_EQ(help, (QStringList{"&Online Help", "&Visit Us Online", "-", "Check for Software &Update", "-",
                               "&About Software"}));
}

TEST_F(EntryForm, AboutShowsTheAboutBoxModally) {
  EXPECT_EQ(testing::modalOpenedBy(action("mnuAbout")), "frmAbout");
}

TEST_F(EntryForm, ExitClosesTheFormAndSaysSo) {
  int closed = 0;
  QObject::connect(&form, &FrmMain::closed, [&closed] { ++closed; });
  form.show();
  action("mnuExit")->trigger();
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(EntryForm, PlaceSearchAsksForTheStateFirst) {
  form.show();
  testing::setText(&form, "txtMCity", "Pune");
  QTest::mouseClick(child<QPushButton>(&form, "cmdBrowser"), Qt::LeftButton);
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, "Please Enter State");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Information);
  EXPECT_EQ(form.focusWidget(), child<QWidget>(&form, "txtMState"));
  EXPECT_TRUE(fake.urls.opened.empty());
}

TEST_F(EntryForm, PlaceSearchOpensTheSearchForTheTypedPlace) {
  testing::fillNewDelhiBirth(&form);
  QTest::mouseClick(child<QPushButton>(&form, "cmdBrowser"), Qt::LeftButton);
  EXPECT_TRUE(fake.messages.shown.empty());
  ASSERT_EQ(fake.urls.opened.size(), 1u);
  EXPECT_EQ(fake.urls.opened[0], placeSearchAddress("New Delhi Delhi India Latitude Longitude", placeSearchSiteAddress()));
}

TEST_F(EntryForm, AccessKeysReachTheMenus) {
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QTest::keyClick(&form, Qt::Key_D, Qt::AltModifier);
  ASSERT_EQ(fake.urls.opened.size(), 1u);
  EXPECT_EQ(fake.urls.opened[0], donatePageUrl());
}

}  // namespace
}  // namespace halvora::ui
