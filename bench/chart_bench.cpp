// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of one engine pass, of one whole chart request and of halvora-chart --batch, beside the
// loop of a thousand sines that the others are measured in.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "chart/chart_request.h"
#include "chart_cli.h"
#include "ephemeris/moon.h"
#include "ephemeris/sunrise.h"
#include "planets/ascendant.h"
#include "planets/planets.h"
#include "support/births.h"
#include "support/random_forms.h"

namespace {

using namespace halvora;

// The yardstick: a thousand calls of sin() on arguments the compiler cannot know.
void BM_ThousandSines(benchmark::State& state) {
  double start = 0.5;
  benchmark::DoNotOptimize(start);
  for (auto _ : state) {
    double sum = 0;
    double x = start;
    for (int i = 0; i < 1000; ++i) {
      sum += std::sin(x);
      x += 0.7;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ThousandSines);

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

// The same request with Swiss Ephemeris's positions (Lahiri, mean node), the library opened and its
// files read before the first run.
void BM_ChartRequestSwiss(benchmark::State& state) {
  const FormInput f = testing_support::newDelhiForm();
  const ModelOutcome opened = OpenPositionModel({EphemerisKind::Swiss});
  if (const auto* why = std::get_if<std::string>(&opened)) {
    state.SkipWithError(why->c_str());
    return;
  }
  const PositionModel& model = *std::get<std::shared_ptr<const PositionModel>>(opened);
  benchmark::DoNotOptimize(RunChartRequest(f, model));
  for (auto _ : state) benchmark::DoNotOptimize(RunChartRequest(f, model));
}
BENCHMARK(BM_ChartRequestSwiss);

// The ascendant and the Moon of one clock moment, as a search over the birth time asks for them.
void BM_FastPoints(benchmark::State& state) {
  const BirthData b = testing_support::newDelhiBirth();
  const ZoneCorrection zone{-5, -30};
  const BuiltinModel builtin;
  const ModelOutcome swiss = OpenPositionModel({EphemerisKind::Swiss});
  const PositionModel* model = &builtin;
  if (state.range(0) == 1) {
    if (const auto* why = std::get_if<std::string>(&swiss)) {
      state.SkipWithError(why->c_str());
      return;
    }
    model = std::get<std::shared_ptr<const PositionModel>>(swiss).get();
  }
  const FastPointsFunction at = FastPointsOf(*model, b, zone);
  LocalDateTime clock{2011, 2, 22, 9, 5, 0};
  for (auto _ : state) {
    clock.second = (clock.second + 7) % 60;
    benchmark::DoNotOptimize(at(clock));
  }
  state.SetLabel(state.range(0) == 1 ? "swiss" : "builtin");
}
BENCHMARK(BM_FastPoints)->Arg(0)->Arg(1);

// Batch lines of sound forms with every key, places and texts that need escaping.
std::string batchInput(int lines) {
  testing_support::RandomForms random(7);
  std::string input;
  for (int i = 0; i < lines; ++i) input += random.next(true).jsonLine + "\n";
  return input;
}

// A file holding the text, read from its start.
int fileWith(const std::string& text) {
  std::FILE* f = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), f);
  std::fflush(f);
  return ::dup(fileno(f));
}

// halvora-chart --batch in this process, reading 1,000 lines from a file and writing to /dev/null:
// the time per line ("items").
void BM_BatchLines(benchmark::State& state) {
  constexpr int kLines = 1000;
  const int in = fileWith(batchInput(kLines));
  const int out = ::open("/dev/null", O_WRONLY);
  const std::vector<std::string> args = {"--batch"};
  for (auto _ : state) {
    ::lseek(in, 0, SEEK_SET);
    if (cli::RunChartCli(args, in, out, STDERR_FILENO) != 0) state.SkipWithError("the batch failed");
  }
  state.counters["items"] = kLines;
  ::close(in);
  ::close(out);
}
BENCHMARK(BM_BatchLines)->Unit(benchmark::kMillisecond);

// The program itself on 20,000 lines from a file into /dev/null, timed by the processor time
// (user and system) of the child process: the time per line ("items").
void BM_BatchProgram(benchmark::State& state) {
  constexpr int kLines = 20000;
  const int in = fileWith(batchInput(kLines));
  for (auto _ : state) {
    ::lseek(in, 0, SEEK_SET);
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::dup2(in, STDIN_FILENO);
      const int out = ::open("/dev/null", O_WRONLY);
      ::dup2(out, STDOUT_FILENO);
      ::execl(HALVORA_CHART_EXE, HALVORA_CHART_EXE, "--batch", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("halvora-chart --batch failed");
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    state.SetIterationTime(seconds(usage.ru_utime) + seconds(usage.ru_stime));
  }
  state.counters["items"] = kLines;
  ::close(in);
}
BENCHMARK(BM_BatchProgram)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace
