// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Readable failure messages for the atlas's enumerations.

#include <ostream>

#include "places/atlas.h"
#include "places/clock.h"

namespace halvora::places {

inline void PrintTo(ClockKind k, std::ostream* os) {
  constexpr const char* kNames[] = {"Standard", "Daylight", "DoubleSummer", "War", "Winter"};
  *os << kNames[static_cast<int>(k)];
}

inline void PrintTo(ClockStatus s, std::ostream* os) {
  constexpr const char* kNames[] = {"Ok", "NonExistent", "Repeated", "UnknownZone", "InvalidTime"};
  *os << kNames[static_cast<int>(s)];
}

inline void PrintTo(ResolveStatus s, std::ostream* os) {
  constexpr const char* kNames[] = {"Found", "NotFound", "Ambiguous"};
  *os << kNames[static_cast<int>(s)];
}

}  // namespace halvora::places
