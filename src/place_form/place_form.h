// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Filling the entry form from the atlas: a place's names and coordinates, and the zone entry that
// the clock the place kept at the form's date and time selects.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "chart/chart_request.h"
#include "forms/form_reader.h"
#include "places/clock.h"
#include "places/place.h"
#include "places/zone_choice.h"

namespace halvora::place_form {

// The rows of the form's zone list, in list order, as the zone choice reads them.
const std::vector<places::ZoneRowKey>& ZoneListKeys();

// The local date and time the form holds, or nothing when a list text is not a whole number.
std::optional<places::LocalClockTime> FormMoment(const FormInput& form);

// The clock of a place at a local date and time, and the zone entry it selects.
struct PlaceZone {
  places::ClockReading reading;
  // The entry the form takes: that of the clock, of the first of a repeated time, or of the clock
  // in force before a jump over a time that did not exist; nothing for an unknown zone or an
  // invalid date.
  std::optional<places::ZoneChoice> choice;
  std::string explanation;  // the line under the zone list
};
PlaceZone ZoneAt(const places::Place& place, const places::LocalClockTime& local);

// Selects the entry in the form: its row, or the custom entry after the rows; daylight saving is
// left unticked, since the entry's offset already holds the clock's whole offset.
void SelectZone(FormInput& form, const places::ZoneChoice& choice);

// The custom entry a choice makes, or nothing when it selects a row.
std::optional<CustomZone> CustomEntryOf(const places::ZoneChoice& choice);

// The place as the form holds it: City, State and Country, the coordinates rounded to the nearest
// whole minute and both hemispheres, and the place's label.
void FillPlace(FormInput& form, const places::Place& place);

// What filling a form from the place its "place" key names took from the atlas.
struct AtlasFill {
  places::Place place;
  bool zoneFromAtlas = false;    // the zone entry is the one the place's clock selected
  bool ambiguous = false;        // the local time came twice there; the first was taken
  std::string clockExplanation;  // "Clock of Pune on March 15, 1943, 9:05: +6:30 (war time), ..."
};

// A form read with a "place" key, filled as the entry form fills it when the place is chosen:
// names, coordinates and hemispheres, and the zone the place's clock selects at the birth moment.
// The keys given beside "place" keep their values (a zone given by hand is then the user's to
// answer for). Nothing without a "place" key. The error, naming the key in the given style: a
// text that names no place or several equally well (with up to five candidates), a birth time
// that did not happen there (with the offsets around it), a zone the time-zone database lacks, an
// atlas whose library is missing (with what is missing).
std::variant<std::optional<AtlasFill>, std::string> FillFromAtlas(forms::ReadForm& read, forms::KeyStyle style);

}  // namespace halvora::place_form
