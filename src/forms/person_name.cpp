// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/person_name.h"

#include <algorithm>
#include <span>

#include "forms/utf8.h"

namespace halvora::forms {

namespace {

using name_letters::CapitalRun;
using name_letters::CodeRange;

bool inRanges(std::span<const CodeRange> ranges, char32_t c) {
  const auto after = std::upper_bound(ranges.begin(), ranges.end(), c,
                                      [](char32_t value, const CodeRange& r) { return value < r.first; });
  return after != ranges.begin() && c <= std::prev(after)->last;
}

// The code point at text[i] of well-formed UTF-8, and its length in bytes.
char32_t decode(std::string_view text, std::size_t i, std::size_t& length) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  if (b0 < 0x80) {
    length = 1;
    return b0;
  }
  length = b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : 2;
  char32_t c = b0 & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
  return c;
}

}  // namespace

bool IsNameLetter(char32_t c) { return inRanges({name_letters::kLetters, name_letters::kLettersCount}, c); }

bool IsNameMark(char32_t c) { return inRanges({name_letters::kMarks, name_letters::kMarksCount}, c); }

char32_t NameCapital(char32_t c) {
  const std::span<const CapitalRun> runs{name_letters::kCapitals, name_letters::kCapitalsCount};
  const auto after =
      std::upper_bound(runs.begin(), runs.end(), c, [](char32_t value, const CapitalRun& r) { return value < r.first; });
  if (after == runs.begin()) return c;
  const CapitalRun& run = *std::prev(after);
  if (c > run.last || (c - run.first) % static_cast<char32_t>(run.step) != 0) return c;
  return static_cast<char32_t>(static_cast<int>(c) + run.delta);
}

std::optional<std::string> CapitalisedName(std::string_view text) {
  if (!isValidUtf8(text)) return std::nullopt;
  std::string name;
  name.reserve(text.size());
  bool afterLetter = false;  // the code point before was a letter or one of its marks
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 0;
    const char32_t c = decode(text, i, length);
    i += length;
    if (IsNameLetter(c)) {
      appendUtf8(name, NameCapital(c));
      afterLetter = true;
    } else if (afterLetter && IsNameMark(c)) {
      appendUtf8(name, c);
    } else if (c == U' ') {
      name += ' ';
      afterLetter = false;
    } else if (afterLetter && (c == U'-' || c == U'\'' || c == U'\u2019')) {
      appendUtf8(name, c);
      afterLetter = false;
    } else {
      return std::nullopt;
    }
  }
  return name;
}

}  // namespace halvora::forms
