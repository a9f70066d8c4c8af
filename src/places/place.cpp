// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/place.h"

#include <cmath>

namespace halvora::places {

std::string PlaceLabel(const Place& place) {
  std::string text = place.name;
  for (const std::string* part : {&place.state, &place.country}) {
    if (part->empty()) continue;
    text += ", ";
    text += *part;
  }
  return text;
}

WholeMinutes RoundToWholeMinutes(double angleDeg) {
  const long long totalMinutes = std::llround(std::fabs(angleDeg) * 60.0);
  WholeMinutes r;
  r.degrees = static_cast<int>(totalMinutes / 60);
  r.minutes = static_cast<int>(totalMinutes % 60);
  r.negative = angleDeg < 0 && totalMinutes != 0;
  return r;
}

namespace {

std::string angleText(double angleDeg, char positive, char negative) {
  const WholeMinutes m = RoundToWholeMinutes(angleDeg);
  std::string text = std::to_string(m.degrees) + "\u00b0";
  if (m.minutes < 10) text += '0';
  text += std::to_string(m.minutes) + "\u2032 ";
  text += m.negative ? negative : positive;
  return text;
}

}  // namespace

std::string CoordinatesText(const Place& place) {
  return angleText(place.latitudeDeg, 'N', 'S') + " " + angleText(place.longitudeDeg, 'E', 'W');
}

std::string CompletionText(const Place& place) {
  return PlaceLabel(place) + " \u2014 " + CoordinatesText(place);
}

}  // namespace halvora::places
