// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The atlas: populated places found by the start of their name, optionally narrowed by state or country.

#include <cstddef>
#include <string>
#include <string_view>
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

// An index over a fixed list of places. Queries are "name[, qualifier ...]": the name is matched as
// the start of a place's name, each qualifier as the start of the state's or the country's name (or
// of one of their words), or as the country's two-letter code; case, accents and punctuation are ignored.
class Atlas {
 public:
  explicit Atlas(std::vector<Place> places);

  // Up to `limit` places for the text, best first: exact names before longer ones, then the larger
  // population, then alphabetical order of the label.
  std::vector<Place> find(std::string_view text, std::size_t limit) const;

  // The one place the text names: an exact name wins over names that only start with the text;
  // several places of the same standing are ambiguous.
  PlaceResolution resolve(std::string_view text) const;

  std::size_t size() const { return m_places.size(); }

 private:
  struct Key {
    std::string name;  // folded names, sorted
    std::size_t place;
  };
  struct Folded {
    std::string state, country, countryCode;
  };
  struct Match {
    std::size_t place;
    bool exact;
  };
  std::vector<Match> matches(std::string_view text) const;
  std::vector<Match> ranked(std::vector<Match> all, std::size_t limit) const;

  std::vector<Place> m_places;
  std::vector<Folded> m_folded;  // parallel to m_places
  std::vector<Key> m_keys;
  std::vector<std::string> m_labels;  // folded labels, for the final tie-break
};

// Every place that Debian's GeoNames library holds, read through that library.
std::vector<Place> ReadGeonamesPlaces();

// The atlas of GeoNames places, read on first use (safe from any thread) and kept for the run.
const Atlas& SystemAtlas();

// FindPlaces and ResolvePlace on the system atlas.
std::vector<Place> FindPlaces(std::string_view text, std::size_t limit);
PlaceResolution ResolvePlace(std::string_view text);

}  // namespace halvora::places
