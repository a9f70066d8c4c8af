// SPDX-License-Identifier: GPL-3.0-or-later
// halvora-chart with birth-data files and PDF: --form gives the chart of the same form as a batch
// line, a file it refuses ends with status 2 and names the file; --pdf and a batch line's "pdf"
// write the printed pages, and a PDF that cannot be written is reported.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include <nlohmann/json.hpp>

#include "chart/time_zone_table.h"
#include "forms/birth_data_file.h"
#include "support/births.h"
#include "support/special_paths.h"
#include "tools/process.h"

namespace halvora {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing_support::outputLines;
using testing_support::ProcessRun;

ProcessRun runTool(const std::vector<std::string>& args, const std::string& input = "",
                   const testing_support::RunOptions& options = {}) {
  return testing_support::runProgram(HALVORA_CHART_EXE, args, input, options);
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

class ChartFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = fs::temp_directory_path() / ("halvora-cli-files-" + std::to_string(::getpid()) + "-" + info->name());
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }
  std::string path(const std::string& name) const { return (m_dir / name).string(); }
  std::string write(const std::string& name, const std::string& text) const {
    std::ofstream(m_dir / name, std::ios::binary) << text;
    return path(name);
  }
  static std::string pdfPages(const std::string& file) {
    std::string info;
    if (std::FILE* pipe = ::popen(("pdfinfo '" + file + "' 2>&1").c_str(), "r")) {
      char buffer[4096];
      std::size_t n = 0;
      while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) info.append(buffer, n);
      ::pclose(pipe);
    }
    std::smatch pages;
    return std::regex_search(info, pages, std::regex("\nPages: +([0-9]+)\n")) ? pages[1].str() : info;
  }
  fs::path m_dir;
};

// A saved file in its own layout, and the same form on one line of a batch, give the same chart.
TEST_F(ChartFiles, AFormFileGivesTheChartOfTheSameBatchLine) {
  FormInput form = testing_support::newDelhiForm();
  form.city = "Zürich";
  form.dst = true;
  const std::string text = forms::formatBirthData(form);
  const std::string file = write("asha.halvora", text);

  const ProcessRun fromFile = runTool({"--form", file, "--json"});
  ASSERT_EQ(fromFile.status, 0) << fromFile.err;
  EXPECT_TRUE(fromFile.err.empty()) << fromFile.err;

  std::string line = text;
  std::erase(line, '\n');
  line.insert(line.rfind('}'), ", \"windows\": true");  // a batch line asks for the birth-time windows
  const ProcessRun batch = runTool({"--batch"}, line + "\n");
  ASSERT_EQ(batch.status, 0) << batch.err;
  ASSERT_EQ(outputLines(batch.out).size(), 1u) << batch.out;
  const json fromLine = json::parse(outputLines(batch.out)[0]);
  ASSERT_FALSE(fromLine.contains("error")) << fromLine.dump();
  EXPECT_EQ(json::parse(fromFile.out), fromLine);
  EXPECT_EQ(fromLine["Details"]["lblCity"], "Zürich");

  // And the file's form typed as flags gives it too.
  const ProcessRun flags =
      runTool({"--name", "ASHA", "--month", "2", "--day", "22", "--year", "2011", "--hour", "9", "--minute", "5",
               "--second", "30", "--city", "Zürich", "--state", "Delhi", "--country", "India", "--lat-deg", "28",
               "--lat-min", "37", "--lon-deg", "77", "--lon-min", "13", "--zone", "34", "--dst", "--json"});
  ASSERT_EQ(flags.status, 0) << flags.err;
  EXPECT_EQ(json::parse(flags.out), fromLine);

  // Without --json, the readable page.
  const ProcessRun page = runTool({"--form", file});
  ASSERT_EQ(page.status, 0) << page.err;
  EXPECT_EQ(page.out.rfind("ASHA\nDate of Birth : February/22/2011\n", 0), 0u) << page.out.substr(0, 200);
}

// A file of a place from the atlas with Kathmandu's +5:45, the entry after the zone rows.
TEST_F(ChartFiles, AFileOfAnAtlasPlaceGivesTheChartOfTheSameBatchLine) {
  FormInput form = testing_support::newDelhiForm();
  form.year = "1990";
  form.city = "Kathmandu";
  form.state = "Bagmati Province";
  form.country = "Nepal";
  form.place = "Kathmandu, Bagmati Province, Nepal";
  form.latDeg = "27";
  form.latMin = "42";
  form.lonDeg = "85";
  form.lonMin = "19";
  form.customZone = MakeCustomZone("Kathmandu", {-5, -45});
  form.zoneIndex = kCustomZonePosition;
  const std::string text = forms::formatBirthData(form);
  const ProcessRun fromFile = runTool({"--form", write("kathmandu.halvora", text), "--json"});
  ASSERT_EQ(fromFile.status, 0) << fromFile.err;
  std::string line = text;
  std::erase(line, '\n');
  line.insert(line.rfind('}'), ", \"windows\": true");  // a batch line asks for the birth-time windows
  const ProcessRun batch = runTool({"--batch"}, line + "\n");
  ASSERT_EQ(outputLines(batch.out).size(), 1u) << batch.out;
  const json fromLine = json::parse(outputLines(batch.out)[0]);
  ASSERT_FALSE(fromLine.contains("error")) << fromLine.dump();
  EXPECT_EQ(json::parse(fromFile.out), fromLine);
  EXPECT_EQ(fromLine["Zone"]["text"], "Local clock of Kathmandu, +5:45");
  EXPECT_EQ(fromLine["Zone"]["offsetMinutes"], 345);
  EXPECT_EQ(fromLine["Place"]["country"], "Nepal");
}

TEST_F(ChartFiles, AFileItRefusesEndsWithStatusTwoAndNamesTheFile) {
  const std::string bad = write("bad.halvora", R"({"version": 1, "month": 13})");
  const std::string newer = write("newer.halvora", R"({"version": 3})");
  const std::string notJson = write("notes.halvora", "ASHA, 22 February 2011");
  const std::string big = write("big.halvora", std::string(100000, ' '));
  const std::string unchecked = write("unchecked.halvora", R"({"name": "ASHA", "lat-deg": "95"})");
  const std::string good = write("good.halvora", forms::formatBirthData(testing_support::newDelhiForm()));
  const std::string missing = path("missing.halvora");
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::string message;
  } rows[] = {
      {"out of range", {"--form", bad}, "halvora-chart: " + bad + ": month takes a whole number from 1 to 12, not 13"},
      {"a newer version", {"--form", newer},
       "halvora-chart: " + newer + ": version 3 comes from a newer Halvora; this one reads version 1"},
      {"not JSON", {"--form", notJson},
       "halvora-chart: " + notJson + ": the file is not a JSON object: expected '{' at byte 1"},
      {"too large", {"--form", big}, "halvora-chart: " + big + ": the file is larger than 64 KiB (65536 bytes)"},
      {"not there", {"--form", missing},
       "halvora-chart: " + missing + ": cannot be opened: No such file or directory"},
      {"a form that fails the checks", {"--form", unchecked},
       "halvora-chart: " + unchecked + ": lon-deg: Please Enter Value Between 0 And 179 in the Degree of Longitude"},
      {"a folder", {"--form", m_dir.string()}, "halvora-chart: " + m_dir.string() + ": is a folder, not a birth-data file"},
      {"--form with form flags", {"--form", good, "--zone", "3"},
       "halvora-chart: --form reads the whole form from its file and takes no --zone"},
      {"--form with --batch", {"--batch", "--form", good},
       "halvora-chart: --batch reads its forms from standard input and takes no --form"},
      {"--pdf with --batch", {"--batch", "--pdf", path("x.pdf")},
       "halvora-chart: --batch reads its forms from standard input and takes no --pdf"},
      {"--form without a file", {"--form"}, "halvora-chart: --form needs a value"},
      {"--pdf of an empty name", {"--form", good, "--pdf="},
#ifdef HALVORA_CHART_HAS_PDF
       "halvora-chart: --pdf takes a file name, not an empty text"
#else
       "halvora-chart: --pdf: this halvora-chart cannot write PDF files (it was built without Qt's painting)"
#endif
      },
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ProcessRun run = runTool(row.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(firstLine(run.err), row.message);
    EXPECT_TRUE(run.out.empty());
  }
}

TEST_F(ChartFiles, BatchLinesMayCarryTheFilesVersion) {
  const std::string form = forms::formatBirthData(testing_support::newDelhiForm());
  std::string line = form;
  std::erase(line, '\n');
  const std::string newer = R"({"version": 2, "name": "ASHA"})";
  const std::string zero = R"({"version": 0, "name": "ASHA"})";
  const ProcessRun run = runTool({"--batch"}, line + "\n" + newer + "\n" + zero + "\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto answers = outputLines(run.out);
  ASSERT_EQ(answers.size(), 3u);
  EXPECT_FALSE(json::parse(answers[0]).contains("error")) << answers[0];
  EXPECT_EQ(json::parse(answers[1]),
            json({{"error", "version 2 comes from a newer Halvora; this one reads version 1"}}));
  EXPECT_EQ(json::parse(answers[2]), json({{"error", "version 0 is not a version of the birth-data format"}}));
}

#ifdef HALVORA_CHART_HAS_PDF

TEST_F(ChartFiles, PdfOfOneChartWithoutADisplay) {
  const std::string file = write("asha.halvora", forms::formatBirthData(testing_support::newDelhiForm()));
  const ProcessRun quiet = runTool({"--form", file, "--pdf", path("asha.pdf")});
  ASSERT_EQ(quiet.status, 0) << quiet.err;
  EXPECT_TRUE(quiet.out.empty()) << "the pages went to the file";
  EXPECT_TRUE(quiet.err.empty()) << quiet.err;
  EXPECT_EQ(pdfPages(path("asha.pdf")), "2");

  const ProcessRun both = runTool({"--form", file, "--pdf", path("both.pdf"), "--json"});
  ASSERT_EQ(both.status, 0) << both.err;
  EXPECT_EQ(json::parse(both.out)["Details"]["lblName"], "ASHA");
  EXPECT_EQ(pdfPages(path("both.pdf")), "2");
}

TEST_F(ChartFiles, APdfThatCannotBeWrittenEndsWithStatusOne) {
  const std::string file = write("asha.halvora", forms::formatBirthData(testing_support::newDelhiForm()));
  const std::string target = path("no-such-folder/asha.pdf");
  const ProcessRun run = runTool({"--form", file, "--pdf", target, "--json"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(firstLine(run.err).rfind("halvora-chart: " + target + ": cannot be written: ", 0), 0u) << run.err;
  EXPECT_TRUE(run.out.empty()) << "nothing is called done";
  EXPECT_FALSE(fs::exists(target));
}

TEST_F(ChartFiles, BatchLinesWriteTheirOwnPdf) {
  std::string line = forms::formatBirthData(testing_support::newDelhiForm());
  std::erase(line, '\n');
  line.pop_back();  // the closing brace
  const std::string good = line + ", \"pdf\": \"" + path("one.pdf") + "\"}";
  const std::string unwritable = line + ", \"pdf\": \"" + path("none/two.pdf") + "\"}";
  const std::string empty = line + ", \"pdf\": \"\"}";
  const ProcessRun run = runTool({"--batch"}, good + "\n" + unwritable + "\n" + empty + "\n" + good + "\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto answers = outputLines(run.out);
  ASSERT_EQ(answers.size(), 4u) << run.out;
  EXPECT_EQ(json::parse(answers[0])["Details"]["lblName"], "ASHA");
  const std::string error = json::parse(answers[1]).value("error", "");
  EXPECT_EQ(error.rfind("pdf: " + path("none/two.pdf") + ": cannot be written: ", 0), 0u) << answers[1];
  EXPECT_EQ(json::parse(answers[2]), json({{"error", "pdf takes a file name, not an empty text"}}));
  EXPECT_EQ(answers[3], answers[0]);
  EXPECT_EQ(pdfPages(path("one.pdf")), "2");
}

// A path that holds no regular file is refused with its reason and left as it was; a link is
// followed, its file replaced and the link kept.
TEST_F(ChartFiles, APdfGoesOnlyWhereARegularFileIsOrIsToBe) {
  using testing_support::SpecialPaths;
  SpecialPaths dir("cli-pdf");
  const std::string form = write("asha.halvora", forms::formatBirthData(testing_support::newDelhiForm()));
  const std::string device = dir.device("full.pdf");
  const struct {
    const char* name;
    std::string path;
    std::string reason;
  } rows[] = {
      {"a FIFO", dir.fifo("pipe.pdf"), "not a regular file"},
      {"a folder", dir.folder("folder.pdf"), "not a regular file"},
      {"a socket", dir.socket("socket.pdf"), "not a regular file"},
      {"a link to a FIFO", dir.link("to-pipe.pdf", dir.path("pipe.pdf")), "not a regular file"},
      {"a dangling link", dir.link("dangling.pdf", "gone.pdf"), "a symbolic link to gone.pdf, which does not exist"},
      {"a loop of links", dir.link("loop.pdf", "loop.pdf"), "the symbolic links lead round in a loop"},
      {"a device (as root)", device, "not a regular file"},
  };
  for (const auto& row : rows) {
    if (row.path.empty()) continue;
    SCOPED_TRACE(row.name);
    const std::string kind = SpecialPaths::kindOf(row.path);
    const ProcessRun run = runTool({"--form", form, "--pdf", row.path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "halvora-chart: " + row.path + ": " + row.reason + "\n");
    EXPECT_EQ(SpecialPaths::kindOf(row.path), kind) << "left as it was";

    std::string line = forms::formatBirthData(testing_support::newDelhiForm());
    std::erase(line, '\n');
    line.pop_back();
    const ProcessRun batch = runTool({"--batch"}, line + ", \"pdf\": " + json(row.path).dump() + "}\n");
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(json::parse(batch.out), json({{"error", "pdf: " + row.path + ": " + row.reason}}));
    EXPECT_EQ(SpecialPaths::kindOf(row.path), kind) << "left as it was";
  }

  const std::string old = dir.file("old.pdf", "old");
  const std::string link = dir.link("chart.pdf", "old.pdf");
  const ProcessRun run = runTool({"--form", form, "--pdf", link});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(SpecialPaths::kindOf(link), "link");
  EXPECT_EQ(fs::read_symlink(link), "old.pdf");
  EXPECT_EQ(pdfPages(old), "2");
}

TEST_F(ChartFiles, APdfToStandardOutput) {
  const std::string form = write("asha.halvora", forms::formatBirthData(testing_support::newDelhiForm()));
  const ProcessRun run = runTool({"--form", form, "--pdf", "-"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  EXPECT_EQ(run.out.rfind("%PDF-", 0), 0u);
  EXPECT_EQ(pdfPages(write("out.pdf", run.out)), "2");

  const ProcessRun withJson = runTool({"--form", form, "--pdf", "-", "--json"});
  EXPECT_EQ(withJson.status, 2);
  EXPECT_EQ(firstLine(withJson.err),
            "halvora-chart: --pdf - writes the PDF to standard output, which leaves no room for --json");

  const struct {
    const char* name;
    testing_support::StandardOutput output;
    const char* reason;
  } failing[] = {
      {"full", testing_support::StandardOutput::DevFull, "No space left on device"},
      {"closed", testing_support::StandardOutput::Closed, "Bad file descriptor"},
      {"a pipe nobody reads", testing_support::StandardOutput::ClosedPipe, "Broken pipe"},
  };
  for (const auto& row : failing) {
    SCOPED_TRACE(row.name);
    testing_support::RunOptions options;
    options.output = row.output;
    const ProcessRun failed = runTool({"--form", form, "--pdf", "-"}, "", options);
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, std::string("halvora-chart: cannot write the PDF to standard output: ") + row.reason + "\n");
  }

  std::string line = forms::formatBirthData(testing_support::newDelhiForm());
  std::erase(line, '\n');
  line.pop_back();
  const ProcessRun batch = runTool({"--batch"}, line + ", \"pdf\": \"-\"}\n");
  ASSERT_EQ(batch.status, 0) << batch.err;
  EXPECT_EQ(json::parse(batch.out), json({{"error", "pdf: standard output carries the answers; give a file name"}}));
}

#else

TEST_F(ChartFiles, WithoutQtThePdfIsRefusedAndTheChartStillWorks) {
  const std::string file = write("asha.halvora", forms::formatBirthData(testing_support::newDelhiForm()));
  const ProcessRun run = runTool({"--form", file, "--pdf", path("asha.pdf")});
  EXPECT_EQ(run.status, 2);
  EXPECT_FALSE(fs::exists(path("asha.pdf")));
  EXPECT_EQ(runTool({"--form", file, "--json"}).status, 0);
}

#endif

}  // namespace
}  // namespace halvora
