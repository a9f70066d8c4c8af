// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the places that Debian's GeoNames library carries (cities of 15,000 people or more).
#include <geonames.h>

#include <array>

#include "places/atlas.h"

namespace halvora::places {
namespace {

// Texts are assigned into the place's strings, so that a place reused for the next city allocates
// nothing once its strings are long enough.
void assignText(std::string& to, const char* s) {
  if (s) {
    to.assign(s);
  } else {
    to.clear();
  }
}

void setPopulation(Place& p, guint population) {
  if (population > 0) {
    p.population = population;
  } else {
    p.population.reset();
  }
}

// Through the library's accessors: about 2.7 µs a place, most of the loading budget.
void readByAccessors(GeonamesCity* city, Place& p) {
  assignText(p.name, geonames_city_get_name(city));
  assignText(p.state, geonames_city_get_state(city));
  assignText(p.country, geonames_city_get_country(city));
  assignText(p.countryCode, geonames_city_get_country_code(city));
  p.latitudeDeg = geonames_city_get_latitude(city);
  p.longitudeDeg = geonames_city_get_longitude(city);
  setPopulation(p, geonames_city_get_population(city));
  assignText(p.timeZone, geonames_city_get_timezone(city));
}

// A city is a GVariant; libgeonames 0.3 lays it out as (id, name, state code, state, country code,
// country, time zone, population, latitude, longitude). Reading the fields straight from the tuple
// takes half the time of the accessors; the layout is checked against them before it is trusted.
constexpr const char* kCityType = "(sssssssudd)";
enum Field : gsize { kName = 1, kState = 3, kCountryCode = 4, kCountry = 5, kTimeZone = 6, kPopulation = 7,
                     kLatitude = 8, kLongitude = 9 };

void stringField(GVariant* city, gsize index, std::string& to) {
  GVariant* child = g_variant_get_child_value(city, index);
  gsize length = 0;
  const gchar* s = g_variant_get_string(child, &length);
  to.assign(s, length);
  g_variant_unref(child);
}

template <typename T, T (*get)(GVariant*)>
T scalarField(GVariant* city, gsize index) {
  GVariant* child = g_variant_get_child_value(city, index);
  const T value = get(child);
  g_variant_unref(child);
  return value;
}

void readByTuple(GeonamesCity* city, Place& p) {
  stringField(city, kName, p.name);
  stringField(city, kState, p.state);
  stringField(city, kCountry, p.country);
  stringField(city, kCountryCode, p.countryCode);
  p.latitudeDeg = scalarField<gdouble, g_variant_get_double>(city, kLatitude);
  p.longitudeDeg = scalarField<gdouble, g_variant_get_double>(city, kLongitude);
  setPopulation(p, scalarField<guint32, g_variant_get_uint32>(city, kPopulation));
  stringField(city, kTimeZone, p.timeZone);
}

bool tupleLayoutHolds(int count) {
  if (count <= 0) return false;
  for (const int i : std::array<int, 3>{0, count / 2, count - 1}) {
    GeonamesCity* city = geonames_get_city(i);
    if (!city) return false;
    Place byTuple, byAccessors;
    const bool typed = g_variant_is_of_type(city, G_VARIANT_TYPE(kCityType));
    if (typed) {
      readByTuple(city, byTuple);
      readByAccessors(city, byAccessors);
    }
    const bool holds = typed && byTuple == byAccessors;
    geonames_city_free(city);
    if (!holds) return false;
  }
  return true;
}

// Calls `take` with each place that has a name, in the library's order; the place passed is reused.
template <typename Take>
void readEveryPlace(int count, Take take) {
  const bool byTuple = tupleLayoutHolds(count);
  Place p;
  for (int i = 0; i < count; ++i) {
    GeonamesCity* city = geonames_get_city(i);
    if (!city) continue;
    if (byTuple) {
      readByTuple(city, p);
    } else {
      readByAccessors(city, p);
    }
    geonames_city_free(city);
    if (!p.name.empty()) take(p);
  }
}

std::size_t expected(int count) { return count > 0 ? static_cast<std::size_t>(count) : 0; }

}  // namespace

std::vector<Place> ReadGeonamesPlaces() {
  const int count = geonames_get_n_cities();
  std::vector<Place> places;
  places.reserve(expected(count));
  readEveryPlace(count, [&places](const Place& p) { places.push_back(p); });
  return places;
}

Atlas ReadGeonamesAtlas() {
  const int count = geonames_get_n_cities();
  AtlasBuilder builder(expected(count));
  readEveryPlace(count, [&builder](const Place& p) { builder.add(p); });
  return std::move(builder).build();
}

}  // namespace halvora::places
