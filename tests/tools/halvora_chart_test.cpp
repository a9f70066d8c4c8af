// The command-line front end: its flags and their checks, the JSON keys, batch mode and the page.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "chart_cli.h"

namespace halvora {
namespace {

using nlohmann::json;

struct ToolRun {
  int status = -1;
  std::string out, err;
};

std::string slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs halvora-chart with arguments and standard input; collects its exit status and output.
ToolRun runTool(const std::vector<std::string>& args, const std::string& input = "") {
  const auto dir = std::filesystem::temp_directory_path() / ("halvora-cli-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "in") << input;
  std::string command = quoted(HALVORA_CHART_EXE);
  for (const auto& a : args) command += " " + quoted(a);
  command += " <" + quoted((dir / "in").string()) + " >" + quoted((dir / "out").string()) + " 2>" +
             quoted((dir / "err").string());
  const int raw = std::system(command.c_str());
  ToolRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = slurp(dir / "out");
  run.err = slurp(dir / "err");
  return run;
}

const std::vector<std::string> kNewDelhi = {
    "--name", "asha", "--month", "2", "--day", "22", "--year", "2011", "--hour", "9", "--minute", "5",
    "--second", "30", "--city", "New Delhi", "--state", "Delhi", "--country", "India", "--lat-deg", "28",
    "--lat-min", "37", "--north", "--lon-deg", "77", "--lon-min", "13", "--east", "--zone", "34"};

std::vector<std::string> with(std::vector<std::string> args, std::initializer_list<std::string> more) {
  args.insert(args.end(), more);
  return args;
}

TEST(HalvoraChart, JsonCarriesEveryKey) {
  const ToolRun run = runTool(with(kNewDelhi, {"--json"}));
  ASSERT_EQ(run.status, 0) << run.err;
  const json j = json::parse(run.out);
  for (const char* key :
       {"ZoneCorrectionHours", "ZoneCorrectionMinutes", "AyanamsaDeg", "AscendantDeg", "AscendantText",
        "MoonLongitudeDeg", "MoonNakshatraStart", "MoonText", "ChartPositions", "PlanetLabels", "SignLabels",
        "Markers", "AscSignNumber", "Sunrise", "ElapsedMinutes", "ElapsedSeconds", "SunriseSunLongitude",
        "SreeLagnaDeg", "SreeLagnaSignIndex", "SreeLagnaHouse", "Details", "Notice", "HouseText", "Profile"}) {
    EXPECT_TRUE(j.contains(key)) << key;
  }
  EXPECT_EQ(j["Details"]["lblName"], "ASHA") << "the name is typed in capitals";
  EXPECT_EQ(j["Details"]["lblTOB"], "9:5");
  EXPECT_EQ(j["Sunrise"], "2011-02-22 06:55");
  EXPECT_EQ(j["PlanetLabels"][6], "Saturn (R) ");
  EXPECT_EQ(j["Profile"].size(), 28u);
  EXPECT_EQ(j["Profile"]["lblArudhaLagnaPresentInSign"], "Scorpio");
  EXPECT_EQ(j["HouseText"].get<std::string>().rfind("Wisdom and knowledge will be of utmost importance.", 0), 0u);
  // Full double precision: the text of the number reads back to the same double.
  EXPECT_DOUBLE_EQ(j["AscendantDeg"].get<double>(), 353.9000702996479);
}

struct BadInputRow {
  const char* name;
  std::vector<std::string> args;
  const char* message;
};

TEST(HalvoraChart, BadInputEndsWithStatusTwoAndAMessage) {
  const BadInputRow rows[] = {
      {"validation message", with(kNewDelhi, {"--lat-deg", "90"}),
       "Please Enter Value Between 0 And 89 in the Degree of Latitude"},
      {"fresh form asks for the name", {}, "Please Enter Name"},
      {"31 April", with(kNewDelhi, {"--month", "4", "--day", "31"}), "Please Enter Correct Date Or Month !"},
      {"letters in a coordinate", with(kNewDelhi, {"--lon-min", "1a"}), "Only Numbers Are Accepted"},
      {"minus sign in a coordinate", with(kNewDelhi, {"--lat-deg", "-5"}), "Only Numbers Are Accepted"},
      {"longitude degrees take three digits", with(kNewDelhi, {"--lat-deg", "123"}), "--lat-deg takes at most 2 digits"},
      {"digit in the name", with(kNewDelhi, {"--name", "R2D2"}), "Please Enter only Letters"},
      {"year outside the list", with(kNewDelhi, {"--year", "1900"}), "--year takes a whole number from 1901 to 2050"},
      {"zone outside the list", with(kNewDelhi, {"--zone", "71"}), "--zone takes a whole number from 0 to 70"},
      {"unknown flag", with(kNewDelhi, {"--colour", "red"}), "unknown option --colour"},
      {"missing value", {"--name"}, "--name needs a value"},
  };
  for (const auto& r : rows) {
    const ToolRun run = runTool(r.args);
    EXPECT_EQ(run.status, 2) << r.name;
    EXPECT_NE(run.err.find(r.message), std::string::npos) << r.name << ": " << run.err;
    EXPECT_TRUE(run.out.empty()) << r.name;
  }
}

TEST(HalvoraChart, BatchAnswersEveryLineInOrder) {
  const std::string input =
      R"({"name": "ASHA", "month": 2, "day": 22, "year": 2011, "hour": 9, "minute": 5, "second": 30, "lat-deg": "28", "lat-min": "37", "lon-deg": "77", "lon-min": "13", "east": true, "zone": 34})"
      "\n"
      "not json\n"
      R"({"name": "X", "lat-deg": "1a"})"
      "\n"
      R"({"name": "  ", "lat-deg": "10", "lat-min": "0", "lon-deg": "10", "lon-min": "0", "zone": 0})"
      "\n"
      R"({"name": "OLAV", "month": 6, "day": 21, "year": 1990, "hour": 23, "minute": 30, "lat-deg": "69", "lat-min": "39", "lon-deg": "18", "lon-min": "57", "zone": 19})"
      "\n";
  const ToolRun run = runTool({"--batch"}, input);
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream lines(run.out);
  std::vector<json> out;
  for (std::string line; std::getline(lines, line);) out.push_back(json::parse(line));
  ASSERT_EQ(out.size(), 5u);
  EXPECT_EQ(out[0]["SreeLagnaHouse"], 9);
  EXPECT_EQ(out[1]["error"].get<std::string>().rfind("not a JSON object", 0), 0u);
  EXPECT_EQ(out[2]["error"], "Only Numbers Are Accepted");
  EXPECT_EQ(out[3]["error"], "Please Enter Name");
  EXPECT_TRUE(out[4]["Sunrise"].is_null());
  EXPECT_FALSE(out[4].contains("ElapsedMinutes"));
  EXPECT_EQ(out[4]["Notice"], "No sunrise at this place on this date: the points timed from sunrise are not shown.");
}

TEST(HalvoraChart, GoldenChartsThroughBatch) {
  std::ifstream in(std::string(HALVORA_TEST_DATA_DIR) + "/golden_charts.jsonl");
  std::string input;
  std::vector<json> expected;
  for (std::string line; std::getline(in, line);) {
    const json c = json::parse(line);
    input += c["form"].dump() + "\n";
    expected.push_back(c);
  }
  const ToolRun run = runTool({"--batch"}, input);
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream lines(run.out);
  std::size_t i = 0;
  for (std::string line; std::getline(lines, line); ++i) {
    ASSERT_LT(i, expected.size());
    const json got = json::parse(line);
    const std::string title = expected[i]["case"];
    for (const auto& [key, value] : expected[i]["expect"].items()) {
      ASSERT_TRUE(got.contains(key)) << title << ": " << key;
      if (value.is_number_float()) {
        EXPECT_NEAR(got[key].get<double>(), value.get<double>(), 1e-9) << title << ": " << key;
      } else {
        EXPECT_EQ(got[key], value) << title << ": " << key;
      }
    }
  }
  EXPECT_EQ(i, expected.size());
}

TEST(HalvoraChart, ReadablePageDrawsTheGrid) {
  const ToolRun run = runTool(kNewDelhi);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Date of Birth : February/22/2011"), std::string::npos);
  EXPECT_NE(run.out.find("Asc/Lagna"), std::string::npos);
  EXPECT_NE(run.out.find("23 Pis 54"), std::string::npos);
  EXPECT_NE(run.out.find("SrL"), std::string::npos);
  // Pisces heads the top-left cell, Aries the next one on the same line.
  const auto pisces = run.out.find("12 Pisces");
  const auto aries = run.out.find("1 Aries");
  ASSERT_NE(pisces, std::string::npos);
  ASSERT_NE(aries, std::string::npos);
  EXPECT_LT(pisces, aries);
  EXPECT_EQ(run.out.find('\n', pisces), run.out.find('\n', aries)) << "same row";
}

TEST(ParseArguments, DefaultsAreThoseOfAFreshForm) {
  const auto parsed = cli::parseArguments({});
  ASSERT_TRUE(std::holds_alternative<cli::Options>(parsed));
  const FormInput& f = std::get<cli::Options>(parsed).form;
  EXPECT_EQ(f.monthIndex, 0);
  EXPECT_EQ(f.day, "1");
  EXPECT_EQ(f.year, "1901");
  EXPECT_EQ(f.hour, "0");
  EXPECT_TRUE(f.north);
  EXPECT_TRUE(f.east);
  EXPECT_FALSE(f.dst);
  EXPECT_EQ(f.zoneIndex, 0);
}

TEST(ParseArguments, HemispheresAndDaylightSaving) {
  const auto parsed = cli::parseArguments({"--south", "--west", "--dst", "--zone=50", "--name=anne lee"});
  ASSERT_TRUE(std::holds_alternative<cli::Options>(parsed));
  const FormInput& f = std::get<cli::Options>(parsed).form;
  EXPECT_FALSE(f.north);
  EXPECT_FALSE(f.east);
  EXPECT_TRUE(f.dst);
  EXPECT_EQ(f.zoneIndex, 50);
  EXPECT_EQ(f.name, "ANNE LEE");
}

}  // namespace
}  // namespace halvora
