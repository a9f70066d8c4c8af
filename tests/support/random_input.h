// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Random input for the readers of a form and for halvora-chart: random bytes, invalid UTF-8, NUL
// bytes, huge numbers, damaged forms and random keys with values of every kind.

#include <random>
#include <string>
#include <vector>

#include "forms/form_reader.h"

namespace halvora::testing_support {

// A sound batch line: New Delhi, 2011 February 22, 9:05:30 on "Indian Time, IST, +5.3".
inline constexpr const char* kNewDelhiJson =
    R"({"name": "asha", "month": 2, "day": 22, "year": 2011, "hour": 9, "minute": 5, "second": 30,)"
    R"( "city": "New Delhi", "state": "Delhi", "country": "India", "lat-deg": "28", "lat-min": "37",)"
    R"( "north": true, "lon-deg": "77", "lon-min": "13", "east": true, "zone": 34, "dst": false})";

class RandomInput {
 public:
  explicit RandomInput(unsigned seed) : m_rng(seed) {}
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

  std::string bytes(int maxLength) {
    std::string s(static_cast<std::size_t>(pick(0, maxLength)), '\0');
    for (char& c : s) c = static_cast<char>(pick(0, 255));
    return s;
  }

  // A value of any kind: valid, huge, odd, or bytes that are not UTF-8.
  std::string jsonValue() {
    switch (pick(0, 9)) {
      case 0: return std::to_string(pick(-100, 3000));
      case 1: return std::string(static_cast<std::size_t>(pick(1, 400)), '9');
      case 2: return "\"" + std::to_string(pick(0, 200)) + "\"";
      case 3: return pick(0, 1) ? "true" : "false";
      case 4: return "null";
      case 5: return "\"" + bytes(12) + "\"";
      case 6: return "[1, {\"a\": \"b\"}]";
      case 7: return "\"\\u" + std::string(pick(0, 1) ? "d800" : "00e9") + "\"";
      case 8: return std::to_string(pick(0, 99)) + ".5e" + std::to_string(pick(-3, 3));
      default: return "\"ANNE\"";
    }
  }

  std::string key() {
    const auto names = forms::formKeyNames();
    if (pick(0, 9) == 0) return bytes(6);
    return std::string(names[static_cast<std::size_t>(pick(0, static_cast<int>(names.size()) - 1))]);
  }

  std::string jsonLine() {
    switch (pick(0, 3)) {
      case 0: return bytes(80);
      case 1: {  // a sound form with a byte changed, inserted or removed
        std::string s = kNewDelhiJson;
        const auto at = static_cast<std::size_t>(pick(0, static_cast<int>(s.size()) - 1));
        const int how = pick(0, 2);
        if (how == 0) s[at] = static_cast<char>(pick(0, 255));
        else if (how == 1) s.insert(at, 1, static_cast<char>(pick(0, 255)));
        else s.erase(at, 1);
        return s;
      }
      default: {
        std::string s = "{";
        const int members = pick(0, 8);
        for (int i = 0; i < members; ++i) s += (i ? ", \"" : "\"") + key() + "\": " + jsonValue();
        return s + "}";
      }
    }
  }

  // A form the entry form could hold, with every field chosen at random.
  std::string soundForm() {
    const auto n = [&](int lo, int hi) { return std::to_string(pick(lo, hi)); };
    const auto flag = [&] { return pick(0, 1) ? std::string("true") : std::string("false"); };
    return "{\"name\": \"" + std::string(static_cast<std::size_t>(pick(1, 12)), static_cast<char>('A' + pick(0, 25))) +
           "\", \"month\": " + n(1, 12) + ", \"day\": " + n(1, 28) + ", \"year\": " + n(1901, 2050) +
           ", \"hour\": " + n(0, 23) + ", \"minute\": " + n(0, 59) + ", \"second\": " + n(0, 59) +
           ", \"lat-deg\": \"" + n(0, 89) + "\", \"lat-min\": \"" + n(0, 59) + "\", \"north\": " + flag() +
           ", \"lon-deg\": \"" + n(0, 179) + "\", \"lon-min\": \"" + n(0, 59) + "\", \"east\": " + flag() +
           ", \"zone\": " + n(0, 70) + ", \"dst\": " + flag() + "}";
  }

  std::vector<std::string> flagArgs() {
    std::vector<std::string> args;
    const int n = pick(0, 8);
    for (int i = 0; i < n; ++i) {
      switch (pick(0, 4)) {
        case 0: args.push_back("--" + key()); break;
        case 1: args.push_back("--" + key() + "=" + bytes(6)); break;
        case 2: args.push_back(std::to_string(pick(-5, 99999))); break;
        case 3: args.push_back(bytes(10)); break;
        default: args.push_back(pick(0, 1) ? "--json" : std::string(static_cast<std::size_t>(pick(1, 30)), '9'));
      }
    }
    return args;
  }

 private:
  std::mt19937 m_rng;
};


}  // namespace halvora::testing_support
