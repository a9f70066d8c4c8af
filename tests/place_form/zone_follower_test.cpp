// SPDX-License-Identifier: GPL-3.0-or-later
// The zone following a place of the atlas, on a small atlas of its own and Debian's time-zone
// database: a place chosen, a file opened, the date changed, and the user taking over.
#include <gtest/gtest.h>

#include "support/births.h"

#include "chart/time_zone_table.h"
#include "place_form/place_form.h"
#include "place_form/zone_follower.h"

namespace halvora::place_form {
namespace {

constexpr int kIst = 34;  // "Indian Time, IST, +5.3"

places::Place place(const char* name, const char* state, const char* country, double latDeg, double lonDeg,
                    const char* zone) {
  places::Place p;
  p.name = name;
  p.state = state;
  p.country = country;
  p.latitudeDeg = latDeg;
  p.longitudeDeg = lonDeg;
  p.timeZone = zone;
  return p;
}

// GeoNames' coordinates and zones.
const places::Place kPune = place("Pune", "Maharashtra", "India", 18.51957, 73.85535, "Asia/Kolkata");
const places::Place kKathmandu = place("Kathmandu", "Bagmati Province", "Nepal", 27.70169, 85.3206, "Asia/Kathmandu");

const places::Atlas& smallAtlas() {
  static const places::Atlas atlas{{kPune, kKathmandu}};
  return atlas;
}

FormInput formOn(int year, int month, int day, int hour, int minute) {
  return testing_support::typedForm({.year = year, .month = month, .day = day, .hour = hour, .minute = minute});
}

const CustomZone kNepal{"Local clock of Kathmandu, +5:45", -5, -45};

// Asia/Kathmandu (time-zone database): +5:30 until the end of 1985, +5:45 from 1986.
TEST(ZoneFollower, AChosenPlaceFollowsTheDate) {
  ZoneFollower follower;
  FormInput form = formOn(2000, 1, 1, 12, 0);
  follower.choosePlace(form, kKathmandu);
  EXPECT_TRUE(follower.follows());
  EXPECT_EQ(form.zoneIndex, kCustomZonePosition);
  EXPECT_EQ(form.customZone, kNepal);
  EXPECT_EQ(form.latDeg, "27");
  EXPECT_EQ(form.latMin, "42");
  EXPECT_EQ(form.lonMin, "19");
  EXPECT_EQ(form.place, "Kathmandu, Bagmati Province, Nepal");
  EXPECT_EQ(follower.source().text.find("Clock of Kathmandu on January 1, 2000, 12:00: +5:45"), 0u)
      << follower.source().text;

  form.year = "1980";
  follower.momentChanged(form);
  EXPECT_EQ(form.zoneIndex, kIst);
  EXPECT_EQ(form.customZone, std::nullopt) << "the entry of 2000's clock is gone";
}

TEST(ZoneFollower, AnOpenedFileFollowsOnlyWhenItsPlaceGaveItsCoordinatesAndZone) {
  // The file as the form saves it after choosing Kathmandu in 2000.
  FormInput fromAtlas = formOn(2000, 1, 1, 12, 0);
  ZoneFollower{}.choosePlace(fromAtlas, kKathmandu);

  FormInput zoneByHand = fromAtlas;
  zoneByHand.zoneIndex = kIst;
  zoneByHand.customZone.reset();
  FormInput coordinatesByHand = fromAtlas;
  coordinatesByHand.lonMin = "20";
  FormInput typedByHand = fromAtlas;
  typedByHand.place.clear();
  FormInput unknownPlace = fromAtlas;
  unknownPlace.place = "Pokhara, Gandaki Province, Nepal";
  FormInput dstTicked = fromAtlas;
  dstTicked.dst = true;

  struct Row {
    const char* name;
    FormInput file;
    bool follows;
    const char* line;  // the line under the zone after opening, when not the clock's
  } rows[] = {
      {"filled from the atlas", fromAtlas, true, nullptr},
      {"zone picked by hand", zoneByHand, false, kZoneByHand},
      {"daylight saving ticked by hand", dstTicked, false, kZoneByHand},
      {"a coordinate typed by hand", coordinatesByHand, false, kZoneHint},
      {"typed by hand, no place", typedByHand, false, kZoneHint},
      {"a place the atlas lacks", unknownPlace, false, kZoneHint},
  };
  for (const Row& r : rows) {
    ZoneFollower follower;
    FormInput before = formOn(1990, 1, 1, 0, 0);
    follower.choosePlace(before, kPune);  // a place chosen before
    follower.openForm(r.file, smallAtlas());
    EXPECT_EQ(follower.follows(), r.follows) << r.name;
    if (r.line) {
      EXPECT_EQ(follower.source(), (ZoneSource{r.line, false})) << r.name;
    }

    FormInput changed = r.file;
    changed.year = "1980";
    follower.momentChanged(changed);
    if (r.follows) {
      EXPECT_EQ(changed.zoneIndex, kIst) << r.name << ": Nepal kept +5:30 in 1980";
      EXPECT_EQ(changed.customZone, std::nullopt) << r.name;
    } else {
      EXPECT_EQ(changed.zoneIndex, r.file.zoneIndex) << r.name << ": the file's zone stays";
      EXPECT_EQ(changed.customZone, r.file.customZone) << r.name;
      EXPECT_EQ(changed.dst, r.file.dst) << r.name;
    }
  }
}

TEST(ZoneFollower, TheLineSaysWhatTheUserDid) {
  struct Row {
    const char* name;
    void (*act)(ZoneFollower&, FormInput&);
    bool follows;
    ZoneSource line;
  } rows[] = {
      {"nothing chosen", [](ZoneFollower&, FormInput&) {}, false, {kZoneHint, false}},
      {"zone picked by hand",
       [](ZoneFollower& f, FormInput& form) {
         f.choosePlace(form, kPune);
         f.zoneTakenByHand();
       },
       false, {kZoneByHand, false}},
      {"a coordinate typed",
       [](ZoneFollower& f, FormInput& form) {
         f.choosePlace(form, kPune);
         f.coordinateTyped();
       },
       false, {kZoneNoLongerFollows, false}},
      {"zone by hand, then a coordinate",
       [](ZoneFollower& f, FormInput& form) {
         f.choosePlace(form, kPune);
         f.zoneTakenByHand();
         f.coordinateTyped();
       },
       false, {kZoneByHand, false}},
      {"another city typed over the chosen place",
       [](ZoneFollower& f, FormInput& form) {
         f.choosePlace(form, kPune);
         form.city = "Mumbai";
         f.placeNamesChanged(form);
       },
       true,
       {"Latitude and longitude are those of Pune, Maharashtra: pick Mumbai from the list or type its coordinates",
        true}},
      {"the state changed, the date changed after it",
       [](ZoneFollower& f, FormInput& form) {
         f.choosePlace(form, kPune);
         form.state = "Gujarat";
         f.placeNamesChanged(form);
         form.year = "1943";
         f.momentChanged(form);
       },
       true,
       {"Latitude and longitude are those of Pune, Maharashtra: pick Pune from the list or type its coordinates",
        true}},
      {"City emptied",
       [](ZoneFollower& f, FormInput& form) {
         f.choosePlace(form, kPune);
         form.city = " ";
         f.placeNamesChanged(form);
       },
       true,
       {"Latitude and longitude are those of Pune, Maharashtra: pick the place from the list or type its "
        "coordinates",
        true}},
      {"names typed, then a coordinate typed",
       [](ZoneFollower& f, FormInput& form) {
         f.choosePlace(form, kPune);
         form.city = "Mumbai";
         f.placeNamesChanged(form);
         f.coordinateTyped();
       },
       false, {kZoneNoLongerFollows, false}},
      {"names typed, then the place picked again",
       [](ZoneFollower& f, FormInput& form) {
         f.choosePlace(form, kPune);
         form.city = "Mumbai";
         f.placeNamesChanged(form);
         f.choosePlace(form, kPune);
       },
       true, {"Clock of Pune on March 15, 1980, 9:05: +5:30 (IST, standard time), from the time-zone database", false}},
      {"names typed back as they were, with a blank",
       [](ZoneFollower& f, FormInput& form) {
         f.choosePlace(form, kPune);
         form.city = "Mumba";
         f.placeNamesChanged(form);
         form.city = "Pune ";
         f.placeNamesChanged(form);
       },
       true, {"Clock of Pune on March 15, 1980, 9:05: +5:30 (IST, standard time), from the time-zone database", false}},
  };
  for (const Row& r : rows) {
    ZoneFollower follower;
    FormInput form = formOn(1980, 3, 15, 9, 5);
    r.act(follower, form);
    EXPECT_EQ(follower.follows(), r.follows) << r.name;
    EXPECT_EQ(follower.source().text, r.line.text) << r.name;
    EXPECT_EQ(follower.source().notice, r.line.notice) << r.name;
  }
}

TEST(ZoneFollower, AZoneTakenByHandStaysWhenTheDateChanges) {
  ZoneFollower follower;
  FormInput form = formOn(1980, 3, 15, 9, 5);
  follower.choosePlace(form, kPune);
  ASSERT_EQ(form.zoneIndex, kIst);
  form.zoneIndex = kIst + 1;
  follower.zoneTakenByHand();
  form.year = "1943";
  follower.momentChanged(form);
  EXPECT_EQ(form.zoneIndex, kIst + 1);
  EXPECT_EQ(follower.source().text, kZoneByHand);
}

}  // namespace
}  // namespace halvora::place_form
