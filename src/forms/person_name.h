// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A person's name as the form keeps it: letters of any script in capitals, blanks, and a hyphen
// or apostrophe after a letter ("JOSÉ", "ZOË MÜLLER", "JEAN-LUC", "O'BRIEN"). One rule for the
// entry form's key filter, the birth-data files and halvora-chart; the letters and their capitals
// come from a table generated from Unicode, so that no locale of the machine changes them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace halvora::forms {

// Whether a code point is a letter (Unicode categories L*), or a mark (M*) that an accented
// letter may be written with ("e" and U+0301).
bool IsNameLetter(char32_t c);
bool IsNameMark(char32_t c);

// The capital of a letter, or the letter itself when it has no capital of one code point ("ß",
// whose capital "SS" would lengthen the name, stays "ß").
char32_t NameCapital(char32_t c);

// The name in capitals, or nothing when it holds something other than letters (with their
// marks), blanks, and hyphens or apostrophes (' and ’) each right after a letter. The text is
// UTF-8; text that is not is refused.
std::optional<std::string> CapitalisedName(std::string_view text);

namespace name_letters {
struct CodeRange {
  char32_t first, last;
};
// Code points first, first + step, ... up to last, whose capitals lie `delta` further on.
struct CapitalRun {
  char32_t first, last;
  int step;
  int delta;
};
extern const CodeRange kLetters[];
extern const std::size_t kLettersCount;
extern const CodeRange kMarks[];
extern const std::size_t kMarksCount;
extern const CapitalRun kCapitals[];
extern const std::size_t kCapitalsCount;
}  // namespace name_letters

}  // namespace halvora::forms
