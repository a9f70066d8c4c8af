// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmark program: every benchmark, then each one's processor time in calls of sin(),
// measured in the same run by BM_ThousandSines, so the figures hold on any machine.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// Keeps the CPU time of every plain (not aggregate) run, and prints the table after the last one.
class SinesReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      // A benchmark that does several items in one iteration says how many in its "items" counter.
      double per = 1;
      if (const auto it = run.counters.find("items"); it != run.counters.end() && it->second.value > 0)
        per = it->second.value;
      // A benchmark that times itself (a child process's processor time) reports that as its time.
      const bool manual = run.benchmark_name().ends_with("/manual_time");
      const double time = manual ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
      Timing& t = m_timings[run.benchmark_name()];
      t.cpuSeconds += time / per / multiplier(run.time_unit);
      ++t.runs;
      if (m_order.empty() || m_order.back() != run.benchmark_name()) m_order.push_back(run.benchmark_name());
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto sines = m_timings.find("BM_ThousandSines");
    if (sines == m_timings.end()) return;
    const double oneSine = sines->second.cpuSeconds / sines->second.runs / 1000;
    std::printf("\nCPU time in calls of sin() (BM_ThousandSines: %.2f ns a call), per item:\n", oneSine * 1e9);
    for (const std::string& name : m_order) {
      const Timing& t = m_timings[name];
      std::printf("  %-40s %12.0f sines\n", name.c_str(), t.cpuSeconds / t.runs / oneSine);
    }
    std::fflush(stdout);
  }

 private:
  struct Timing {
    double cpuSeconds = 0;
    int runs = 0;
  };

  static double multiplier(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kNanosecond: return 1e9;
      case benchmark::kMicrosecond: return 1e6;
      case benchmark::kMillisecond: return 1e3;
      default: return 1;
    }
  }

  std::map<std::string, Timing> m_timings;
  std::vector<std::string> m_order;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SinesReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
