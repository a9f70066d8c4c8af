// SPDX-License-Identifier: GPL-3.0-or-later
// Where a named output file is written: a new or regular file as it is, a symbolic link to the
// file it leads to, anything else refused with the reason and left as it was.
#include <gtest/gtest.h>

#include <functional>

#include "forms/output_path.h"
#include "support/special_paths.h"

namespace halvora::forms {
namespace {

using testing_support::SpecialPaths;

std::string outcome(const std::variant<std::string, FileError>& target) {
  if (const auto* e = std::get_if<FileError>(&target)) return "refused: " + e->message();
  return "write " + std::get<std::string>(target);
}

TEST(WritableTarget, RegularFilesAndLinksToThemAreWrittenEverythingElseIsRefused) {
  SpecialPaths dir("target");
  const std::string file = dir.file("chart.pdf", "old");
  dir.folder("sub");
  const std::string inner = dir.file("sub/inner.halvora", "{}");
  struct Row {
    const char* name;
    std::function<std::string()> make;  // makes the path under test
    std::function<std::string(const std::string&)> expected;
  } rows[] = {
      {"nothing there yet", [&] { return dir.path("new.pdf"); }, [](const std::string& p) { return "write " + p; }},
      {"a regular file", [&] { return file; }, [](const std::string& p) { return "write " + p; }},
      {"a folder", [&] { return dir.path("sub"); },
       [](const std::string& p) { return "refused: " + p + ": not a regular file"; }},
      {"a FIFO", [&] { return dir.fifo("pipe.pdf"); },
       [](const std::string& p) { return "refused: " + p + ": not a regular file"; }},
      {"a socket", [&] { return dir.socket("socket.pdf"); },
       [](const std::string& p) { return "refused: " + p + ": not a regular file"; }},
      {"a link to a file", [&] { return dir.link("to-file.pdf", file); }, [&](const std::string&) { return "write " + file; }},
      {"a relative link through a link", [&] { return dir.link("hop.halvora", dir.link("sublink", "sub") + "/inner.halvora"); },
       [&](const std::string&) { return "write " + inner; }},
      {"a link to a FIFO", [&] { return dir.link("to-pipe.pdf", dir.fifo("pipe2")); },
       [](const std::string& p) { return "refused: " + p + ": not a regular file"; }},
      {"a link to a folder", [&] { return dir.link("to-folder.pdf", dir.path("sub")); },
       [](const std::string& p) { return "refused: " + p + ": not a regular file"; }},
      {"a dangling link", [&] { return dir.link("dangling.pdf", "gone.pdf"); },
       [](const std::string& p) { return "refused: " + p + ": a symbolic link to gone.pdf, which does not exist"; }},
      {"a link to itself", [&] { return dir.link("self.pdf", "self.pdf"); },
       [](const std::string& p) { return "refused: " + p + ": the symbolic links lead round in a loop"; }},
      {"two links in a loop", [&] { dir.link("b.pdf", "a.pdf"); return dir.link("a.pdf", "b.pdf"); },
       [](const std::string& p) { return "refused: " + p + ": the symbolic links lead round in a loop"; }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string p = row.make();
    const std::string kindBefore = SpecialPaths::kindOf(p);
    EXPECT_EQ(outcome(writableTarget(p)), row.expected(p));
    EXPECT_EQ(SpecialPaths::kindOf(p), kindBefore) << "the check leaves the path as it was";
  }
}

TEST(WritableTarget, ADeviceIsRefused) {
  SpecialPaths dir("device");
  const std::string device = dir.device("full");
  if (device.empty()) GTEST_SKIP() << "a device node needs root";
  EXPECT_EQ(outcome(writableTarget(device)), "refused: " + device + ": not a regular file");
  EXPECT_EQ(outcome(writableTarget(dir.link("to-device.pdf", device))),
            "refused: " + dir.path("to-device.pdf") + ": not a regular file");
  EXPECT_EQ(SpecialPaths::kindOf(device), "device");
}

}  // namespace
}  // namespace halvora::forms
