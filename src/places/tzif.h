// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A strict reader of the compiled time-zone files of the system's database (TZif): the clocks a
// zone kept, from the file's table and past it from its footer's rule, and the facts a clock
// library may derive differently from the file: whether a period was daylight time, the standard
// time it departed from, and how long the daylight time lasted.

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

// A stretch of one clock, from startUtc until the next stretch begins.
struct TzifPeriod {
  std::int64_t startUtc = 0;
  int utcOffsetSeconds = 0;
  bool isDst = false;
  std::string abbreviation;
  int standardOffsetSeconds = 0;  // the footer's standard time for its daylight time; else the offset
};

// The stretches over [fromUtc, toUtc]: the one in force at fromUtc (which may have begun earlier)
// and each that begins after fromUtc and no later than toUtc, in order; from the table, and after
// its last transition from the footer's rule (a POSIX TZ string: "CET-1CEST,M3.5.0,M10.5.0/3").
// Empty when the footer cannot be read where it is needed.
std::vector<TzifPeriod> PeriodsBetween(const TzifZone& zone, std::int64_t fromUtc, std::int64_t toUtc);

}  // namespace halvora::places
