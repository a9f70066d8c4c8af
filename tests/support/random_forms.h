// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole forms chosen at random from a fixed seed, written both as a batch line and as the flags of
// halvora-chart: every key given, place texts that JSON must escape (quotes, backslashes, letters
// beyond ASCII), places near the poles, and now and then a value the form cannot take.
//
// The choices use only the raw numbers of std::mt19937_64, whose sequence the C++ standard fixes,
// so the same seed gives the same forms with any standard library.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace halvora::testing_support {

struct RandomForm {
  std::string jsonLine;            // one line of a batch
  std::vector<std::string> flags;  // the same form as command-line flags
};

class RandomForms {
 public:
  explicit RandomForms(std::uint64_t seed) : m_rng(seed) {}

  // A number from lo to hi, both included.
  int pick(int lo, int hi) { return lo + static_cast<int>(m_rng() % static_cast<std::uint64_t>(hi - lo + 1)); }
  bool chance(int percent) { return pick(1, 100) <= percent; }

  // `soundOnly` keeps every value within what the entry form offers (its own checks may still fail
  // on a date such as 30 February); otherwise about one form in twelve holds a value it cannot take.
  RandomForm next(bool soundOnly = false) {
    RandomForm f;
    f.jsonLine = "{";
    const bool damaged = !soundOnly && chance(8);
    const int damagedKey = pick(0, 6);

    std::string name;
    const int nameLength = chance(3) && !soundOnly ? 0 : pick(1, 24);
    for (int i = 0; i < nameLength; ++i)
      name += chance(12) && i > 0 ? ' ' : static_cast<char>((chance(50) ? 'a' : 'A') + pick(0, 25));
    if (damaged && damagedKey == 0) name += "7";
    text(f, "name", name, name);

    number(f, "month", damaged && damagedKey == 1 ? 13 : pick(1, 12));
    number(f, "day", pick(1, 31));
    number(f, "year", damaged && damagedKey == 2 ? 1900 : pick(1901, 2050));
    number(f, "hour", pick(0, 23));
    number(f, "minute", pick(0, 59));
    number(f, "second", pick(0, 59));
    for (const char* key : {"city", "state", "country"}) {
      if (chance(10)) continue;  // left empty
      std::string json, raw;
      const int pieces = pick(1, 3);
      for (int i = 0; i < pieces; ++i) {
        const Piece& p = kPieces[static_cast<std::size_t>(pick(0, static_cast<int>(std::size(kPieces)) - 1))];
        if (i) {
          json += ' ';
          raw += ' ';
        }
        json += p.json;
        raw += p.raw;
      }
      text(f, key, json, raw);
    }

    // Latitudes reach the polar circles often enough to give nights without sunrise.
    const int latDeg = chance(15) ? pick(60, 89) : pick(0, 59);
    const std::string latText = damaged && damagedKey == 3 ? "9x" : std::to_string(latDeg);
    text(f, "lat-deg", latText, latText);
    text(f, "lat-min", std::to_string(pick(0, 59)), std::to_string(pick(0, 59)));
    hemisphere(f, "north", "south");
    const std::string lonText = damaged && damagedKey == 4 ? "180" : std::to_string(pick(0, 179));
    text(f, "lon-deg", lonText, lonText);
    const std::string lonMin = damaged && damagedKey == 5 ? "" : std::to_string(pick(0, 59));
    text(f, "lon-min", lonMin, lonMin);
    hemisphere(f, "east", "west");
    number(f, "zone", pick(0, 70));
    if (chance(30)) {
      f.jsonLine += ", \"dst\": true";
      f.flags.push_back("--dst");
    } else if (chance(50)) {
      f.jsonLine += ", \"dst\": false";
    }
    if (damaged && damagedKey == 6) f.jsonLine += ", \"colour\": \"red\"";
    f.jsonLine += "}";
    return f;
  }

 private:
  struct Piece {
    const char* json;  // as written inside a JSON string
    const char* raw;   // the text it stands for
  };
  static constexpr Piece kPieces[] = {
      {"New Delhi", "New Delhi"},
      {"S\\u00e3o Paulo", "S\xc3\xa3o Paulo"},
      {"Z\xc3\xbcrich", "Z\xc3\xbcrich"},
      {"\xe6\x9d\xb1\xe4\xba\xac", "\xe6\x9d\xb1\xe4\xba\xac"},
      {"O'Hare", "O'Hare"},
      {"\\\"Little\\\" Rock", "\"Little\" Rock"},
      {"back\\\\slash", "back\\slash"},
      {"a\\/b", "a/b"},
      {"--json", "--json"},
      {"\\ud83d\\ude00", "\xf0\x9f\x98\x80"},
      {"Troms\xc3\xb8", "Troms\xc3\xb8"},
      {"  spaced  ", "  spaced  "},
      {"\xc2\xb0 \xe2\x80\x9cquoted\xe2\x80\x9d", "\xc2\xb0 \xe2\x80\x9cquoted\xe2\x80\x9d"},
  };

  void number(RandomForm& f, const char* key, int value) {
    f.jsonLine += separator(f) + "\"" + key + "\": " + std::to_string(value);
    f.flags.push_back(std::string("--") + key);
    f.flags.push_back(std::to_string(value));
  }

  void text(RandomForm& f, const char* key, const std::string& json, const std::string& raw) {
    f.jsonLine += separator(f) + "\"" + key + "\": \"" + json + "\"";
    f.flags.push_back(std::string("--") + key + "=" + raw);
  }

  // One of the two switches of a pair, or neither (the form's default, north or east).
  void hemisphere(RandomForm& f, const char* first, const char* second) {
    switch (pick(0, 3)) {
      case 0: break;
      case 1:
        f.jsonLine += separator(f) + "\"" + first + "\": true";
        f.flags.push_back(std::string("--") + first);
        break;
      case 2:
        f.jsonLine += separator(f) + "\"" + second + "\": true";
        f.flags.push_back(std::string("--") + second);
        break;
      default:
        f.jsonLine += separator(f) + "\"" + first + "\": false";
        f.flags.push_back(std::string("--") + second);
        break;
    }
  }

  static std::string separator(const RandomForm& f) { return f.jsonLine.size() > 1 ? ", " : ""; }

  std::mt19937_64 m_rng;
};

}  // namespace halvora::testing_support
