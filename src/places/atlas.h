// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The atlas: populated places found by the start of their name, optionally narrowed by state or country.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "places/place.h"

namespace halvora::places {

// How a text resolves to one place.
enum class ResolveStatus {
  Found,      // exactly one place matches best
  NotFound,   // no place matches
  Ambiguous,  // several places match equally well
};

struct PlaceResolution {
  ResolveStatus status = ResolveStatus::NotFound;
  Place place;                   // the place found (Found only)
  std::vector<Place> candidates;  // Ambiguous: up to kResolveCandidates of the best, best first
};

inline constexpr std::size_t kResolveCandidates = 5;

class AtlasBuilder;

// An index over a fixed list of places. Queries are "name[, qualifier ...]": the name is matched as
// the start of a place's name, each qualifier as the start of the state's or the country's name (or
// of one of their words), or as the country's two-letter code; case, accents and punctuation are ignored.
// The places are held compactly: every text in one block, the states, countries, codes and zones
// once each; a Place value is made only for a place returned.
class Atlas {
 public:
  explicit Atlas(std::vector<Place> places);

  // Up to `limit` places for the text, best first: exact names before longer ones, then the larger
  // population, then alphabetical order of the label.
  std::vector<Place> find(std::string_view text, std::size_t limit) const;

  // The one place the text names: an exact name wins over names that only start with the text;
  // several places of the same standing are ambiguous.
  PlaceResolution resolve(std::string_view text) const;

  std::size_t size() const { return m_records.size(); }

  // The bytes of memory the index holds.
  std::size_t memoryBytes() const;

 private:
  friend class AtlasBuilder;
  Atlas() = default;

  // A text of m_text: `bytes` from `offset`, its search key (if kept) the `foldedBytes` after it.
  struct Text {
    std::uint32_t offset = 0;
    std::uint16_t bytes = 0;
    std::uint16_t foldedBytes = 0;
  };
  struct Record {
    double latitudeDeg = 0;
    double longitudeDeg = 0;
    Text name;  // offsets grow in the order the places were given, which breaks the last ties
    std::uint32_t population = 0;
    std::uint16_t state = 0, country = 0, countryCode = 0, timeZone = 0;  // in m_shared
    bool hasPopulation = false;
  };
  struct Match {
    std::size_t record;
    bool exact;
  };

  std::string_view text(const Text& t) const { return {m_text.data() + t.offset, t.bytes}; }
  std::string_view folded(const Text& t) const { return {m_text.data() + t.offset + t.bytes, t.foldedBytes}; }
  std::string_view key(const Record& r) const { return folded(r.name); }
  Place placeAt(std::size_t record) const;
  bool labelBefore(const Record& a, const Record& b) const;
  std::vector<Match> matches(std::string_view text) const;
  std::vector<Match> ranked(std::vector<Match> all, std::size_t limit) const;

  std::string m_text;             // every name with its key after it, every shared text with its key
  std::vector<Text> m_shared;     // the distinct states, countries, codes and zones
  std::vector<Record> m_records;  // sorted by key, then by the order the places were given
};

// Gathers places one at a time into an atlas, keeping none of the Place values it is given (the
// caller may reuse one for every place). A text of more than 65,535 bytes, or more than 65,536
// distinct states, countries, codes and zones, is refused with std::length_error; the texts
// together may hold up to 4 GiB.
class AtlasBuilder {
 public:
  explicit AtlasBuilder(std::size_t expectedPlaces = 0);
  ~AtlasBuilder();
  AtlasBuilder(const AtlasBuilder&) = delete;
  AtlasBuilder& operator=(const AtlasBuilder&) = delete;

  void add(const Place& place);
  Atlas build() &&;

 private:
  using Text = Atlas::Text;
  std::uint16_t shared(const std::string& text);
  Text append(std::string_view text, std::string_view key);

  Atlas m_atlas;
  std::unordered_map<std::string, std::uint16_t> m_sharedIndex;
};

// The file Debian's GeoNames library is opened from when the places are first read, found as the
// dynamic loader finds libraries. The program does not link it.
inline constexpr const char* kGeonamesLibraryFile = "libgeonames.so.0";

// How the places' fields are taken from the library.
enum class GeonamesFields {
  Fastest,      // straight from each city's tuple when its layout is the one known, else by accessors
  ByAccessors,  // through the library's accessor functions alone
};

// Every place that Debian's GeoNames library holds, read through the library opened from
// `libraryFile`; or, when that library or one of the functions the reading uses is missing, what
// is missing ("libgeonames.so.0: cannot open shared object file: No such file or directory",
// "libz.so.1: no function geonames_get_n_cities").
std::variant<std::vector<Place>, std::string> ReadGeonamesPlaces(const char* libraryFile = kGeonamesLibraryFile,
                                                                 GeonamesFields fields = GeonamesFields::Fastest);
// The same places, indexed as they are read; or what is missing.
std::variant<Atlas, std::string> ReadGeonamesAtlas(const char* libraryFile = kGeonamesLibraryFile);

// The atlas of GeoNames places, read on first use (safe from any thread) and kept for the run.
// Without the library it holds no places, and SystemAtlasProblem() says why.
const Atlas& SystemAtlas();
// What is missing when the system atlas could not be read; nothing when it was. Reads the atlas
// if it has not been read.
const std::optional<std::string>& SystemAtlasProblem();
// Whether SystemAtlas() has finished reading: then it returns at once.
bool SystemAtlasLoaded();

// FindPlaces and ResolvePlace on the system atlas.
std::vector<Place> FindPlaces(std::string_view text, std::size_t limit);
PlaceResolution ResolvePlace(std::string_view text);

}  // namespace halvora::places
