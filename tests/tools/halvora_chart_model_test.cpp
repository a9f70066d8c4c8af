// SPDX-License-Identifier: GPL-3.0-or-later
// halvora-chart's choice of position model: the flags and keys, their messages, the Swiss chart as
// JSON and as a page, and the program on a system without Swiss Ephemeris.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "support/broken_atlas_library.h"
#include "tools/process.h"

namespace halvora {
namespace {

using nlohmann::json;
using testing_support::outputLines;
using testing_support::ProcessRun;
using testing_support::RunOptions;

ProcessRun runTool(const std::vector<std::string>& args, const std::string& input = "", const RunOptions& o = {}) {
  return testing_support::runProgram(HALVORA_CHART_EXE, args, input, o);
}

// Chennai, 7 December 1996, 10:34 IST, 13°05′ N 80°17′ E.
std::vector<std::string> chennai(std::initializer_list<std::string> more = {}) {
  std::vector<std::string> args = {"--name",    "chennai", "--month",   "12", "--day",     "7",  "--year",
                                   "1996",      "--hour",  "10",        "--minute", "34",     "--lat-deg",
                                   "13",        "--lat-min", "05",      "--lon-deg", "80",    "--lon-min",
                                   "17",        "--zone",  "34"};
  args.insert(args.end(), more);
  return args;
}

constexpr char kChennaiJson[] =
    R"({"name":"CHENNAI","month":12,"day":7,"year":1996,"hour":10,"minute":34,"lat-deg":"13","lat-min":"05",)"
    R"("lon-deg":"80","lon-min":"17","zone":34)";

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

TEST(HalvoraChartModel, BadChoicesAreNamedWithTheirFlag) {
  struct Row {
    const char* name;
    std::vector<std::string> more;
    const char* message;
  } rows[] = {
      {"unknown ephemeris", {"--ephemeris", "swis"}, "halvora-chart: --ephemeris takes builtin or swiss, not \"swis\""},
      {"unknown ayanamsa",
       {"--ephemeris", "swiss", "--ayanamsa", "fagan"},
       "halvora-chart: --ayanamsa takes lahiri, raman, krishnamurti or true-chitra, not \"fagan\""},
      {"unknown node", {"--ephemeris", "swiss", "--node", "osculating"},
       "halvora-chart: --node takes mean or true, not \"osculating\""},
      {"ayanamsa of the built-in model", {"--ayanamsa", "raman"},
       "halvora-chart: --ayanamsa chooses the ayanamsa of Swiss Ephemeris and needs --ephemeris swiss"},
      {"node of the built-in model", {"--ephemeris", "builtin", "--node", "true"},
       "halvora-chart: --node chooses the node of Swiss Ephemeris and needs --ephemeris swiss"},
      {"given twice", {"--ephemeris", "swiss", "--ephemeris", "swiss"}, "halvora-chart: --ephemeris is given twice"},
  };
  for (const Row& r : rows) {
    std::vector<std::string> args = chennai();
    args.insert(args.end(), r.more.begin(), r.more.end());
    const ProcessRun bad = runTool(args);
    EXPECT_EQ(bad.status, 2) << r.name;
    EXPECT_TRUE(bad.out.empty()) << r.name;
    EXPECT_EQ(firstLine(bad.err), r.message) << r.name;
  }
}

TEST(HalvoraChartModel, TheSwissChartSaysWhichModelComputedIt) {
  const ProcessRun run = runTool(chennai({"--ephemeris", "swiss", "--json"}));
  ASSERT_EQ(run.status, 0) << run.err;
  const json j = json::parse(run.out);
  EXPECT_EQ(j["Model"]["ephemeris"], "swiss");
  EXPECT_EQ(j["Model"]["ayanamsa"], "lahiri");
  EXPECT_EQ(j["Model"]["node"], "mean");
  // Lahiri's ayanamsa of the moment, as swetest -sid1 prints it: 23°48′51″.
  EXPECT_NEAR(j["Model"]["ayanamsaDeg"].get<double>(), 23 + 48 / 60.0 + 51.5 / 3600, 1.0 / 3600);
  EXPECT_EQ(j["ChartPositions"][9], "22 Cap 27");
  EXPECT_EQ(j["MoonText"], "6\u00b0 57' 33\" Lib");
  EXPECT_EQ(j["SreeLagnaSignIndex"], 10);
  EXPECT_DOUBLE_EQ(j["MoonNakshatraStart"].get<double>(), 14 * 360.0 / 27);

  const ProcessRun page = runTool(chennai({"--ephemeris", "swiss", "--ayanamsa", "raman", "--node", "true"}));
  ASSERT_EQ(page.status, 0) << page.err;
  // swetest -b7.12.1996 -ut05:04 -sid3 -p0 -house80.2833333,13.0833333,W: ayanamsa 22°22'4.9947,
  // Ascendant 293.8988009.
  EXPECT_NE(page.out.find("  Asc/Lagna         23 Cap 53\n"
                          "Positions: Swiss Ephemeris, Raman ayanamsa 22\u00b022\u203204\u2033, true node\n"),
            std::string::npos)
      << page.out;
  EXPECT_NE(page.out.find("Sree Lagna: Pisces"), std::string::npos) << page.out;

  const ProcessRun builtin = runTool(chennai());
  EXPECT_NE(builtin.out.find("\nPositions: built-in model (planets within about 1\u00bd\u00b0)\n"), std::string::npos);
}

TEST(HalvoraChartModel, BatchLinesAndFilesChooseTheirModel) {
  const std::string input = std::string(kChennaiJson) + R"(,"ephemeris":"swiss","node":"true"})" + "\n" +
                            kChennaiJson + "}\n" + kChennaiJson + R"(,"node":"true"})" + "\n" + kChennaiJson +
                            R"(,"ephemeris":true})" + "\n";
  const ProcessRun run = runTool({"--batch", "--fields", "Model"}, input);
  ASSERT_EQ(run.status, 0) << run.err;
  const auto lines = outputLines(run.out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(json::parse(lines[0])["Model"]["node"], "true");
  EXPECT_EQ(json::parse(lines[0])["Model"]["ephemeris"], "swiss");
  EXPECT_EQ(json::parse(lines[1])["Model"]["ephemeris"], "builtin");
  EXPECT_EQ(lines[2], R"({"error":"node chooses the node of Swiss Ephemeris and needs ephemeris swiss"})");
  EXPECT_EQ(lines[3], R"({"error":"ephemeris takes builtin or swiss, not true or false"})");

  // A birth-data file gives the birth; the flags beside it may choose the model.
  const auto file = std::filesystem::temp_directory_path() / ("halvora-model-" + std::to_string(::getpid()) + ".halvora");
  std::ofstream(file) << kChennaiJson << "}\n";
  const ProcessRun fromFile = runTool({"--form", file.string(), "--ephemeris", "swiss", "--json", "--fields", "Model"});
  EXPECT_EQ(fromFile.status, 0) << fromFile.err;
  EXPECT_EQ(json::parse(fromFile.out)["Model"]["ephemeris"], "swiss");
  const ProcessRun birthFlag = runTool({"--form", file.string(), "--ephemeris", "swiss", "--year", "1990"});
  EXPECT_EQ(birthFlag.status, 2);
  EXPECT_EQ(firstLine(birthFlag.err), "halvora-chart: --form reads the whole form from its file and takes no --year");
  std::filesystem::remove(file);
}

// Without the library the built-in model works as ever, and the Swiss choice says it is not
// available and why, on the command line and in a batch line.
TEST(HalvoraChartModel, WithoutTheLibraryTheSwissChoiceIsNotAvailable) {
  const testing_support::BrokenAtlasLibrary broken("libswe.so.2");
  RunOptions noSwiss;
  noSwiss.environment = {{"LD_LIBRARY_PATH", broken.libraryPath()}};
  const std::string missing = "Swiss Ephemeris is not available: " + broken.libraryFile() + ": ";

  const ProcessRun builtin = runTool(chennai(), "", noSwiss);
  EXPECT_EQ(builtin.status, 0) << builtin.err;
  EXPECT_EQ(builtin.out, runTool(chennai()).out);

  const ProcessRun swiss = runTool(chennai({"--ephemeris", "swiss"}), "", noSwiss);
  EXPECT_EQ(swiss.status, 2);
  EXPECT_TRUE(swiss.out.empty());
  EXPECT_EQ(swiss.err.rfind("halvora-chart: --ephemeris: " + missing, 0), 0u) << swiss.err;

  const ProcessRun batch =
      runTool({"--batch", "--fields", "SreeLagnaHouse"},
              std::string(kChennaiJson) + R"(,"ephemeris":"swiss"})" + "\n" + kChennaiJson + "}\n", noSwiss);
  EXPECT_EQ(batch.status, 0) << batch.err;
  const auto lines = outputLines(batch.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(json::parse(lines[0])["error"].get<std::string>().rfind("ephemeris: " + missing, 0), 0u) << lines[0];
  EXPECT_EQ(lines[1], R"({"SreeLagnaHouse":2})");
}

}  // namespace
}  // namespace halvora
