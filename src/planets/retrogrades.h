// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Retrograde marks of Mercury, Venus, Mars, Jupiter and Saturn, looked up in tables of station dates.

#include <array>
#include <string>
#include <string_view>

namespace halvora {

// The ten chart labels in the order of the chart texts.
inline constexpr std::array<std::string_view, 10> kPlainPlanetLabels = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};

// Appended to the label of a retrograde planet.
inline constexpr std::string_view kRetrogradeMark = " (R) ";

// One flag per planet: Mercury, Venus, Mars, Jupiter, Saturn.
using RetrogradeFlags = std::array<bool, 5>;
using PlanetLabels = std::array<std::string, 10>;

struct RetrogradeMarks {
  RetrogradeFlags flags{};
  PlanetLabels labels;
};

// True when the local calendar date lies strictly between the dates of a begin and an end station
// of the named planet ("Mercury", "Venus", "Mars", "Jupiter" or "Saturn"); hours never matter.
bool IsRetrograde(int year, int month, int day, std::string_view planetName);

// Flags and labels for a birth's local calendar date.
RetrogradeMarks MarkRetrogrades(int year, int month, int day);

}  // namespace halvora
