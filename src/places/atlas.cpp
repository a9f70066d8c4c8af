// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/atlas.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>

#include "places/search_fold.h"

namespace halvora::places {
namespace {

// Country names people commonly type that are neither a prefix of the atlas's name nor its code.
struct CountryAlias {
  std::string_view alias;
  std::string_view code;  // folded, as in the index
};
constexpr std::array<CountryAlias, 2> kCountryAliases = {{{"uk", "gb"}, {"usa", "us"}}};

// Longer than any label of the atlas; a longer text names no place (and costs no time).
constexpr std::size_t kLongestQueryBytes = 512;

// True when `query` is the start of `field` or of one of its words.
bool startsAWord(std::string_view field, std::string_view query) {
  if (field.starts_with(query)) return true;
  for (std::size_t at = field.find(' '); at != std::string_view::npos; at = field.find(' ', at + 1))
    if (field.substr(at + 1).starts_with(query)) return true;
  return false;
}

std::vector<std::string_view> splitOnCommas(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    parts.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return parts;
    start = comma + 1;
  }
}

}  // namespace

Atlas::Atlas(std::vector<Place> places) : m_places(std::move(places)) {
  std::unordered_map<std::string, std::string> foldedRegions;  // states and countries repeat
  const auto foldRegion = [&](const std::string& text) -> const std::string& {
    auto it = foldedRegions.find(text);
    if (it == foldedRegions.end()) it = foldedRegions.emplace(text, FoldForSearch(text)).first;
    return it->second;
  };
  m_folded.reserve(m_places.size());
  m_keys.reserve(m_places.size());
  m_labels.reserve(m_places.size());
  for (std::size_t i = 0; i < m_places.size(); ++i) {
    const Place& p = m_places[i];
    m_folded.push_back({foldRegion(p.state), foldRegion(p.country), FoldForSearch(p.countryCode)});
    m_keys.push_back({FoldForSearch(p.name), i});
    m_labels.push_back(m_keys.back().name + ' ' + m_folded.back().state + ' ' + m_folded.back().country);
  }
  std::sort(m_keys.begin(), m_keys.end(), [](const Key& a, const Key& b) { return a.name < b.name; });
}

std::vector<Atlas::Match> Atlas::matches(std::string_view text) const {
  std::vector<Match> found;
  if (text.size() > kLongestQueryBytes) return found;
  const std::vector<std::string_view> parts = splitOnCommas(text);
  // A name may itself hold a comma ("Burgdorf, Hanover"), so every split into name and qualifiers counts.
  for (std::size_t nameParts = 1; nameParts <= parts.size(); ++nameParts) {
    const std::string_view last = parts[nameParts - 1];
    const std::string_view nameText = text.substr(0, static_cast<std::size_t>(last.data() + last.size() - text.data()));
    const std::string name = FoldForSearch(nameText);
    if (name.empty()) continue;
    std::vector<std::string> qualifiers;
    for (std::size_t q = nameParts; q < parts.size(); ++q)
      if (std::string folded = FoldForSearch(parts[q]); !folded.empty()) qualifiers.push_back(std::move(folded));

    const auto first = std::lower_bound(m_keys.begin(), m_keys.end(), name,
                                        [](const Key& k, const std::string& n) { return k.name < n; });
    for (auto it = first; it != m_keys.end() && it->name.starts_with(name); ++it) {
      const Folded& f = m_folded[it->place];
      const bool qualified = std::all_of(qualifiers.begin(), qualifiers.end(), [&](const std::string& q) {
        if (startsAWord(f.state, q) || startsAWord(f.country, q) || q == f.countryCode) return true;
        return std::any_of(kCountryAliases.begin(), kCountryAliases.end(),
                           [&](const CountryAlias& a) { return a.alias == q && a.code == f.countryCode; });
      });
      if (qualified) found.push_back({it->place, it->name.size() == name.size()});
    }
  }
  // One entry per place, exact if any split named it exactly.
  std::sort(found.begin(), found.end(), [](const Match& a, const Match& b) {
    return a.place != b.place ? a.place < b.place : a.exact > b.exact;
  });
  found.erase(std::unique(found.begin(), found.end(), [](const Match& a, const Match& b) { return a.place == b.place; }),
              found.end());
  return found;
}

std::vector<Atlas::Match> Atlas::ranked(std::vector<Match> all, std::size_t limit) const {
  const auto better = [this](const Match& a, const Match& b) {
    if (a.exact != b.exact) return a.exact;
    const std::uint32_t popA = m_places[a.place].population.value_or(0);
    const std::uint32_t popB = m_places[b.place].population.value_or(0);
    if (popA != popB) return popA > popB;
    if (m_labels[a.place] != m_labels[b.place]) return m_labels[a.place] < m_labels[b.place];
    return a.place < b.place;
  };
  const std::size_t n = std::min(limit, all.size());
  std::partial_sort(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(n), all.end(), better);
  all.resize(n);
  return all;
}

std::vector<Place> Atlas::find(std::string_view text, std::size_t limit) const {
  std::vector<Place> result;
  if (limit == 0) return result;
  for (const Match& m : ranked(matches(text), limit)) result.push_back(m_places[m.place]);
  return result;
}

PlaceResolution Atlas::resolve(std::string_view text) const {
  std::vector<Match> all = matches(text);
  PlaceResolution r;
  if (all.empty()) return r;
  if (std::any_of(all.begin(), all.end(), [](const Match& m) { return m.exact; }))
    std::erase_if(all, [](const Match& m) { return !m.exact; });
  if (all.size() == 1) {
    r.status = ResolveStatus::Found;
    r.place = m_places[all.front().place];
    return r;
  }
  r.status = ResolveStatus::Ambiguous;
  for (const Match& m : ranked(std::move(all), kResolveCandidates)) r.candidates.push_back(m_places[m.place]);
  return r;
}

const Atlas& SystemAtlas() {
  static const Atlas atlas{ReadGeonamesPlaces()};
  return atlas;
}

std::vector<Place> FindPlaces(std::string_view text, std::size_t limit) { return SystemAtlas().find(text, limit); }

PlaceResolution ResolvePlace(std::string_view text) { return SystemAtlas().resolve(text); }

}  // namespace halvora::places
