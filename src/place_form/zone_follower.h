// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The entry form's zone following a place of the atlas: once a place is chosen (or a file names
// one whose coordinates and zone are its own), a new date or time selects the zone that place's
// clock kept then, until the user picks a zone, ticks daylight saving or types a coordinate. It
// also keeps the line under the zone list, which says where the zone came from.

#include <optional>
#include <string>

#include "chart/chart_request.h"
#include "places/atlas.h"
#include "places/place.h"

namespace halvora::place_form {

// What the line under the zone list says when no place of the atlas chose the zone.
inline constexpr char kZoneHint[] =
    "Type the city of birth and choose it from the list: the coordinates and the zone are filled in for "
    "the date and time of birth.";
inline constexpr char kZoneByHand[] = "Zone chosen by hand.";
inline constexpr char kZoneNoLongerFollows[] =
    "The zone no longer follows the date and time of birth: a coordinate was typed by hand.";

// The line under the zone list; a notice is shown so that it is read (a time that did not exist,
// names that are no longer those of the coordinates' place).
struct ZoneSource {
  std::string text = kZoneHint;
  bool notice = false;
  friend bool operator==(const ZoneSource&, const ZoneSource&) = default;
};

// "Latitude and longitude are those of Pune, Maharashtra: pick Mumbai from the list or type its
// coordinates": the line while City, State or Country no longer name the place the coordinates
// came from. `typedCity` is City's text as it stands.
std::string StalePlaceLine(const places::Place& place, const std::string& typedCity);

class ZoneFollower {
 public:
  // A place chosen from City's list: its names, coordinates and hemispheres go into the form and
  // the zone its clock selects at the form's date and time; the zone follows it from then on.
  void choosePlace(FormInput& form, const places::Place& place);

  // A form just opened from a file. When it names a place of `atlas` and holds that place's
  // coordinates and the zone its clock selects at the form's moment, the zone follows it as it
  // would a place just chosen; otherwise (a file typed by hand, a zone picked by hand) the form
  // keeps its zone.
  void openForm(const FormInput& form, const places::Atlas& atlas);

  // The date or time changed: while following, selects the zone of the clock at the new moment.
  void momentChanged(FormInput& form);

  // The user picked a zone or ticked daylight saving himself.
  void zoneTakenByHand();
  // The user typed a coordinate or changed a hemisphere: the coordinates are no longer a place's.
  void coordinateTyped();
  // City, State or Country changed: says so under the zone while they no longer name the place
  // the coordinates came from.
  void placeNamesChanged(const FormInput& form);

  // Back to a fresh form's state.
  void clear() { *this = ZoneFollower(); }

  bool follows() const { return m_follows; }
  // The place the form's coordinates came from, while no coordinate has been typed since.
  const std::optional<places::Place>& coordinatesPlace() const { return m_coordinatesOf; }
  ZoneSource source() const;

 private:
  enum class Line { Hint, Clock, ByHand, NoLongerFollows };
  void selectZone(FormInput& form);

  std::optional<places::Place> m_coordinatesOf;  // the place of the form's coordinates
  bool m_follows = false;                        // the zone follows m_coordinatesOf's clock
  Line m_line = Line::Hint;
  ZoneSource m_clockLine;  // what the followed clock said last
  std::string m_staleCity;  // City's text, while the names are not those of m_coordinatesOf
  bool m_namesStale = false;
};

}  // namespace halvora::place_form
