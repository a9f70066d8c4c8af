// SPDX-License-Identifier: GPL-3.0-or-later
// halvora-chart's --style: the readable page of a crowded birth in each style against its recorded
// page, the style beside a birth-data file and in a batch line, and the messages that refuse a bad
// one.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/process.h"

namespace halvora {
namespace {

using testing_support::ProcessRun;

ProcessRun runTool(const std::vector<std::string>& args, const std::string& input = "") {
  return testing_support::runProgram(HALVORA_CHART_EXE, args, input, {});
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

const std::string kCrowded = std::string(HALVORA_TEST_DATA_DIR) + "/crowded_birth_form.json";

struct PageRow {
  const char* name;
  std::vector<std::string> style;  // the flags that choose it
  const char* page;                // the recorded page in tests/data
};

class ReadablePage : public ::testing::TestWithParam<PageRow> {};

// The pages were recorded from halvora-chart and read against the chart: Cancer rises, Mars,
// Jupiter, Saturn and Rahu stand in Leo, Moon, Ketu and "SrL" in Aquarius; in the North Indian
// chart Cancer is the top diamond and Leo the triangle at its left; in the East Indian chart Aries
// is the top middle and Leo the upper triangle of the bottom-left corner.
TEST_P(ReadablePage, MatchesTheRecordedPage) {
  std::vector<std::string> args = {"--form", kCrowded};
  args.insert(args.end(), GetParam().style.begin(), GetParam().style.end());
  const ProcessRun run = runTool(args);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, fileText(std::string(HALVORA_TEST_DATA_DIR) + "/" + GetParam().page));
}

INSTANTIATE_TEST_SUITE_P(Styles, ReadablePage,
                         ::testing::Values(PageRow{"SouthByDefault", {}, "readable_page_south.txt"},
                                           PageRow{"South", {"--style", "south"}, "readable_page_south.txt"},
                                           PageRow{"North", {"--style", "north"}, "readable_page_north.txt"},
                                           PageRow{"East", {"--style=east"}, "readable_page_east.txt"}),
                         [](const ::testing::TestParamInfo<PageRow>& info) { return std::string(info.param.name); });

// The North and East Indian pages list every cell's whole contents under the drawing.
TEST(ReadablePageStyles, ListEveryCellWhole) {
  const ProcessRun north = runTool({"--form", kCrowded, "--style", "north"});
  ASSERT_EQ(north.status, 0) << north.err;
  EXPECT_NE(north.out.find("House 1: 4 Cancer       Asc\n"), std::string::npos) << north.out;
  EXPECT_NE(north.out.find("House 2: 5 Leo          Mars, Jupiter, Saturn (R), Rahu\n"), std::string::npos);
  EXPECT_NE(north.out.find("House 8: 11 Aquarius    Moon, Ketu, SrL\n"), std::string::npos);
  const ProcessRun east = runTool({"--form", kCrowded, "--style", "east"});
  ASSERT_EQ(east.status, 0) << east.err;
  EXPECT_NE(east.out.find("\n5 Leo           Mars, Jupiter, Saturn (R), Rahu\n"), std::string::npos) << east.out;
}

struct RefusalRow {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  int status;
  const char* said;  // on standard error, or in the batch's answer
};

class StyleRefused : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(StyleRefused, NamesTheFlagOrTheKey) {
  const RefusalRow& row = GetParam();
  const ProcessRun run = runTool(row.args, row.input);
  EXPECT_EQ(run.status, row.status);
  EXPECT_NE((run.err + run.out).find(row.said), std::string::npos) << run.err << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Values, StyleRefused,
    ::testing::Values(
        RefusalRow{"UnknownStyle", {"--form", kCrowded, "--style", "west"}, "", 2,
                   "halvora-chart: --style takes south, north or east, not \"west\""},
        RefusalRow{"CapitalLetters", {"--form", kCrowded, "--style", "North"}, "", 2, "--style takes south, north or east"},
        RefusalRow{"Twice", {"--form", kCrowded, "--style", "north", "--style", "east"}, "", 2, "--style is given twice"},
        RefusalRow{"BesideBatch", {"--batch", "--style", "north"}, "", 2, "--batch reads its forms from standard input and takes no --style"},
        RefusalRow{"BatchLine", {"--batch"}, "{\"name\": \"A\", \"style\": \"up\"}\n", 0,
                   "{\"error\":\"style takes south, north or east, not \\\"up\\\"\"}"},
        RefusalRow{"BatchNumber", {"--batch"}, "{\"name\": \"A\", \"style\": 2}\n", 0, "style takes south, north or east, not a number"}),
    [](const ::testing::TestParamInfo<RefusalRow>& info) { return std::string(info.param.name); });

TEST(ChartStyleKey, ABatchLineTakesItsStyleAsAKeyOfTheForm) {
  // The style changes nothing of the chart: the answer is the same with and without it.
  const std::string line = fileText(kCrowded);
  std::string styled = line.substr(0, line.rfind('}')) + ",\"style\":\"east\"}";
  const ProcessRun plain = runTool({"--batch"}, line);
  const ProcessRun withStyle = runTool({"--batch"}, styled + "\n");
  ASSERT_EQ(plain.status, 0);
  ASSERT_EQ(withStyle.status, 0);
  EXPECT_EQ(plain.out, withStyle.out);
  EXPECT_EQ(withStyle.out.find("error"), std::string::npos) << withStyle.out;
}

}  // namespace
}  // namespace halvora
