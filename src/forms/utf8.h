// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Strict UTF-8 checking and a safe excerpt of any bytes for a message.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace halvora::forms {

// The offset of the first byte that does not begin or continue a well-formed UTF-8 sequence
// (overlong forms, surrogates and code points above U+10FFFF are ill-formed), or nothing when the
// whole text is well-formed.
std::optional<std::size_t> firstInvalidUtf8(std::string_view text);

inline bool isValidUtf8(std::string_view text) { return !firstInvalidUtf8(text).has_value(); }

// The text without one UTF-8 byte-order mark (EF BB BF) at its very start, as editors on Windows
// write it; a mark anywhere else stays and is refused by the reader as any stray text is.
inline std::string_view withoutByteOrderMark(std::string_view text) {
  return text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
}

// Appends the UTF-8 form of a code point (at most U+10FFFF, not a surrogate).
void appendUtf8(std::string& out, char32_t codePoint);

// A short quoted excerpt of any bytes for a message: at most `maxBytes` of the text, cut on a
// character boundary and marked with "..." when cut; control characters, the quote and bytes that
// are not UTF-8 written as \xNN, so the excerpt is always valid UTF-8 and prints on one line.
std::string quoteForMessage(std::string_view text, std::size_t maxBytes = 32);

}  // namespace halvora::forms
