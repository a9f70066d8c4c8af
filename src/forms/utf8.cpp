// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/utf8.h"

#include <array>

namespace halvora::forms {

namespace {

// Length of the well-formed sequence that starts at text[i], or 0 when none does.
std::size_t sequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0) low = 0xA0;   // no overlong three-byte forms
    if (b0 == 0xED) high = 0x9F;  // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0) low = 0x90;   // no overlong four-byte forms
    if (b0 == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k)
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  return length;
}

void appendHexByte(std::string& out, unsigned char b) {
  static constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
  out += "\\x";
  out += kHex[b >> 4];
  out += kHex[b & 0xF];
}

}  // namespace

std::optional<std::size_t> firstInvalidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    // Plain ASCII runs are the common case.
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t n = sequenceLength(text, i);
    if (n == 0) return i;
    i += n;
  }
  return std::nullopt;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string quoteForMessage(std::string_view text, std::size_t maxBytes) {
  std::string out = "\"";
  std::size_t i = 0;
  std::size_t used = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    std::size_t n = sequenceLength(text, i);
    const bool escaped = n == 0 || b < 0x20 || b == 0x7F || b == '"' || b == '\\';
    if (n == 0) n = 1;
    if (used + n > maxBytes) break;
    if (escaped) appendHexByte(out, b);
    else out.append(text.substr(i, n));
    used += n;
    i += n;
  }
  out += '"';
  if (i < text.size()) out += "...";
  return out;
}

}  // namespace halvora::forms
