// SPDX-License-Identifier: GPL-3.0-or-later
// The results window: every caption of a finished request exactly as the request wrote it, the
// fixed captions, the chart's cells, the first tab, the links and the clipboard guard.

#include <gtest/gtest.h>

#include <optional>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

#include "fakes.h"
#include "form_helpers.h"
#include "support/births.h"
#include "support/chart_of.h"
#include "ui/frm_display.h"
#include "ui/value_label.h"
#include "ui/web_pages.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;
using testing_support::chartOf;

// ASHA, New Delhi, 22 February 2011 9:05:30 Indian time, as the entry form hands it on.
FormInput newDelhiBirth() { return halvora::testing_support::newDelhiForm(); }

QString qt(std::string_view caption) {
  return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())).replace("\r\n", "\n");
}

class ResultsWindow : public ::testing::Test {
 protected:
  QString text(const QString& name) const {
    if (auto* label = display.findChild<QLabel*>(name)) return label->text();
    if (auto* box = display.findChild<QPlainTextEdit*>(name)) return box->toPlainText();
    ADD_FAILURE() << "no control " << name.toStdString();
    return {};
  }

  FakePlatform fake;
  FrmDisplay display{fake.platform};
  ChartResult result = chartOf(newDelhiBirth());
};

TEST_F(ResultsWindow, ShowsEveryCaptionOfTheRequest) {
  display.showResult(result);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(text(QString("planet_%1").arg(i)), qt(result.chartPositions[static_cast<std::size_t>(i)])) << i;
  }
  for (int k = 0; k < 12; ++k) {
    const auto name = QString::fromUtf8(kSignLabelNames[static_cast<std::size_t>(k)].data(),
                                        static_cast<qsizetype>(kSignLabelNames[static_cast<std::size_t>(k)].size()));
    EXPECT_EQ(text(name), qt(result.signLabels[static_cast<std::size_t>(k)])) << name.toStdString();
    EXPECT_EQ(text(QString("lblArudha_%1").arg(k)), qt(result.markers[static_cast<std::size_t>(k)])) << k;
  }
  const Details& d = result.details;
  EXPECT_EQ(text("lblName"), qt(d.lblName));
  EXPECT_EQ(text("lblDOB"), qt(d.lblDOB));
  EXPECT_EQ(text("lblTOB"), qt(d.lblTOB));
  EXPECT_EQ(text("lblLatitude"), qt(d.lblLatitude));
  EXPECT_EQ(text("lblLongitude"), qt(d.lblLongitude));
  EXPECT_EQ(text("lblCity"), qt(d.lblCity));
  EXPECT_EQ(text("lblState"), qt(d.lblState));
  EXPECT_EQ(text("lblCountry"), qt(d.lblCountry));
  EXPECT_EQ(text("lblHoraDesc"), qt(result.houseText));
  ASSERT_EQ(result.profile.size(), 28u);
  for (const auto& [name, caption] : result.profile) {
    EXPECT_EQ(text(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))),
              QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())))
        << name;
  }
}

TEST_F(ResultsWindow, NewDelhiBirthReadsAsExpected) {
  display.showResult(result);
  EXPECT_EQ(text("lblName"), "ASHA");
  EXPECT_EQ(text("lblDOB"), "February/22/2011");
  EXPECT_EQ(text("lblTOB"), "9:5");
  EXPECT_EQ(text("lblLatitude"), QString::fromUtf8("28\u00b0 37' N"));
  EXPECT_EQ(text("lblLongitude"), QString::fromUtf8("77\u00b0 13' E"));
  // The Sree Lagna of this birth is in Scorpio, ninth from the ascendant in Pisces.
  EXPECT_EQ(text("lblPisces"), "\nJupiter\nAsc");
  EXPECT_TRUE(text("lblArudha_7").endsWith("SrL"));
  EXPECT_EQ(text("lblArudhaLagnaPresentInSign"), "Scorpio");
  EXPECT_EQ(text("lblVedicName"), "Vrischika");
  EXPECT_TRUE(text("lblHoraDesc").startsWith("Wisdom and knowledge will be of utmost importance."));
  // Qt labels break lines at "\n" alone.
  for (QLabel* label : display.findChildren<QLabel*>()) EXPECT_FALSE(label->text().contains('\r'));
}

// The windows of this birth: the Sree Lagna in Scorpio from 8:19:00 to 9:05:59, 30 seconds before
// it leaves; the ascendant in Pisces from 7:58:00 to 9:22:59 (the charts one second beyond each end
// have the signs named before and after).
TEST_F(ResultsWindow, ShowsTheBirthTimeWindowsUnderTheHouseTextAndInTheDetails) {
  display.showResult(result);
  EXPECT_EQ(text("lblSreeLagnaWindow"),
            "Sree Lagna in Scorpio for births from 8:19:00 to 9:05:59 (before: Libra, after: Sagittarius); the birth "
            "is 30 seconds before the Sree Lagna leaves Scorpio: check the birth time");
  EXPECT_EQ(text("lblAscendantWindow"),
            "Ascendant in Pisces for births from 7:58:00 to 9:22:59 (before: Aquarius, after: Aries)");
  auto* house = display.findChild<QLabel*>("lblHoraDesc");
  auto* sreeLagna = display.findChild<QLabel*>("lblSreeLagnaWindow");
  auto* tabs = display.findChild<QTabWidget*>();
  EXPECT_GT(sreeLagna->y(), house->geometry().bottom()) << "under the house text";
  EXPECT_LT(sreeLagna->geometry().bottom(), tabs->y()) << "above the tabs";
  auto* ascendant = display.findChild<QLabel*>("lblAscendantWindow");
  EXPECT_EQ(ascendant->parentWidget()->objectName(), "fraDetails");
  EXPECT_LE(ascendant->geometry().bottom(), ascendant->parentWidget()->height()) << "inside the details frame";
  EXPECT_GE(ascendant->height(), ascendant->heightForWidth(ascendant->width())) << "every line shows";
  auto* positions = display.findChild<QWidget*>("fraWestern");
  EXPECT_GT(positions->y(), ascendant->parentWidget()->geometry().bottom()) << "the positions below the details";
}

TEST_F(ResultsWindow, EmptySignsAndMarkersAreCleared) {
  display.showResult(result);
  EXPECT_EQ(text("lblAries"), "");
  EXPECT_EQ(text("lblLeo"), "");
  for (int k = 0; k < 12; ++k) EXPECT_NE(text(QString("lblArudha_%1").arg(k)), "A12");
}

TEST_F(ResultsWindow, OpensOnTheChartTab) {
  auto* tabs = child<QTabWidget>(&display, "SSTab1");
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), "Sree Lagna - Chart");
  EXPECT_EQ(tabs->tabText(1), "Lagna Details");
  tabs->setCurrentIndex(1);
  display.showResult(result);
  EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST_F(ResultsWindow, FixedCaptionsAreTheSystemsOwn) {
  const std::pair<const char*, const char*> captions[] = {
      {"dsd_1", "Significance"},
      {"Label10", "Sree Lagna is responsible for prosperity and marital relationships."},
      {"Label11", "Sree Lagna Present In House Significance"},
      {"Label1", "Date of Birth :"}, {"Label14", "Time of Birth :"}, {"Label2", "Longitude :"},
      {"Label9", "Latitude   :"}, {"Label3", "City :"}, {"Label12", "State :"}, {"Label4", "Country :"},
      {"PlanetName_0", "Surya/Sun"}, {"PlanetName_1", "Chandra/Moon"}, {"PlanetName_2", "Budha/Mercury"},
      {"PlanetName_3", "Shukra/Venus"}, {"PlanetName_4", "Mangala/Mars"}, {"PlanetName_5", "Guru/Jupiter"},
      {"PlanetName_6", "Shani/Saturn"}, {"PlanetName_10", "Rahu/North Node"}, {"PlanetName_11", "Ketu/South node"},
      {"PlanetName_16", "Asc/Lagna"}, {"dsd_0", "Vedic Name"}, {"Label8_0", "Sree Lagna Present In Sign"},
      {"Label8_2", "Compatible With"}, {"Label8_21", "English Name"}, {"Label8_24", "Career And Finance"},
      {"Hno_0", "1"}, {"Hno_11", "12"},
  };
  for (const auto& [name, caption] : captions) EXPECT_EQ(text(name), caption) << name;
  EXPECT_EQ(child<QGroupBox>(&display, "fraBirthchart")->title(), "Hora");
  EXPECT_EQ(child<QGroupBox>(&display, "fraDetails")->title(), "Your Details");
  EXPECT_EQ(child<QGroupBox>(&display, "fraWestern")->title(), "Vedic Planetary Position");
  EXPECT_EQ(display.windowTitle(), "Halvora v1.15");
}

TEST_F(ResultsWindow, EachSignLabelSitsInItsOwnCell) {
  // Cells by row and column of the four-by-four grid, Pisces at the top left, clockwise.
  const std::pair<const char*, QPoint> cells[] = {
      {"lblPisces", {0, 0}},   {"lblAries", {1, 0}},       {"lblTaurus", {2, 0}},    {"lblGemini", {3, 0}},
      {"lblCancer", {3, 1}},   {"lblLeo", {3, 2}},         {"lblVirgo", {3, 3}},     {"lblLibra", {2, 3}},
      {"lblScorpio", {1, 3}},  {"lblSagattarius", {0, 3}}, {"lblCapricorn", {0, 2}}, {"lblAquarius", {0, 1}},
  };
  const QRect chart = child<QWidget>(&display, "Shape2")->geometry();
  for (const auto& [name, cell] : cells) {
    const QRect label = child<QWidget>(&display, name)->geometry();
    const int column = (label.center().x() - chart.left()) * 4 / chart.width();
    const int row = (label.center().y() - chart.top()) * 4 / chart.height();
    EXPECT_EQ(QPoint(column, row), cell) << name;
  }
  // 1 pixel is 15 twips: a cell border is 1965 x 1680 twips.
  EXPECT_EQ(child<QWidget>(&display, "shpHora_0")->size(), QSize(131, 112));
  // The frame round the chart lies on the outer cells' borders: one line along each edge, not the
  // frame's and the cells' side by side.
  QRect borders;
  for (int i = 0; i < 12; ++i) borders |= child<QWidget>(&display, QStringLiteral("shpHora_%1").arg(i))->geometry();
  EXPECT_EQ(chart, borders);
}

TEST_F(ResultsWindow, MarkerLabelsGrowDownwardsWithTheirLines) {
  display.showResult(result);
  auto* marker = child<QLabel>(&display, "lblArudha_7");
  const int top = marker->y();
  EXPECT_GE(marker->height(), marker->sizeHint().height());
  EXPECT_GE(marker->width(), marker->sizeHint().width());
  ChartResult more = result;
  more.markers[7] += "\r\n\r\nSrL";
  display.showResult(more);
  EXPECT_EQ(marker->y(), top);
  EXPECT_GE(marker->height(), marker->sizeHint().height());
  EXPECT_GT(marker->height(), marker->fontMetrics().lineSpacing() * 3);
}

TEST_F(ResultsWindow, NoTextIsCutOff) {
  display.showResult(result);
  display.show();
  for (QLabel* label : display.findChildren<QLabel*>()) {
    if (label->wordWrap() || label->text().isEmpty()) continue;
    EXPECT_GE(label->width(), label->sizeHint().width()) << label->objectName().toStdString();
    EXPECT_GE(label->height(), label->fontMetrics().height() * label->text().count('\n') + 1)
        << label->objectName().toStdString();
  }
  // Every frame lies within what holds it, on both pages.
  auto* tabs = child<QTabWidget>(&display, "SSTab1");
  for (int page = 0; page < tabs->count(); ++page) {
    tabs->setCurrentIndex(page);
    for (QGroupBox* frame : tabs->widget(page)->findChildren<QGroupBox*>()) {
      const QRect inParent = frame->geometry();
      EXPECT_TRUE(frame->parentWidget()->rect().contains(inParent))
          << frame->objectName().toStdString() << " " << inParent.x() << "," << inParent.y() << " "
          << inParent.width() << "x" << inParent.height() << " in " << frame->parentWidget()->width() << "x"
          << frame->parentWidget()->height();
    }
  }
  EXPECT_TRUE(display.rect().contains(tabs->geometry()));
}

// --- Long values -----------------------------------------------------------------------------------

TEST_F(ResultsWindow, LongValuesEndInAnEllipsisAndShowWholeAsATooltip) {
  FormInput form = newDelhiBirth();
  form.name = "VENKATA SUBRAMANIAN RAMASWAMY IYER";
  form.city = "Thiruvananthapuram (Trivandrum)";
  display.showResult(chartOf(form));
  display.show();
  const std::pair<const char*, QString> longValues[] = {{"lblName", "VENKATA SUBRAMANIAN RAMASWAMY IYER"},
                                                        {"lblCity", "Thiruvananthapuram (Trivandrum)"}};
  for (const auto& [name, whole] : longValues) {
    auto* label = child<ValueLabel>(&display, name);
    EXPECT_EQ(label->text(), whole) << name;
    ASSERT_TRUE(label->isElided()) << name << " fits its label: the test needs a longer value";
    const QString shown = label->shownText();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << name << ": " << shown.toStdString();
    EXPECT_TRUE(whole.startsWith(shown.chopped(1))) << name;
    EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->contentsRect().width()) << name;
    EXPECT_EQ(label->toolTip(), whole) << name;
  }
  // Short values are shown whole, without a tooltip.
  auto* state = child<ValueLabel>(&display, "lblState");
  EXPECT_FALSE(state->isElided());
  EXPECT_EQ(state->shownText(), "Delhi");
  EXPECT_TRUE(state->toolTip().isEmpty());
}

TEST_F(ResultsWindow, NoValueIsCutMidLetter) {
  FormInput form = newDelhiBirth();
  form.name = "VENKATA SUBRAMANIAN RAMASWAMY IYER";
  form.city = "Thiruvananthapuram (Trivandrum)";
  form.state = "Andaman and Nicobar Islands";
  form.country = "The United Kingdom of Great Britain";
  display.showResult(chartOf(form));
  display.show();
  auto* tabs = child<QTabWidget>(&display, "SSTab1");
  for (int page = 0; page < tabs->count(); ++page) {
    tabs->setCurrentIndex(page);
    for (ValueLabel* label : tabs->widget(page)->findChildren<ValueLabel*>()) {
      const std::string name = label->objectName().toStdString();
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->shownText()), label->contentsRect().width()) << name;
      EXPECT_EQ(label->isElided(), label->toolTip() == label->text() && !label->text().isEmpty()) << name;
    }
  }
}

TEST_F(ResultsWindow, PlaceWithoutSunriseShowsTheNotice) {
  auto* notice = child<QLabel>(&display, "lblNotice");
  display.show();
  display.showResult(result);
  EXPECT_FALSE(notice->isVisible());

  FormInput polar = newDelhiBirth();
  polar.latDeg = "80";
  polar.monthIndex = 11;
  polar.day = "21";
  const ChartResult dark = chartOf(polar);
  ASSERT_TRUE(dark.notice.has_value());
  display.showResult(dark);
  EXPECT_TRUE(notice->isVisible());
  EXPECT_EQ(notice->text(), QString::fromStdString(*dark.notice));
  EXPECT_GT(child<QWidget>(&display, "SSTab1")->y(), notice->geometry().bottom());
}

// Pune, 15 March 1980, 9:05 Indian time, 18°31′ N 73°51′ E (the worked example of
// tests/chart/chart_facts_test.cpp), and the same place at 80° N on 21 December, without sunrise.
TEST_F(ResultsWindow, FactsSitUnderTheDetailsInsideTheirFrame) {
  FormInput pune = newDelhiBirth();
  pune.monthIndex = 2;
  pune.day = "15";
  pune.year = "1980";
  pune.second = "0";
  pune.latDeg = "18";
  pune.latMin = "31";
  pune.lonDeg = "73";
  pune.lonMin = "51";
  FormInput polar = newDelhiBirth();
  polar.latDeg = "80";
  polar.monthIndex = 11;
  polar.day = "21";
  const struct {
    const char* name;
    FormInput form;
    QString facts;
  } rows[] = {
      {"Pune", pune,
       QString::fromUtf8("Zone: Indian Time, IST, +5:30; no daylight saving\n"
                         "Sunrise used: March 15, 1980, 6:43\n"
                         "Sree Lagna: 19°57′ Taurus, house 2\n"
                         "Moon: 7°55′ Aquarius, nakshatra Shatabhisha, pada 1")},
      {"no sunrise", polar, QString::fromUtf8("Sunrise used: none, polar night on December 21, 2011")},
      {"Pune again after a longer block", pune, QString::fromUtf8("Sunrise used: March 15, 1980, 6:43")},
  };
  display.show();
  auto* details = child<QGroupBox>(&display, "fraDetails");
  auto* facts = child<QLabel>(&display, "lblFacts");
  auto* positions = child<QGroupBox>(&display, "fraWestern");
  auto* model = child<QLabel>(&display, "lblModel");
  auto* chart = child<QGroupBox>(&display, "Frame1");
  auto* country = child<QLabel>(&display, "lblCountry");
  std::optional<QRect> firstPositions;
  for (const auto& r : rows) {
    display.showResult(chartOf(r.form));
    EXPECT_TRUE(facts->text().contains(r.facts)) << r.name << ": " << facts->text().toStdString();
    EXPECT_EQ(facts->parentWidget(), details) << r.name;
    EXPECT_TRUE(facts->isVisible()) << r.name;
    EXPECT_GT(facts->y(), country->geometry().bottom()) << r.name << ": under the details' last row";
    EXPECT_TRUE(details->contentsRect().contains(facts->geometry())) << r.name << ": inside the frame";
    EXPECT_GE(facts->height(), facts->heightForWidth(facts->width())) << r.name << ": every line shows";
    EXPECT_GT(positions->y(), details->geometry().bottom()) << r.name << ": the positions below the details";
    EXPECT_GT(model->y(), positions->geometry().bottom()) << r.name;
    EXPECT_FALSE(chart->geometry().intersects(details->geometry())) << r.name;
    EXPECT_GE(display.height(), model->mapTo(&display, QPoint(0, model->height())).y()) << r.name << ": nothing cut";
    if (!firstPositions) firstPositions = positions->geometry();
  }
  EXPECT_EQ(positions->geometry(), *firstPositions) << "a second chart of the same birth lays out as the first";
}

TEST_F(ResultsWindow, LinksOpenTheHomePage) {
  for (const char* name : {"Label6", "Label7"}) {
    auto* link = child<QLabel>(&display, name);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor) << name;
    QTest::mouseClick(link, Qt::LeftButton);
  }
  ASSERT_EQ(fake.urls.opened.size(), 2u);
  EXPECT_EQ(fake.urls.opened[0], homePageUrl());
  EXPECT_EQ(fake.urls.opened[1], homePageUrl());
}

TEST_F(ResultsWindow, PredictionBoxesAreReadOnlyWithAScrollBar) {
  for (const char* name : {"txtLooks", "txtNature", "txtCareerAndFinance", "txtLoveAndDomesticLife", "txtHealth"}) {
    auto* box = child<QPlainTextEdit>(&display, name);
    EXPECT_TRUE(box->isReadOnly()) << name;
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn) << name;
  }
}

// --- The clipboard guard -------------------------------------------------------------------------

struct MouseRow {
  const char* name;
  QEvent::Type type;
  Qt::MouseButton button;
  Qt::MouseButtons buttons;
};

class ClipboardGuard : public ResultsWindow, public ::testing::WithParamInterface<MouseRow> {};

TEST_P(ClipboardGuard, MouseWorkInAPredictionBoxEmptiesTheClipboard) {
  const MouseRow& row = GetParam();
  display.showResult(result);
  for (const char* name : {"txtLooks", "txtNature", "txtCareerAndFinance", "txtLoveAndDomesticLife", "txtHealth"}) {
    auto* box = child<QPlainTextEdit>(&display, name);
    const int before = fake.clipboard.clears;
    const QPointF at(5, 5);
    QMouseEvent event(row.type, at, box->viewport()->mapToGlobal(at), row.button, row.buttons, Qt::NoModifier);
    QApplication::sendEvent(box->viewport(), &event);
    EXPECT_EQ(fake.clipboard.clears, before + 1) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Events, ClipboardGuard,
    ::testing::Values(MouseRow{"Press", QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton},
                      MouseRow{"Release", QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton},
                      MouseRow{"DoubleClick", QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton},
                      MouseRow{"MoveWithoutButton", QEvent::MouseMove, Qt::NoButton, Qt::NoButton},
                      MouseRow{"DragSelecting", QEvent::MouseMove, Qt::NoButton, Qt::LeftButton}),
    [](const ::testing::TestParamInfo<MouseRow>& info) { return std::string(info.param.name); });

TEST_F(ResultsWindow, ChangingAPredictionEmptiesTheClipboard) {
  auto* box = child<QPlainTextEdit>(&display, "txtHealth");
  const int before = fake.clipboard.clears;
  box->setPlainText("changed");
  EXPECT_EQ(fake.clipboard.clears, before + 1);
}

TEST_F(ResultsWindow, MouseOverOtherControlsLeavesTheClipboardAlone) {
  display.showResult(result);
  const int before = fake.clipboard.clears;
  auto* label = child<QLabel>(&display, "lblHoraDesc");
  QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), label->mapToGlobal(QPointF(3, 3)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(label, &move);
  EXPECT_EQ(fake.clipboard.clears, before);
}

TEST_F(ResultsWindow, RealMouseMoveOverAPredictionBoxIsSeen) {
  display.show();
  child<QTabWidget>(&display, "SSTab1")->setCurrentIndex(1);
  auto* box = child<QPlainTextEdit>(&display, "txtNature");
  const int before = fake.clipboard.clears;
  QTest::mouseMove(box->viewport(), QPoint(10, 10));
  QTest::mouseMove(box->viewport(), QPoint(20, 12));
  EXPECT_GT(fake.clipboard.clears, before);
}

}  // namespace
}  // namespace halvora::ui
