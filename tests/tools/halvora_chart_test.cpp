// halvora-chart run as a program: its flags and their messages, exit statuses, batch mode line for
// line, failed writes and reads, the golden charts and the page, and random input.
#include <gtest/gtest.h>

#include <set>

#include <nlohmann/json.hpp>

#include "forms/form_reader.h"
#include "forms/utf8.h"
#include "support/random_input.h"
#include "tools/process.h"

namespace halvora {
namespace {

using nlohmann::json;
using testing_support::InputFrom;
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

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find('\n', start);
    if (end == std::string::npos) {
      out.push_back(text.substr(start) + "(no line feed)");
      break;
    }
    out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

TEST(HalvoraChart, JsonCarriesEveryKey) {
  const ProcessRun run = runTool(delhi({}, {"--json"}));
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
  const std::vector<std::string> answers = lines(run.out);
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

TEST(HalvoraChart, BatchKeepsGoingAfterLinesFarPastTheCap) {
  // Two lines of 3 MB each, from a pipe, between charts: memory stays bounded and both are answered.
  const std::string valid = delhiLine();
  const std::string input = valid + "\n" + std::string(3 << 20, '{') + "\n" + valid + "\n" +
                            std::string(3 << 20, '\0') + "\n" + valid + "\n";
  RunOptions piped;
  piped.input = InputFrom::Pipe;
  const ProcessRun run = runTool({"--batch"}, input, piped);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> answers = lines(run.out);
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
  const std::vector<std::string> answers = lines(run.out);
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
  const std::vector<std::string> answers = lines(run.out);
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
