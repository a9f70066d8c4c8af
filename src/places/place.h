// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A populated place of the atlas, and the texts and whole-minute coordinates shown for it.

#include <cstdint>
#include <optional>
#include <string>

namespace halvora::places {

struct Place {
  std::string name;         // "Pune"
  std::string state;        // first-level division: "Maharashtra", "State of Uttar Pradesh"
  std::string country;      // "India"
  std::string countryCode;  // ISO 3166 alpha-2: "IN"
  double latitudeDeg = 0;   // north positive
  double longitudeDeg = 0;  // east positive
  std::optional<std::uint32_t> population;
  std::string timeZone;  // IANA name: "Asia/Kolkata"
  friend bool operator==(const Place&, const Place&) = default;
};

// "Pune, Maharashtra, India".
std::string PlaceLabel(const Place& place);

// An angle rounded to the nearest whole minute of arc, as a magnitude and a direction.
struct WholeMinutes {
  int degrees = 0;
  int minutes = 0;        // 0..59
  bool negative = false;  // south or west
  friend bool operator==(const WholeMinutes&, const WholeMinutes&) = default;
};
WholeMinutes RoundToWholeMinutes(double angleDeg);

// "18°31′ N 73°51′ E": latitude and longitude rounded to whole minutes.
std::string CoordinatesText(const Place& place);

// "Pune, Maharashtra, India — 18°31′ N 73°51′ E": one line of the completion list.
std::string CompletionText(const Place& place);

}  // namespace halvora::places
