// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search key of a text: what a user may type for it on an English keyboard.

#include <string>
#include <string_view>

namespace halvora::places {

// Lower case without accents ("Tromsø" -> "tromso", "Şǝki" -> "saki"); apostrophes and full stops
// vanish ("Kazan’" -> "kazan"); hyphens, dashes, commas and other punctuation separate words, and
// words are joined by single spaces. Letters of other scripts are kept, case-folded. UTF-8 in and out.
std::string FoldForSearch(std::string_view text);

}  // namespace halvora::places
