// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the atlas: reading the places, a keystroke's lookup, resolving a text, a clock reading.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "places/atlas.h"
#include "places/clock.h"

namespace {

using namespace halvora::places;

// What SystemAtlas() does on first use: read every place through libgeonames and index it.
// The first iteration also pays for the library loading its data.
void BM_AtlasLoad(benchmark::State& state) {
  for (auto _ : state) {
    const std::variant<Atlas, std::string> atlas = ReadGeonamesAtlas();
    if (const auto* problem = std::get_if<std::string>(&atlas)) {
      state.SkipWithError(problem->c_str());
      break;
    }
    benchmark::DoNotOptimize(std::get<Atlas>(atlas).size());
  }
}
BENCHMARK(BM_AtlasLoad)->Unit(benchmark::kMillisecond);

// One keystroke of the completion list: the ten best places for one to five typed letters.
void BM_FindPlaces(benchmark::State& state) {
  constexpr std::array<std::string_view, 5> kTyped = {"s", "sa", "san", "sant", "santa"};
  const std::string_view text = kTyped[static_cast<std::size_t>(state.range(0)) - 1];
  const Atlas& atlas = SystemAtlas();
  for (auto _ : state) benchmark::DoNotOptimize(atlas.find(text, 10));
  state.SetLabel(std::string(text));
}
BENCHMARK(BM_FindPlaces)->DenseRange(1, 5)->Unit(benchmark::kMicrosecond);

// The worst first letters: the most names, and a qualifier to test on each.
void BM_FindPlacesNarrowed(benchmark::State& state) {
  const Atlas& atlas = SystemAtlas();
  for (auto _ : state) benchmark::DoNotOptimize(atlas.find("s, india", 10));
}
BENCHMARK(BM_FindPlacesNarrowed)->Unit(benchmark::kMicrosecond);

void BM_ResolvePlace(benchmark::State& state) {
  const Atlas& atlas = SystemAtlas();
  for (auto _ : state) benchmark::DoNotOptimize(atlas.resolve("Pune, Maharashtra, India"));
}
BENCHMARK(BM_ResolvePlace)->Unit(benchmark::kMicrosecond);

void BM_ClockAt(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ClockAt("America/New_York", {2010, 11, 7, 1, 30}));
}
BENCHMARK(BM_ClockAt)->Unit(benchmark::kMicrosecond);

}  // namespace
