#include "ui/frm_about.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace halvora::ui {

FrmAbout::FrmAbout(Platform& platform, QWidget* parent) : QDialog(parent), m_platform(platform) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("Halvora v1.15"));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QStringLiteral("Halvora v1.15"), this);
  title->setObjectName(QStringLiteral("Label2"));
  layout->addWidget(title);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok);
}

}  // namespace halvora::ui
