// SPDX-License-Identifier: GPL-3.0-or-later
// The entry form filled from the atlas: the places of the real atlas, the zone their clocks select
// at the birth moment, and the chart that gives against the same form typed by hand.
#include <gtest/gtest.h>

#include "chart/chart_request.h"
#include "chart/time_zone_table.h"
#include "place_form/place_form.h"
#include "places/atlas.h"
#include "support/chart_of.h"

namespace halvora::place_form {
namespace {

using testing_support::chartOf;

FormInput blankForm(int year, int month, int day, int hour, int minute) {
  FormInput f;
  f.name = "TEST";
  f.monthIndex = month - 1;
  f.day = std::to_string(day);
  f.year = std::to_string(year);
  f.hour = std::to_string(hour);
  f.minute = std::to_string(minute);
  return f;
}

struct Typed {
  const char* latDeg;
  const char* latMin;
  bool north;
  const char* lonDeg;
  const char* lonMin;
  bool east;
  int zoneIndex;  // a row, or kCustomZonePosition
  std::optional<CustomZone> custom;
};

struct MomentRow {
  const char* name;
  const char* place;  // as typed into City or given to --place
  places::LocalClockTime local;
  Typed typed;
};

// Offsets read with Python 3.11's zoneinfo from Debian's tzdata 2025b: Asia/Kolkata +5:21:10 (MMT)
// in 1903, +6:30 in 1943, +5:30 (IST) in 1980; America/New_York -4:00 (EDT) on 4 July and -5:00
// (EST) on 15 January 1980; Europe/London +2:00 (BDST) on 1 June 1941; Asia/Kathmandu +5:45;
// America/Caracas -4:30 in 2010; Australia/Sydney +11:00 (AEDT) on 15 January 1990. Coordinates are
// GeoNames', rounded to the whole minute by hand (Pune 18.51957 N 73.85535 E, New York 40.71427 N
// 74.00597 W, London 51.50853 N 0.12574 W, Kathmandu 27.70169 N 85.3206 E, Caracas 10.48801 N
// 66.87919 W, Sydney 33.86785 S 151.20732 E).
const MomentRow kMoments[] = {
    {"Pune 1903: Madras time, no row", "Pune, Maharashtra, India", {1903, 3, 15, 9, 5},
     {"18", "31", true, "73", "51", true, kCustomZonePosition, CustomZone{"Local clock of Pune, +5:21", -5, -21}}},
    {"Pune 1943: war time, North Sumatra's row", "Pune, Maharashtra, India", {1943, 3, 15, 9, 5},
     {"18", "31", true, "73", "51", true, 52, std::nullopt}},
    {"Pune 1980: Indian time", "Pune, India", {1980, 3, 15, 9, 5}, {"18", "31", true, "73", "51", true, 34, std::nullopt}},
    {"New York July 1980: EDT", "New York, New York", {1980, 7, 4, 12, 0},
     {"40", "43", true, "74", "0", false, 24, std::nullopt}},
    {"New York January 1980: EST", "New York, New York", {1980, 1, 15, 12, 0},
     {"40", "43", true, "74", "0", false, 27, std::nullopt}},
    {"London June 1941: double summer time", "London, United Kingdom", {1941, 6, 1, 12, 0},
     {"51", "31", true, "0", "8", false, 15, std::nullopt}},
    {"Kathmandu 1990: +5:45, no row", "Kathmandu", {1990, 1, 1, 12, 0},
     {"27", "42", true, "85", "19", true, kCustomZonePosition, CustomZone{"Local clock of Kathmandu, +5:45", -5, -45}}},
    {"Caracas 2010: -4:30, no row", "Caracas", {2010, 1, 1, 12, 0},
     {"10", "29", true, "66", "53", false, kCustomZonePosition, CustomZone{"Local clock of Caracas, -4:30", 4, 30}}},
    {"Sydney January 1990: AEDT", "Sydney, Australia", {1990, 1, 15, 12, 0},
     {"33", "52", false, "151", "12", true, 7, std::nullopt}},
};

TEST(PlaceForm, EachMomentSelectsItsZoneAndGivesTheChartTypedByHand) {
  for (const MomentRow& r : kMoments) {
    const places::PlaceResolution found = places::ResolvePlace(r.place);
    ASSERT_EQ(found.status, places::ResolveStatus::Found) << r.name;
    FormInput atlas = blankForm(r.local.year, r.local.month, r.local.day, r.local.hour, r.local.minute);
    atlas.dst = true;  // the choice unticks it
    FillPlace(atlas, found.place);
    const std::optional<places::LocalClockTime> moment = FormMoment(atlas);
    ASSERT_EQ(moment, r.local) << r.name;
    const PlaceZone zone = ZoneAt(found.place, *moment);
    EXPECT_EQ(zone.reading.status, places::ClockStatus::Ok) << r.name;
    ASSERT_TRUE(zone.choice.has_value()) << r.name;
    SelectZone(atlas, *zone.choice);

    FormInput typed = blankForm(r.local.year, r.local.month, r.local.day, r.local.hour, r.local.minute);
    typed.latDeg = r.typed.latDeg;
    typed.latMin = r.typed.latMin;
    typed.north = r.typed.north;
    typed.lonDeg = r.typed.lonDeg;
    typed.lonMin = r.typed.lonMin;
    typed.east = r.typed.east;
    typed.zoneIndex = r.typed.zoneIndex;
    typed.customZone = r.typed.custom;

    EXPECT_EQ(atlas.latDeg, typed.latDeg) << r.name;
    EXPECT_EQ(atlas.latMin, typed.latMin) << r.name;
    EXPECT_EQ(atlas.north, typed.north) << r.name;
    EXPECT_EQ(atlas.lonDeg, typed.lonDeg) << r.name;
    EXPECT_EQ(atlas.lonMin, typed.lonMin) << r.name;
    EXPECT_EQ(atlas.east, typed.east) << r.name;
    EXPECT_EQ(atlas.zoneIndex, typed.zoneIndex) << r.name;
    EXPECT_EQ(atlas.customZone, typed.customZone) << r.name;
    EXPECT_FALSE(atlas.dst) << r.name << ": the offset holds the whole clock";

    const ChartResult a = chartOf(atlas);
    const ChartResult b = chartOf(typed);
    EXPECT_EQ(a.zone, b.zone) << r.name;
    EXPECT_EQ(a.ascendant.AscendantDeg, b.ascendant.AscendantDeg) << r.name;
    EXPECT_EQ(a.moon.MoonLongitudeDeg, b.moon.MoonLongitudeDeg) << r.name;
    EXPECT_EQ(a.chartPositions, b.chartPositions) << r.name;
    EXPECT_EQ(a.markers, b.markers) << r.name;
    EXPECT_EQ(a.sunrise, b.sunrise) << r.name;
    EXPECT_EQ(a.SreeLagnaDeg, b.SreeLagnaDeg) << r.name;
    EXPECT_EQ(a.zoneText, b.zoneText) << r.name;
    EXPECT_EQ(a.details.lblCity, found.place.name) << r.name;
  }
}

// The universal time of the chart is the clock's: local time less the offset the database gives.
TEST(PlaceForm, TheChartIsTimedFromTheClockThePlaceKept) {
  const struct {
    const char* name;
    const char* place;
    places::LocalClockTime local;
    int offsetMinutes;  // east positive, rounded to the minute (time-zone database, as above)
  } rows[] = {
      {"Pune 1903", "Pune, India", {1903, 3, 15, 9, 5}, 321},
      {"Pune 1943", "Pune, India", {1943, 3, 15, 9, 5}, 390},
      {"London 1941", "London, United Kingdom", {1941, 6, 1, 12, 0}, 120},
      {"Caracas 2010", "Caracas", {2010, 1, 1, 12, 0}, -270},
  };
  for (const auto& r : rows) {
    const places::PlaceResolution found = places::ResolvePlace(r.place);
    ASSERT_EQ(found.status, places::ResolveStatus::Found) << r.name;
    FormInput f = blankForm(r.local.year, r.local.month, r.local.day, r.local.hour, r.local.minute);
    FillPlace(f, found.place);
    SelectZone(f, *ZoneAt(found.place, r.local).choice);
    const ChartResult c = chartOf(f);
    EXPECT_EQ(-(c.zone.hours * 60 + c.zone.minutes), r.offsetMinutes) << r.name;
  }
}

TEST(PlaceForm, TimesThatDidNotExistOrCameTwice) {
  const places::PlaceResolution ny = places::ResolvePlace("New York, New York");
  ASSERT_EQ(ny.status, places::ResolveStatus::Found);

  // 14 March 2010: the clocks went from 2:00 EST to 3:00 EDT (zoneinfo, as above).
  const PlaceZone gap = ZoneAt(ny.place, {2010, 3, 14, 2, 30});
  EXPECT_EQ(gap.reading.status, places::ClockStatus::NonExistent);
  ASSERT_TRUE(gap.choice.has_value()) << "the form keeps a zone of the place meanwhile";
  EXPECT_EQ(gap.choice->row, std::optional<std::size_t>(27)) << "EST, in force up to the jump";
  EXPECT_NE(gap.explanation.find("-5:00"), std::string::npos) << gap.explanation;
  EXPECT_NE(gap.explanation.find("-4:00"), std::string::npos) << gap.explanation;
  EXPECT_NE(gap.explanation.find("please check the time of birth"), std::string::npos) << gap.explanation;

  // 7 November 2010: 1:30 came first on EDT and again on EST; the first is taken.
  const PlaceZone twice = ZoneAt(ny.place, {2010, 11, 7, 1, 30});
  EXPECT_EQ(twice.reading.status, places::ClockStatus::Repeated);
  ASSERT_TRUE(twice.choice.has_value());
  EXPECT_EQ(twice.choice->row, std::optional<std::size_t>(24)) << "EDT";
  EXPECT_NE(twice.explanation.find("-4:00"), std::string::npos) << twice.explanation;
  EXPECT_NE(twice.explanation.find("-5:00"), std::string::npos) << twice.explanation;

  places::Place nowhere = ny.place;
  nowhere.timeZone = "Nowhere/Atlantis";
  const PlaceZone unknown = ZoneAt(nowhere, {2010, 1, 1, 12, 0});
  EXPECT_EQ(unknown.reading.status, places::ClockStatus::UnknownZone);
  EXPECT_FALSE(unknown.choice.has_value());
}

TEST(PlaceForm, TheCustomEntryReadsAsTheCoreWritesIt) {
  // The atlas names the entry and the core names the one typed as --zone-offset: the same text.
  const std::vector<places::ZoneRowKey>& keys = ZoneListKeys();
  ASSERT_EQ(keys.size(), TimeZoneTable.size());
  int custom = 0;
  for (int minutes = -kMaxCustomZoneMinutes; minutes <= kMaxCustomZoneMinutes; ++minutes) {
    const places::ZoneChoice choice = places::ChooseZoneRow(keys, minutes * 60, "LMT", "Pune");
    if (choice.row) continue;
    ++custom;
    const std::optional<CustomZone> entry = CustomEntryOf(choice);
    ASSERT_TRUE(entry.has_value());
    const ZoneCorrection zone{entry->correctionHours, entry->correctionMinutes};
    EXPECT_EQ(-(zone.hours * 60 + zone.minutes), minutes);
    EXPECT_TRUE(IsValidCustomZone(*entry)) << minutes;
    EXPECT_EQ(entry->text, CustomZoneText("Pune", zone)) << minutes;
  }
  EXPECT_GT(custom, 1700) << "most whole-minute offsets have no row";
}

TEST(PlaceForm, FillsNamesCoordinatesAndHemispheres) {
  const struct {
    const char* name;
    double latitudeDeg, longitudeDeg;
    const char *latDeg, *latMin;
    bool north;
    const char *lonDeg, *lonMin;
    bool east;
  } rows[] = {
      {"north-east", 18.51957, 73.85535, "18", "31", true, "73", "51", true},
      {"south-west", -34.60342, -58.38159, "34", "36", false, "58", "23", false},
      {"half a minute rounds up", 10.00833334, 20.0, "10", "1", true, "20", "0", true},
      {"a whisker south of the equator is the equator, north", -0.001, 0.001, "0", "0", true, "0", "0", true},
      {"minutes round into the next degree", 59.9999, -1.9999, "60", "0", true, "2", "0", false},
      {"the form's longitude ends a minute before the date line", -16.5, 179.9999, "16", "30", false, "179", "59", true},
      {"so does the west", -14.0, -179.9999, "14", "0", false, "179", "59", false},
  };
  for (const auto& r : rows) {
    places::Place p;
    p.name = "Here";
    p.state = "State";
    p.country = "Land";
    p.latitudeDeg = r.latitudeDeg;
    p.longitudeDeg = r.longitudeDeg;
    FormInput f;
    f.north = !r.north;
    f.east = !r.east;
    FillPlace(f, p);
    EXPECT_EQ(f.latDeg, r.latDeg) << r.name;
    EXPECT_EQ(f.latMin, r.latMin) << r.name;
    EXPECT_EQ(f.north, r.north) << r.name;
    EXPECT_EQ(f.lonDeg, r.lonDeg) << r.name;
    EXPECT_EQ(f.lonMin, r.lonMin) << r.name;
    EXPECT_EQ(f.east, r.east) << r.name;
    EXPECT_EQ(f.city, "Here");
    EXPECT_EQ(f.state, "State");
    EXPECT_EQ(f.country, "Land");
    EXPECT_EQ(f.place, "Here, State, Land");
  }
}

TEST(PlaceForm, TheMomentOnTheForm) {
  FormInput f = blankForm(1980, 7, 4, 12, 0);
  f.second = "30";
  EXPECT_EQ(FormMoment(f), (places::LocalClockTime{1980, 7, 4, 12, 0, 30}));
  f.day = "4 ";
  EXPECT_EQ(FormMoment(f), std::nullopt) << "a list text that is not a whole number";
  f.day = "4";
  f.monthIndex = 12;
  EXPECT_EQ(FormMoment(f), std::nullopt);
}

}  // namespace
}  // namespace halvora::place_form
