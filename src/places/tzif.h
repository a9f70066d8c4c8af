// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A strict reader of the compiled time-zone files of the system's database (TZif),
// for the facts a clock library may derive differently from the file: whether a period was daylight
// time, the standard time it departed from, and how long the daylight time lasted.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halvora::places {

struct TzifLocalType {
  int utcOffsetSeconds = 0;
  bool isDst = false;
  std::string abbreviation;
};

struct TzifZone {
  std::vector<std::int64_t> transitionsUtc;  // seconds since 1970, ascending
  std::vector<std::uint8_t> transitionTypes;  // index into localTypes, one per transition
  std::vector<TzifLocalType> localTypes;      // the first one applies before the first transition
  std::string footer;                          // POSIX rule for times after the last transition, may be empty
};

// The zone of a file's bytes, or nothing when the bytes are not a well-formed TZif file.
std::optional<TzifZone> ParseTzif(std::string_view bytes);
std::optional<TzifZone> ReadTzifFile(const std::filesystem::path& path);

// What the file says about one instant.
struct TzifFacts {
  int utcOffsetSeconds = 0;
  bool isDst = false;
  std::string abbreviation;
  // The clock the daylight time departed from: of the standard periods just before and just after
  // the daylight run, the one nearer in offset (on a tie, the lower). Equal to utcOffsetSeconds
  // outside daylight time.
  int standardOffsetSeconds = 0;
  // For daylight time: when the unbroken run of daylight periods around the instant began and ended;
  // nothing where the run reaches past the file's table.
  std::optional<std::int64_t> dstRunStartUtc;
  std::optional<std::int64_t> dstRunEndUtc;
};

// Nothing when the footer's rule, not the table, governs the instant.
std::optional<TzifFacts> FactsAt(const TzifZone& zone, std::int64_t utcSeconds);

}  // namespace halvora::places
