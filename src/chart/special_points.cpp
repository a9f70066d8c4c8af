// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/special_points.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>

#include "chart/chart_request.h"
#include "chart/rashi_chart.h"

namespace halvora {

namespace {

// Sign number 1..12 of a chart text, or nothing.
std::optional<int> signNumberOf(std::string_view chartText) {
  const auto k = SignIndexOfChartText(chartText);
  if (!k) return std::nullopt;
  return *k + 1;
}

std::string_view withoutRetrogradeMark(std::string_view label) {
  if (label.ends_with(kRetrogradeMark)) label.remove_suffix(kRetrogradeMark.size());
  return label;
}

int twoDigitField(std::string_view chartText, std::size_t offset) {
  int value = 0;
  if (chartText.size() >= offset + 2) std::from_chars(chartText.data() + offset, chartText.data() + offset + 2, value);
  return value;
}

}  // namespace

ArudhaPadas MarkArudhaPadas(const ChartPositions& positions, const PlanetLabels& labels) {
  ArudhaPadas result;
  const auto ascIndex = SignIndexOfChartText(positions[9]);
  if (!ascIndex) return result;

  // Every house looks at the same ten entries: their signs and plain labels, read once.
  std::array<std::optional<int>, std::tuple_size_v<ChartPositions>> signs;
  std::array<std::string_view, std::tuple_size_v<ChartPositions>> plainLabels;
  for (std::size_t j = 0; j < positions.size(); ++j) {
    signs[j] = signNumberOf(positions[j]);
    plainLabels[j] = withoutRetrogradeMark(labels[j]);
  }

  int lagnaLordSign = 0;
  for (int n = 1; n <= 12; ++n) {
    const std::string_view lord = SignLords[static_cast<std::size_t>((*ascIndex + n - 1) % 12)];
    int l = 0;
    int h = 0;
    for (std::size_t j = 0; j < positions.size(); ++j) {
      const auto s = signs[j];
      if (!s) continue;
      if (plainLabels[j] == lord) l = *s;
      if (j == 1) result.moonKala = KalaValue[static_cast<std::size_t>(*s - 1)];
      if (j == 9) {
        h = *s;
        result.lagnaKala = KalaValue[static_cast<std::size_t>(*s - 1)];
      }
    }
    if (n == 1) {
      result.induStartSign = h;
      lagnaLordSign = l;
    } else {
      h += n - 1;
      if (h > 12) h -= 12;
    }

    int p = 2 * (l - h);
    while (p < 0) p += 12;
    if (p > 12) p -= 12;
    if (p == 0 || p == 12) p = 9;
    p += h;
    while (p > 12) p -= 12;
    if (std::abs(p - h) == 6) {
      p += 9;
      while (p > 12) p -= 12;
    }
    result.marks.push_back(p - 1);
    if (n == 1) result.marks.push_back(lagnaLordSign - 1);
  }
  return result;
}

double TimeRatePoint(double sunriseSunLongitudeDeg, std::int64_t elapsedMinutes, double degPerMinute) {
  double point = sunriseSunLongitudeDeg + degPerMinute * static_cast<double>(elapsedMinutes);
  while (point > 360) point -= 360;
  return point;
}

int InduPointIndex(int induStartSign, int lagnaKala, int moonKala) {
  const int a = (lagnaKala + moonKala) % 12;
  int i = induStartSign + a - 1;
  while (i > 12) i -= 12;
  if (i == 0) i = 12;
  return i - 1;
}

int VarnadaDegrees(int ascendantDegInt, int horaDegInt) {
  const bool ascOdd = (ascendantDegInt / 30) % 2 == 0;
  const int ascPrime = ascOdd ? ascendantDegInt : 360 - ascendantDegInt;
  const bool horaOdd = (horaDegInt / 30) % 2 == 0;
  const int horaPrime = horaOdd ? horaDegInt : 360 - horaDegInt;
  int v = (ascOdd == horaOdd) ? std::abs(ascPrime + horaPrime) : std::abs(ascPrime - horaPrime);
  while (v > 360) v -= 360;
  if (!ascOdd) v = 360 - v;
  return v;
}

double SreeLagnaDegrees(double ascendantDeg, double moonLongitudeDeg, double moonNakshatraStart) {
  double deg = ascendantDeg + ((moonLongitudeDeg - moonNakshatraStart) * 0.075) * 360;
  while (deg > 360) deg -= 360;
  return deg;
}

int HouseFromAscendant(int signNumber, int ascSignNumber) {
  const int d = signNumber - ascSignNumber;
  return d > 0 ? d + 1 : (d < 0 ? d + 13 : 1);
}

VighatiParts Vighati2Degree(double amount) {
  const double whole = std::floor(std::fabs(amount));
  const double fraction = std::fabs(amount) - whole;
  const double deg = fraction * 30;
  const double min = (deg - std::floor(deg)) * 60;
  const double sec = (min - std::floor(min)) * 60;
  VighatiParts parts;
  parts.signs = static_cast<std::int64_t>(std::floor(whole / 15));
  parts.degrees = static_cast<std::int64_t>(std::floor(deg));
  parts.minutes = static_cast<std::int64_t>(std::floor(min));
  parts.seconds = static_cast<std::int64_t>(std::floor(sec));
  return parts;
}

std::optional<int> PranapadaIndex(std::int64_t elapsedSeconds, std::string_view sunriseSunChartText) {
  const auto k = SignIndexOfChartText(sunriseSunChartText);
  if (!k) return std::nullopt;
  const double amount = ((static_cast<double>(elapsedSeconds) / 3600) * 150) / 15;
  const VighatiParts parts = Vighati2Degree(amount);
  const int sunDegrees = twoDigitField(sunriseSunChartText, 0);
  const int sunMinutes = twoDigitField(sunriseSunChartText, 7);
  const std::int64_t c1 = (sunMinutes + parts.minutes) / 60;
  const std::int64_t c2 = (c1 + sunDegrees + parts.degrees) / 30;
  const std::int64_t signs = parts.signs + c2;

  std::int64_t p = signs + *k;
  switch (*k % 3) {
    case 1: p += 8; break;  // fixed signs
    case 2: p += 4; break;  // dual signs
    default: break;         // movable signs
  }
  while (p > 11) p -= 12;
  return static_cast<int>(p);
}

}  // namespace halvora
