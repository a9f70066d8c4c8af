// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The position model the windows compute every chart with, and the Settings dialog that chooses it.
// The choice is kept in the settings store's "Settings" section, beside "Duration": "Ephemeris",
// "Ayanamsa" and "Node", with the values halvora-chart takes ("swiss", "lahiri", "mean").

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <memory>
#include <optional>
#include <string>

#include "planets/position_model.h"
#include "ui/platform.h"

namespace halvora::ui {

// The saved choice; a value the store does not hold, or does not know, is the default's.
ModelChoice ReadModelChoice(SettingsStore& settings);
void WriteModelChoice(SettingsStore& settings, const ModelChoice& choice);

// The model of the saved choice. Swiss Ephemeris chosen on a system that no longer has it gives the
// built-in model, which the chart then names as the model that computed it.
std::shared_ptr<const PositionModel> ChartModel(SettingsStore& settings, const SwissPaths& paths = {});

// File > Settings…: the model, the ayanamsa and the node. Swiss Ephemeris cannot be chosen, and
// the reason is shown, when it is not available (`swissUnavailable`); the ayanamsa and the node
// are those of Swiss Ephemeris and are enabled with it. OK keeps the choice; Cancel leaves it.
class FrmSettings : public QDialog {
  Q_OBJECT
 public:
  FrmSettings(SettingsStore& settings, std::optional<std::string> swissUnavailable, QWidget* parent = nullptr);

  ModelChoice choice() const;
  void accept() override;

 private:
  void enableSwissChoices();

  SettingsStore& m_settings;
  QComboBox* m_cboEphemeris;
  QComboBox* m_cboAyanamsa;
  QComboBox* m_cboNode;
};

// Opens the Settings dialog over a window and waits for it to close.
void ShowSettings(QWidget* parent, Platform& platform);

}  // namespace halvora::ui
