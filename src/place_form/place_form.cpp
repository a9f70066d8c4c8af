// SPDX-License-Identifier: GPL-3.0-or-later
#include "place_form/place_form.h"

#include <algorithm>
#include <charconv>

#include "chart/time_zone_table.h"
#include "forms/utf8.h"
#include "places/atlas.h"

namespace halvora::place_form {

namespace {

std::optional<int> wholeNumber(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::string labelList(const std::vector<places::Place>& found) {
  std::string text;
  for (const places::Place& p : found) {
    if (!text.empty()) text += "; ";
    text += places::PlaceLabel(p);
  }
  return text;
}

// What the atlas says of a place text that names no one place.
std::string unresolved(const std::string& key, const std::string& text, const places::PlaceResolution& r) {
  if (r.status == places::ResolveStatus::Ambiguous) {
    return key + ": " + forms::quoteForMessage(text, 64) +
           " names several places equally well; add the state or the country: " + labelList(r.candidates);
  }
  std::string message = key + ": no place in the atlas matches " + forms::quoteForMessage(text, 64);
  // Qualifiers that narrow the name to nothing: the places of that name, to choose from.
  if (const auto comma = text.find(','); comma != std::string::npos) {
    const std::vector<places::Place> named = places::FindPlaces(text.substr(0, comma), places::kResolveCandidates);
    if (!named.empty()) message += "; places of that name: " + labelList(named);
  }
  return message;
}

}  // namespace

const std::vector<places::ZoneRowKey>& ZoneListKeys() {
  static const std::vector<places::ZoneRowKey> keys = [] {
    std::vector<places::ZoneRowKey> rows;
    rows.reserve(TimeZoneTable.size());
    for (const TimeZoneRow& row : TimeZoneTable)
      rows.push_back({places::RowAbbreviation(row.text), row.ZoneCorrectionHours, row.ZoneCorrectionMinutes});
    return rows;
  }();
  return keys;
}

std::optional<places::LocalClockTime> FormMoment(const FormInput& form) {
  const auto day = wholeNumber(form.day), year = wholeNumber(form.year), hour = wholeNumber(form.hour),
             minute = wholeNumber(form.minute), second = wholeNumber(form.second);
  if (!day || !year || !hour || !minute || !second || form.monthIndex < 0 || form.monthIndex > 11) return std::nullopt;
  return places::LocalClockTime{*year, form.monthIndex + 1, *day, *hour, *minute, *second};
}

PlaceZone ZoneAt(const places::Place& place, const places::LocalClockTime& local) {
  PlaceZone z;
  z.reading = places::ClockAt(place.timeZone, local);
  z.explanation = places::ClockExplanation(place.name, local, z.reading);
  // A time that did not exist is taken on the clock that was running up to the jump, so that the
  // form still holds a zone of the place while the user checks the time.
  const std::optional<places::ZoneClock>& clock =
      z.reading.status == places::ClockStatus::NonExistent ? z.reading.earlier : z.reading.clock;
  if (clock) z.choice = places::ChooseZoneRow(ZoneListKeys(), *clock, place.name);
  return z;
}

std::optional<CustomZone> CustomEntryOf(const places::ZoneChoice& choice) {
  if (choice.row) return std::nullopt;
  return CustomZone{choice.customText, choice.correctionHours, choice.correctionMinutes};
}

void SelectZone(FormInput& form, const places::ZoneChoice& choice) {
  if (choice.row) {
    form.zoneIndex = static_cast<int>(*choice.row);
  } else {
    form.customZone = CustomEntryOf(choice);
    form.zoneIndex = kCustomZonePosition;
  }
  form.dst = false;
}

void FillPlace(FormInput& form, const places::Place& place) {
  form.city = place.name;
  form.state = place.state;
  form.country = place.country;
  form.place = places::PlaceLabel(place);
  const places::WholeMinutes lat = places::RoundToWholeMinutes(place.latitudeDeg);
  places::WholeMinutes lon = places::RoundToWholeMinutes(place.longitudeDeg);
  // The form's longitude ends at 179°59′; the date line itself is as near to it as a minute goes.
  if (lon.degrees >= 180) lon = {179, 59, lon.negative};
  form.latDeg = std::to_string(lat.degrees);
  form.latMin = std::to_string(lat.minutes);
  form.north = !lat.negative;
  form.lonDeg = std::to_string(lon.degrees);
  form.lonMin = std::to_string(lon.minutes);
  form.east = !lon.negative;
}

std::variant<std::optional<AtlasFill>, std::string> FillFromAtlas(forms::ReadForm& read, forms::KeyStyle style) {
  const auto given = [&read](std::string_view key) {
    return std::find(read.formKeys.begin(), read.formKeys.end(), key) != read.formKeys.end();
  };
  if (!given("place")) return std::optional<AtlasFill>{};
  const std::string key = style == forms::KeyStyle::Flag ? "--place" : "place";
  FormInput& form = read.form;
  if (const std::optional<std::string>& problem = places::SystemAtlasProblem())
    return key + ": the atlas is not available (" + *problem + "); give the coordinates and the zone instead";
  const places::PlaceResolution found = places::ResolvePlace(form.place);
  if (found.status != places::ResolveStatus::Found) return unresolved(key, form.place, found);

  AtlasFill origin;
  origin.place = found.place;
  FormInput filled = form;
  FillPlace(filled, found.place);
  form.place = filled.place;
  if (!given("city")) form.city = filled.city;
  if (!given("state")) form.state = filled.state;
  if (!given("country")) form.country = filled.country;
  if (!given("lat-deg")) form.latDeg = filled.latDeg;
  if (!given("lat-min")) form.latMin = filled.latMin;
  if (!given("north") && !given("south")) form.north = filled.north;
  if (!given("lon-deg")) form.lonDeg = filled.lonDeg;
  if (!given("lon-min")) form.lonMin = filled.lonMin;
  if (!given("east") && !given("west")) form.east = filled.east;

  if (given("zone") || given("zone-offset")) {
    // The entry given by hand is named after the city the form now holds.
    if (form.customZone && !given("city"))
      form.customZone->text = CustomZoneText(form.city, {form.customZone->correctionHours, form.customZone->correctionMinutes});
    return origin;
  }
  const std::optional<places::LocalClockTime> moment = FormMoment(form);
  if (!moment) return origin;
  const PlaceZone zone = ZoneAt(found.place, *moment);
  switch (zone.reading.status) {
    case places::ClockStatus::Ok:
    case places::ClockStatus::Repeated: break;
    case places::ClockStatus::NonExistent:
      return key + ": " + zone.explanation + ", or give the zone with " + (style == forms::KeyStyle::Flag ? "--" : "") +
             "zone or " + (style == forms::KeyStyle::Flag ? "--" : "") + "zone-offset";
    case places::ClockStatus::UnknownZone: return key + ": " + zone.explanation;
    case places::ClockStatus::InvalidTime: return origin;  // the date checks of the form name it
  }
  const bool dst = form.dst;
  SelectZone(form, *zone.choice);
  if (given("dst")) form.dst = dst;
  origin.zoneFromAtlas = true;
  origin.ambiguous = zone.reading.status == places::ClockStatus::Repeated;
  origin.clockExplanation = zone.explanation;
  return origin;
}

}  // namespace halvora::place_form
