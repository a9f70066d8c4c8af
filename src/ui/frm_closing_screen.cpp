#include "ui/frm_closing_screen.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace halvora::ui {

FrmClosingScreen::FrmClosingScreen(Platform& platform, QWidget* parent)
    : QWidget(parent), m_platform(platform) {
  setObjectName(QStringLiteral("frmClosingScreen"));
  setWindowTitle(QStringLiteral("Halvora v1.15"));
  auto* layout = new QVBoxLayout(this);
  auto* close = new QPushButton(QStringLiteral("E&xit"), this);
  close->setObjectName(QStringLiteral("cmdClose"));
  connect(close, &QPushButton::clicked, this, &FrmClosingScreen::endApplicationRequested);
  layout->addWidget(close);
}

void FrmClosingScreen::showTopMostWithoutActivation() {
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  setAttribute(Qt::WA_ShowWithoutActivating, true);
  show();
}

void FrmClosingScreen::closeEvent(QCloseEvent* event) {
  event->accept();
  emit endApplicationRequested();
}

}  // namespace halvora::ui
