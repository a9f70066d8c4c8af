// SPDX-License-Identifier: GPL-3.0-or-later
// Finding places: the search key, the order of the matches, narrowing and resolving, on a small
// atlas made here and on the GeoNames places of the system.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "places/atlas.h"
#include "places/clock.h"
#include "places/printers.h"
#include "places/search_fold.h"
#include "support/broken_atlas_library.h"

namespace halvora::places {
namespace {

TEST(FoldForSearch, WhatAUserMayTypeForAName) {
  const struct {
    const char* text;
    const char* key;
  } rows[] = {
      {"Tromsø", "tromso"},
      {"TROMSØ", "tromso"},
      {"São Paulo", "sao paulo"},
      {"Zürich", "zurich"},
      {"Łódź", "lodz"},
      {"Ærøskøbing", "aeroskobing"},
      {"Straße", "strasse"},
      {"İstanbul", "istanbul"},
      {"Şǝki", "saki"},
      {"Lənkəran", "lankaran"},
      {"Ħamrun", "hamrun"},
      {"Đà Nẵng", "da nang"},
      {"Kazan’", "kazan"},
      {"Yan’an", "yanan"},
      {"Tver'", "tver"},
      {"‘Amrān", "amran"},
      {"Sainte-Catherine", "sainte catherine"},
      {"Bangka–Belitung Islands", "bangka belitung islands"},
      {"Frankfurt (Oder)", "frankfurt oder"},
      {"St. Helena", "st helena"},
      {"Burgdorf, Hanover", "burgdorf hanover"},
      {"  New   York ", "new york"},
      {"Panauti̇̄", "panauti"},
      {"Зуунмод", "зуунмод"},
      {"", ""},
      {" ,.- ", ""},
  };
  for (const auto& r : rows) EXPECT_EQ(FoldForSearch(r.text), r.key) << r.text;
}

Place place(const char* name, const char* state, const char* country, const char* code,
            std::optional<std::uint32_t> population) {
  Place p;
  p.name = name;
  p.state = state;
  p.country = country;
  p.countryCode = code;
  p.population = population;
  p.timeZone = "Etc/UTC";
  return p;
}

const Atlas& smallAtlas() {
  static const Atlas atlas{{
      place("Salem", "Tamil Nadu", "India", "IN", 900000),
      place("Sale", "Victoria", "Australia", "AU", 13000),
      place("Salerno", "Campania", "Italy", "IT", 130000),
      place("Salinas", "California", "United States of America", "US", 150000),
      place("Salina", "Kansas", "United States of America", "US", std::nullopt),
      place("Springfield", "Illinois", "United States of America", "US", 116565),
      place("Springfield", "Missouri", "United States of America", "US", 166810),
      place("Springfield", "Ohio", "United States of America", "US", 59680),
      place("Springfield", "Oregon", "United States of America", "US", 60870),
      place("Springfield", "Massachusetts", "United States of America", "US", 154341),
      place("Springfield", "Tennessee", "United States of America", "US", 16808),
      place("Lucknow", "State of Uttar Pradesh", "India", "IN", 2472011),
      place("London", "England", "United Kingdom", "GB", 8961989),
      place("London", "Ontario", "Canada", "CA", 346765),
      place("Londonderry", "Northern Ireland", "United Kingdom", "GB", 83652),
      place("Burgdorf, Hanover", "Lower Saxony", "Germany", "DE", 30899),
      place("Burgdorf", "Bern", "Switzerland", "CH", 15000),
      place("Tromsø", "Troms og Finnmark", "Norway", "NO", 52436),
  }};
  return atlas;
}

std::vector<std::string> labels(const std::vector<Place>& places) {
  std::vector<std::string> out;
  for (const Place& p : places) out.push_back(PlaceLabel(p));
  return out;
}

TEST(AtlasFind, OrderAndNarrowing) {
  using L = std::vector<std::string>;
  const struct {
    const char* name;
    std::string text;
    std::size_t limit;
    L expected;
  } rows[] = {
      {"exact name first, then population", "sale", 10,
       {"Sale, Victoria, Australia", "Salem, Tamil Nadu, India", "Salerno, Campania, Italy"}},
      {"no population ranks last", "salin", 10,
       {"Salinas, California, United States of America", "Salina, Kansas, United States of America"}},
      {"limit", "sal", 2, {"Salem, Tamil Nadu, India", "Salinas, California, United States of America"}},
      {"limit zero", "sal", 0, {}},
      {"state narrows", "springfield, oh", 10, {"Springfield, Ohio, United States of America"}},
      {"country narrows", "sal, italy", 10, {"Salerno, Campania, Italy"}},
      {"state and country", "lon, ontario, canada", 10, {"London, Ontario, Canada"}},
      {"a word of the state", "lucknow, uttar", 10, {"Lucknow, State of Uttar Pradesh, India"}},
      {"not the middle of a word", "lucknow, ttar", 10, {}},
      {"country code", "lon, ca", 10, {"London, Ontario, Canada"}},
      {"common country names", "london, uk", 10,
       {"London, England, United Kingdom", "Londonderry, Northern Ireland, United Kingdom"}},
      {"usa", "salin, usa", 10,
       {"Salinas, California, United States of America", "Salina, Kansas, United States of America"}},
      {"a qualifier that matches nothing", "london, france", 10, {}},
      {"empty qualifiers are ignored", "tromso, ,", 10, {"Tromsø, Troms og Finnmark, Norway"}},
      {"a comma inside the name", "Burgdorf, Hanover", 10, {"Burgdorf, Hanover, Lower Saxony, Germany"}},
      {"the name with a comma, narrowed", "burgdorf, hanover, germany", 10,
       {"Burgdorf, Hanover, Lower Saxony, Germany"}},
      {"only the name's start", "ondon", 10, {}},
      {"nothing typed", "", 10, {}},
      {"only punctuation", " , ", 10, {}},
      {"longer than any label", "London" + std::string(600, ','), 10, {}},
      {"accents and case", "TROMSØ", 10, {"Tromsø, Troms og Finnmark, Norway"}},
  };
  for (const auto& r : rows) EXPECT_EQ(labels(smallAtlas().find(r.text, r.limit)), r.expected) << r.name;
}

TEST(AtlasResolve, OnePlaceOrTheCandidates) {
  using L = std::vector<std::string>;
  const struct {
    const char* name;
    const char* text;
    ResolveStatus status;
    L places;  // the place found, or the candidates
  } rows[] = {
      {"exact name beats longer names", "sale", ResolveStatus::Found, {"Sale, Victoria, Australia"}},
      {"one name starts with the text", "salern", ResolveStatus::Found, {"Salerno, Campania, Italy"}},
      {"several names start with the text", "salin", ResolveStatus::Ambiguous,
       {"Salinas, California, United States of America", "Salina, Kansas, United States of America"}},
      {"same name in six states: five candidates by population", "Springfield", ResolveStatus::Ambiguous,
       {"Springfield, Missouri, United States of America", "Springfield, Massachusetts, United States of America",
        "Springfield, Illinois, United States of America", "Springfield, Oregon, United States of America",
        "Springfield, Ohio, United States of America"}},
      {"narrowed to one state", "springfield, mass", ResolveStatus::Found,
       {"Springfield, Massachusetts, United States of America"}},
      {"two Londons", "london", ResolveStatus::Ambiguous,
       {"London, England, United Kingdom", "London, Ontario, Canada"}},
      {"London narrowed by country", "london, united kingdom", ResolveStatus::Found,
       {"London, England, United Kingdom"}},
      {"the whole label of a name with a comma", "Burgdorf, Hanover, Lower Saxony, Germany", ResolveStatus::Found,
       {"Burgdorf, Hanover, Lower Saxony, Germany"}},
      {"the shorter name is exact", "burgdorf", ResolveStatus::Found, {"Burgdorf, Bern, Switzerland"}},
      {"unknown", "Atlantis", ResolveStatus::NotFound, {}},
      {"nothing typed", "", ResolveStatus::NotFound, {}},
  };
  for (const auto& r : rows) {
    const PlaceResolution res = smallAtlas().resolve(r.text);
    EXPECT_EQ(res.status, r.status) << r.name;
    if (r.status == ResolveStatus::Found) {
      EXPECT_EQ(L{PlaceLabel(res.place)}, r.places) << r.name;
      EXPECT_TRUE(res.candidates.empty()) << r.name;
    } else {
      EXPECT_EQ(labels(res.candidates), r.places) << r.name;
    }
  }
}

TEST(AtlasFind, TiesGoByTheFoldedLabelThenByTheOrderGiven) {
  using L = std::vector<std::string>;
  Place first = place("Udaipur", "Rajasthan", "India", "IN", 10000);
  first.latitudeDeg = 24.58;
  Place second = first;
  second.latitudeDeg = 23.53;
  const Atlas atlas{{
      place("Ash", "Fork Ridge", "Utopia", "UT", 500),
      place("Ash Fork", "Alabama", "Utopia", "UT", 500),
      place("Vaduz", "Alpha", "Liechtenstein", "LI", 700),
      place("Vaduz", "", "Liechtenstein", "LI", 700),
      first,
      second,
  }};
  const struct {
    const char* name;
    const char* text;
    L expected;
  } rows[] = {
      // "ash fork alabama utopia" comes before "ash fork ridge utopia", though "ash" comes before "ash fork".
      {"the whole label decides, not the name alone", "as", {"Ash Fork, Alabama, Utopia", "Ash, Fork Ridge, Utopia"}},
      // "vaduz  liechtenstein": the empty state leaves two spaces, and a space comes before any letter.
      {"a place without a state", "vaduz", {"Vaduz, Liechtenstein", "Vaduz, Alpha, Liechtenstein"}},
  };
  for (const auto& r : rows) EXPECT_EQ(labels(atlas.find(r.text, 10)), r.expected) << r.name;
  const std::vector<Place> udaipur = atlas.find("udaipur", 10);
  ASSERT_EQ(udaipur.size(), 2u);
  EXPECT_EQ(udaipur[0], first) << "equal labels and populations keep the order given";
  EXPECT_EQ(udaipur[1], second);
}

TEST(AtlasFind, APlaceComesBackAsItWasGiven) {
  Place full = place("Tromsø", "Troms og Finnmark", "Norway", "NO", 52436);
  full.latitudeDeg = 69.6489;
  full.longitudeDeg = 18.95508;
  full.timeZone = "Europe/Oslo";
  const struct {
    const char* name;
    Place given;
  } rows[] = {
      {"every field", full},
      {"no population", place("Salina", "Kansas", "United States of America", "US", std::nullopt)},
      {"a population of nought is not none", place("Ghost Town", "Nevada", "United States of America", "US", 0)},
      {"no state, no code", place("Monaco", "", "Principality of Monaco", "", 32965)},
  };
  for (const auto& r : rows) {
    const std::vector<Place> found = Atlas({r.given}).find(r.given.name, 10);
    ASSERT_EQ(found.size(), 1u) << r.name;
    EXPECT_EQ(found.front(), r.given) << r.name;
  }
}

TEST(AtlasBuilder, RefusesWhatItsIndexCannotHold) {
  {
    AtlasBuilder builder;
    EXPECT_THROW(builder.add(place(std::string(70000, 'a').c_str(), "", "", "", 1)), std::length_error)
        << "a name of more than 65,535 bytes";
  }
  // The empty text, the zone "Etc/UTC" and 65,534 states fill the 65,536 shared texts; one state
  // more is refused.
  AtlasBuilder builder;
  for (int i = 0; i < 65534; ++i) builder.add(place("Town", ("State " + std::to_string(i)).c_str(), "", "", 1));
  EXPECT_THROW(builder.add(place("Town", "One state too many", "", "", 1)), std::length_error);
  const Atlas atlas = std::move(builder).build();
  EXPECT_EQ(atlas.size(), 65534u);
  const std::vector<Place> narrowed = atlas.find("town, state 65533", 10);
  ASSERT_EQ(narrowed.size(), 1u);
  EXPECT_EQ(narrowed.front().state, "State 65533");
}

// Every place of the system's GeoNames library, read as the atlas reads them.
std::vector<Place> systemPlaces(GeonamesFields fields = GeonamesFields::Fastest) {
  std::variant<std::vector<Place>, std::string> read = ReadGeonamesPlaces(kGeonamesLibraryFile, fields);
  if (const auto* problem = std::get_if<std::string>(&read)) {
    ADD_FAILURE() << *problem;
    return {};
  }
  return std::get<std::vector<Place>>(std::move(read));
}

// The system atlas is GeoNames' list of places of 15,000 people or more as Debian 12 ships it in
// libgeonames0 0.3.0-1; the names, states, populations and coordinates below are that data's.
TEST(SystemAtlas, ReadsEveryPlace) {
  EXPECT_EQ(SystemAtlas().size(), 24361u);
  EXPECT_EQ(SystemAtlasProblem(), std::nullopt);
  const std::vector<Place> all = systemPlaces();
  std::size_t withPopulation = 0, withZone = 0;
  for (const Place& p : all) {
    withPopulation += p.population.has_value();
    withZone += !p.timeZone.empty();
    ASSERT_GE(p.latitudeDeg, -90.0) << p.name;
    ASSERT_LE(p.latitudeDeg, 90.0) << p.name;
    ASSERT_GE(p.longitudeDeg, -180.0) << p.name;
    ASSERT_LE(p.longitudeDeg, 180.0) << p.name;
  }
  EXPECT_EQ(withPopulation, 24349u) << "twelve places carry no population";
  EXPECT_EQ(withZone, all.size());
}

// The places read straight from the cities' tuples are those the library's own accessors report.
TEST(SystemAtlas, PlacesAreWhatTheLibrarysAccessorsReport) {
  const std::vector<Place> fastest = systemPlaces();
  const std::vector<Place> byAccessors = systemPlaces(GeonamesFields::ByAccessors);
  ASSERT_EQ(fastest.size(), 24361u);
  ASSERT_EQ(byAccessors.size(), fastest.size());
  std::size_t differing = 0;
  for (std::size_t i = 0; i < fastest.size(); ++i)
    if (!(fastest[i] == byAccessors[i]) && ++differing <= 5) ADD_FAILURE() << i << ": " << PlaceLabel(fastest[i]);
  EXPECT_EQ(differing, 0u);
}

// The library is opened when the places are read, and what it lacks is an answer, not a crash.
TEST(GeonamesLibrary, AMissingLibraryOrFunctionIsReported) {
  const testing_support::BrokenAtlasLibrary broken;
  const struct {
    const char* name;
    std::string file;
    std::string problem;  // the start of the answer (the dynamic loader's own words follow a file)
  } rows[] = {
      {"no such library", "libhalvora-no-such-library.so.0",
       "libhalvora-no-such-library.so.0: cannot open shared object file"},
      {"a file that is no library", broken.libraryFile(), broken.libraryFile() + ": "},
      {"a library without the functions", "libm.so.6", "libm.so.6: no function geonames_get_n_cities"},
  };
  for (const auto& r : rows) {
    const auto places = ReadGeonamesPlaces(r.file.c_str());
    ASSERT_TRUE(std::holds_alternative<std::string>(places)) << r.name;
    EXPECT_EQ(std::get<std::string>(places).rfind(r.problem, 0), 0u) << r.name << ": " << std::get<std::string>(places);
    const auto atlas = ReadGeonamesAtlas(r.file.c_str());
    ASSERT_TRUE(std::holds_alternative<std::string>(atlas)) << r.name;
    EXPECT_EQ(std::get<std::string>(atlas), std::get<std::string>(places)) << r.name;
  }
}

// In a process of its own started with a broken library where the atlas's is looked for: the
// process starts (nothing links the library), the atlas holds no places and says why, and asking
// for places answers nothing rather than failing.
TEST(SystemAtlasDeathTest, WithoutTheLibraryTheAtlasIsEmptyAndSaysWhy) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const testing_support::BrokenAtlasLibrary broken;
  const testing_support::ScopedLibraryPath path(broken.libraryPath());
  EXPECT_EXIT(
      {
        const std::size_t places = SystemAtlas().size();
        const std::string problem = SystemAtlasProblem().value_or("none");
        std::fprintf(stderr, "places %zu, read %d, found %zu, resolved %d\nproblem %s\n", places, SystemAtlasLoaded(),
                     FindPlaces("pune", 10).size(), ResolvePlace("Pune").status == ResolveStatus::Found,
                     problem.c_str());
        // The child made a folder of its own when it ran the test's first lines; its loader found
        // the parent's, named in the environment it started with.
        std::filesystem::remove_all(broken.folder());
        std::exit(0);
      },
      testing::ExitedWithCode(0), "^places 0, read 1, found 0, resolved 0\nproblem " + broken.libraryFile() + ": ");
}

TEST(SystemAtlas, EveryPlaceOfTheLibraryIsFoundUnchanged) {
  const std::vector<Place> all = systemPlaces();
  const Atlas& atlas = SystemAtlas();
  std::size_t lost = 0;
  for (const Place& p : all) {
    const std::vector<Place> found = atlas.find(p.name, atlas.size());
    if (std::find(found.begin(), found.end(), p) == found.end() && ++lost <= 5) ADD_FAILURE() << PlaceLabel(p);
  }
  EXPECT_EQ(lost, 0u);
}

TEST(SystemAtlas, EveryPlacesZoneIsInTheDatabase) {
  std::set<std::string> zones;
  for (const Place& p : systemPlaces()) zones.insert(p.timeZone);
  EXPECT_GT(zones.size(), 300u);
  for (const std::string& zone : zones)
    EXPECT_EQ(ClockAt(zone, {2000, 1, 1, 12, 0}).status, ClockStatus::Ok) << zone;
}

TEST(SystemAtlas, FirstUseFromSeveralThreads) {
  // Each test runs in its own process, so this is the atlas's first use.
  std::vector<std::vector<Place>> results(4);
  std::vector<std::thread> threads;
  for (auto& r : results) threads.emplace_back([&r] { r = FindPlaces("tromso", 3); });
  for (auto& t : threads) t.join();
  for (const auto& r : results) {
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r.front().name, "Tromsø");
  }
}

// In a process of its own (the test program started again for this test alone): nothing reads the
// atlas, nor loads its library, until it is first asked for, and from then on it says it has been
// read.
TEST(SystemAtlasDeathTest, IsReadOnlyWhenFirstAskedFor) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const auto loaded = [] { return dlopen(kGeonamesLibraryFile, RTLD_NOW | RTLD_NOLOAD) != nullptr; };
        const bool before = SystemAtlasLoaded();
        const bool libraryBefore = loaded();
        const std::size_t places = SystemAtlas().size();
        std::fprintf(stderr, "before %d (library %d), places %zu, after %d (library %d)\n", before, libraryBefore,
                     places, SystemAtlasLoaded(), loaded());
        std::exit(0);
      },
      testing::ExitedWithCode(0), "^before 0 \\(library 0\\), places 24361, after 1 \\(library 1\\)\n$");
}

TEST(SystemAtlas, Lookups) {
  const struct {
    const char* name;
    const char* text;
    const char* first;  // label of the best match
    const char* zone;
    double latitudeDeg, longitudeDeg;
  } rows[] = {
      {"without the accent", "tromso", "Tromsø, Troms og Finnmark, Norway", "Europe/Oslo", 69.64890, 18.95508},
      {"with the accent, upper case", "TROMSØ", "Tromsø, Troms og Finnmark, Norway", "Europe/Oslo", 69.64890,
       18.95508},
      {"two words", "new york", "New York, New York, United States of America", "America/New_York", 40.71427,
       -74.00597},
      {"narrowed by country", "pune, india", "Pune, Maharashtra, India", "Asia/Kolkata", 18.51957, 73.85535},
      {"narrowed by state", "pune, maharashtra", "Pune, Maharashtra, India", "Asia/Kolkata", 18.51957, 73.85535},
      {"two letters: the largest population", "pu", "Puyang, Zhejiang, China", "Asia/Shanghai", 29.45679,
       119.88872},
      {"three letters", "pun", "Pune, Maharashtra, India", "Asia/Kolkata", 18.51957, 73.85535},
      {"São Paulo typed plainly", "sao paulo", "São Paulo, São Paulo, Brazil", "America/Sao_Paulo", -23.5475,
       -46.63611},
  };
  for (const auto& r : rows) {
    const std::vector<Place> found = FindPlaces(r.text, 10);
    ASSERT_FALSE(found.empty()) << r.name;
    EXPECT_EQ(PlaceLabel(found.front()), r.first) << r.name;
    EXPECT_EQ(found.front().timeZone, r.zone) << r.name;
    EXPECT_NEAR(found.front().latitudeDeg, r.latitudeDeg, 1e-4) << r.name;
    EXPECT_NEAR(found.front().longitudeDeg, r.longitudeDeg, 1e-4) << r.name;
  }
  EXPECT_TRUE(FindPlaces("xqzvbn", 10).empty());
  EXPECT_TRUE(FindPlaces("pune, kerala", 10).empty());
}

TEST(SystemAtlas, SpringfieldIsInSeveralStates) {
  const std::vector<Place> found = FindPlaces("springfield", 10);
  std::set<std::string> states;
  for (const Place& p : found)
    if (p.name == "Springfield") states.insert(p.state);
  EXPECT_EQ(states, (std::set<std::string>{"Illinois", "Massachusetts", "Missouri", "Ohio", "Oregon",
                                           "Pennsylvania", "Tennessee", "Virginia"}));
  const PlaceResolution r = ResolvePlace("Springfield");
  EXPECT_EQ(r.status, ResolveStatus::Ambiguous);
  ASSERT_EQ(r.candidates.size(), kResolveCandidates);
  EXPECT_EQ(PlaceLabel(r.candidates.front()), "Springfield, Missouri, United States of America");
  EXPECT_EQ(ResolvePlace("Springfield, Oregon").place.timeZone, "America/Los_Angeles");
}

TEST(SystemAtlas, Resolve) {
  const struct {
    const char* text;
    ResolveStatus status;
    const char* label;
  } rows[] = {
      {"Pune, Maharashtra, India", ResolveStatus::Found, "Pune, Maharashtra, India"},
      {"pune", ResolveStatus::Found, "Pune, Maharashtra, India"},
      {"New York", ResolveStatus::Found, "New York, New York, United States of America"},
      {"tromso", ResolveStatus::Found, "Tromsø, Troms og Finnmark, Norway"},
      {"Kathmandu", ResolveStatus::Found, "Kathmandu, Bagmati Province, Nepal"},
      // Two towns of this name in one state: only the coordinates tell them apart.
      {"Udaipur, Rajasthan", ResolveStatus::Ambiguous, "Udaipur, Rajasthan, India"},
      {"Nowhere-on-Sea", ResolveStatus::NotFound, ""},
  };
  for (const auto& r : rows) {
    const PlaceResolution res = ResolvePlace(r.text);
    EXPECT_EQ(res.status, r.status) << r.text;
    if (r.status == ResolveStatus::Found) {
      EXPECT_EQ(PlaceLabel(res.place), r.label) << r.text;
    }
    if (r.status == ResolveStatus::Ambiguous) {
      ASSERT_FALSE(res.candidates.empty()) << r.text;
      EXPECT_EQ(PlaceLabel(res.candidates.front()), r.label) << r.text;
    }
  }
}

TEST(PlaceTexts, LabelAndCoordinates) {
  Place pune = place("Pune", "Maharashtra", "India", "IN", 3124458);
  pune.latitudeDeg = 18.51957;
  pune.longitudeDeg = 73.85535;
  EXPECT_EQ(PlaceLabel(pune), "Pune, Maharashtra, India");
  EXPECT_EQ(CompletionText(pune), "Pune, Maharashtra, India \u2014 18\u00b031\u2032 N 73\u00b051\u2032 E");
  Place noState = place("Monaco", "", "Principality of Monaco", "MC", 32965);
  EXPECT_EQ(PlaceLabel(noState), "Monaco, Principality of Monaco");

  const struct {
    const char* name;
    double deg;
    WholeMinutes m;
  } rows[] = {
      {"rounds down", 18.51957, {18, 31, false}},   // 31.17'
      {"rounds up", 73.85535, {73, 51, false}},     // 51.32'
      {"carries into the degree", 40.9999, {41, 0, false}},
      {"west", -74.00597, {74, 0, true}},           // 0.36'
      {"south", -23.5475, {23, 33, true}},          // 32.85'
      {"tiny south is no south", -0.001, {0, 0, false}},
      {"half a minute rounds up", 10.5 / 60.0, {0, 11, false}},
  };
  for (const auto& r : rows) EXPECT_EQ(RoundToWholeMinutes(r.deg), r.m) << r.name;
  Place sp = place("São Paulo", "São Paulo", "Brazil", "BR", 10021295);
  sp.latitudeDeg = -23.5475;
  sp.longitudeDeg = -46.63611;
  EXPECT_EQ(CoordinatesText(sp), "23\u00b033\u2032 S 46\u00b038\u2032 W");
}

}  // namespace
}  // namespace halvora::places
