// SPDX-License-Identifier: GPL-3.0-or-later
// The arguments of halvora-chart and of the desktop program, as NUL-separated words: halvora-chart
// ends with one of its three statuses and says why on standard error when it refuses; the desktop
// program's reader gives one answer and names the problem of a bad argument.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "forms/utf8.h"
#include "fuzz_support.h"
#include "ui/start_arguments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace halvora;
  using fuzz::fail;
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> args;
  std::size_t start = 0;
  while (start <= input.size() && !input.empty()) {
    const std::size_t end = std::min(input.find('\0', start), input.size());
    args.push_back(input.substr(start, end - start));
    start = end + 1;
  }
  // A birth-data file named by --form is read from the disk: only the test's own names.
  for (const std::string& arg : args)
    if (arg == "--form" || arg.rfind("--form=", 0) == 0) return -1;

  const fuzz::CliRun run = fuzz::runCli(args);
  if (run.status != cli::kExitOk && run.status != cli::kExitBadInput && run.status != cli::kExitFailure)
    fail("an exit status outside 0, 1 and 2", std::to_string(run.status));
  if (run.status != cli::kExitOk && run.err.rfind("halvora-chart: ", 0) != 0) fail("a refusal without its message", run.err);
  // A batch answers each line of its input, and the fuzzer gives it none: it may say nothing.
  const bool batch = std::find(args.begin(), args.end(), "--batch") != args.end();
  if (run.status == cli::kExitOk && (!run.err.empty() || (run.out.empty() && !batch)))
    fail("a chart without output", run.err);
  if (!forms::isValidUtf8(run.err)) fail("a message that is not UTF-8", run.err);

  const ui::StartArguments desktop = ui::readStartArguments(args);
  if ((desktop.action == ui::StartArguments::Action::Bad) == desktop.problem.empty())
    fail("a bad argument without its problem, or a problem without a bad argument", desktop.problem);
  return 0;
}
