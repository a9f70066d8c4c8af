// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/tzif.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace halvora::places {
namespace {

constexpr std::size_t kHeaderBytes = 44;
constexpr std::uintmax_t kLargestZoneFileBytes = 1 << 20;  // real files are under 10 kB

class Reader {
 public:
  explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
  bool has(std::size_t n) const { return n <= m_bytes.size() - m_at; }
  std::string_view take(std::size_t n) {
    const std::string_view s = m_bytes.substr(m_at, n);
    m_at += n;
    return s;
  }
  std::uint64_t bigEndian(std::size_t n) {
    std::uint64_t v = 0;
    for (const char c : take(n)) v = (v << 8) | static_cast<unsigned char>(c);
    return v;
  }
  std::string_view rest() const { return m_bytes.substr(m_at); }

 private:
  std::string_view m_bytes;
  std::size_t m_at = 0;
};

struct Header {
  char version = 0;
  std::uint64_t isUtCount, isStdCount, leapCount, timeCount, typeCount, charCount;
};

std::optional<Header> readHeader(Reader& r) {
  if (!r.has(kHeaderBytes)) return std::nullopt;
  if (r.take(4) != "TZif") return std::nullopt;
  Header h;
  h.version = r.take(1)[0];
  r.take(15);
  h.isUtCount = r.bigEndian(4);
  h.isStdCount = r.bigEndian(4);
  h.leapCount = r.bigEndian(4);
  h.timeCount = r.bigEndian(4);
  h.typeCount = r.bigEndian(4);
  h.charCount = r.bigEndian(4);
  if (h.version != 0 && h.version < '2') return std::nullopt;  // later versions extend version 2
  if (h.typeCount == 0 || h.typeCount > 256 || h.charCount == 0) return std::nullopt;
  if ((h.isUtCount != 0 && h.isUtCount != h.typeCount) || (h.isStdCount != 0 && h.isStdCount != h.typeCount))
    return std::nullopt;
  return h;
}

std::uint64_t blockBytes(const Header& h, std::size_t timeBytes) {
  return h.timeCount * timeBytes + h.timeCount + h.typeCount * 6 + h.charCount + h.leapCount * (timeBytes + 4) +
         h.isStdCount + h.isUtCount;
}

std::optional<TzifZone> readBlock(Reader& r, const Header& h, std::size_t timeBytes) {
  if (h.timeCount > (1u << 20) || h.leapCount > (1u << 16) || h.charCount > (1u << 16)) return std::nullopt;
  if (!r.has(blockBytes(h, timeBytes))) return std::nullopt;
  TzifZone zone;
  for (std::uint64_t i = 0; i < h.timeCount; ++i) {
    const std::uint64_t raw = r.bigEndian(timeBytes);
    const std::int64_t t = timeBytes == 8 ? static_cast<std::int64_t>(raw)
                                          : static_cast<std::int64_t>(static_cast<std::int32_t>(raw));
    if (!zone.transitionsUtc.empty() && t <= zone.transitionsUtc.back()) return std::nullopt;
    zone.transitionsUtc.push_back(t);
  }
  for (std::uint64_t i = 0; i < h.timeCount; ++i) {
    const auto type = static_cast<std::uint8_t>(r.bigEndian(1));
    if (type >= h.typeCount) return std::nullopt;
    zone.transitionTypes.push_back(type);
  }
  std::vector<std::uint8_t> abbreviationIndex;
  for (std::uint64_t i = 0; i < h.typeCount; ++i) {
    TzifLocalType t;
    t.utcOffsetSeconds = static_cast<std::int32_t>(static_cast<std::uint32_t>(r.bigEndian(4)));
    const auto dst = r.bigEndian(1);
    if (dst > 1) return std::nullopt;
    t.isDst = dst == 1;
    abbreviationIndex.push_back(static_cast<std::uint8_t>(r.bigEndian(1)));
    zone.localTypes.push_back(std::move(t));
  }
  const std::string_view chars = r.take(h.charCount);
  for (std::size_t i = 0; i < zone.localTypes.size(); ++i) {
    const std::size_t start = abbreviationIndex[i];
    const std::size_t end = chars.find('\0', start);
    if (start >= chars.size() || end == std::string_view::npos) return std::nullopt;
    zone.localTypes[i].abbreviation = std::string(chars.substr(start, end - start));
  }
  r.take(h.leapCount * (timeBytes + 4) + h.isStdCount + h.isUtCount);
  return zone;
}

}  // namespace

std::optional<TzifZone> ParseTzif(std::string_view bytes) {
  Reader r(bytes);
  const std::optional<Header> first = readHeader(r);
  if (!first) return std::nullopt;
  if (first->version == 0) return readBlock(r, *first, 4);

  // Version 2 and later repeat the data with 64-bit times, followed by the footer: skip the 32-bit block.
  if (!r.has(blockBytes(*first, 4))) return std::nullopt;
  r.take(blockBytes(*first, 4));
  const std::optional<Header> second = readHeader(r);
  if (!second) return std::nullopt;
  std::optional<TzifZone> zone = readBlock(r, *second, 8);
  if (!zone) return std::nullopt;
  const std::string_view rest = r.rest();
  if (rest.size() < 2 || rest[0] != '\n') return std::nullopt;
  const std::size_t end = rest.find('\n', 1);
  if (end == std::string_view::npos) return std::nullopt;
  zone->footer = std::string(rest.substr(1, end - 1));
  return zone;
}

std::optional<TzifZone> ReadTzifFile(const std::filesystem::path& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kLargestZoneFileBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return ParseTzif(bytes);
}

std::optional<TzifFacts> FactsAt(const TzifZone& zone, std::int64_t utcSeconds) {
  const auto& times = zone.transitionsUtc;
  if (times.empty() && !zone.footer.empty()) return std::nullopt;
  if (!times.empty() && utcSeconds >= times.back() && !zone.footer.empty()) return std::nullopt;

  // Period k runs from transition k-1 to transition k; period 0 precedes every transition.
  const std::size_t periods = times.size() + 1;
  const auto typeOf = [&](std::size_t k) -> const TzifLocalType& {
    return zone.localTypes[k == 0 ? 0 : zone.transitionTypes[k - 1]];
  };
  const std::size_t here =
      static_cast<std::size_t>(std::upper_bound(times.begin(), times.end(), utcSeconds) - times.begin());

  const TzifLocalType& type = typeOf(here);
  TzifFacts facts;
  facts.utcOffsetSeconds = type.utcOffsetSeconds;
  facts.isDst = type.isDst;
  facts.abbreviation = type.abbreviation;
  facts.standardOffsetSeconds = type.utcOffsetSeconds;
  if (!type.isDst) return facts;

  std::size_t first = here;
  while (first > 0 && typeOf(first - 1).isDst) --first;
  std::size_t last = here;
  while (last + 1 < periods && typeOf(last + 1).isDst) ++last;
  std::optional<int> before, after;
  if (first > 0) {
    facts.dstRunStartUtc = times[first - 1];
    before = typeOf(first - 1).utcOffsetSeconds;
  }
  if (last + 1 < periods) {
    facts.dstRunEndUtc = times[last];
    after = typeOf(last + 1).utcOffsetSeconds;
  }
  // A zone may change its standard time across a daylight run (Samoa crossed the date line in one,
  // occupied Kyiv went from Moscow to Central European time in another): the daylight time departs
  // from the standard time nearer to it, and of two equally near, from the one it is ahead of.
  const auto distance = [&](int standard) { return std::abs(facts.utcOffsetSeconds - standard); };
  if (before && after) {
    const bool beforeNearer = distance(*before) != distance(*after) ? distance(*before) < distance(*after)
                                                                    : *before <= *after;
    facts.standardOffsetSeconds = beforeNearer ? *before : *after;
  } else if (before || after) {
    facts.standardOffsetSeconds = before ? *before : *after;
  }
  return facts;
}

}  // namespace halvora::places
