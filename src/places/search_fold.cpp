// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/search_fold.h"

#include <cstdint>

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace halvora::places {
namespace {

// Builds the key a character at a time: separators collapse into one space between words.
class KeyBuilder {
 public:
  void letters(std::string_view s) {
    if (m_pendingSpace && !m_key.empty()) m_key += ' ';
    m_pendingSpace = false;
    m_key += s;
  }
  void separator() { m_pendingSpace = true; }
  std::string take() { return std::move(m_key); }

 private:
  std::string m_key;
  bool m_pendingSpace = false;
};

bool vanishes(char32_t c) {
  switch (c) {
    case U'\'':
    case U'`':
    case U'.':
    case U'\u00b4':  // acute accent
    case U'\u02bb':  // modifier letter turned comma
    case U'\u02bc':  // modifier letter apostrophe
    case U'\u2018':
    case U'\u2019':
      return true;
    default:
      return false;
  }
}

// Letters that have no decomposition into a base letter and marks.
std::string_view transliteration(char32_t c) {
  switch (c) {
    case U'\u00f8': return "o";   // ø
    case U'\u00e6': return "ae";  // æ
    case U'\u0153': return "oe";  // œ
    case U'\u00df': return "ss";  // ß
    case U'\u0111': return "d";   // đ
    case U'\u00f0': return "d";   // ð
    case U'\u0127': return "h";   // ħ
    case U'\u0131': return "i";   // dotless ı
    case U'\u0142': return "l";   // ł
    case U'\u00fe': return "th";  // þ
    case U'\u0259': return "a";   // ə, written a in English
    case U'\u01dd': return "a";   // ǝ, used for ə
    default: return {};
  }
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xc0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3f));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xe0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (c & 0x3f));
  } else {
    out += static_cast<char>(0xf0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (c & 0x3f));
  }
}

bool isAscii(std::string_view s) {
  for (const char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Most names are plain ASCII; they need no Unicode tables.
std::string foldAscii(std::string_view text) {
  KeyBuilder key;
  for (const char c : text) {
    if (c >= 'A' && c <= 'Z') {
      const char lower = static_cast<char>(c - 'A' + 'a');
      key.letters({&lower, 1});
    } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      key.letters({&c, 1});
    } else if (!vanishes(static_cast<unsigned char>(c))) {
      key.separator();
    }
  }
  return key.take();
}

// Compatibility decomposition (NFKD), then full case folding, with ICU's tables.
std::string foldUnicode(std::string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfkd = icu::Normalizer2::getNFKDInstance(status);
  icu::UnicodeString decomposed;
  if (U_SUCCESS(status)) {
    decomposed = nfkd->normalize(icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size()))),
                                 status);
  }
  if (U_FAILURE(status)) return foldAscii(text);
  decomposed.foldCase(U_FOLD_CASE_DEFAULT);
  KeyBuilder key;
  std::string utf8;
  for (int32_t i = 0; i < decomposed.length(); i = decomposed.moveIndex32(i, 1)) {
    const auto c = static_cast<char32_t>(decomposed.char32At(i));
    const std::uint32_t category = U_GET_GC_MASK(static_cast<UChar32>(c));
    if ((category & U_GC_M_MASK) != 0 || vanishes(c)) continue;
    if (const std::string_view t = transliteration(c); !t.empty()) {
      key.letters(t);
    } else if ((category & (U_GC_L_MASK | U_GC_N_MASK)) != 0) {
      utf8.clear();
      appendUtf8(utf8, c);
      key.letters(utf8);
    } else {
      key.separator();
    }
  }
  return key.take();
}

}  // namespace

std::string FoldForSearch(std::string_view text) {
  return isAscii(text) ? foldAscii(text) : foldUnicode(text);
}

}  // namespace halvora::places
