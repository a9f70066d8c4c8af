// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/model_settings.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "ui/look.h"

namespace halvora::ui {

namespace {

constexpr char kSettingsSection[] = "Settings";
constexpr char kEphemerisKey[] = "Ephemeris";
constexpr char kAyanamsaKey[] = "Ayanamsa";
constexpr char kNodeKey[] = "Node";
constexpr int kWidthPx = 420;  // the dialog's width

QString keyText(std::string_view key) { return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())); }

template <typename Kind, std::size_t N>
void addChoices(QComboBox* box, const std::array<std::string_view, N>& keys, const std::array<QString, N>& names) {
  for (std::size_t i = 0; i < N; ++i) box->addItem(names[i], keyText(keys[i]));
}

}  // namespace

ModelChoice ReadModelChoice(SettingsStore& settings) {
  const auto read = [&](const char* key) { return settings.value(kSettingsSection, key).toStdString(); };
  ModelChoice choice;
  if (const auto e = ephemerisKindOf(read(kEphemerisKey))) choice.ephemeris = *e;
  if (const auto a = ayanamsaKindOf(read(kAyanamsaKey))) choice.ayanamsa = *a;
  if (const auto n = nodeKindOf(read(kNodeKey))) choice.node = *n;
  return choice;
}

void WriteModelChoice(SettingsStore& settings, const ModelChoice& choice) {
  settings.setValue(kSettingsSection, kEphemerisKey, keyText(kEphemerisKeys[static_cast<std::size_t>(choice.ephemeris)]));
  settings.setValue(kSettingsSection, kAyanamsaKey, keyText(kAyanamsaKeys[static_cast<std::size_t>(choice.ayanamsa)]));
  settings.setValue(kSettingsSection, kNodeKey, keyText(kNodeKeys[static_cast<std::size_t>(choice.node)]));
}

std::shared_ptr<const PositionModel> ChartModel(SettingsStore& settings, const SwissPaths& paths) {
  ModelOutcome model = OpenPositionModel(ReadModelChoice(settings), paths);
  if (auto* opened = std::get_if<std::shared_ptr<const PositionModel>>(&model)) return std::move(*opened);
  return std::get<std::shared_ptr<const PositionModel>>(OpenPositionModel({}));
}

FrmSettings::FrmSettings(SettingsStore& settings, std::optional<std::string> swissUnavailable, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
  setObjectName(QStringLiteral("frmSettings"));
  setModal(true);
  setFixedWidth(kWidthPx);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 12);
  auto* form = new QFormLayout;
  layout->addLayout(form);

  m_cboEphemeris = new QComboBox(this);
  m_cboEphemeris->setObjectName(QStringLiteral("cboEphemeris"));
  addChoices<EphemerisKind>(m_cboEphemeris, kEphemerisKeys,
                            std::array<QString, 2>{QString::fromUtf8("Built-in model (planets within about 1\u00bd\u00b0)"),
                                                   QStringLiteral("Swiss Ephemeris")});
  form->addRow(QStringLiteral("Positions:"), m_cboEphemeris);

  m_cboAyanamsa = new QComboBox(this);
  m_cboAyanamsa->setObjectName(QStringLiteral("cboAyanamsa"));
  std::array<QString, 4> ayanamsaNames;
  for (std::size_t i = 0; i < ayanamsaNames.size(); ++i) ayanamsaNames[i] = keyText(kAyanamsaNames[i]);
  addChoices<AyanamsaKind>(m_cboAyanamsa, kAyanamsaKeys, ayanamsaNames);
  form->addRow(QStringLiteral("Ayanamsa:"), m_cboAyanamsa);

  m_cboNode = new QComboBox(this);
  m_cboNode->setObjectName(QStringLiteral("cboNode"));
  addChoices<NodeKind>(m_cboNode, kNodeKeys,
                       std::array<QString, 2>{QStringLiteral("Mean node"), QStringLiteral("True node")});
  form->addRow(QStringLiteral("Rahu:"), m_cboNode);

  ModelChoice saved = ReadModelChoice(settings);
  auto* note = new QLabel(this);
  note->setObjectName(QStringLiteral("lblSwissNote"));
  note->setWordWrap(true);
  if (swissUnavailable) {
    // The entry stays in the list, greyed, so that the reason has something to explain.
    if (auto* items = qobject_cast<QStandardItemModel*>(m_cboEphemeris->model()))
      items->item(static_cast<int>(EphemerisKind::Swiss))->setEnabled(false);
    note->setText(QString::fromStdString(*swissUnavailable));
    saved.ephemeris = EphemerisKind::Builtin;
  } else {
    note->setText(QStringLiteral("The ayanamsa and Rahu are those of Swiss Ephemeris; the built-in model has its own."));
  }
  layout->addWidget(note);

  m_cboEphemeris->setCurrentIndex(static_cast<int>(saved.ephemeris));
  m_cboAyanamsa->setCurrentIndex(static_cast<int>(saved.ayanamsa));
  m_cboNode->setCurrentIndex(static_cast<int>(saved.node));
  enableSwissChoices();
  connect(m_cboEphemeris, &QComboBox::currentIndexChanged, this, &FrmSettings::enableSwissChoices);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  applyWindowLook(this);
}

ModelChoice FrmSettings::choice() const {
  ModelChoice c;
  c.ephemeris = static_cast<EphemerisKind>(std::max(0, m_cboEphemeris->currentIndex()));
  c.ayanamsa = static_cast<AyanamsaKind>(std::max(0, m_cboAyanamsa->currentIndex()));
  c.node = static_cast<NodeKind>(std::max(0, m_cboNode->currentIndex()));
  return c;
}

void FrmSettings::accept() {
  WriteModelChoice(m_settings, choice());
  QDialog::accept();
}

void FrmSettings::enableSwissChoices() {
  const bool swiss = m_cboEphemeris->currentIndex() == static_cast<int>(EphemerisKind::Swiss);
  m_cboAyanamsa->setEnabled(swiss);
  m_cboNode->setEnabled(swiss);
}

void ShowSettings(QWidget* parent, Platform& platform) {
  FrmSettings settings(platform.settings, SwissUnavailableReason(), parent);
  settings.exec();
}

}  // namespace halvora::ui
