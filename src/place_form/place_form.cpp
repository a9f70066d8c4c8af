#include "place_form/place_form.h"

#include <charconv>

#include "chart/time_zone_table.h"

namespace halvora::place_form {

namespace {

std::optional<int> wholeNumber(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || stop != end) return std::nullopt;
  return value;
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

}  // namespace halvora::place_form
