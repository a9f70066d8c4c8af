// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frm_about.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/clickable_label.h"
#include "ui/look.h"
#include "ui/web_pages.h"

// The pictures live in halvora.qrc, compiled into this static library; a static library's
// resources are registered only when something asks for them.
static void registerHalvoraResources() { Q_INIT_RESOURCE(halvora); }

namespace halvora::ui {

namespace {

constexpr double kFontPt = 8.25;       // the windows' text
constexpr double kTitleFontPt = 9.75;  // Label2's program name
constexpr int kWidthPx = 380;          // the about box's width
constexpr int kIconPx = 64;            // picIcon

void ensureResources() {
  static const bool registered = (registerHalvoraResources(), true);
  (void)registered;
}

template <typename Label = QLabel>
Label* addLabel(QBoxLayout* layout, QWidget* parent, const char* objectName, const QString& text) {
  auto* label = new Label(text, parent);
  label->setObjectName(QString::fromLatin1(objectName));
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  layout->addWidget(label);
  return label;
}

QFont linkFont() {
  QFont font = verdana(kFontPt);
  font.setUnderline(true);
  return font;
}

}  // namespace

QPixmap applicationPicture(int sizePx) {
  ensureResources();
  const QPixmap picture(sizePx <= 64 ? QStringLiteral(":/halvora/halvora-64.png")
                        : sizePx <= 128 ? QStringLiteral(":/halvora/halvora-128.png")
                                        : QStringLiteral(":/halvora/halvora-256.png"));
  if (picture.width() == sizePx) return picture;
  return picture.scaled(sizePx, sizePx, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QIcon applicationIcon() {
  ensureResources();
  QIcon icon;
  for (const int sizePx : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/halvora/halvora-%1.png").arg(sizePx), QSize(sizePx, sizePx));
  }
  return icon;
}

FrmAbout::FrmAbout(Platform& platform, QWidget* parent) : QDialog(parent), m_platform(platform) {
  setObjectName(QStringLiteral("frmAbout"));
  setModal(true);
  setFixedWidth(kWidthPx);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 14);
  layout->setSpacing(10);

  auto* picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setPixmap(applicationPicture(kIconPx));
  picIcon->setAlignment(Qt::AlignHCenter);
  layout->addWidget(picIcon);

  addLabel(layout, this, "Label2", QString::fromLatin1(kWindowCaption))->setFont(verdana(kTitleFontPt, true));
  addLabel(layout, this, "Label1",
           QStringLiteral("Halvora is a special Lagna (Ascendant) calculated on the basis of Vedic "
                          "Astrology. This Lagna is responsible for prosperity and marital "
                          "relationships."));

  // The offer and its link read as one paragraph.
  auto* offerBlock = new QVBoxLayout;
  offerBlock->setSpacing(2);
  layout->addLayout(offerBlock);
  addLabel(offerBlock, this, "Label3",
           QStringLiteral("Home Business Opportunity. Start your own Internet business and make money "
                          "online. Get this software fully branded for your website."));
  auto* coBrand = addLabel<ClickableLabel>(offerBlock, this, "lblCoBrand",
                                           QStringLiteral("Click here for more details."));
  coBrand->setFont(linkFont());
  connect(coBrand, &ClickableLabel::clicked, this, [this] { Open_FullBrand_Page(m_platform.urls); });

  auto* home = addLabel<ClickableLabel>(layout, this, "lblHomePage",
                                        QStringLiteral("Visit our web site for more free astrology software."));
  home->setFont(linkFont());
  connect(home, &ClickableLabel::clicked, this, [this] { Open_Home_Page(m_platform.urls); });

  // The atlas's sources and the program's licence.
  addLabel(layout, this, "lblCredits",
           QStringLiteral("Places and their coordinates: GeoNames (geonames.org), under the Creative Commons "
                          "Attribution 4.0 licence (CC BY 4.0). Clocks of the places: the time-zone database "
                          "(tz). Halvora is free software under the GNU General Public License, version 3 or "
                          "later."));

  auto* line = new QFrame(this);
  line->setObjectName(QStringLiteral("Line1"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Plain);
  layout->addWidget(line);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  ok->setMinimumWidth(90);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignHCenter);

  applyWindowLook(this);
  setFixedHeight(layout->totalHeightForWidth(kWidthPx));
}

}  // namespace halvora::ui
