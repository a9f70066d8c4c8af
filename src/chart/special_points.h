// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Sree Lagna and the other special points that mark the cells of the text chart.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "planets/planets.h"
#include "planets/retrogrades.h"

namespace halvora {

// Kala value of each sign, by sign index (Virgo and Aquarius carry 10).
inline constexpr std::array<int, 12> KalaValue = {10, 1, 1, 10, 6, 10, 8, 16, 30, 8, 10, 6};

// Degrees per minute since sunrise of the three time-rate points.
inline constexpr double kGhatiDegPerMinute = 1.25;  // one sign per 24 minutes
inline constexpr double kHoraDegPerMinute = 0.5;    // one sign per hour
inline constexpr double kBhavaDegPerMinute = 0.25;  // one sign per two hours

// The arudha points of the twelve houses, in house order from the ascendant's sign.
struct ArudhaPadas {
  std::vector<int> marks;  // label indexes to mark, in order (may hold indexes outside 0..11)
  int induStartSign = 0;   // the ascendant's sign number 1..12
  int lagnaKala = 0;       // kala of the ascendant's sign
  int moonKala = 0;        // kala of the Moon's sign
};

ArudhaPadas MarkArudhaPadas(const ChartPositions& positions, const PlanetLabels& labels);

// Sun + rate x minutes, reduced by 360 while above 360 (360 itself stays).
double TimeRatePoint(double sunriseSunLongitudeDeg, std::int64_t elapsedMinutes, double degPerMinute);

// Label index (0..11) of the indu point, counted from the ascendant's sign.
int InduPointIndex(int induStartSign, int lagnaKala, int moonKala);

// The varnada point's longitude from the whole degrees of the ascendant and of the hora point.
int VarnadaDegrees(int ascendantDegInt, int horaDegInt);

// The ascendant advanced by the fraction of its nakshatra that the Moon has covered, scaled to the circle.
double SreeLagnaDegrees(double ascendantDeg, double moonLongitudeDeg, double moonNakshatraStart);

// House 1..12 of a sign counted from the ascendant's sign, the ascendant's own sign being house 1.
int HouseFromAscendant(int signNumber, int ascSignNumber);

// Signs, degrees, minutes and seconds of an amount of vighatis.
struct VighatiParts {
  std::int64_t signs = 0, degrees = 0, minutes = 0, seconds = 0;
};
VighatiParts Vighati2Degree(double amount);

// Label index of the pranapada point from the seconds since sunrise and the Sun's chart text at sunrise.
std::optional<int> PranapadaIndex(std::int64_t elapsedSeconds, std::string_view sunriseSunChartText);

}  // namespace halvora
