// Speed of one engine pass and of one whole chart request.
#include <benchmark/benchmark.h>

#include "chart/chart_request.h"
#include "ephemeris/moon.h"
#include "ephemeris/sunrise.h"
#include "planets/ascendant.h"
#include "planets/planets.h"

namespace {

using namespace halvora;

BirthData newDelhi() {
  BirthData b;
  b.BirthName = "ASHA";
  b.BirthMonth = 2;
  b.BirthDay = 22;
  b.BirthYear = 2011;
  b.BirthHour = 9;
  b.BirthMinute = 5;
  b.ZoneHours = 5;
  b.ZoneMinutes = 30;
  b.LonDeg = 77;
  b.LonMin = 13;
  b.LatDeg = 28;
  b.LatMin = 37;
  b.IsEast = true;
  return b;
}

// Ascendant, Moon, planets at birth, three sunrise calls and the planets in sunrise mode.
void BM_EnginePass(benchmark::State& state) {
  const BirthData b = newDelhi();
  const ZoneCorrection zone{-5, -30};
  for (auto _ : state) {
    const AscendantResult asc = CalcAscendant(b);
    const MoonResult moon = MoonPass(b);
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
  FormInput f;
  f.name = "ASHA";
  f.monthIndex = 1;
  f.day = "22";
  f.year = "2011";
  f.hour = "9";
  f.minute = "5";
  f.second = "30";
  f.city = "New Delhi";
  f.latDeg = "28";
  f.latMin = "37";
  f.lonDeg = "77";
  f.lonMin = "13";
  f.zoneIndex = 34;
  for (auto _ : state) benchmark::DoNotOptimize(RunChartRequest(f));
}
BENCHMARK(BM_ChartRequest);

}  // namespace
