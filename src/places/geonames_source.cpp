// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the places that Debian's GeoNames library carries (cities of 15,000 people or more).
// The library is opened when the places are first read, not linked: a program that never reads
// them never loads it (nor the GIO it brings), and a system without it runs on, with no places.
// Its header gives only the functions' types; every function, GLib's too, is found in the library
// opened (GLib being one of its dependencies).
#include <geonames.h>

#include <array>
#include <optional>
#include <utility>

#include "common/run_time_library.h"
#include "places/atlas.h"

namespace halvora::places {
namespace {

// The functions the reading calls, found in the library opened.
struct GeonamesFunctions {
  decltype(&geonames_get_n_cities) getCityCount = nullptr;
  decltype(&geonames_get_city) getCity = nullptr;
  decltype(&geonames_city_free) freeCity = nullptr;
  decltype(&geonames_city_get_name) name = nullptr;
  decltype(&geonames_city_get_state) state = nullptr;
  decltype(&geonames_city_get_country) country = nullptr;
  decltype(&geonames_city_get_country_code) countryCode = nullptr;
  decltype(&geonames_city_get_timezone) timeZone = nullptr;
  decltype(&geonames_city_get_latitude) latitude = nullptr;
  decltype(&geonames_city_get_longitude) longitude = nullptr;
  decltype(&geonames_city_get_population) population = nullptr;
  decltype(&g_variant_is_of_type) isOfType = nullptr;
  decltype(&g_variant_get_child_value) childValue = nullptr;
  decltype(&g_variant_get_string) getString = nullptr;
  decltype(&g_variant_get_double) getDouble = nullptr;
  decltype(&g_variant_get_uint32) getUint32 = nullptr;
  decltype(&g_variant_unref) unref = nullptr;
};

// Opens the library and finds every function, or says what is missing. A library opened stays
// loaded for the run: nothing read from it is kept, but GLib's type system may not be unloaded.
std::variant<GeonamesFunctions, std::string> openGeonames(const char* libraryFile) {
  GeonamesFunctions f;
  auto opened = openRunTimeLibrary(libraryFile, [&f](const auto& need) {
    need("geonames_get_n_cities", f.getCityCount);
    need("geonames_get_city", f.getCity);
    need("geonames_city_free", f.freeCity);
    need("geonames_city_get_name", f.name);
    need("geonames_city_get_state", f.state);
    need("geonames_city_get_country", f.country);
    need("geonames_city_get_country_code", f.countryCode);
    need("geonames_city_get_timezone", f.timeZone);
    need("geonames_city_get_latitude", f.latitude);
    need("geonames_city_get_longitude", f.longitude);
    need("geonames_city_get_population", f.population);
    need("g_variant_is_of_type", f.isOfType);
    need("g_variant_get_child_value", f.childValue);
    need("g_variant_get_string", f.getString);
    need("g_variant_get_double", f.getDouble);
    need("g_variant_get_uint32", f.getUint32);
    need("g_variant_unref", f.unref);
  });
  if (auto* problem = std::get_if<std::string>(&opened)) return std::move(*problem);
  return f;
}

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
void readByAccessors(const GeonamesFunctions& f, GeonamesCity* city, Place& p) {
  assignText(p.name, f.name(city));
  assignText(p.state, f.state(city));
  assignText(p.country, f.country(city));
  assignText(p.countryCode, f.countryCode(city));
  p.latitudeDeg = f.latitude(city);
  p.longitudeDeg = f.longitude(city);
  setPopulation(p, f.population(city));
  assignText(p.timeZone, f.timeZone(city));
}

// A city is a GVariant; libgeonames 0.3 lays it out as (id, name, state code, state, country code,
// country, time zone, population, latitude, longitude). Reading the fields straight from the tuple
// takes half the time of the accessors; the layout is checked against them before it is trusted.
constexpr const char* kCityType = "(sssssssudd)";
enum Field : gsize { kName = 1, kState = 3, kCountryCode = 4, kCountry = 5, kTimeZone = 6, kPopulation = 7,
                     kLatitude = 8, kLongitude = 9 };

void stringField(const GeonamesFunctions& f, GVariant* city, gsize index, std::string& to) {
  GVariant* child = f.childValue(city, index);
  gsize length = 0;
  const gchar* s = f.getString(child, &length);
  to.assign(s, length);
  f.unref(child);
}

template <typename T>
T scalarField(const GeonamesFunctions& f, T (*get)(GVariant*), GVariant* city, gsize index) {
  GVariant* child = f.childValue(city, index);
  const T value = get(child);
  f.unref(child);
  return value;
}

void readByTuple(const GeonamesFunctions& f, GeonamesCity* city, Place& p) {
  stringField(f, city, kName, p.name);
  stringField(f, city, kState, p.state);
  stringField(f, city, kCountry, p.country);
  stringField(f, city, kCountryCode, p.countryCode);
  p.latitudeDeg = scalarField(f, f.getDouble, city, kLatitude);
  p.longitudeDeg = scalarField(f, f.getDouble, city, kLongitude);
  setPopulation(p, scalarField(f, f.getUint32, city, kPopulation));
  stringField(f, city, kTimeZone, p.timeZone);
}

bool tupleLayoutHolds(const GeonamesFunctions& f, int count) {
  if (count <= 0) return false;
  // A type string is its own GVariantType (what G_VARIANT_TYPE casts to when unchecked).
  const auto* cityType = reinterpret_cast<const GVariantType*>(kCityType);
  for (const int i : std::array<int, 3>{0, count / 2, count - 1}) {
    GeonamesCity* city = f.getCity(i);
    if (!city) return false;
    Place byTuple, byAccessors;
    const bool typed = f.isOfType(city, cityType);
    if (typed) {
      readByTuple(f, city, byTuple);
      readByAccessors(f, city, byAccessors);
    }
    const bool holds = typed && byTuple == byAccessors;
    f.freeCity(city);
    if (!holds) return false;
  }
  return true;
}

// Calls `take` with each place that has a name, in the library's order; the place passed is reused.
template <typename Take>
void readEveryPlace(const GeonamesFunctions& f, int count, GeonamesFields fields, Take take) {
  const bool byTuple = fields == GeonamesFields::Fastest && tupleLayoutHolds(f, count);
  Place p;
  for (int i = 0; i < count; ++i) {
    GeonamesCity* city = f.getCity(i);
    if (!city) continue;
    if (byTuple) {
      readByTuple(f, city, p);
    } else {
      readByAccessors(f, city, p);
    }
    f.freeCity(city);
    if (!p.name.empty()) take(p);
  }
}

std::size_t expected(int count) { return count > 0 ? static_cast<std::size_t>(count) : 0; }

}  // namespace

std::variant<std::vector<Place>, std::string> ReadGeonamesPlaces(const char* libraryFile, GeonamesFields fields) {
  auto opened = openGeonames(libraryFile);
  if (auto* problem = std::get_if<std::string>(&opened)) return std::move(*problem);
  const GeonamesFunctions& f = std::get<GeonamesFunctions>(opened);
  const int count = f.getCityCount();
  std::vector<Place> places;
  places.reserve(expected(count));
  readEveryPlace(f, count, fields, [&places](const Place& p) { places.push_back(p); });
  return places;
}

std::variant<Atlas, std::string> ReadGeonamesAtlas(const char* libraryFile) {
  auto opened = openGeonames(libraryFile);
  if (auto* problem = std::get_if<std::string>(&opened)) return std::move(*problem);
  const GeonamesFunctions& f = std::get<GeonamesFunctions>(opened);
  const int count = f.getCityCount();
  AtlasBuilder builder(expected(count));
  readEveryPlace(f, count, GeonamesFields::Fastest, [&builder](const Place& p) { builder.add(p); });
  return std::move(builder).build();
}

}  // namespace halvora::places
