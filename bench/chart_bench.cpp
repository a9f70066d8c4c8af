// Speed of one engine pass and of one whole chart request.
#include <benchmark/benchmark.h>

#include "chart/chart_request.h"
#include "ephemeris/moon.h"
#include "ephemeris/sunrise.h"
#include "planets/ascendant.h"
#include "planets/planets.h"
#include "support/births.h"

namespace {

using namespace halvora;

// Ascendant, Moon, planets at birth, three sunrise calls and the planets in sunrise mode.
void BM_EnginePass(benchmark::State& state) {
  const BirthData b = testing_support::newDelhiBirth();
  const ZoneCorrection zone{-5, -30};
  for (auto _ : state) {
    const AscendantResult asc = CalcAscendant(b, zone);
    const MoonResult moon = MoonPass(b, zone);
    const PlanetPass birth = CalcPlanets({PlanetPassMode::Birth, {2011, 2, 22, 9, 5, 0}, zone, asc.AyanamsaDeg,
                                         moon.MoonText, asc.AscendantText});
    SunRiseSetInput in{2, 21, 2011, 9, 5, 28, 37, false, 77, 13, true, -5, -30, false};
    SunTimes last;
    for (int d = 21; d <= 23; ++d) {
      in.day = d;
      last = SunRiseSet(in);
    }
    const PlanetPass sunrise = CalcPlanets({PlanetPassMode::Sunrise, *last.sunrise, zone, asc.AyanamsaDeg,
                                            moon.MoonText, asc.AscendantText});
    benchmark::DoNotOptimize(birth);
    benchmark::DoNotOptimize(sunrise);
  }
}
BENCHMARK(BM_EnginePass);

// The whole request, from validation to the last marker and the profile.
void BM_ChartRequest(benchmark::State& state) {
  const FormInput f = testing_support::newDelhiForm();
  for (auto _ : state) benchmark::DoNotOptimize(RunChartRequest(f));
}
BENCHMARK(BM_ChartRequest);

}  // namespace
