// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/birth_time_window.h"


#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <unordered_map>

#include "chart/chart_request.h"
#include "chart/rashi_chart.h"
#include "chart/sign_names.h"
#include "chart/special_points.h"

namespace halvora {

namespace {

// The slowest a point is assumed to move while the search has seen nothing faster, in degrees per
// second (one degree a minute: twice the Sree Lagna's usual pace away from the polar circles).
constexpr double kFloorDegPerSecond = 1.0 / 60;
// A step is as long as the point needs to reach the nearer edge of its sign at this many times
// the speed it was last seen to move.
constexpr double kSpeedMargin = 2.0;
// The longest single step, in seconds.
constexpr std::int64_t kLongestStepSeconds = 3600;

double sreeLagnaDeg(const FastPoints& p) {
  return SreeLagnaDegrees(p.AscendantDeg, p.MoonLongitudeDeg, p.MoonNakshatraStart);
}
double ascendantDeg(const FastPoints& p) { return p.AscendantDeg; }

// Degrees from a longitude to the nearer edge of the sign it is read in; 0 without a sign.
double marginToEdge(double deg, std::optional<int> sign) {
  if (!sign) return 0;
  const double a = std::fabs(deg);
  const double low = 30.0 * *sign;
  return std::max(0.0, std::min(a - low, low + 30.0 - a));
}

// The positions at whole seconds, each second asked of the model once.
class Clock {
 public:
  explicit Clock(const FastPointsAt& pointsAt) : m_pointsAt(pointsAt) {}
  const FastPoints& at(std::int64_t second) {
    auto it = m_seen.find(second);
    if (it == m_seen.end()) it = m_seen.emplace(second, m_pointsAt(fromSecondsSinceEpoch(second))).first;
    return it->second;
  }

 private:
  const FastPointsAt& m_pointsAt;
  std::unordered_map<std::int64_t, FastPoints> m_seen;
};

// Walks from the birth one way (direction +1 or -1) to the last second that still has the
// birth's sign. Each step is short enough that the point, at twice the speed it was last seen to
// move, cannot reach an edge of the sign: so a sign left and entered again between two looks is
// not missed, even where the ascendant swings to and fro beyond the polar circles. A look that
// finds another sign is taken back and the step shortened, down to one second.
WindowEnd searchEnd(Clock& clock, double (*degOf)(const FastPoints&), std::int64_t birth, int direction,
                    std::int64_t limit, WindowEnd::Kind limitKind) {
  double here = degOf(clock.at(birth));
  const std::optional<int> sign = SignIndexOfLongitude(here);
  std::int64_t now = birth;
  double speed = kFloorDegPerSecond;
  while (true) {
    const std::int64_t room = (limit - now) * direction;
    if (room <= 0) return {limitKind, {}, std::nullopt};
    const double reach = marginToEdge(here, sign) / speed;
    std::int64_t step = reach >= static_cast<double>(kLongestStepSeconds)
                            ? kLongestStepSeconds
                            : std::max<std::int64_t>(1, static_cast<std::int64_t>(reach));
    step = std::min(step, room);
    const std::int64_t next = now + direction * step;
    const double there = degOf(clock.at(next));
    const double seen = std::fabs(std::remainder(there - here, 360.0)) / static_cast<double>(step);
    const std::optional<int> nextSign = SignIndexOfLongitude(there);
    if (nextSign == sign) {
      now = next;
      here = there;
      speed = std::max({kFloorDegPerSecond, kSpeedMargin * seen, speed / 2});
      continue;
    }
    if (step == 1) return {WindowEnd::Kind::Found, fromSecondsSinceEpoch(now), nextSign};
    speed = std::max(speed * 2, kSpeedMargin * seen);
  }
}

SignWindow searchWindow(Clock& clock, double (*degOf)(const FastPoints&), std::int64_t birth) {
  const std::int64_t first = secondsSinceEpoch(kFirstListMoment);
  const std::int64_t last = secondsSinceEpoch(kLastListMoment);
  const std::int64_t earliest = birth - kWindowSearchSeconds;
  const std::int64_t latest = birth + kWindowSearchSeconds;
  SignWindow w;
  w.sign = SignIndexOfLongitude(degOf(clock.at(birth)));
  w.from = earliest >= first ? searchEnd(clock, degOf, birth, -1, earliest, WindowEnd::Kind::BeyondSearch)
                             : searchEnd(clock, degOf, birth, -1, std::min(first, birth),
                                         WindowEnd::Kind::BeyondYearList);
  w.to = latest <= last ? searchEnd(clock, degOf, birth, +1, latest, WindowEnd::Kind::BeyondSearch)
                        : searchEnd(clock, degOf, birth, +1, std::max(last, birth), WindowEnd::Kind::BeyondYearList);
  return w;
}

// Within this many seconds of an end the line asks the user to check the birth time.
constexpr std::int64_t kCloseSeconds = 5 * 60;

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string clockText(const LocalDateTime& t) {
  return std::to_string(t.hour) + ":" + twoDigits(t.minute) + ":" + twoDigits(t.second);
}

std::string dateText(const LocalDateTime& t) {
  return std::string(MonthName(t.month)) + " " + std::to_string(t.day) + ", " + std::to_string(t.year);
}

std::string countText(std::int64_t n, std::string_view unit) {
  return std::to_string(n) + " " + std::string(unit) + (n == 1 ? "" : "s");
}

// "40 seconds", "1 minute", "4 minutes 20 seconds".
std::string durationText(std::int64_t seconds) {
  const std::int64_t minutes = seconds / 60, rest = seconds % 60;
  if (minutes == 0) return countText(rest, "second");
  if (rest == 0) return countText(minutes, "minute");
  return countText(minutes, "minute") + " " + countText(rest, "second");
}

// An end as the line writes it: the clock time, with its date when that is not the birth's.
std::string lineEndText(const WindowEnd& end, const LocalDateTime& birth, bool isFrom) {
  switch (end.kind) {
    case WindowEnd::Kind::Found: {
      const bool sameDay = end.at.year == birth.year && end.at.month == birth.month && end.at.day == birth.day;
      return sameDay ? clockText(end.at) : dateText(end.at) + ", " + clockText(end.at);
    }
    case WindowEnd::Kind::BeyondSearch:
      return isFrom ? "more than 6 hours earlier" : "more than 6 hours later";
    case WindowEnd::Kind::BeyondYearList:
      return isFrom ? "before January 1, 1901" : "after December 31, 2050";
  }
  return {};
}

}  // namespace

FastPointsAt BuiltInFastPoints(const BirthData& birth, const ZoneCorrection& zone) {
  // The built-in positions change only from one minute to the next: the last minute asked is kept.
  struct Last {
    std::int64_t minute = 0;
    bool held = false;
    FastPoints points{};
  };
  auto last = std::make_shared<Last>();
  return [birth, zone, last](const LocalDateTime& clock) {
    const std::int64_t minute = secondsSinceEpoch({clock.year, clock.month, clock.day, clock.hour, clock.minute, 0});
    if (last->held && last->minute == minute) return last->points;
    *last = {minute, true, BuiltinModel{}.fastPoints(birth, zone, clock)};
    return last->points;
  };
}

std::optional<int> SreeLagnaSignAt(const FastPoints& p) { return SignIndexOfLongitude(sreeLagnaDeg(p)); }
std::optional<int> AscendantSignAt(const FastPoints& p) { return SignIndexOfLongitude(p.AscendantDeg); }

BirthTimeWindows FindBirthTimeWindows(const FastPointsAt& pointsAt, const LocalDateTime& birth) {
  Clock clock(pointsAt);
  const std::int64_t t = secondsSinceEpoch(birth);
  return {searchWindow(clock, sreeLagnaDeg, t), searchWindow(clock, ascendantDeg, t)};
}

BirthTimeWindows BirthTimeWindowsOf(const ChartResult& chart) {
  const std::optional<ModelChoice> choice = ModelChoiceOf(chart.model);
  if (!choice || choice->ephemeris == EphemerisKind::Builtin)
    return FindBirthTimeWindows(BuiltInFastPoints(chart.birth, chart.zone), chart.birthMoment);
  const ModelOutcome opened = OpenPositionModel(*choice);
  const auto* model = std::get_if<std::shared_ptr<const PositionModel>>(&opened);
  if (model == nullptr) return {};
  return FindBirthTimeWindows(FastPointsOf(**model, chart.birth, chart.zone), chart.birthMoment);
}

std::string_view SignTitle(std::optional<int> signIndex) {
  if (!signIndex || *signIndex < 0 || *signIndex > 11) return {};
  return SignTitles[static_cast<std::size_t>(*signIndex)];
}

std::string WindowEndText(const WindowEnd& end, bool isFrom) {
  switch (end.kind) {
    case WindowEnd::Kind::Found: {
      const LocalDateTime& t = end.at;
      return std::to_string(t.year) + "-" + twoDigits(t.month) + "-" + twoDigits(t.day) + " " + twoDigits(t.hour) +
             ":" + twoDigits(t.minute) + ":" + twoDigits(t.second);
    }
    case WindowEnd::Kind::BeyondSearch:
      return "more than 6 hours";
    case WindowEnd::Kind::BeyondYearList:
      return isFrom ? "before 1901" : "after 2050";
  }
  return {};
}

std::string WindowLine(std::string_view pointName, const SignWindow& window, const LocalDateTime& birth) {
  if (!window.sign) return {};
  const std::string_view sign = SignTitle(window.sign);
  std::string line = std::string(pointName) + " in " + std::string(sign) + " for births from " +
                     lineEndText(window.from, birth, true) + " to " + lineEndText(window.to, birth, false);
  std::string around;
  if (window.from.kind == WindowEnd::Kind::Found && !SignTitle(window.from.otherSign).empty())
    around += "before: " + std::string(SignTitle(window.from.otherSign));
  if (window.to.kind == WindowEnd::Kind::Found && !SignTitle(window.to.otherSign).empty())
    around += (around.empty() ? "" : ", ") + ("after: " + std::string(SignTitle(window.to.otherSign)));
  if (!around.empty()) line += " (" + around + ")";

  // The nearer end, when it lies within five minutes of the birth.
  const std::int64_t t = secondsSinceEpoch(birth);
  std::optional<std::int64_t> sinceEntry, untilLeaving;
  if (window.from.kind == WindowEnd::Kind::Found) sinceEntry = t - secondsSinceEpoch(window.from.at);
  if (window.to.kind == WindowEnd::Kind::Found) untilLeaving = secondsSinceEpoch(window.to.at) + 1 - t;
  const std::string point = "the " + std::string(pointName);
  if (sinceEntry && *sinceEntry <= kCloseSeconds && (!untilLeaving || *sinceEntry <= *untilLeaving)) {
    line += *sinceEntry == 0 ? "; the birth is in the very second " + point + " entered " + std::string(sign)
                             : "; the birth is " + durationText(*sinceEntry) + " after " + point + " entered " +
                                   std::string(sign);
    line += ": check the birth time";
  } else if (untilLeaving && *untilLeaving <= kCloseSeconds) {
    line += "; the birth is " + durationText(*untilLeaving) + " before " + point + " leaves " + std::string(sign) +
            ": check the birth time";
  }
  return line;
}

}  // namespace halvora
