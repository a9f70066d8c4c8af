// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_request.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "chart/rashi_chart.h"
#include "chart/sign_profiles.h"
#include "chart/special_points.h"
#include "chart/sunrise_choice.h"
#include "chart/time_zone_table.h"
#include "ephemeris/calendar.h"
#include "ephemeris/sunrise.h"

namespace halvora {

namespace {

std::string_view trim(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr int kFirstListYear = 1901;
constexpr int kLastListYear = 2050;

// Reads [sign] digits [. digits] from the start of s; returns the value and how many characters it used.
std::pair<double, std::size_t> leadingNumber(std::string_view s) {
  std::size_t i = 0;
  const bool negative = i < s.size() && s[i] == '-';
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t digitsStart = i;
  while (i < s.size() && isDigit(s[i])) ++i;
  const std::size_t wholeEnd = i;
  std::size_t digitCount = i - digitsStart;
  std::size_t parsedEnd = i;
  if (i < s.size() && s[i] == '.') {
    const std::size_t fractionStart = ++i;
    while (i < s.size() && isDigit(s[i])) ++i;
    digitCount += i - fractionStart;
    if (i > fractionStart) parsedEnd = i;
  }
  if (digitCount == 0) return {0.0, 0};
  if (i == wholeEnd && digitCount <= 15) {
    // Plain digits: a whole number below 2^53, which a double holds exactly.
    std::int64_t whole = 0;
    for (std::size_t k = digitsStart; k < wholeEnd; ++k) whole = whole * 10 + (s[k] - '0');
    const double value = static_cast<double>(whole);
    return {negative ? -value : value, i};
  }
  // from_chars reads the decimal point as '.' whatever the user's locale; the sign is applied here.
  double value = 0;
  const auto [end, ec] =
      std::from_chars(s.data() + digitsStart, s.data() + parsedEnd, value, std::chars_format::fixed);
  if (ec == std::errc::result_out_of_range) {
    // Too large (a non-zero whole part) or too small to hold: the nearest the type can say.
    const std::string_view whole = s.substr(digitsStart, wholeEnd - digitsStart);
    value = whole.find_first_not_of('0') != std::string_view::npos ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (ec != std::errc() || end != s.data() + parsedEnd) {
    return {0.0, 0};
  }
  return {negative ? -value : value, i};
}

// The numeric prefix of a text (0 when it has none), as a degree field is judged.
double numericPrefix(std::string_view s) { return leadingNumber(trim(s)).first; }

// The whole text as a number, or nothing when it is not one.
std::optional<double> wholeNumber(std::string_view s) {
  const std::string_view t = trim(s);
  const auto [value, used] = leadingNumber(t);
  if (used == 0 || used != t.size()) return std::nullopt;
  return value;
}

// Nearest integer, halves to the even neighbour, as a 16-bit field.
std::int16_t toInt16(double value) {
  const double rounded = std::nearbyint(value);  // the default rounding mode rounds halves to even
  if (rounded > std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
  if (rounded < std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
  return static_cast<std::int16_t>(rounded);
}

// A list text as the whole number the list shows, when it lies in the list's range.
std::optional<int> listNumber(std::string_view text, int low, int high) {
  const auto value = wholeNumber(text);
  if (!value || *value != std::floor(*value) || *value < low || *value > high) return std::nullopt;
  return static_cast<int>(*value);
}

ValidationFailure error(std::string message, std::string focus) {
  return {std::move(message), MessageIcon::Error, std::move(focus)};
}

ValidationFailure information(std::string message, std::string focus = {}) {
  return {std::move(message), MessageIcon::Information, std::move(focus)};
}

// A degree field fails when empty or out of range; a text without a numeric prefix counts as 0.
bool degreeFails(std::string_view text, double maximum) {
  if (trim(text).empty()) return true;
  const double value = numericPrefix(text);
  return value > maximum || value < 0;
}

// A minute field fails when empty, not a number, or out of 0..59.
bool minuteFails(std::string_view text) {
  const auto value = wholeNumber(text);
  return !value || *value > 59 || *value < 0;
}

struct ListValues {
  int day, year, hour, minute, second;
};

std::variant<ValidationFailure, ListValues> readLists(const FormInput& form) {
  const auto day = listNumber(form.day, 1, 31);
  if (!day) return information("Please choose the day of birth from its list.", "cboDate");
  // The year list runs from 1901 to 2050, the span of the retrograde tables; within it every
  // fourth year is a leap year, so the leap test needs no century rule.
  const auto year = listNumber(form.year, kFirstListYear, kLastListYear);
  if (!year) return information("Please choose the year of birth from its list.", "cboYear");
  const auto hour = listNumber(form.hour, 0, 23);
  if (!hour) return information("Please choose the hour of birth from its list.", "cboHH");
  const auto minute = listNumber(form.minute, 0, 59);
  if (!minute) return information("Please choose the minute of birth from its list.", "cboMM");
  const auto second = listNumber(form.second, 0, 59);
  if (!second) return information("Please choose the second of birth from its list.", "cboSS");
  return ListValues{*day, *year, *hour, *minute, *second};
}

// Appends a line break and a marker to the marker caption of a sign; indexes outside 0..11 mark nothing.
void mark(std::array<std::string, 12>& markers, std::optional<int> index, std::string_view marker = {}) {
  if (!index || *index < 0 || *index > 11) return;
  std::string& caption = markers[static_cast<std::size_t>(*index)];
  caption += kCaptionLineBreak;
  caption += marker;
}

void appendNumber(std::string& s, long long n) {
  char digits[24];
  s.append(digits, WriteDecimal(digits, n));
}

// Degrees and minutes with their hemisphere: 28° 37' N.
std::string coordinateText(long long degrees, long long minutes, char hemisphere) {
  std::string text;
  text.reserve(16);
  appendNumber(text, degrees);
  text += "\u00b0 ";
  appendNumber(text, minutes);
  text += "' ";
  text += hemisphere;
  return text;
}

Details detailsOf(const BirthData& b, const FormInput& form) {
  Details d;
  d.lblName = b.BirthName;
  d.lblDOB.reserve(24);
  d.lblDOB += MonthName(b.BirthMonth);
  d.lblDOB += '/';
  appendNumber(d.lblDOB, b.BirthDay);
  d.lblDOB += '/';
  appendNumber(d.lblDOB, b.BirthYear);
  appendNumber(d.lblTOB, b.BirthHour);
  d.lblTOB += ':';
  appendNumber(d.lblTOB, b.BirthMinute);
  d.lblLatitude = coordinateText(b.LatDeg, b.LatMin, form.north ? 'N' : 'S');
  d.lblLongitude = coordinateText(b.LonDeg, b.LonMin, form.east ? 'E' : 'W');
  d.lblCity = form.city;
  d.lblState = form.state;
  d.lblCountry = form.country;
  return d;
}

}  // namespace

namespace {

// The checks in their order: the first failure, or the values of the lists when all pass.
std::variant<ValidationFailure, ListValues> validated(const FormInput& form) {
  if (trim(form.name).empty()) return error("Please Enter Name", "txtName");
  if (degreeFails(form.lonDeg, 179))
    return error("Please Enter Value Between 0 And 179 in the Degree of Longitude", "txtLonD");
  if (minuteFails(form.lonMin))
    return error("Please Enter Value Between 0 And 59 in the  Minute of Longitude", "txtLonM");
  if (degreeFails(form.latDeg, 89))
    return error("Please Enter Value Between 0 And 89 in the Degree of Latitude", "txtLatD");
  if (minuteFails(form.latMin))
    return error("Please Enter Value Between 0 And 59 in the  Minute of Latitude", "txtLatM");

  auto lists = readLists(form);
  if (std::holds_alternative<ValidationFailure>(lists)) return lists;
  const ListValues& v = std::get<ListValues>(lists);
  const int dayIndex = v.day - 1;
  if (form.monthIndex == 1) {
    const bool leap = v.year % 4 == 0;  // every fourth year, without the century rule
    if (dayIndex > (leap ? 28 : 27)) return information("Please Enter Correct Date Or Month!");
  }
  if ((form.monthIndex == 3 || form.monthIndex == 5 || form.monthIndex == 8 || form.monthIndex == 10) &&
      dayIndex == 30) {
    return information("Please Enter Correct Date Or Month !");
  }
  if (form.monthIndex < 0 || form.monthIndex > 11)
    return information("Please choose the month of birth from its list.", "cboMonth");
  if (!Zone_Calculation(form.zoneIndex, form.customZone))
    return information("Please choose a time zone from its list.", "cmbTimeZone");
  return lists;
}

}  // namespace

std::optional<ValidationFailure> Validate_Entries(const FormInput& form) {
  auto checked = validated(form);
  if (auto* failure = std::get_if<ValidationFailure>(&checked)) return std::move(*failure);
  return std::nullopt;
}

ChartRequestOutcome RunChartRequest(const FormInput& form) {
  static const BuiltinModel builtin;
  return RunChartRequest(form, builtin);
}

ChartRequestOutcome RunChartRequest(const FormInput& form, const PositionModel& model) {
  auto checked = validated(form);
  if (auto* failure = std::get_if<ValidationFailure>(&checked)) return std::move(*failure);
  const ListValues lists = std::get<ListValues>(checked);

  ChartResult r;
  BirthData& b = r.birth;
  b.BirthName = form.name;
  r.zone = *Zone_Calculation(form.zoneIndex, form.customZone);
  if (form.zoneIndex != kCustomZonePosition) r.zoneRow = form.zoneIndex;
  r.zoneText = ZoneEntryText(form.zoneIndex, form.customZone);
  b.BirthMonth = static_cast<std::int16_t>(form.monthIndex + 1);
  b.BirthDay = static_cast<std::int16_t>(lists.day);
  b.BirthYear = static_cast<std::int16_t>(lists.year);
  b.BirthHour = static_cast<std::int16_t>(lists.hour);
  b.BirthMinute = static_cast<std::int16_t>(lists.minute);
  b.ZoneHours = toInt16(std::abs(r.zone.hours));
  b.ZoneMinutes = toInt16(std::abs(r.zone.minutes));
  b.LonDeg = toInt16(numericPrefix(form.lonDeg));
  b.LonMin = toInt16(*wholeNumber(form.lonMin));
  b.LatDeg = toInt16(numericPrefix(form.latDeg));
  b.LatMin = toInt16(*wholeNumber(form.latMin));
  b.IsEast = form.east;
  b.IsSouth = !form.north;
  b.IsDST = form.dst;

  // The model's positions at the birth moment.
  BirthPositions atBirth = model.atBirth(b, r.zone, lists.second);
  r.ascendant = atBirth.ascendant;
  r.moon = atBirth.moon;
  r.chartPositions = std::move(atBirth.chartPositions);
  r.retrogrades = std::move(atBirth.retrogrades);
  r.model = atBirth.model;

  r.details = detailsOf(b, form);
  const RashiChart chart = FillRashiChart(r.chartPositions, r.retrogrades.labels);
  r.signLabels = chart.signLabels;
  r.AscSignNumber = chart.AscSignNumber;

  // The arudha points, house by house from the ascendant's sign.
  const ArudhaPadas arudha = MarkArudhaPadas(r.chartPositions, r.retrogrades.labels);
  for (int index : arudha.marks) mark(r.markers, index);

  // The sunrise the birth is timed from.
  const LocalDateTime birthDate{b.BirthYear, b.BirthMonth, b.BirthDay, 0, 0, 0};
  const SunTimes today = model.sunTimes(b, r.zone, birthDate);
  const SunTimes before = model.sunTimes(b, r.zone, addDays(birthDate, -1));
  const SunTimes after = model.sunTimes(b, r.zone, addDays(birthDate, 1));
  const LocalDateTime birthMoment{b.BirthYear, b.BirthMonth, b.BirthDay, b.BirthHour, b.BirthMinute, lists.second};
  const SunriseOutcome outcome = ChooseSunrise(today, before, after, birthMoment);
  const SunriseChoice* choice = std::get_if<SunriseChoice>(&outcome);

  // The points timed from sunrise: ghati, hora, bhava, then (below) varnada and pranapada.
  std::optional<int> horaDegInt;
  std::string sunriseSunText;
  if (choice) {
    r.sunrise = choice->sunrise;
    r.ElapsedMinutes = choice->elapsedMinutes;
    r.ElapsedSeconds = choice->elapsedSeconds;
    // The sunrise is a clock time of its own day, with that day's daylight-saving hour.
    SunriseSun sunriseSun = model.sunAt(b, r.zone, choice->sunrise, choice->daylightSaving, atBirth);
    r.SunriseSunLongitude = sunriseSun.SunriseSunLongitude;
    sunriseSunText = std::move(sunriseSun.SunriseSunText);

    const double sun = *r.SunriseSunLongitude;
    mark(r.markers, SignIndexOfLongitude(TimeRatePoint(sun, choice->elapsedMinutes, kGhatiDegPerMinute)));
    const double hora = TimeRatePoint(sun, choice->elapsedMinutes, kHoraDegPerMinute);
    horaDegInt = static_cast<int>(std::floor(hora));
    mark(r.markers, SignIndexOfLongitude(hora));
    mark(r.markers, SignIndexOfLongitude(TimeRatePoint(sun, choice->elapsedMinutes, kBhavaDegPerMinute)));
  } else {
    r.missingSunrise = std::get<MissingSunrise>(outcome);
    r.notice = NoSunriseNotice(*r.missingSunrise);
  }

  mark(r.markers, InduPointIndex(arudha.induStartSign, arudha.lagnaKala, arudha.moonKala));
  if (horaDegInt) mark(r.markers, SignIndexOfLongitude(VarnadaDegrees(r.ascendant.AscendantDegInt, *horaDegInt)));
  mark(r.markers, SignIndexOfChartText(r.chartPositions[1]));
  mark(r.markers, SignIndexOfChartText(r.chartPositions[0]));

  // The Sree Lagna, its sign and its house counted from the ascendant's sign.
  r.SreeLagnaDeg = SreeLagnaDegrees(r.ascendant.AscendantDeg, r.moon.MoonLongitudeDeg, r.moon.MoonNakshatraStart);
  if (const auto k = SignIndexOfLongitude(r.SreeLagnaDeg)) {
    mark(r.markers, k, "SrL");
    r.SreeLagnaSignIndex = *k;
    r.SreeLagnaSignNumber = *k + 1;
    r.SreeLagnaHouse = HouseFromAscendant(r.SreeLagnaSignNumber, r.AscSignNumber);
    r.houseText = HouseSignificance(r.SreeLagnaHouse);
  }

  if (choice) mark(r.markers, PranapadaIndex(choice->elapsedSeconds, sunriseSunText));

  r.profile = ProfileControlTextsOf(r.SreeLagnaSignIndex);
  return r;
}

}  // namespace halvora
