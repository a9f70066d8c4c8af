// SPDX-License-Identifier: GPL-3.0-or-later
// The atlas in the entry form, with the real atlas and time-zone database: the completion list
// under City driven by the keyboard and the mouse, the boxes and the zone a chosen place fills,
// and the zone following the date and time until the user takes it over.

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "chart/time_zone_table.h"
#include "fakes.h"
#include "form_helpers.h"
#include "places/atlas.h"
#include "places/clock.h"
#include "ui/frm_main.h"
#include "ui/look.h"
#include "ui/place_completer.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::choose;
using testing::FakePlatform;

constexpr int kEst = 27;          // "Eastern Standard Time,EST,-5.0"
constexpr int kEdt = 24;          // "Eastern Daylight Time,EDT,-4.0"
constexpr int kIst = 34;          // "Indian Time, IST, +5.3"
constexpr int kNorthSumatra = 52;  // "North Sumatra Time,NST,+6.5", the only row of +6:30

class PlaceCompletion : public ::testing::Test {
 protected:
  void SetUp() override {
    QObject::connect(&form, &FrmMain::chartReady, [this](const ChartResult& result) { results.push_back(result); });
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    city = child<QLineEdit>(&form, "txtMCity");
    zone = child<QComboBox>(&form, "cmbTimeZone");
    zoneSource = child<QLabel>(&form, "lblZoneSource");
    // City's focus starts reading the atlas; these tests type once it is ready.
    city->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([] { return places::SystemAtlasLoaded(); }, 10000));
  }

  // A key as the keyboard sends it: to the open popup, else to the focused control.
  void press(Qt::Key key) {
    QWidget* target = QApplication::activePopupWidget();
    if (target == nullptr) target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key);
  }
  void type(const QString& text) {
    for (const QChar c : text) {
      QWidget* target = QApplication::activePopupWidget();
      if (target == nullptr) target = QApplication::focusWidget();
      QTest::keyClicks(target, QString(c));
    }
  }

  // The list is a window of its own, kept by City's completer.
  QAbstractItemView* list() const {
    auto* completer = city->findChild<PlaceCompleter*>();
    return completer ? completer->popup() : nullptr;
  }
  bool listOpen() const { return list() != nullptr && list()->isVisible(); }
  QStringList lines() const {
    QStringList out;
    if (!list()) return out;
    for (int row = 0; row < list()->model()->rowCount(); ++row) out << list()->model()->index(row, 0).data().toString();
    return out;
  }
  QString text(const char* name) const { return child<QLineEdit>(&form, name)->text(); }
  bool checked(const char* name) const { return child<QRadioButton>(&form, name)->isChecked(); }

  void setMoment(const char* month, const char* day, const char* year, const char* hour, const char* minute) {
    choose(&form, "cboMonth", month);
    choose(&form, "cboDate", day);
    choose(&form, "cboYear", year);
    choose(&form, "cboHH", hour);
    choose(&form, "cboMM", minute);
  }

  // Types the text into City and takes the first line of the list with the keyboard.
  void typeAndTakeFirst(const QString& typed) {
    city->setFocus();
    type(typed);
    ASSERT_TRUE(listOpen()) << typed.toStdString();
    press(Qt::Key_Down);
    press(Qt::Key_Return);
  }

  FakePlatform fake;
  FrmMain form{fake.platform};
  std::vector<ChartResult> results;
  QLineEdit* city = nullptr;
  QComboBox* zone = nullptr;
  QLabel* zoneSource = nullptr;
};

TEST_F(PlaceCompletion, TwoLettersOpenAListOfUpToTenPlaces) {
  type("p");
  EXPECT_FALSE(listOpen()) << "one letter is not enough";
  type("u");
  ASSERT_TRUE(listOpen());
  EXPECT_LE(lines().size(), 10);
  EXPECT_GE(lines().size(), 5) << "many places start with \"pu\"";
  type("n");
  ASSERT_TRUE(listOpen());
  // GeoNames: Pune, 18.51957 N 73.85535 E, the largest place whose name starts with "pun".
  EXPECT_EQ(lines().value(0), QString::fromUtf8("Pune, Maharashtra, India \u2014 18\u00b031\u2032 N 73\u00b051\u2032 E"));
  EXPECT_EQ(city->text(), "pun") << "the box keeps what was typed";
  EXPECT_EQ(QApplication::focusWidget(), city) << "typing goes on in the box";
  type("xq");
  EXPECT_FALSE(listOpen()) << "nothing matches \"punxq\"";
  EXPECT_EQ(city->text(), "punxq");
}

TEST_F(PlaceCompletion, ArrowDownAndEnterFillThePlaceTheCoordinatesAndTheZone) {
  setMoment("March", "15", "1980", "9", "5");
  child<QCheckBox>(&form, "chkDST")->setChecked(true);
  typeAndTakeFirst("pun");
  EXPECT_FALSE(listOpen());
  EXPECT_EQ(city->text(), "Pune");
  EXPECT_EQ(text("txtMState"), "Maharashtra");
  EXPECT_EQ(text("txtMCountry"), "India");
  EXPECT_EQ(text("txtLatD"), "18");
  EXPECT_EQ(text("txtLatM"), "31");
  EXPECT_TRUE(checked("optLat_0"));
  EXPECT_EQ(text("txtLonD"), "73");
  EXPECT_EQ(text("txtLonM"), "51");
  EXPECT_TRUE(checked("optLong_0"));
  EXPECT_EQ(zone->currentIndex(), kIst);
  EXPECT_FALSE(child<QCheckBox>(&form, "chkDST")->isChecked()) << "the row holds the clock's whole offset";
  EXPECT_EQ(zoneSource->text(), "Clock of Pune on March 15, 1980, 9:05: +5:30 (IST, standard time), from the "
                                "time-zone database");
  EXPECT_TRUE(results.empty()) << "Enter in the list chooses the place and asks for no chart";
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(form.formInput().place, "Pune, Maharashtra, India");
}

// The framed line's focus frame is two pixels at the row's edge: the letters, descenders and all
// ("Springfield", "Guangdong"), stay clear of it.
TEST_F(PlaceCompletion, TheFocusFrameLeavesTheLettersWhole) {
  type("springfield");
  ASSERT_TRUE(listOpen());
  const QFontMetrics metrics(list()->font());
  for (int row = 0; row < list()->model()->rowCount(); ++row) {
    const QRect line = list()->visualRect(list()->model()->index(row, 0));
    EXPECT_GE(line.height(), metrics.height() + 2 * 2 + 2) << row;
  }
  // The frame round the first line, as drawn: no yellow within the letters' band.
  const QRect first = list()->visualRect(list()->model()->index(0, 0));
  const QImage image = list()->viewport()->grab(first).toImage();
  const double scale = image.devicePixelRatio();  // the image is in device pixels
  const int textTop = static_cast<int>((first.height() - metrics.height()) / 2 * scale);
  const int textBottom = static_cast<int>(((first.height() - metrics.height()) / 2 + metrics.height()) * scale);
  const int side = static_cast<int>(4 * scale);
  int yellowOnLetters = 0;
  for (int y = textTop; y < textBottom; ++y)
    for (int x = side; x < image.width() - side; ++x)
      if (image.pixelColor(x, y) == kFocusMark) ++yellowOnLetters;
  EXPECT_EQ(yellowOnLetters, 0);
}

TEST_F(PlaceCompletion, EnterTakesTheFramedFirstLineAndTheArrowsMoveOn) {
  type("pun");
  ASSERT_TRUE(listOpen());
  EXPECT_EQ(list()->currentIndex().row(), 0) << "the best match is framed from the start";
  press(Qt::Key_Return);
  EXPECT_EQ(city->text(), "Pune");
  EXPECT_TRUE(results.empty());

  city->clear();
  type("pun");
  const QString second = lines().value(1);
  press(Qt::Key_Down);
  press(Qt::Key_Down);
  press(Qt::Key_Return);
  EXPECT_TRUE(second.startsWith(city->text() + ", ")) << second.toStdString() << " / " << city->text().toStdString();
  EXPECT_NE(city->text(), "Pune");
}

TEST_F(PlaceCompletion, TheMouseChoosesAPlaceToo) {
  setMoment("January", "1", "1990", "12", "0");
  type("kathm");
  ASSERT_TRUE(listOpen());
  ASSERT_TRUE(lines().value(0).startsWith("Kathmandu, Bagmati Province, Nepal"));
  const QRect first = list()->visualRect(list()->model()->index(0, 0));
  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, first.center());
  EXPECT_FALSE(listOpen());
  EXPECT_EQ(city->text(), "Kathmandu");
  EXPECT_EQ(text("txtLatD"), "27");
  EXPECT_EQ(text("txtLonM"), "19");
  // Nepal's +5:45 (time-zone database) is no row: the list gains one entry after its 71.
  ASSERT_EQ(zone->count(), kCustomZonePosition + 1);
  EXPECT_EQ(zone->currentIndex(), kCustomZonePosition);
  EXPECT_EQ(zone->currentText(), "Local clock of Kathmandu, +5:45");
  for (int row = 0; row < kCustomZonePosition; ++row)
    EXPECT_EQ(zone->itemText(row).toStdString(), TimeZoneTable[static_cast<std::size_t>(row)].text) << row;
  const FormInput input = form.formInput();
  ASSERT_TRUE(input.customZone.has_value());
  EXPECT_EQ(*input.customZone, (CustomZone{"Local clock of Kathmandu, +5:45", -5, -45}));
}

TEST_F(PlaceCompletion, EscapeClosesTheListAndChangesNothing) {
  const FormInput before = form.formInput();
  type("pun");
  ASSERT_TRUE(listOpen());
  press(Qt::Key_Escape);
  EXPECT_FALSE(listOpen());
  EXPECT_EQ(city->text(), "pun");
  const FormInput after = form.formInput();
  EXPECT_EQ(after.latDeg, before.latDeg);
  EXPECT_EQ(after.zoneIndex, before.zoneIndex);
  EXPECT_TRUE(after.place.empty());
  EXPECT_FALSE(form.zoneFollowsPlace());
  type("e");
  EXPECT_TRUE(listOpen()) << "typing on opens the list again";
}

TEST_F(PlaceCompletion, TheZoneFollowsTheDateUntilTheUserPicksAZone) {
  // Pune's clocks (time-zone database): Madras time +5:21:10 in 1903, war time +6:30 in 1943, IST.
  setMoment("March", "15", "1903", "9", "5");
  typeAndTakeFirst("pune");
  EXPECT_EQ(zone->currentText(), "Local clock of Pune, +5:21");
  EXPECT_TRUE(form.zoneFollowsPlace());

  choose(&form, "cboYear", "1943");
  EXPECT_EQ(zone->currentIndex(), kNorthSumatra);
  EXPECT_EQ(zone->count(), kCustomZonePosition) << "the entry of 1903's clock is gone";
  EXPECT_EQ(zoneSource->text(), "Clock of Pune on March 15, 1943, 9:05: +6:30 (war time), from the time-zone database");
  choose(&form, "cboYear", "1980");
  EXPECT_EQ(zone->currentIndex(), kIst);

  // The user picks the row below with the keyboard: from now on the form leaves the zone alone.
  zone->setFocus();
  QTest::keyClick(zone, Qt::Key_Down);
  EXPECT_EQ(zone->currentIndex(), kIst + 1);
  EXPECT_FALSE(form.zoneFollowsPlace());
  EXPECT_EQ(zoneSource->text(), "Zone chosen by hand.");
  choose(&form, "cboYear", "1943");
  EXPECT_EQ(zone->currentIndex(), kIst + 1);
  EXPECT_EQ(zoneSource->text(), "Zone chosen by hand.");
}

TEST_F(PlaceCompletion, TypingACoordinateByHandStopsTheFollowing) {
  setMoment("March", "15", "1980", "9", "5");
  typeAndTakeFirst("pune");
  ASSERT_EQ(zone->currentIndex(), kIst);
  auto* latM = child<QLineEdit>(&form, "txtLatM");
  latM->setFocus();
  QTest::keyClick(latM, Qt::Key_Backspace);
  QTest::keyClicks(latM, "2");
  EXPECT_EQ(latM->text(), "32");
  EXPECT_FALSE(form.zoneFollowsPlace());
  choose(&form, "cboYear", "1943");
  EXPECT_EQ(zone->currentIndex(), kIst) << "not the war time of 1943";
  EXPECT_EQ(latM->text(), "32");
  EXPECT_EQ(zoneSource->text(),
            "The zone no longer follows the date and time of birth: a coordinate was typed by hand.");
}

TEST_F(PlaceCompletion, ANewCityTypedOverAChosenPlaceIsSaidUnderTheZone) {
  setMoment("March", "15", "1980", "9", "5");
  typeAndTakeFirst("pune");
  ASSERT_EQ(city->text(), "Pune");
  city->selectAll();
  type("Mumbai");
  press(Qt::Key_Escape);  // the list opened for Mumbai is left unpicked
  EXPECT_EQ(zoneSource->text(),
            "Latitude and longitude are those of Pune, Maharashtra: pick Mumbai from the list or type its coordinates");
  EXPECT_EQ(zoneSource->palette().color(QPalette::WindowText), kNoticeYellow);
  choose(&form, "cboYear", "1943");
  EXPECT_NE(zoneSource->text().indexOf("those of Pune"), -1) << "until a place is picked or a coordinate typed";

  // Picking a place ends it, and so does typing a coordinate.
  city->selectAll();
  typeAndTakeFirst("mumbai");
  EXPECT_EQ(zoneSource->text().indexOf("Clock of Mumbai"), 0) << zoneSource->text().toStdString();
  city->selectAll();
  type("Pune");
  press(Qt::Key_Escape);
  ASSERT_NE(zoneSource->text().indexOf("those of Mumbai"), -1) << zoneSource->text().toStdString();
  auto* latM = child<QLineEdit>(&form, "txtLatM");
  latM->setFocus();
  QTest::keyClick(latM, Qt::Key_Backspace);
  EXPECT_EQ(zoneSource->text().indexOf("those of"), -1) << zoneSource->text().toStdString();
}

TEST_F(PlaceCompletion, ATimeThatDidNotExistOrCameTwiceIsSaidUnderTheZone) {
  // New York, 2010 (time-zone database): 2:30 on 14 March did not exist (EST to EDT at 2:00);
  // 1:30 on 7 November came twice, first on EDT.
  setMoment("March", "14", "2010", "2", "30");
  typeAndTakeFirst("new york, new york");
  EXPECT_EQ(city->text(), "New York");
  EXPECT_EQ(zone->currentIndex(), kEst) << "the clock in force up to the jump, while the user checks";
  EXPECT_EQ(zoneSource->text(),
            "Clock of New York on March 14, 2010, 2:30: no such time, the clocks went forward from -5:00 (EST, "
            "standard time) to -4:00 (EDT, daylight saving time); please check the time of birth");
  EXPECT_EQ(zoneSource->palette().color(QPalette::WindowText), kNoticeYellow);

  setMoment("November", "7", "2010", "1", "30");
  EXPECT_EQ(zone->currentIndex(), kEdt) << "the first of the two";
  EXPECT_NE(zoneSource->text().indexOf("came twice"), -1) << zoneSource->text().toStdString();
  EXPECT_NE(zoneSource->text().indexOf("-4:00"), -1);
  EXPECT_NE(zoneSource->text().indexOf("-5:00"), -1);

  choose(&form, "cboHH", "12");
  EXPECT_EQ(zone->currentIndex(), kEst);
  EXPECT_EQ(zoneSource->palette().color(QPalette::WindowText), kLightOrange);
}

TEST_F(PlaceCompletion, AChosenPlaceGivesTheChartOfTheSameFormTypedByHand) {
  child<QLineEdit>(&form, "txtName")->setText("ASHA");
  setMoment("January", "1", "1990", "12", "0");
  typeAndTakeFirst("kathmandu");
  QTest::mouseClick(child<QWidget>(&form, "cmdRashi"), Qt::LeftButton);
  ASSERT_EQ(results.size(), 1u) << (fake.messages.shown.empty() ? "" : fake.messages.shown[0].text.toStdString());

  FormInput typed;
  typed.name = "ASHA";
  typed.day = "1";
  typed.year = "1990";
  typed.hour = "12";
  typed.city = "Kathmandu";
  typed.state = "Bagmati Province";
  typed.country = "Nepal";
  typed.latDeg = "27";
  typed.latMin = "42";
  typed.lonDeg = "85";
  typed.lonMin = "19";
  typed.zoneIndex = kCustomZonePosition;
  typed.customZone = CustomZone{"Local clock of Kathmandu, +5:45", -5, -45};
  const ChartResult expected = std::get<ChartResult>(RunChartRequest(typed));
  EXPECT_EQ(results[0].zone, (ZoneCorrection{-5, -45}));
  EXPECT_EQ(results[0].chartPositions, expected.chartPositions);
  EXPECT_EQ(results[0].sunrise, expected.sunrise);
  EXPECT_EQ(results[0].markers, expected.markers);
  EXPECT_EQ(results[0].details.lblCity, "Kathmandu");
}

TEST_F(PlaceCompletion, TheFormStillTakesEverythingTypedByHand) {
  testing::fillNewDelhiBirth(&form);
  city->clear();
  city->setFocus();
  type("Xyzzyville");
  EXPECT_FALSE(listOpen());
  QTest::mouseClick(child<QWidget>(&form, "cmdRashi"), Qt::LeftButton);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].details.lblCity, "Xyzzyville");
  EXPECT_EQ(results[0].zone, (ZoneCorrection{-5, -30}));
  EXPECT_EQ(zoneSource->text().toStdString().rfind("Type the city of birth and choose it", 0), 0u);
}

TEST_F(PlaceCompletion, ScreenReadersHearTheListAndTheZoneLine) {
  type("pun");
  ASSERT_TRUE(listOpen());
  EXPECT_EQ(list()->accessibleName(), "Places");
  QAccessibleInterface* line = QAccessible::queryAccessibleInterface(zoneSource);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->text(QAccessible::Name), "Where the zone came from");
  EXPECT_FALSE(city->accessibleDescription().isEmpty());
}

}  // namespace
}  // namespace halvora::ui
