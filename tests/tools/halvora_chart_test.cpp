// SPDX-License-Identifier: GPL-3.0-or-later
// halvora-chart run as a program: its flags and their messages, exit statuses, batch mode line for
// line, failed writes and reads, the golden charts and the page, and random input.
#include <gtest/gtest.h>

#include <set>

#include <nlohmann/json.hpp>

#include "forms/form_reader.h"
#include "forms/utf8.h"
#include "support/broken_atlas_library.h"
#include "support/random_input.h"
#include "tools/process.h"

namespace halvora {
namespace {

using nlohmann::json;
using testing_support::InputFrom;
using testing_support::outputLines;
using testing_support::ProcessRun;
using testing_support::RunOptions;
using testing_support::StandardOutput;

ProcessRun runTool(const std::vector<std::string>& args, const std::string& input = "", const RunOptions& o = {}) {
  return testing_support::runProgram(HALVORA_CHART_EXE, args, input, o);
}

const std::vector<std::string> kNewDelhi = {
    "--name", "asha", "--month", "2", "--day", "22", "--year", "2011", "--hour", "9", "--minute", "5",
    "--second", "30", "--city", "New Delhi", "--state", "Delhi", "--country", "India", "--lat-deg", "28",
    "--lat-min", "37", "--north", "--lon-deg", "77", "--lon-min", "13", "--east", "--zone", "34"};

bool isSwitch(const std::string& flag) {
  return flag == "--north" || flag == "--south" || flag == "--east" || flag == "--west" || flag == "--dst";
}

// The New Delhi flags without the named ones, and then the given ones.
std::vector<std::string> delhi(std::set<std::string> without, std::initializer_list<std::string> more = {}) {
  std::vector<std::string> args;
  for (std::size_t i = 0; i < kNewDelhi.size(); ++i) {
    const bool value = !isSwitch(kNewDelhi[i]);
    if (without.contains(kNewDelhi[i])) {
      i += value ? 1 : 0;
      continue;
    }
    args.push_back(kNewDelhi[i]);
    if (value) args.push_back(kNewDelhi[++i]);
  }
  args.insert(args.end(), more);
  return args;
}

TEST(HalvoraChart, JsonCarriesEveryKey) {
  const ProcessRun run = runTool(delhi({}, {"--json"}));
  ASSERT_EQ(run.status, 0) << run.err;
  const json j = json::parse(run.out);
  for (const char* key :
       {"ZoneCorrectionHours", "ZoneCorrectionMinutes", "AyanamsaDeg", "AscendantDeg", "AscendantText",
        "MoonLongitudeDeg", "MoonNakshatraStart", "MoonText", "ChartPositions", "PlanetLabels", "SignLabels",
        "Markers", "AscSignNumber", "Sunrise", "ElapsedMinutes", "ElapsedSeconds", "SunriseSunLongitude",
        "SreeLagnaDeg", "SreeLagnaSignIndex", "SreeLagnaHouse", "Details", "Notice", "HouseText", "Profile",
        "SreeLagnaWindow", "AscendantWindow"}) {
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

// The New Delhi birth at 9:05:30 has the Sree Lagna in Scorpio from 8:19:00 to 9:05:59 (the charts
// of 8:18:59 and 9:06:00 have it in Libra and Sagittarius) and the ascendant in Pisces from 7:58:00
// to 9:22:59. --json answers both windows; a batch only when --fields or the line asks.
TEST(HalvoraChart, BirthTimeWindowsInTheJsonTheBatchAndThePage) {
  const json sreeLagna = {{"after", "Sagittarius"}, {"before", "Libra"},
                          {"from", "2011-02-22 08:19:00"}, {"to", "2011-02-22 09:05:59"}};
  const json ascendant = {{"after", "Aries"}, {"before", "Aquarius"},
                          {"from", "2011-02-22 07:58:00"}, {"to", "2011-02-22 09:22:59"}};
  const ProcessRun single = runTool(delhi({}, {"--json"}));
  ASSERT_EQ(single.status, 0) << single.err;
  EXPECT_EQ(json::parse(single.out)["SreeLagnaWindow"], sreeLagna);
  EXPECT_EQ(json::parse(single.out)["AscendantWindow"], ascendant);

  const std::string line = testing_support::kNewDelhiJson;
  std::string asking = line;
  asking.insert(asking.rfind('}'), ", \"windows\": true");
  const ProcessRun batch = runTool({"--batch"}, line + "\n" + asking + "\n");
  ASSERT_EQ(batch.status, 0) << batch.err;
  const auto lines = outputLines(batch.out);
  ASSERT_EQ(lines.size(), 2u) << batch.out;
  EXPECT_FALSE(json::parse(lines[0]).contains("SreeLagnaWindow")) << "not asked for";
  EXPECT_FALSE(json::parse(lines[0]).contains("AscendantWindow")) << "not asked for";
  EXPECT_EQ(json::parse(lines[1])["SreeLagnaWindow"], sreeLagna);
  EXPECT_EQ(json::parse(lines[1])["AscendantWindow"], ascendant);

  const ProcessRun fields = runTool({"--batch", "--fields", "SreeLagnaWindow"}, line + "\n");
  ASSERT_EQ(fields.status, 0) << fields.err;
  EXPECT_EQ(json::parse(fields.out), json({{"SreeLagnaWindow", sreeLagna}}));

  const ProcessRun page = runTool(delhi({}));
  ASSERT_EQ(page.status, 0) << page.err;
  EXPECT_NE(page.out.find("\nSree Lagna in Scorpio for births from 8:19:00 to 9:05:59 (before: Libra, after: "
                          "Sagittarius); the birth is 30 seconds before the Sree Lagna leaves Scorpio: check the "
                          "birth time\nAscendant in Pisces for births from 7:58:00 to 9:22:59 (before: Aquarius, "
                          "after: Aries)\n"),
            std::string::npos)
      << page.out;
}

struct CommandRow {
  const char* name;
  std::vector<std::string> args;
  int status;
  const char* message;  // the first line on standard error
};

TEST(HalvoraChart, BadCommandLinesEndWithStatusTwoAndOneClearMessage) {
  const CommandRow rows[] = {
      {"validation message names the flag", delhi({"--lat-deg"}, {"--lat-deg", "90"}), 2,
       "halvora-chart: --lat-deg: Please Enter Value Between 0 And 89 in the Degree of Latitude"},
      {"a fresh form asks for the name", {}, 2, "halvora-chart: --name: Please Enter Name"},
      {"31 April", delhi({"--month", "--day"}, {"--month", "4", "--day", "31"}), 2,
       "halvora-chart: --month and --day: Please Enter Correct Date Or Month !"},
      {"letters in a coordinate", delhi({"--lon-min"}, {"--lon-min", "1a"}), 2,
       "halvora-chart: --lon-min: Only Numbers Are Accepted"},
      {"digit in the name", delhi({"--name"}, {"--name", "R2D2"}), 2,
       "halvora-chart: --name: Please Enter only Letters"},
      {"--dst=false is no way to say no", delhi({}, {"--dst=false"}), 2, "halvora-chart: --dst takes no value"},
      {"--south=0", delhi({"--north"}, {"--south=0"}), 2, "halvora-chart: --south takes no value"},
      {"--batch=no", {"--batch=no"}, 2, "halvora-chart: --batch takes no value"},
      {"north and south", delhi({}, {"--south"}), 2, "halvora-chart: --north and --south contradict each other"},
      {"east and west", delhi({}, {"--west"}), 2, "halvora-chart: --east and --west contradict each other"},
      {"a leading blank", delhi({"--month"}, {"--month", " 5"}), 2,
       "halvora-chart: --month takes a whole number from 1 to 12, not \" 5\""},
      {"a plus sign", delhi({"--hour"}, {"--hour", "+3"}), 2,
       "halvora-chart: --hour takes a whole number from 0 to 23, not \"+3\""},
      {"minus zero", delhi({"--zone"}, {"--zone", "-0"}), 2,
       "halvora-chart: --zone takes a whole number from 0 to 70, not \"-0\""},
      {"a flag taken for a value", delhi({"--city"}, {"--city", "--json"}), 2,
       "halvora-chart: --city needs a value; give one that begins with \"--\" as --city=VALUE"},
      {"a value that is not UTF-8", delhi({"--city"}, {"--city", "\xe9", "--json"}), 2,
       "halvora-chart: --city is not valid UTF-8"},
      {"an unknown flag alone", delhi({}, {"--colour"}), 2, "halvora-chart: unknown option --colour"},
      {"a flag given twice", delhi({}, {"--month", "3"}), 2, "halvora-chart: --month is given twice"},
      {"--batch with form flags", {"--batch", "--month", "3"}, 2,
       "halvora-chart: --batch reads its forms from standard input and takes no --month"},
      {"a stray word", delhi({}, {"extra"}), 2, "halvora-chart: unexpected argument \"extra\""},
      {"year 1900 is outside the list", delhi({"--year"}, {"--year", "1900"}), 2,
       "halvora-chart: --year takes a whole number from 1901 to 2050, not \"1900\""},
      {"--fields on the page", delhi({}, {"--fields", "Sunrise"}), 2,
       "halvora-chart: --fields chooses keys of the JSON answer and needs --json or --batch"},
      {"--fields with a key the answer lacks", delhi({}, {"--json", "--fields", "Sunrise,Bogus"}), 2,
       "halvora-chart: --fields takes keys of the JSON answer, not \"Bogus\""},
      {"--fields with a key twice", delhi({}, {"--json", "--fields=Sunrise,Sunrise"}), 2,
       "halvora-chart: --fields names \"Sunrise\" twice"},
      {"--fields empty", {"--batch", "--fields="}, 2, "halvora-chart: --fields takes keys of the JSON answer, not \"\""},
      {"--fields without its list", {"--batch", "--fields"}, 2, "halvora-chart: --fields needs a value"},
  };
  for (const auto& r : rows) {
    const ProcessRun run = runTool(r.args);
    EXPECT_EQ(run.status, r.status) << r.name;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), r.message) << r.name;
    EXPECT_TRUE(forms::isValidUtf8(run.err)) << r.name;
    EXPECT_TRUE(run.out.empty()) << r.name;
  }
}

TEST(HalvoraChart, ValuesThatMayLookOdd) {
  const ProcessRun dashes = runTool(delhi({"--city"}, {"--city=--json", "--json"}));
  ASSERT_EQ(dashes.status, 0) << dashes.err;
  EXPECT_EQ(json::parse(dashes.out)["Details"]["lblCity"], "--json");
  const ProcessRun accents = runTool(delhi({"--city"}, {"--city", "Z\xc3\xbcrich", "--json"}));
  ASSERT_EQ(accents.status, 0) << accents.err;
  EXPECT_EQ(json::parse(accents.out)["Details"]["lblCity"], "Z\xc3\xbcrich");
  const ProcessRun name = runTool(delhi({"--name"}, {"--name", "zo\xc3\xab m\xc3\xbcller-o'brien", "--json"}));
  ASSERT_EQ(name.status, 0) << name.err;
  EXPECT_EQ(json::parse(name.out)["Details"]["lblName"], "ZO\xc3\x8b M\xc3\x9cLLER-O'BRIEN") << "as the form types it";
  const ProcessRun help = runTool({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: halvora-chart", 0), 0u);
}

std::string delhiLine() { return testing_support::kNewDelhiJson; }

TEST(HalvoraChart, FieldsAnswerOnlyTheNamedKeys) {
  const ProcessRun one = runTool(delhi({}, {"--json", "--fields", "Sunrise,SreeLagnaHouse"}));
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(one.out, "{\n  \"SreeLagnaHouse\": 9,\n  \"Sunrise\": \"2011-02-22 06:55\"\n}\n");

  const ProcessRun batch = runTool({"--batch", "--fields=MoonText,AscSignNumber"},
                                   delhiLine() + "\n{\"month\": 13}\n" + delhiLine() + "\n");
  ASSERT_EQ(batch.status, 0) << batch.err;
  const std::string chart = "{\"AscSignNumber\":12,\"MoonText\":\"2\u00b0 23' 2\\\" Lib\"}";
  EXPECT_EQ(batch.out, chart + "\n" + R"({"error":"month takes a whole number from 1 to 12, not 13"})" + "\n" + chart + "\n");
}

TEST(HalvoraChart, BatchAnswersEveryLineInOrderWhateverItHolds) {
  const std::string valid = delhiLine();
  const std::string input = valid + "\n" +                      // 1
                            "\xff\n" +                          // 2 not UTF-8
                            "\n" +                              // 3 blank
                            "  \t \n" +                         // 4 white space only
                            valid + std::string(1, '\0') + "{\"month\": 99}\n" +  // 5 NUL inside
                            "{\"city\": \"" + std::string(1 << 20, 'x') + "\"}\n" +  // 6 one megabyte
                            "{\"month\": 13}\n" +               // 7
                            "{\"name\": \"  \"}\n" +            // 8 fails the form's check
                            "not json\n" +                      // 9
                            valid + "\r\n" +                    // 10 carriage return before the feed
                            "{\"north\": true, \"south\": true}\n" +  // 11
                            valid;                              // 12 no final line feed
  const ProcessRun run = runTool({"--batch"}, input);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  EXPECT_TRUE(forms::isValidUtf8(run.out));
  EXPECT_LT(run.out.size(), 60000u) << "the megabyte line is not echoed back";
  const std::vector<std::string> answers = outputLines(run.out);
  ASSERT_EQ(answers.size(), 12u) << run.out.substr(0, 2000);
  std::vector<json> j;
  for (const auto& a : answers) j.push_back(json::parse(a));
  const std::string chart = j[0].dump();
  EXPECT_EQ(j[0]["SreeLagnaHouse"], 9);
  EXPECT_EQ(j[1], json({{"error", "the line is not valid UTF-8 (byte 1)"}}));
  EXPECT_EQ(j[2], json({{"error", "empty line"}}));
  EXPECT_EQ(j[3], json({{"error", "empty line"}}));
  EXPECT_EQ(j[4], json({{"error", "the line holds a NUL byte"}}));
  EXPECT_EQ(j[5], json({{"error", "the line is longer than 65536 bytes"}}));
  EXPECT_EQ(j[6], json({{"error", "month takes a whole number from 1 to 12, not 13"}}));
  EXPECT_EQ(j[7], json({{"error", "name: Please Enter Name"}}));
  EXPECT_EQ(j[8], json({{"error", "the line is not a JSON object: expected '{' at byte 1"}}));
  EXPECT_EQ(j[9].dump(), chart);
  EXPECT_EQ(j[10], json({{"error", "north and south contradict each other"}}));
  EXPECT_EQ(j[11].dump(), chart);
}

// An empty batch is answered with nothing, and that is no failure.
TEST(HalvoraChart, ABatchOfNoLinesAnswersNothing) {
  for (const std::string input : {"", "\n"}) {
    const ProcessRun run = runTool({"--batch"}, input);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(outputLines(run.out).size(), input.empty() ? 0u : 1u) << run.out;
  }
}

// A byte-order mark is skipped at the start of a line, as a file saved on Windows begins with one,
// and refused anywhere else.
TEST(HalvoraChart, BatchSkipsAByteOrderMarkOnlyAtTheStartOfALine) {
  const std::string bom = "\xEF\xBB\xBF";
  const std::string valid = delhiLine();
  const std::string input = valid + "\n" + bom + valid + "\n" + " " + bom + valid + "\n" + bom + bom + valid + "\n" +
                            bom + "\n";
  const ProcessRun run = runTool({"--batch"}, input);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> answers = outputLines(run.out);
  ASSERT_EQ(answers.size(), 5u) << run.out;
  EXPECT_EQ(answers[1], answers[0]) << "the mark first";
  EXPECT_EQ(json::parse(answers[2]), json({{"error", "the line is not a JSON object: expected '{' at byte 2"}}));
  EXPECT_EQ(json::parse(answers[3]), json({{"error", "the line is not a JSON object: expected '{' at byte 1"}}));
  EXPECT_EQ(json::parse(answers[4]), json({{"error", "empty line"}}));
}

TEST(HalvoraChart, BatchKeepsGoingAfterLinesFarPastTheCap) {
  // Two lines of 3 MB each, from a pipe, between charts: memory stays bounded and both are answered.
  const std::string valid = delhiLine();
  const std::string input = valid + "\n" + std::string(3 << 20, '{') + "\n" + valid + "\n" +
                            std::string(3 << 20, '\0') + "\n" + valid + "\n";
  RunOptions piped;
  piped.input = InputFrom::Pipe;
  const ProcessRun run = runTool({"--batch"}, input, piped);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> answers = outputLines(run.out);
  ASSERT_EQ(answers.size(), 5u);
  EXPECT_EQ(json::parse(answers[1]), json({{"error", "the line is longer than 65536 bytes"}}));
  EXPECT_EQ(json::parse(answers[3]), json({{"error", "the line is longer than 65536 bytes"}}));
  EXPECT_EQ(answers[4], answers[0]);
}

struct WriteRow {
  const char* name;
  std::vector<std::string> args;
  RunOptions options;
  const char* message;
};

RunOptions outputTo(StandardOutput output, bool ignoreSigpipe = false) {
  RunOptions o;
  o.output = output;
  o.ignoreSigpipe = ignoreSigpipe;
  return o;
}

std::string manyLines(int n) {
  std::string input;
  for (int i = 0; i < n; ++i) input += delhiLine() + "\n";
  return input;
}

TEST(HalvoraChart, AFailedWriteIsReportedOnceWithStatusOne) {
  const std::string batchInput = manyLines(3);
  const RunOptions full = outputTo(StandardOutput::DevFull);
  const RunOptions closed = outputTo(StandardOutput::Closed);
  const RunOptions brokenIgnoring = outputTo(StandardOutput::ClosedPipe, true);
  const RunOptions brokenDefault = outputTo(StandardOutput::ClosedPipe);
  const char* kFull = "halvora-chart: cannot write the output: No space left on device\n";
  const char* kClosed = "halvora-chart: cannot write the output: Bad file descriptor\n";
  const char* kBroken = "halvora-chart: cannot write the output: Broken pipe\n";
  const WriteRow rows[] = {
      {"JSON to a full disk", delhi({}, {"--json"}), full, kFull},
      {"the page to a full disk", delhi({}), full, kFull},
      {"the usage to a full disk", {"--help"}, full, kFull},
      {"a batch to a full disk", {"--batch"}, full, kFull},
      {"the page to a closed output", delhi({}), closed, kClosed},
      {"a batch to a closed output", {"--batch"}, closed, kClosed},
      {"a batch into a closed pipe, SIGPIPE ignored", {"--batch"}, brokenIgnoring, kBroken},
      {"a batch into a closed pipe, SIGPIPE as it comes", {"--batch"}, brokenDefault, kBroken},
      {"JSON into a closed pipe", delhi({}, {"--json"}), brokenIgnoring, kBroken},
  };
  for (const auto& r : rows) {
    const ProcessRun run = runTool(r.args, batchInput, r.options);
    EXPECT_EQ(run.status, 1) << r.name << " (signal " << run.signal << ")";
    EXPECT_EQ(run.err, r.message) << r.name;
  }
}

TEST(HalvoraChart, ABatchStopsAtTheFirstFailedWrite) {
  // 20,000 lines through a pipe into a closed pipe: the program stops long before reading them all.
  RunOptions o = outputTo(StandardOutput::ClosedPipe, true);
  o.input = InputFrom::Pipe;
  const ProcessRun run = runTool({"--batch"}, manyLines(20000), o);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "halvora-chart: cannot write the output: Broken pipe\n");
  EXPECT_TRUE(run.inputCutShort) << "the whole input was read although no answer could be written";
}

TEST(HalvoraChart, AFailedReadIsAnErrorNotTheEndOfTheInput) {
  RunOptions fromDirectory;
  fromDirectory.inputPath = "/";
  const ProcessRun run = runTool({"--batch"}, "", fromDirectory);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "halvora-chart: cannot read the input: Is a directory\n");
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
  const ProcessRun run = runTool({"--batch"}, input);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> answers = outputLines(run.out);
  ASSERT_EQ(answers.size(), expected.size());
  for (std::size_t i = 0; i < answers.size(); ++i) {
    const json got = json::parse(answers[i]);
    const std::string title = expected[i]["case"];
    for (const auto& [key, value] : expected[i]["expect"].items()) {
      ASSERT_TRUE(got.contains(key)) << title << ": " << key;
      if (key == "error") {
        // The batch names the key of the failed check before the form's own message.
        const std::string message = got[key];
        const std::string wanted = ": " + value.get<std::string>();
        ASSERT_TRUE(message.ends_with(wanted)) << title << ": " << message;
        const std::string key = message.substr(0, message.size() - wanted.size());
        EXPECT_TRUE((std::set<std::string>{"name", "lon-deg", "lon-min", "lat-deg", "lat-min", "month and day"})
                        .contains(key))
            << title << ": " << message;
      } else if (value.is_number_float()) {
        EXPECT_NEAR(got[key].get<double>(), value.get<double>(), 1e-9) << title << ": " << key;
      } else {
        EXPECT_EQ(got[key], value) << title << ": " << key;
      }
    }
  }
}

TEST(HalvoraChart, ReadablePageDrawsTheGrid) {
  const ProcessRun run = runTool(delhi({}));
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

// A chart from the atlas without the parts that say where it came from, to compare with one typed.
json withoutOrigin(json j) {
  j.erase("Place");
  j["Zone"].erase("fromAtlas");
  return j;
}

json chartJson(const std::vector<std::string>& args) {
  std::vector<std::string> withJson = args;
  withJson.push_back("--json");
  const ProcessRun run = runTool(withJson);
  EXPECT_EQ(run.status, 0) << run.err;
  return run.status == 0 ? json::parse(run.out) : json();
}

std::vector<std::string> birth(const char* month, const char* day, const char* year, const char* hour,
                               const char* minute, std::initializer_list<std::string> more) {
  std::vector<std::string> args = {"--name", "asha", "--month", month, "--day", day, "--year", year,
                                   "--hour", hour, "--minute", minute};
  args.insert(args.end(), more);
  return args;
}

TEST(HalvoraChart, APlaceGivesTheChartOfItsCoordinatesAndZoneTypedByHand) {
  // Offsets from Python's zoneinfo with Debian's tzdata; coordinates GeoNames', rounded by hand.
  const struct {
    const char* name;
    std::vector<std::string> atlas, typed;
  } rows[] = {
      {"Pune 1943 on war time, North Sumatra's row",
       birth("3", "15", "1943", "9", "5", {"--place", "Pune, Maharashtra, India"}),
       birth("3", "15", "1943", "9", "5",
             {"--city", "Pune", "--state", "Maharashtra", "--country", "India", "--lat-deg", "18", "--lat-min", "31",
              "--north", "--lon-deg", "73", "--lon-min", "51", "--east", "--zone", "52"})},
      {"New York in July 1980 on EDT", birth("7", "4", "1980", "12", "0", {"--place", "New York, New York"}),
       birth("7", "4", "1980", "12", "0",
             {"--city", "New York", "--state", "New York", "--country", "United States of America", "--lat-deg", "40",
              "--lat-min", "43", "--north", "--lon-deg", "74", "--lon-min", "0", "--west", "--zone", "24"})},
      {"Kathmandu on +5:45, the entry after the rows", birth("1", "1", "1990", "12", "0", {"--place", "Kathmandu"}),
       birth("1", "1", "1990", "12", "0",
             {"--city", "Kathmandu", "--state", "Bagmati Province", "--country", "Nepal", "--lat-deg", "27",
              "--lat-min", "42", "--north", "--lon-deg", "85", "--lon-min", "19", "--east", "--zone-offset",
              "+5:45"})},
      {"Sydney in January 1990 on AEDT", birth("1", "15", "1990", "12", "0", {"--place", "Sydney, Australia"}),
       birth("1", "15", "1990", "12", "0",
             {"--city", "Sydney", "--state", "New South Wales", "--country", "Australia", "--lat-deg", "33",
              "--lat-min", "52", "--south", "--lon-deg", "151", "--lon-min", "12", "--east", "--zone", "7"})},
  };
  for (const auto& r : rows) {
    const json atlas = chartJson(r.atlas);
    const json typed = chartJson(r.typed);
    ASSERT_FALSE(atlas.is_null() || typed.is_null()) << r.name;
    EXPECT_EQ(atlas["Zone"]["fromAtlas"], true) << r.name;
    EXPECT_EQ(typed["Zone"]["fromAtlas"], false) << r.name;
    EXPECT_EQ(typed["Place"], nullptr) << r.name;
    EXPECT_EQ(withoutOrigin(atlas), withoutOrigin(typed)) << r.name;
  }
}

TEST(HalvoraChart, JsonSaysWhereTheZoneAndThePlaceCameFrom) {
  const json typed = chartJson(delhi({}));
  EXPECT_EQ(typed["Place"], nullptr);
  EXPECT_EQ(typed["Zone"], json({{"row", 34}, {"text", "Indian Time, IST, +5.3"}, {"offsetMinutes", 330},
                                 {"dst", false}, {"fromAtlas", false}, {"ambiguous", false}}));

  const json pune = chartJson(birth("3", "15", "1903", "9", "5", {"--place", "Pune, India"}));
  EXPECT_EQ(pune["Place"], json({{"name", "Pune"}, {"state", "Maharashtra"}, {"country", "India"},
                                 {"timeZone", "Asia/Kolkata"}, {"latitudeDeg", 18.51957}, {"longitudeDeg", 73.85535}}));
  // Madras time, +5:21:10 in the time-zone database, rounded to the minute.
  EXPECT_EQ(pune["Zone"], json({{"row", nullptr}, {"text", "Local clock of Pune, +5:21"}, {"offsetMinutes", 321},
                                {"dst", false}, {"fromAtlas", true}, {"ambiguous", false}}));
  EXPECT_EQ(pune["ZoneCorrectionHours"], -5);
  EXPECT_EQ(pune["ZoneCorrectionMinutes"], -21);

  // 1:30 on 7 November 2010 came twice in New York, first on EDT (-4:00), then on EST.
  const json twice = chartJson(birth("11", "7", "2010", "1", "30", {"--place", "New York, New York"}));
  EXPECT_EQ(twice["Zone"]["ambiguous"], true);
  EXPECT_EQ(twice["Zone"]["offsetMinutes"], -240);
  EXPECT_EQ(twice["Zone"]["row"], 24);

  const json caracas = chartJson(birth("1", "1", "2010", "12", "0", {"--place", "Caracas", "--zone-offset", "-4:30"}));
  EXPECT_EQ(caracas["Zone"]["text"], "Local clock of Caracas, -4:30") << "named after the city the atlas filled";
  EXPECT_EQ(caracas["Zone"]["offsetMinutes"], -270);
  EXPECT_EQ(caracas["Zone"]["fromAtlas"], false);
}

TEST(HalvoraChart, FlagsGivenBesideThePlaceWin) {
  const json own = chartJson(birth("3", "15", "1943", "9", "5",
                                   {"--place", "Pune, India", "--lat-deg", "19", "--city", "Poona", "--zone", "34"}));
  EXPECT_EQ(own["Details"]["lblLatitude"], "19° 31' N") << "the degrees given, the minutes the atlas's";
  EXPECT_EQ(own["Details"]["lblCity"], "Poona");
  EXPECT_EQ(own["Details"]["lblState"], "Maharashtra");
  EXPECT_EQ(own["Zone"]["row"], 34) << "the zone given, not the war time of 1943";
  EXPECT_EQ(own["Zone"]["fromAtlas"], false);
  const json west = chartJson(birth("3", "15", "1980", "9", "5", {"--place", "Pune, India", "--west", "--dst"}));
  EXPECT_EQ(west["Details"]["lblLongitude"], "73° 51' W");
  EXPECT_EQ(west["Zone"]["dst"], true);
  EXPECT_EQ(west["Zone"]["fromAtlas"], true);
}

TEST(HalvoraChart, APlaceThatNamesNoOnePlaceOrATimeThatDidNotHappen) {
  const CommandRow rows[] = {
      {"no such place", birth("1", "1", "1990", "12", "0", {"--place", "Xyzzyville"}), 2,
       "halvora-chart: --place: no place in the atlas matches \"Xyzzyville\""},
      {"a state that narrows to nothing lists the places of the name",
       birth("1", "1", "1990", "12", "0", {"--place", "Pune, Kerala"}), 2,
       "halvora-chart: --place: no place in the atlas matches \"Pune, Kerala\"; places of that name: Pune, "
       "Maharashtra, India"},
      {"several equally good: five candidates, the largest first", birth("1", "1", "1990", "12", "0", {"--place", "Springfield"}),
       2,
       "halvora-chart: --place: \"Springfield\" names several places equally well; add the state or the country: "
       "Springfield, Missouri, United States of America; Springfield, Massachusetts, United States of America; "
       "Springfield, Illinois, United States of America; Springfield, Oregon, United States of America; "
       "Springfield, Ohio, United States of America"},
      {"the clocks went forward over 2:30", birth("3", "14", "2010", "2", "30", {"--place", "New York, New York"}), 2,
       "halvora-chart: --place: Clock of New York on March 14, 2010, 2:30: no such time, the clocks went forward "
       "from -5:00 (EST, standard time) to -4:00 (EDT, daylight saving time); please check the time of birth, or "
       "give the zone with --zone or --zone-offset"},
      {"an empty place", birth("1", "1", "1990", "12", "0", {"--place="}), 2,
       "halvora-chart: --place: no place in the atlas matches \"\""},
      {"a date no calendar has is the form's own check", birth("2", "30", "1990", "12", "0", {"--place", "Pune, India"}),
       2, "halvora-chart: --month and --day: Please Enter Correct Date Or Month!"},
      {"the place's other checks stay the form's", {"--place", "Pune, India"}, 2, "halvora-chart: --name: Please Enter Name"},
  };
  for (const auto& r : rows) {
    const ProcessRun run = runTool(r.args);
    EXPECT_EQ(run.status, r.status) << r.name;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), r.message) << r.name;
    EXPECT_TRUE(run.out.empty()) << r.name;
  }
  // The same time with a zone given by hand is the user's to answer for.
  const ProcessRun own = runTool(birth("3", "14", "2010", "2", "30", {"--place", "New York, New York", "--zone", "27"}));
  EXPECT_EQ(own.status, 0) << own.err;
}

// On a system without the atlas's library: the program starts and charts as ever (it does not link
// the library), and a place asked for is an error that says the atlas is missing, not that the
// place is unknown; the batch answers each line alike.
TEST(HalvoraChart, WithoutTheAtlasLibraryOnlyThePlaceFails) {
  const testing_support::BrokenAtlasLibrary broken;
  RunOptions noAtlas;
  noAtlas.environment = {{"LD_LIBRARY_PATH", broken.libraryPath()}};
  const std::string missing = "the atlas is not available (" + broken.libraryFile() + ": ";

  const ProcessRun typed = runTool(delhi({}), "", noAtlas);
  EXPECT_EQ(typed.status, 0) << typed.err;
  EXPECT_EQ(typed.out, runTool(delhi({})).out);

  const ProcessRun place = runTool(birth("3", "15", "1943", "9", "5", {"--place", "Pune, India"}), "", noAtlas);
  EXPECT_EQ(place.status, 2);
  EXPECT_TRUE(place.out.empty());
  EXPECT_EQ(place.err.rfind("halvora-chart: --place: " + missing, 0), 0u) << place.err;
  EXPECT_NE(place.err.find("); give the coordinates and the zone instead\n"), std::string::npos) << place.err;

  const std::string batch = std::string(testing_support::kNewDelhiJson) + "\n" +
                            R"({"name": "asha", "month": 3, "day": 15, "year": 1943, "hour": 9, "minute": 5, "place": "Pune, India"})"
                            "\n";
  const ProcessRun run = runTool({"--batch"}, batch, noAtlas);
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> answers = outputLines(run.out);
  ASSERT_EQ(answers.size(), 2u) << run.out << run.err;
  EXPECT_EQ(json::parse(answers[0])["Zone"]["row"], 34) << answers[0];
  const std::string error = json::parse(answers[1]).value("error", "");
  EXPECT_EQ(error.rfind("place: " + missing, 0), 0u) << answers[1];
}

TEST(HalvoraChart, BatchLinesNameTheirPlace) {
  const std::string input =
      R"({"name": "asha", "month": 3, "day": 15, "year": 1943, "hour": 9, "minute": 5, "place": "Pune, India"})" "\n"
      R"({"name": "asha", "place": "Springfield"})" "\n"
      R"({"name": "asha", "month": 3, "day": 14, "year": 2010, "hour": 2, "minute": 30, "place": "New York, New York"})" "\n"
      R"({"name": "asha", "month": 1, "day": 1, "year": 1990, "hour": 12, "place": "Kathmandu"})" "\n";
  const ProcessRun run = runTool({"--batch"}, input);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> answers = outputLines(run.out);
  ASSERT_EQ(answers.size(), 4u);
  const json pune = json::parse(answers[0]);
  EXPECT_EQ(pune["Zone"]["row"], 52);
  EXPECT_EQ(pune["Place"]["name"], "Pune");
  const std::string ambiguous = json::parse(answers[1])["error"];
  EXPECT_EQ(ambiguous.rfind("place: \"Springfield\" names several places equally well", 0), 0u) << ambiguous;
  const std::string gap = json::parse(answers[2])["error"];
  EXPECT_TRUE(gap.ends_with("or give the zone with zone or zone-offset")) << gap << ": keys, not flags, in a batch";
  EXPECT_EQ(json::parse(answers[3])["Zone"]["offsetMinutes"], 345);
}

TEST(HalvoraChart, ThePageNamesThePlaceAndItsClock) {
  const ProcessRun run = runTool(birth("3", "15", "1943", "9", "5", {"--place", "Pune, India"}));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Place         : Pune, Maharashtra, India (Asia/Kolkata)\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Time zone     : North Sumatra Time,NST,+6.5\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Clock of Pune on March 15, 1943, 9:05: +6:30 (war time), from the time-zone database"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(runTool(delhi({})).out.find("Place         :"), std::string::npos) << "only for a place of the atlas";
}

// The facts under the details: Pune, 15 March 1980, 9:05 typed on "Indian Time, IST, +5.3" (the
// worked example of tests/chart/chart_facts_test.cpp), and Pune in 1943 from the atlas, whose clock
// of +6:30 picks "North Sumatra Time,NST,+6.5".
TEST(HalvoraChart, ThePageSaysTheFactsUnderTheDetails) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    const char* facts;
  } rows[] = {
      {"typed", birth("3", "15", "1980", "9", "5", {"--city", "Pune", "--lat-deg", "18", "--lat-min", "31", "--north",
                                                    "--lon-deg", "73", "--lon-min", "51", "--east", "--zone", "34"}),
       "Country       : \n\n"
       "Zone: Indian Time, IST, +5:30; no daylight saving\n"
       "Sunrise used: March 15, 1980, 6:43\n"
       "Sree Lagna: 19°57′ Taurus, house 2\n"
       "Moon: 7°55′ Aquarius, nakshatra Shatabhisha, pada 1\n\n"
       "Vedic Planetary Position\n"},
      {"from the atlas", birth("3", "15", "1943", "9", "5", {"--place", "Pune, India"}),
       "\n\nZone: North Sumatra Time, NST, +6:30; no daylight saving\nSunrise used: March 15, 1943, "},
  };
  for (const auto& r : rows) {
    const ProcessRun run = runTool(r.args);
    ASSERT_EQ(run.status, 0) << r.name << ": " << run.err;
    EXPECT_NE(run.out.find(r.facts), std::string::npos) << r.name << ":\n" << run.out;
  }
}

TEST(RandomInput, EveryBatchLineIsAnsweredInItsPlace) {
  testing_support::RandomInput random(99);
  std::string input;
  std::vector<std::optional<std::string>> sound;  // the line's own answer, for sound forms
  for (int i = 0; i < 3000; ++i) {
    std::string line;
    switch (random.pick(0, 9)) {
      case 0: line = random.bytes(200); break;
      case 1: line = std::string(static_cast<std::size_t>(random.pick(60000, 70000)), static_cast<char>(random.pick(0, 255))); break;
      case 2: line = random.pick(0, 1) ? "" : " \t"; break;
      case 3:
      case 4: line = random.soundForm(); break;
      default: line = random.jsonLine(); break;
    }
    std::erase(line, '\n');
    input += line + "\n";
    sound.push_back(line.find('{') == 0 && line.find("\"name\"") == 1 ? std::optional<std::string>(line)
                                                                       : std::nullopt);
  }
  const ProcessRun run = runTool({"--batch"}, input);
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_TRUE(forms::isValidUtf8(run.out));
  const std::vector<std::string> answers = outputLines(run.out);
  ASSERT_EQ(answers.size(), sound.size()) << "one answer a line";
  int charts = 0;
  for (std::size_t i = 0; i < answers.size(); ++i) {
    const json a = json::parse(answers[i]);
    ASSERT_TRUE(a.is_object()) << i;
    ASSERT_TRUE(a.contains("error") != a.contains("SreeLagnaDeg")) << i << ": " << answers[i].substr(0, 200);
    if (!sound[i]) continue;
    // A sound form's answer is its own chart (or its own check's message), computed here apart.
    const auto read = forms::readFormJson(*sound[i]);
    if (!std::holds_alternative<forms::ReadForm>(read)) continue;
    const auto outcome = RunChartRequest(std::get<forms::ReadForm>(read).form);
    if (const auto* chart = std::get_if<ChartResult>(&outcome)) {
      ASSERT_TRUE(a.contains("SreeLagnaDeg")) << i << ": " << answers[i];
      EXPECT_EQ(a["SreeLagnaDeg"].get<double>(), chart->SreeLagnaDeg) << i;
      EXPECT_EQ(a["ChartPositions"], json(chart->chartPositions)) << i;
      ++charts;
    } else {
      EXPECT_EQ(a["error"], forms::failureMessage(std::get<ValidationFailure>(outcome), forms::KeyStyle::Json)) << i;
    }
  }
  EXPECT_GT(charts, 300);
}

TEST(RandomInput, EveryCommandLineEndsWithAStatusAndAMessage) {
  testing_support::RandomInput random(5);
  for (int i = 0; i < 150; ++i) {
    std::vector<std::string> args = random.flagArgs();
    std::erase_if(args, [](const std::string& a) { return a.find('\0') != std::string::npos; });
    const ProcessRun run = runTool(args);
    ASSERT_EQ(run.signal, 0) << i;
    ASSERT_TRUE(run.status == 0 || run.status == 2) << i << ": " << run.status;
    ASSERT_TRUE(forms::isValidUtf8(run.err)) << i;
    if (run.status == 2) {
      ASSERT_EQ(run.err.rfind("halvora-chart: ", 0), 0u) << run.err;
    }
  }
}

}  // namespace
}  // namespace halvora
