// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-data file reader: any bytes give a form or a message that names the file; a form
// read, written again and read once more is the same form, and its file reads as the same.
#include <cstdint>
#include <string>

#include "forms/birth_data_file.h"
#include "forms/utf8.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace halvora;
  using fuzz::fail;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const forms::BirthDataForm read = forms::parseBirthDataForm(text, "fuzz.halvora");
  if (const auto* error = std::get_if<forms::FileError>(&read)) {
    const std::string message = error->message();
    if (message.rfind("fuzz.halvora: ", 0) != 0 || !forms::isValidUtf8(message)) fail("a message that does not name the file", message);
    return 0;
  }
  const FormInput& form = std::get<forms::ReadForm>(read).form;
  const std::string saved = forms::formatBirthData(form);
  const forms::BirthDataForm reread = forms::parseBirthDataForm(saved, "saved.halvora");
  if (const auto* error = std::get_if<forms::FileError>(&reread)) fail("a saved form does not read back", error->message());
  if (!(std::get<forms::ReadForm>(reread).form == form)) fail("a saved form reads back as another form", saved);
  if (forms::formatBirthData(std::get<forms::ReadForm>(reread).form) != saved) fail("saving twice differs", saved);
  return 0;
}
