// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of moving the birth time in the results, on the offscreen platform: the chart request of
// the moved form, the whole results written and the frame painted, one move at a time.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <variant>

#include "chart/chart_request.h"
#include "support/births.h"
#include "ui/birth_time_mover.h"
#include "ui/mdi_frame.h"
#include "ui/silent_platform.h"

namespace {

using namespace halvora::ui;

// A minute on and a minute back, each move recomputed and the frame repainted; the time per move.
void BM_BirthTimeMove(benchmark::State& state) {
  SilentPlatform services;
  MdiFrame frame(services.platform);
  const halvora::FormInput form = halvora::testing_support::newDelhiForm();
  frame.showChart(form, std::get<halvora::ChartResult>(halvora::RunChartRequest(form)));
  frame.show();
  QApplication::processEvents();
  for (auto _ : state) {
    frame.mover()->moveBy(1);
    frame.repaint();
    frame.mover()->moveBy(-1);
    frame.repaint();
  }
  state.SetItemsProcessed(2 * state.iterations());
  state.counters["ms per move"] =
      benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BirthTimeMove)->Unit(benchmark::kMillisecond);

}  // namespace
