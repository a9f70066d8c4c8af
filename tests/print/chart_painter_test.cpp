// SPDX-License-Identifier: GPL-3.0-or-later
// The printed chart: the PDF of a known birth read back with poppler's pdftotext (two pages, the
// name, the ten positions, "SrL" and the Sree Lagna's sign on page 1, the five predictions on
// page 2), drawn as text and lines rather than pictures, on the paper asked for, and every
// special point's marker inside its own cell for crowded and random births.

#include <gtest/gtest.h>
#include <QBuffer>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "print/chart_painter.h"
#include "support/births.h"
#include "support/chart_of.h"

namespace halvora::print {
namespace {

using testing_support::chartOf;

namespace fs = std::filesystem;

class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() == nullptr) m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
  }
  void TearDown() override { m_app.reset(); }

 private:
  static inline char m_name[] = "halvora_print_tests";
  static inline char* m_argv[] = {m_name, nullptr};
  static inline int m_argc = 1;
  std::unique_ptr<QGuiApplication> m_app;
};
[[maybe_unused]] const auto* const kGuiEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

// The standard output of a command.
std::string run(const std::string& command) {
  std::string out;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
    ::pclose(pipe);
  }
  return out;
}

// Words as a reader finds them: runs of white space are one blank, and a line broken after a
// hyphen joins again.
std::string words(const std::string& text) {
  std::string joined = std::regex_replace(text, std::regex("-\\s+"), "-");
  joined = std::regex_replace(joined, std::regex("\\s+"), " ");
  const auto first = joined.find_first_not_of(' ');
  const auto last = joined.find_last_not_of(' ');
  return first == std::string::npos ? std::string() : joined.substr(first, last - first + 1);
}

std::string profileText(const ChartResult& chart, const std::string& control) {
  for (const auto& [name, text] : chart.profile)
    if (name == control) return std::string(text);
  return {};
}

class PrintedPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / ("halvora-print-" + std::to_string(::getpid()));
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }
  std::string write(const ChartResult& chart, const QPageSize& size, const std::string& name = "chart.pdf",
                    const chart_view::ChartLook& look = {}) {
    const std::string file = (m_dir / name).string();
    EXPECT_EQ(writeChartPdf(QString::fromStdString(file), chart, size, look), QString());
    return file;
  }
  static std::string page(const std::string& file, int number) {
    return run("pdftotext -enc UTF-8 -f " + std::to_string(number) + " -l " + std::to_string(number) + " '" + file +
               "' -");
  }
  fs::path m_dir;
};

// The golden chart "New Delhi, day birth" (tests/data/golden_charts.jsonl, computed by a separate
// implementation of the same rules): its ten chart positions and its Sree Lagna in Scorpio.
TEST_F(PrintedPdf, AKnownBirthReadsBackPageByPage) {
  const ChartResult chart = chartOf(testing_support::newDelhiForm());
  const std::string file = write(chart, QPageSize(QPageSize::A4));
  const std::string info = run("pdfinfo '" + file + "'");
  EXPECT_TRUE(std::regex_search(info, std::regex("\nPages: +2\n"))) << info;
  EXPECT_NE(info.find("(A4)"), std::string::npos) << info;

  const std::string first = words(page(file, 1));
  const std::string second = words(page(file, 2));
  for (const char* expected : {"ASHA", "08 Aqu 59", "02 Lib 23", "06 Aqu 20", "26 Sag 28", "05 Aqu 08", "12 Pis 02",
                               "22 Vir 20", "04 Sag 36", "04 Gem 36", "23 Pis 54", "SrL", "Scorpio", "Saturn (R)",
                               "February/22/2011", "New Delhi", "Halvora v1.15", "Page 1 of 2"}) {
    EXPECT_NE(first.find(expected), std::string::npos) << expected << " is not on page 1:\n" << first;
  }
  EXPECT_NE(first.find(words(std::string(chart.houseText))), std::string::npos) << "the house text";
  // The two birth-time windows (the charts of 8:18:59 and 9:06:00 have the Sree Lagna in Libra and
  // Sagittarius, those of 7:57:59 and 9:23:00 the ascendant in Aquarius and Aries).
  for (const char* expected :
       {"Sree Lagna in Scorpio for births from 8:19:00 to 9:05:59 (before: Libra, after: Sagittarius); the birth is "
        "30 seconds before the Sree Lagna leaves Scorpio: check the birth time",
        "Ascendant in Pisces for births from 7:58:00 to 9:22:59 (before: Aquarius, after: Aries)"}) {
    EXPECT_NE(first.find(expected), std::string::npos) << expected << " is not on page 1:\n" << first;
  }

  const char* predictions[] = {"txtLooks", "txtNature", "txtCareerAndFinance", "txtLoveAndDomesticLife", "txtHealth"};
  for (const char* control : predictions) {
    const std::string text = words(profileText(chart, control));
    ASSERT_GT(text.size(), 60u) << control;
    EXPECT_NE(second.find(text), std::string::npos) << control << " is not on page 2:\n" << second;
    EXPECT_EQ(first.find(text.substr(0, 40)), std::string::npos) << control << " is on page 1";
  }
  for (const char* expected : {"Lagna Details", "Vrischika", "The Scorpion", "Coral", "Page 2 of 2"}) {
    EXPECT_NE(second.find(expected), std::string::npos) << expected << " is not on page 2";
  }
}

// Pune, 15 March 1980, 9:05 on "Indian Time, IST, +5.3", 18°31′ N 73°51′ E: the facts under the
// details on page 1, as the chart's facts give them (worked out in tests/chart/chart_facts_test.cpp).
// At 80° N on 21 December the sunrise line says there was none.
TEST_F(PrintedPdf, PageOneSaysTheZoneTheSunriseTheSreeLagnaAndTheMoon) {
  FormInput pune = testing_support::newDelhiForm();
  pune.monthIndex = 2;
  pune.day = "15";
  pune.year = "1980";
  pune.hour = "9";
  pune.minute = "5";
  pune.second = "0";
  pune.latDeg = "18";
  pune.latMin = "31";
  pune.lonDeg = "73";
  pune.lonMin = "51";
  FormInput polar = testing_support::newDelhiForm();
  polar.latDeg = "80";
  polar.monthIndex = 11;
  polar.day = "21";
  const struct {
    const char* name;
    FormInput form;
    std::vector<const char*> lines;
  } rows[] = {
      {"Pune",
       pune,
       {"Zone: Indian Time, IST, +5:30; no daylight saving", "Sunrise used: March 15, 1980, 6:43",
        "Sree Lagna: 19°57′ Taurus, house 2", "Moon: 7°55′ Aquarius, nakshatra Shatabhisha, pada 1"}},
      {"polar night", polar, {"Sunrise used: none, polar night on December 21, 2011"}},
  };
  for (const auto& r : rows) {
    const std::string file = write(chartOf(r.form), QPageSize(QPageSize::A4), std::string(r.name) + ".pdf");
    const std::string first = words(page(file, 1));
    const std::string second = words(page(file, 2));
    for (const char* line : r.lines) {
      EXPECT_NE(first.find(line), std::string::npos) << r.name << ": " << line << " is not on page 1:\n" << first;
      EXPECT_EQ(second.find(line), std::string::npos) << r.name << ": " << line << " is on page 2";
    }
    // Under the details, above the house text.
    EXPECT_LT(first.find("Latitude"), first.find(r.lines.front())) << r.name;
    EXPECT_LT(first.find(r.lines.back()), first.find("Significance")) << r.name;
  }
}

TEST_F(PrintedPdf, IsTextAndLinesNeverAPicture) {
  const std::string file = write(chartOf(testing_support::newDelhiForm()), QPageSize(QPageSize::A4));
  const std::string images = run("pdfimages -list '" + file + "'");
  // The list has two heading lines and then one line per picture.
  EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << images;
  const std::string fonts = run("pdffonts '" + file + "'");
  EXPECT_NE(fonts.find("yes"), std::string::npos) << "the fonts are embedded:\n" << fonts;
}

TEST_F(PrintedPdf, TakesThePaperItIsGiven) {
  const ChartResult chart = chartOf(testing_support::newDelhiForm());
  const std::string letter = write(chart, QPageSize(QPageSize::Letter), "letter.pdf");
  const std::string info = run("pdfinfo '" + letter + "'");
  EXPECT_NE(info.find("612 x 792 pts (letter)"), std::string::npos) << info;
  EXPECT_TRUE(std::regex_search(info, std::regex("\nPages: +2\n"))) << info;

  const struct {
    const char* locale;
    QPageSize::PageSizeId paper;
  } rows[] = {{"en_US", QPageSize::Letter}, {"en_GB", QPageSize::A4}, {"de_DE", QPageSize::A4},
              {"hi_IN", QPageSize::A4}};
  for (const auto& row : rows) {
    EXPECT_EQ(defaultPageSize(QLocale(QString::fromLatin1(row.locale))).id(), row.paper) << row.locale;
  }
}

TEST_F(PrintedPdf, AFileThatCannotBeWrittenIsReportedAndNotLeftHalfDone) {
  const ChartResult chart = chartOf(testing_support::newDelhiForm());
  const std::string file = (m_dir / "no-such-folder" / "chart.pdf").string();
  EXPECT_NE(writeChartPdf(QString::fromStdString(file), chart, QPageSize(QPageSize::A4)), QString());
  EXPECT_FALSE(fs::exists(file));
}

// The chart of one birth painted on a PDF page in memory, for its geometry.
PaintedChart paint(const ChartResult& chart, const chart_view::ChartLook& look = {}) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setPageSize(QPageSize(QPageSize::A4));
  QPainter painter(&writer);
  return paintChartPages(painter, writer, chart, look);
}

using testing_support::puneForm;

// Every visible marker lies inside its own cell, and "SrL" in the cell of the Sree Lagna's sign.
void expectMarkersInTheirCells(const ChartResult& chart, const std::string& what) {
  const PaintedChart painted = paint(chart);
  ASSERT_TRUE(painted.complete) << what;
  int sreeLagnaCell = -1;
  for (int k = 0; k < 12; ++k) {
    const QRectF& cell = painted.cells[static_cast<std::size_t>(k)];
    EXPECT_TRUE(painted.outline.contains(cell)) << what;
    for (const auto& [text, box] : painted.markerLines[static_cast<std::size_t>(k)]) {
      EXPECT_TRUE(cell.contains(box)) << what << ": " << text.toStdString() << " leaves the cell of sign " << k;
      if (text == QStringLiteral("SrL")) sreeLagnaCell = k;
    }
  }
  EXPECT_EQ(sreeLagnaCell, chart.SreeLagnaSignIndex) << what;
}

TEST(PrintedMarkers, CrowdedBirthsKeepSreeLagnaInsideItsCell) {
  // Pune, 1980: "SrL" on the ninth and eighth line of the Aquarius and Scorpio cells.
  const struct {
    const char* name;
    int month, day, hour, sign;
  } rows[] = {{"10 May 1980 12:00", 5, 10, 12, 10}, {"1 December 1980 0:00", 12, 1, 0, 7}};
  for (const auto& row : rows) {
    const ChartResult chart = chartOf(puneForm(row.month, row.day, row.hour));
    ASSERT_EQ(chart.SreeLagnaSignIndex, row.sign) << row.name;
    expectMarkersInTheirCells(chart, row.name);
  }
}

// Random births whose cells are crowded: "SrL" on the sixth line of its cell or later, or a cell
// of seven lines or more.
TEST(PrintedMarkers, RandomCrowdedBirthsKeepEveryMarkerInItsCell) {
  std::mt19937 random(20261208);
  const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  int painted = 0;
  for (int attempt = 0; attempt < 20000 && painted < 60; ++attempt) {
    FormInput form = testing_support::newDelhiForm();
    form.monthIndex = pick(0, 11);
    form.day = std::to_string(pick(1, 28));
    form.year = std::to_string(pick(1901, 2050));
    form.hour = std::to_string(pick(0, 23));
    form.minute = std::to_string(pick(0, 59));
    form.latDeg = std::to_string(pick(0, 60));
    form.north = pick(0, 3) != 0;
    form.lonDeg = std::to_string(pick(0, 179));
    form.east = pick(0, 1) == 0;
    form.zoneIndex = pick(0, 70);
    const ChartRequestOutcome outcome = RunChartRequest(form);
    const auto* chart = std::get_if<ChartResult>(&outcome);
    if (chart == nullptr || chart->SreeLagnaSignIndex < 0) continue;
    bool crowded = false;
    for (const std::string& marker : chart->markers) {
      std::size_t lines = 1, srlLine = std::string::npos;
      for (std::size_t at = marker.find("\r\n"); at != std::string::npos; at = marker.find("\r\n", at + 2)) ++lines;
      if (const auto srl = marker.find("SrL"); srl != std::string::npos) {
        srlLine = static_cast<std::size_t>(std::count(marker.begin(), marker.begin() + static_cast<long>(srl), '\n'));
      }
      crowded = crowded || lines >= 7 || (srlLine != std::string::npos && srlLine >= 5);
    }
    if (!crowded) continue;
    ++painted;
    expectMarkersInTheirCells(*chart, form.day + "/" + std::to_string(form.monthIndex + 1) + "/" + form.year + " " +
                                          form.hour + ":" + form.minute);
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_EQ(painted, 60);
}

// --- The North and East Indian charts on paper ----------------------------------------------------

// Every number, body and marker drawn lies inside its own cell (a triangle, a diamond or a square),
// "SrL" in the cell of the Sree Lagna's sign, and each cell shows its sign's number.
void expectStyledTextInTheirCells(const ChartResult& chart, const chart_view::ChartLook& look, const std::string& what) {
  const PaintedChart painted = paint(chart, look);
  ASSERT_TRUE(painted.complete) << what;
  int sreeLagnaCell = -1;
  for (int k = 0; k < 12; ++k) {
    const auto index = static_cast<std::size_t>(k);
    const QPolygonF& cell = painted.cellShapes[index];
    ASSERT_GE(cell.size(), 3) << what;
    const auto inside = [&](const QRectF& box) {
      // The corners, allowing a hair for the device's rounding.
      for (const QPointF& corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
        const QPointF toCentre = (cell.boundingRect().center() - corner) * 0.001;
        if (!cell.containsPoint(corner + toCentre, Qt::OddEvenFill)) return false;
      }
      return true;
    };
    EXPECT_TRUE(inside(painted.numbers[index])) << what << ": the number of sign " << k + 1;
    for (const auto& lines : {painted.bodyLines[index], painted.markerLines[index]}) {
      for (const auto& [text, box] : lines) {
        EXPECT_TRUE(inside(box)) << what << ": " << text.toStdString() << " leaves the cell of sign " << k + 1;
        if (text == QStringLiteral("SrL")) sreeLagnaCell = k;
      }
    }
  }
  EXPECT_EQ(sreeLagnaCell, chart.SreeLagnaSignIndex) << what;
}

TEST(PrintedStyles, CrowdedBirthsKeepEveryTextInsideItsCell) {
  for (const auto style : {chart_view::ChartStyle::North, chart_view::ChartStyle::East}) {
    for (const bool names : {false, true}) {
      for (const auto& [month, day, hour] : {std::tuple{5, 10, 12}, std::tuple{12, 1, 0}}) {
        const std::string what = std::string(chart_view::chartStyleKey(style)) + (names ? " with names " : " ") +
                                 std::to_string(day) + "/" + std::to_string(month) + "/1980";
        expectStyledTextInTheirCells(chartOf(puneForm(month, day, hour)), {style, names}, what);
      }
    }
  }
}

TEST(PrintedStyles, TheNorthIndianHousesRunFromTheAscendant) {
  // 10 May 1980 at noon in Pune: Cancer rises, so Cancer is the top diamond and Leo the triangle
  // at its left, along the top.
  const ChartResult chart = chartOf(puneForm(5, 10, 12));
  ASSERT_EQ(chart.AscSignNumber, 4);
  const PaintedChart painted = paint(chart, {chart_view::ChartStyle::North, false});
  const QRectF frame = painted.outline;
  EXPECT_TRUE(painted.cellShapes[3].containsPoint(QPointF(frame.center().x(), frame.top() + frame.height() / 4),
                                                  Qt::OddEvenFill));
  EXPECT_TRUE(painted.cellShapes[4].containsPoint(QPointF(frame.left() + frame.width() / 4, frame.top() + frame.height() / 10),
                                                  Qt::OddEvenFill));
  // Mars, Jupiter, Saturn and Rahu in Leo, the second house.
  QStringList leo;
  for (const auto& [text, box] : painted.bodyLines[4]) leo << text;
  EXPECT_EQ(leo, (QStringList{"Mars", "Jupiter", "Saturn (R)", "Rahu"}));
}

TEST_F(PrintedPdf, TheStyleAndTheSignNamesReachThePdf) {
  const ChartResult chart = chartOf(puneForm(5, 10, 12));
  const std::string north = words(page(write(chart, QPageSize(QPageSize::A4), "north.pdf",
                                             {chart_view::ChartStyle::North, true}), 1));
  for (const char* expected : {"4 Can", "5 Leo", "11 Aqu", "Mars", "SrL"})
    EXPECT_NE(north.find(expected), std::string::npos) << expected << ":\n" << north;
  // The North Indian chart has no empty centre to name the Sree Lagna's sign in.
  EXPECT_EQ(north.find("Sree Lagna Present In Sign"), std::string::npos) << north;
  const std::string east = words(page(write(chart, QPageSize(QPageSize::A4), "east.pdf",
                                            {chart_view::ChartStyle::East, false}), 1));
  EXPECT_NE(east.find("Sree Lagna Present In Sign Aquarius"), std::string::npos) << east;
  EXPECT_EQ(east.find("5 Leo"), std::string::npos) << east;
}

}  // namespace
}  // namespace halvora::print
