// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the entry form with the atlas, on the offscreen platform: a letter typed into City with
// the list of places refreshed and shown, a place chosen from it, and a date changed while the zone
// follows the place; and the form built and shown, as at every start.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "places/atlas.h"
#include "ui/frm_main.h"
#include "ui/look.h"
#include "ui/place_completer.h"
#include "ui/silent_platform.h"

namespace {

using namespace halvora::ui;

void key(QWidget* target, int code, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QApplication::sendEvent(target, &release);
}

// One letter typed after "pu" (the list open with ten places), then taken back with Backspace: two
// keystrokes, each with its lookup and the list redrawn.
void BM_CityKeystroke(benchmark::State& state) {
  SilentPlatform services;
  FrmMain form(services.platform);
  form.show();
  auto* city = form.findChild<QLineEdit*>("txtMCity");
  city->setFocus();
  halvora::places::SystemAtlas();
  key(city, Qt::Key_P, "p");
  key(city, Qt::Key_U, "u");
  QApplication::processEvents();
  for (auto _ : state) {
    key(city, Qt::Key_N, "n");
    key(city, Qt::Key_Backspace);
    QApplication::processEvents();
  }
  state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_CityKeystroke)->Unit(benchmark::kMicrosecond);

// Choosing a place: the boxes filled and the zone of its clock selected.
void BM_ChoosePlace(benchmark::State& state) {
  SilentPlatform services;
  FrmMain form(services.platform);
  const auto pune = halvora::places::ResolvePlace("Pune, India").place;
  for (auto _ : state) form.choosePlace(pune);
}
BENCHMARK(BM_ChoosePlace)->Unit(benchmark::kMicrosecond);

// A new year while the zone follows the place: the clock read again and the zone selected.
void BM_DateChangeWhileFollowing(benchmark::State& state) {
  SilentPlatform services;
  FrmMain form(services.platform);
  form.choosePlace(halvora::places::ResolvePlace("Pune, India").place);
  auto* year = form.findChild<QComboBox*>("cboYear");
  int index = 0;
  for (auto _ : state) year->setCurrentIndex(index++ % year->count());
}
BENCHMARK(BM_DateChangeWhileFollowing)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setStyle(createWindowStyle());
  registerFontSubstitutes();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// The entry form built, laid out and drawn once, as at every start (with the fonts already read,
// which a start pays once more); then closed. The start-up's own share of the program.
void BM_EntryFormStart(benchmark::State& state) {
  SilentPlatform services;
  for (auto _ : state) {
    FrmMain form(services.platform);
    form.show();
    benchmark::DoNotOptimize(form.grab());
  }
}
BENCHMARK(BM_EntryFormStart)->Unit(benchmark::kMillisecond);
