// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's arguments: a file, --help, --version, Qt's own options passed over, and
// bad arguments; and the program answering them without a display.
#include <gtest/gtest.h>

#include "tools/process.h"
#include "ui/start_arguments.h"

namespace halvora::ui {
namespace {

std::string outcome(const StartArguments& read) {
  switch (read.action) {
    case StartArguments::Action::Start: return read.file.empty() ? "start" : "open " + read.file;
    case StartArguments::Action::Help: return "help";
    case StartArguments::Action::Version: return "version";
    case StartArguments::Action::Bad: return "bad: " + read.problem;
  }
  return {};
}

TEST(StartArguments, AFileHelpVersionQtsOptionsAndBadArguments) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::string expected;
  } rows[] = {
      {"nothing", {}, "start"},
      {"a file", {"asha.halvora"}, "open asha.halvora"},
      {"help", {"--help"}, "help"},
      {"short help", {"-h"}, "help"},
      {"help after a file", {"asha.halvora", "--help"}, "help"},
      {"version", {"--version"}, "version"},
      {"help wins over a bad argument after it", {"--help", "--colour"}, "help"},
      {"Qt's platform and its value", {"-platform", "offscreen", "asha.halvora"}, "open asha.halvora"},
      {"Qt's style with two dashes and =", {"--style=fusion", "asha.halvora"}, "open asha.halvora"},
      {"Qt's switch", {"-reverse"}, "start"},
      {"Qt's option without its value", {"asha.halvora", "-platform"}, "bad: -platform needs a value"},
      {"two files", {"a", "b"}, "bad: only one birth-data file can be opened"},
      {"an unknown option", {"--colour"}, "bad: unknown option --colour"},
      {"a switch given a value", {"-reverse=yes"}, "bad: unknown option -reverse=yes"},
      {"an empty file name", {""}, "bad: an empty file name"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(outcome(readStartArguments(row.args)), row.expected);
  }
}

#ifdef HALVORA_EXE
// Without a display (none named, and X11 the platform) Qt cannot start; these answers need none.
TEST(StartArguments, TheProgramAnswersWithoutADisplay) {
  testing_support::RunOptions noDisplay;
  noDisplay.environment = {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", "xcb"}};
  const struct {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string out, err;
  } rows[] = {
      {"help", {"--help"}, 0, startUsage(), ""},
      {"version", {"--version"}, 0, "halvora " HALVORA_VERSION "\n", ""},
      {"two files", {"a", "b"}, 2, "", "halvora: only one birth-data file can be opened\n" + startUsage()},
      {"an unknown option", {"--colour"}, 2, "", "halvora: unknown option --colour\n" + startUsage()},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const testing_support::ProcessRun run = testing_support::runProgram(HALVORA_EXE, row.args, "", noDisplay);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.status, row.status);
    EXPECT_EQ(run.out, row.out);
    EXPECT_EQ(run.err, row.err);
  }
}
#endif

}  // namespace
}  // namespace halvora::ui
