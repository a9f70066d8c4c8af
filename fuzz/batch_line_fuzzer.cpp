// SPDX-License-Identifier: GPL-3.0-or-later
// The batch reader: every line of the input gets exactly one answer line, in valid UTF-8; and a
// line that reads as a form, saved as a birth-data file and read again, gives the same form.
#include <algorithm>
#include <cstdint>
#include <string>

#include "forms/birth_data_file.h"
#include "forms/form_reader.h"
#include "forms/utf8.h"
#include "fuzz_support.h"

namespace {

using namespace halvora;
using fuzz::fail;

void roundTrip(std::string_view line) {
  forms::ReadOptions options;
  options.extraKeys = {forms::kVersionKey, {"pdf", forms::ValueKind::Text}};
  const forms::ReadResult read = forms::readFormJson(forms::withoutByteOrderMark(line), options);
  const auto* given = std::get_if<forms::ReadForm>(&read);
  if (given == nullptr) return;
  const std::string saved = forms::formatBirthData(given->form);
  const forms::BirthDataForm reread = forms::parseBirthDataForm(saved, "round-trip.halvora");
  if (const auto* error = std::get_if<forms::FileError>(&reread)) fail("a saved form does not read back", error->message());
  if (!(std::get<forms::ReadForm>(reread).form == given->form)) fail("a saved form reads back as another form", saved);
  // The saved file is a valid batch line, on one line.
  std::string oneLine = saved;
  std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
  if (!std::holds_alternative<forms::ReadForm>(forms::readFormJson(oneLine, options)))
    fail("a saved form is no batch line", oneLine);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  // The lines as the batch reader splits them: at line feeds, a last line without one counts.
  std::size_t lines = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n'));
  if (!input.empty() && input.back() != '\n') ++lines;

  std::size_t start = 0;
  while (start < input.size()) {
    const std::size_t end = std::min(input.find('\n', start), input.size());
    std::string_view line(input.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    roundTrip(line);
    start = end + 1;
  }

  const std::string args[] = {"--batch"};
  const fuzz::CliRun run = fuzz::runCli(args, input);
  if (run.status != cli::kExitOk) fail("a batch from memory did not end with status 0", run.err);
  if (!run.err.empty()) fail("a batch wrote to standard error", run.err);
  if (!forms::isValidUtf8(run.out)) fail("an answer is not UTF-8", run.out);
  const auto answers = static_cast<std::size_t>(std::count(run.out.begin(), run.out.end(), '\n'));
  if (answers != lines || (!run.out.empty() && run.out.back() != '\n'))
    fail("not one answer line per input line", run.out);
  return 0;
}
