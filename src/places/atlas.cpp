// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/atlas.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

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

// Compares texts each made of parts as the parts joined would compare, byte by byte (as
// std::string does).
bool joinedBefore(std::initializer_list<std::string_view> a, std::initializer_list<std::string_view> b) {
  auto partA = a.begin(), partB = b.begin();
  std::size_t atA = 0, atB = 0;
  for (;;) {
    while (partA != a.end() && atA == partA->size()) ++partA, atA = 0;
    while (partB != b.end() && atB == partB->size()) ++partB, atB = 0;
    if (partA == a.end() || partB == b.end()) return partA == a.end() && partB != b.end();
    const auto ca = static_cast<unsigned char>((*partA)[atA]);
    const auto cb = static_cast<unsigned char>((*partB)[atB]);
    if (ca != cb) return ca < cb;
    ++atA, ++atB;
  }
}

template <typename T>
T checked(std::size_t n, const char* what) {
  if (n > std::numeric_limits<T>::max()) throw std::length_error(what);
  return static_cast<T>(n);
}

}  // namespace

AtlasBuilder::AtlasBuilder(std::size_t expectedPlaces) {
  m_atlas.m_records.reserve(expectedPlaces);
  // About a name and its key of a dozen bytes each.
  m_atlas.m_text.reserve(expectedPlaces * 24);
}

AtlasBuilder::~AtlasBuilder() = default;

// A text and its search key, one after the other.
AtlasBuilder::Text AtlasBuilder::append(std::string_view text, std::string_view key) {
  Text t;
  t.offset = checked<std::uint32_t>(m_atlas.m_text.size(), "the atlas's texts exceed 4 GiB");
  t.bytes = checked<std::uint16_t>(text.size(), "a text of the atlas exceeds 65,535 bytes");
  t.foldedBytes = checked<std::uint16_t>(key.size(), "a text of the atlas exceeds 65,535 bytes");
  checked<std::uint32_t>(m_atlas.m_text.size() + text.size() + key.size(), "the atlas's texts exceed 4 GiB");
  m_atlas.m_text += text;
  m_atlas.m_text += key;
  return t;
}

// The index of a state, country, code or zone in the shared texts, added on first sight.
std::uint16_t AtlasBuilder::shared(const std::string& text) {
  if (const auto it = m_sharedIndex.find(text); it != m_sharedIndex.end()) return it->second;
  const auto index = checked<std::uint16_t>(m_atlas.m_shared.size(), "the atlas holds too many distinct regions and zones");
  m_atlas.m_shared.push_back(append(text, FoldForSearch(text)));
  m_sharedIndex.emplace(text, index);
  return index;
}

void AtlasBuilder::add(const Place& p) {
  Atlas::Record r;
  r.latitudeDeg = p.latitudeDeg;
  r.longitudeDeg = p.longitudeDeg;
  r.population = p.population.value_or(0);
  r.hasPopulation = p.population.has_value();
  r.state = shared(p.state);
  r.country = shared(p.country);
  r.countryCode = shared(p.countryCode);
  r.timeZone = shared(p.timeZone);
  r.name = append(p.name, FoldForSearch(p.name));
  m_atlas.m_records.push_back(r);
}

Atlas AtlasBuilder::build() && {
  Atlas& a = m_atlas;
  std::sort(a.m_records.begin(), a.m_records.end(), [&a](const Atlas::Record& x, const Atlas::Record& y) {
    const std::string_view kx = a.key(x), ky = a.key(y);
    return kx != ky ? kx < ky : x.name.offset < y.name.offset;
  });
  a.m_text.shrink_to_fit();
  a.m_shared.shrink_to_fit();
  a.m_records.shrink_to_fit();
  m_sharedIndex = {};
  return std::move(m_atlas);
}

Atlas::Atlas(std::vector<Place> places) {
  AtlasBuilder builder(places.size());
  for (const Place& p : places) builder.add(p);
  *this = std::move(builder).build();
}

std::size_t Atlas::memoryBytes() const {
  return m_text.capacity() + m_shared.capacity() * sizeof(Text) + m_records.capacity() * sizeof(Record);
}

Place Atlas::placeAt(std::size_t record) const {
  const Record& r = m_records[record];
  Place p;
  p.name = text(r.name);
  p.state = text(m_shared[r.state]);
  p.country = text(m_shared[r.country]);
  p.countryCode = text(m_shared[r.countryCode]);
  p.latitudeDeg = r.latitudeDeg;
  p.longitudeDeg = r.longitudeDeg;
  if (r.hasPopulation) p.population = r.population;
  p.timeZone = text(m_shared[r.timeZone]);
  return p;
}

// The folded labels "name state country" in alphabetical order.
bool Atlas::labelBefore(const Record& a, const Record& b) const {
  return joinedBefore({key(a), " ", folded(m_shared[a.state]), " ", folded(m_shared[a.country])},
                      {key(b), " ", folded(m_shared[b.state]), " ", folded(m_shared[b.country])});
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

    const auto first = std::lower_bound(m_records.begin(), m_records.end(), std::string_view(name),
                                        [this](const Record& r, std::string_view n) { return key(r) < n; });
    for (auto it = first; it != m_records.end() && key(*it).starts_with(name); ++it) {
      const std::string_view state = folded(m_shared[it->state]);
      const std::string_view country = folded(m_shared[it->country]);
      const std::string_view code = folded(m_shared[it->countryCode]);
      const bool qualified = std::all_of(qualifiers.begin(), qualifiers.end(), [&](const std::string& q) {
        if (startsAWord(state, q) || startsAWord(country, q) || q == code) return true;
        return std::any_of(kCountryAliases.begin(), kCountryAliases.end(),
                           [&](const CountryAlias& a) { return a.alias == q && a.code == code; });
      });
      if (qualified)
        found.push_back({static_cast<std::size_t>(it - m_records.begin()), key(*it).size() == name.size()});
    }
  }
  // One entry per place, exact if any split named it exactly.
  std::sort(found.begin(), found.end(), [](const Match& a, const Match& b) {
    return a.record != b.record ? a.record < b.record : a.exact > b.exact;
  });
  found.erase(std::unique(found.begin(), found.end(), [](const Match& a, const Match& b) { return a.record == b.record; }),
              found.end());
  return found;
}

std::vector<Atlas::Match> Atlas::ranked(std::vector<Match> all, std::size_t limit) const {
  const auto better = [this](const Match& a, const Match& b) {
    if (a.exact != b.exact) return a.exact;
    const Record& ra = m_records[a.record];
    const Record& rb = m_records[b.record];
    if (ra.population != rb.population) return ra.population > rb.population;
    if (labelBefore(ra, rb)) return true;
    if (labelBefore(rb, ra)) return false;
    return ra.name.offset < rb.name.offset;
  };
  const std::size_t n = std::min(limit, all.size());
  std::partial_sort(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(n), all.end(), better);
  all.resize(n);
  return all;
}

std::vector<Place> Atlas::find(std::string_view text, std::size_t limit) const {
  std::vector<Place> result;
  if (limit == 0) return result;
  for (const Match& m : ranked(matches(text), limit)) result.push_back(placeAt(m.record));
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
    r.place = placeAt(all.front().record);
    return r;
  }
  r.status = ResolveStatus::Ambiguous;
  for (const Match& m : ranked(std::move(all), kResolveCandidates)) r.candidates.push_back(placeAt(m.record));
  return r;
}

namespace {

std::atomic<bool>& systemAtlasRead() {
  static std::atomic<bool> read{false};
  return read;
}

struct SystemReading {
  Atlas atlas;
  std::optional<std::string> problem;
};

// The reading's passing allocations (one place's texts, the table of shared texts) are handed back
// to the system, so that only the index stays resident.
SystemReading readAndRelease() {
  std::variant<Atlas, std::string> read = ReadGeonamesAtlas();
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
  if (auto* problem = std::get_if<std::string>(&read)) return {Atlas(std::vector<Place>{}), std::move(*problem)};
  return {std::move(std::get<Atlas>(read)), std::nullopt};
}

const SystemReading& systemReading() {
  static const SystemReading reading = readAndRelease();
  static const bool marked = (systemAtlasRead().store(true, std::memory_order_release), true);
  (void)marked;
  return reading;
}

}  // namespace

const Atlas& SystemAtlas() { return systemReading().atlas; }

const std::optional<std::string>& SystemAtlasProblem() { return systemReading().problem; }

bool SystemAtlasLoaded() { return systemAtlasRead().load(std::memory_order_acquire); }

std::vector<Place> FindPlaces(std::string_view text, std::size_t limit) { return SystemAtlas().find(text, limit); }

PlaceResolution ResolvePlace(std::string_view text) { return SystemAtlas().resolve(text); }

}  // namespace halvora::places
