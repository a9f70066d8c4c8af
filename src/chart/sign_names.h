// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names of the twelve signs by sign index, 0 = Aries .. 11 = Pisces: the one table of them
// that the chart, the profiles, the windows, the printed pages and halvora-chart all read.

#include <array>
#include <string_view>

namespace halvora {

// Three-letter abbreviations, as the chart texts write the sign.
inline constexpr std::array<std::string_view, 12> SignNames = {"Ari", "Tau", "Gem", "Can", "Leo", "Vir",
                                                               "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"};

// English names, as the profile and the chart's titles write the sign.
inline constexpr std::array<std::string_view, 12> SignTitles = {
    "Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius",
    "Pisces"};

}  // namespace halvora
