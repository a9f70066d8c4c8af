// SPDX-License-Identifier: GPL-3.0-or-later
// The position model of the windows: kept in the settings store, chosen in the Settings dialog,
// used for the entry form's chart and named under the positions of the results window.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>

#include "fakes.h"
#include "form_helpers.h"
#include "support/births.h"
#include "support/chart_of.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/model_settings.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakeSettingsStore;

TEST(ModelSettings, AreReadFromTheSettingsSectionWithDefaultsForWhatItDoesNotHold) {
  struct Row {
    const char* name;
    QMap<QString, QString> stored;
    ModelChoice choice;
  } rows[] = {
      {"nothing stored", {}, {}},
      {"Swiss, Raman, true node",
       {{"Settings/Ephemeris", "swiss"}, {"Settings/Ayanamsa", "raman"}, {"Settings/Node", "true"}},
       {EphemerisKind::Swiss, AyanamsaKind::Raman, NodeKind::True}},
      {"True Chitra alone", {{"Settings/Ayanamsa", "true-chitra"}}, {EphemerisKind::Builtin, AyanamsaKind::TrueChitra}},
      {"values it does not know", {{"Settings/Ephemeris", "Swiss"}, {"Settings/Node", "osculating"}}, {}},
  };
  for (const Row& r : rows) {
    FakeSettingsStore store;
    store.values = r.stored;
    EXPECT_EQ(ReadModelChoice(store), r.choice) << r.name;
  }
  FakeSettingsStore store;
  const ModelChoice krishnamurti{EphemerisKind::Swiss, AyanamsaKind::Krishnamurti, NodeKind::Mean};
  WriteModelChoice(store, krishnamurti);
  EXPECT_EQ(store.values.value("Settings/Ephemeris"), "swiss");
  EXPECT_EQ(store.values.value("Settings/Ayanamsa"), "krishnamurti");
  EXPECT_EQ(store.values.value("Settings/Node"), "mean");
  EXPECT_EQ(ReadModelChoice(store), krishnamurti);
}

TEST(SettingsDialog, ShowsTheSavedChoiceAndOkKeepsTheNewOne) {
  FakeSettingsStore store;
  store.values = {{"Settings/Ephemeris", "builtin"}, {"Settings/Ayanamsa", "raman"}};
  FrmSettings dialog(store, std::nullopt);
  auto* ephemeris = child<QComboBox>(&dialog, "cboEphemeris");
  auto* ayanamsa = child<QComboBox>(&dialog, "cboAyanamsa");
  auto* node = child<QComboBox>(&dialog, "cboNode");
  ASSERT_TRUE(ephemeris && ayanamsa && node);
  EXPECT_EQ(dialog.windowTitle(), "Halvora v1.15");
  EXPECT_EQ(ephemeris->currentText(), QString::fromUtf8("Built-in model (planets within about 1\u00bd\u00b0)"));
  EXPECT_EQ(ayanamsa->currentText(), "Raman");
  // The ayanamsa and the node are Swiss Ephemeris's: enabled with it only.
  EXPECT_FALSE(ayanamsa->isEnabled());
  EXPECT_FALSE(node->isEnabled());
  ephemeris->setCurrentIndex(1);
  EXPECT_TRUE(ayanamsa->isEnabled());
  EXPECT_TRUE(node->isEnabled());
  node->setCurrentIndex(node->findText("True node"));
  EXPECT_EQ(store.writes, 0) << "nothing is kept before OK";
  child<QPushButton>(&dialog, "cmdOK")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(ReadModelChoice(store), (ModelChoice{EphemerisKind::Swiss, AyanamsaKind::Raman, NodeKind::True}));

  FrmSettings again(store, std::nullopt);
  child<QComboBox>(&again, "cboEphemeris")->setCurrentIndex(0);
  const int writes = store.writes;
  child<QPushButton>(&again, "cmdCancel")->click();
  EXPECT_EQ(store.writes, writes);
  EXPECT_EQ(ReadModelChoice(store).ephemeris, EphemerisKind::Swiss);
}

TEST(SettingsDialog, WithoutTheLibrarySwissEphemerisIsDisabledWithTheReason) {
  FakeSettingsStore store;
  store.values = {{"Settings/Ephemeris", "swiss"}};
  const std::string reason = "Swiss Ephemeris is not available: libswe.so.2: cannot open shared object file";
  FrmSettings dialog(store, reason);
  auto* ephemeris = child<QComboBox>(&dialog, "cboEphemeris");
  ASSERT_NE(ephemeris, nullptr);
  EXPECT_EQ(ephemeris->currentIndex(), 0) << "the built-in model computes the charts";
  const auto* items = qobject_cast<QStandardItemModel*>(ephemeris->model());
  ASSERT_NE(items, nullptr);
  EXPECT_FALSE(items->item(1)->isEnabled());
  EXPECT_EQ(child<QLabel>(&dialog, "lblSwissNote")->text(), QString::fromStdString(reason));
  // Without the library a saved Swiss choice computes with the built-in model, which the chart names.
  EXPECT_EQ(ChartModel(store, {"libswe-missing.so.2", "/usr/share/libswe/ephe"})
                ->atBirth(BirthData{}, {}, 0)
                .model.ephemeris,
            "builtin");
}

TEST(SettingsDialog, TheEntryFormComputesWithTheSavedModelAndTheResultsNameIt) {
  testing::FakePlatform fake;
  FrmMain form(fake.platform);
  std::vector<ChartResult> results;
  QObject::connect(&form, &FrmMain::chartReady, [&](const ChartResult& r) { results.push_back(r); });
  testing::fillNewDelhiBirth(&form);
  child<QAction>(&form, "mnuNext")->trigger();
  WriteModelChoice(fake.settings, {EphemerisKind::Swiss, AyanamsaKind::Lahiri, NodeKind::True});
  child<QAction>(&form, "mnuNext")->trigger();
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0].model.ephemeris, "builtin");
  EXPECT_EQ(results[1].model.ephemeris, "swiss");
  EXPECT_EQ(results[1].model.node, "true");
  EXPECT_NE(results[0].chartPositions, results[1].chartPositions);
  EXPECT_NE(child<QAction>(&form, "mnuSettings"), nullptr);

  FrmDisplay display(fake.platform);
  for (const ChartResult& r : results) {
    display.showResult(r);
    EXPECT_EQ(child<QLabel>(&display, "lblModel")->text(), QString::fromStdString(PositionsLine(r.model)));
  }
  EXPECT_TRUE(child<QLabel>(&display, "lblModel")->text().startsWith("Positions: Swiss Ephemeris, Lahiri ayanamsa "));
}

}  // namespace
}  // namespace halvora::ui
