// SPDX-License-Identifier: GPL-3.0-or-later
#include "place_form/zone_follower.h"

#include "place_form/place_form.h"

namespace halvora::place_form {

namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Whether the form holds the coordinates and hemispheres the place fills in.
bool holdsCoordinatesOf(const FormInput& form, const places::Place& place) {
  FormInput filled;
  FillPlace(filled, place);
  return form.latDeg == filled.latDeg && form.latMin == filled.latMin && form.north == filled.north &&
         form.lonDeg == filled.lonDeg && form.lonMin == filled.lonMin && form.east == filled.east;
}

bool namesAreOf(const FormInput& form, const places::Place& place) {
  return trimmed(form.city) == place.name && trimmed(form.state) == place.state &&
         trimmed(form.country) == place.country;
}

}  // namespace

std::string StalePlaceLine(const places::Place& place, const std::string& typedCity) {
  std::string line = "Latitude and longitude are those of " + place.name;
  if (!place.state.empty()) line += ", " + place.state;
  const std::string city = trimmed(typedCity);
  line += ": pick " + (city.empty() ? std::string("the place") : city) + " from the list or type its coordinates";
  return line;
}

void ZoneFollower::choosePlace(FormInput& form, const places::Place& place) {
  FillPlace(form, place);
  m_coordinatesOf = place;
  m_follows = true;
  m_namesStale = false;
  m_clockLine = {};
  m_line = Line::Clock;
  selectZone(form);
}

void ZoneFollower::openForm(const FormInput& form, const places::Atlas& atlas) {
  clear();
  if (form.place.empty()) return;
  const places::PlaceResolution found = atlas.resolve(form.place);
  if (found.status != places::ResolveStatus::Found || !holdsCoordinatesOf(form, found.place)) return;
  m_coordinatesOf = found.place;
  m_line = Line::ByHand;
  if (const std::optional<places::LocalClockTime> moment = FormMoment(form)) {
    const PlaceZone zone = ZoneAt(found.place, *moment);
    FormInput selected = form;
    if (zone.choice) SelectZone(selected, *zone.choice);
    if (zone.choice && selected.zoneIndex == form.zoneIndex && selected.customZone == form.customZone &&
        selected.dst == form.dst) {
      m_follows = true;
      m_line = Line::Clock;
      m_clockLine = {zone.explanation, zone.reading.status != places::ClockStatus::Ok};
    }
  }
  placeNamesChanged(form);
}

void ZoneFollower::momentChanged(FormInput& form) {
  if (m_follows) {
    selectZone(form);
  } else if (m_line == Line::Clock) {
    m_line = Line::NoLongerFollows;
  }
}

void ZoneFollower::selectZone(FormInput& form) {
  if (!m_follows || !m_coordinatesOf) return;
  const std::optional<places::LocalClockTime> moment = FormMoment(form);
  if (!moment) return;
  const PlaceZone zone = ZoneAt(*m_coordinatesOf, *moment);
  if (zone.choice) {
    // The entry after the rows belongs to the clock of this moment: a row leaves no entry behind.
    form.customZone.reset();
    SelectZone(form, *zone.choice);
  }
  m_clockLine = {zone.explanation, zone.reading.status != places::ClockStatus::Ok};
  m_line = Line::Clock;
}

void ZoneFollower::zoneTakenByHand() {
  m_follows = false;
  m_line = Line::ByHand;
}

void ZoneFollower::coordinateTyped() {
  if (m_follows) m_line = Line::NoLongerFollows;
  m_follows = false;
  m_coordinatesOf.reset();
  m_namesStale = false;
}

void ZoneFollower::placeNamesChanged(const FormInput& form) {
  m_namesStale = m_coordinatesOf && !namesAreOf(form, *m_coordinatesOf);
  m_staleCity = m_namesStale ? form.city : std::string();
}

ZoneSource ZoneFollower::source() const {
  if (m_namesStale && m_coordinatesOf) return {StalePlaceLine(*m_coordinatesOf, m_staleCity), true};
  switch (m_line) {
    case Line::Hint: return {kZoneHint, false};
    case Line::Clock: return m_clockLine;
    case Line::ByHand: return {kZoneByHand, false};
    case Line::NoLongerFollows: return {kZoneNoLongerFollows, false};
  }
  return {};
}

}  // namespace halvora::place_form
