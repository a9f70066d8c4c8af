// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/place_completer.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStringListModel>
#include <QStyledItemDelegate>

#include <algorithm>

#include "places/atlas.h"
#include "ui/atlas_loader.h"
#include "ui/look.h"

namespace halvora::ui {

namespace {

constexpr int kVisibleRows = 10;
constexpr double kListFontPt = 8.25;  // the windows' text

// Rows tall enough that the focus frame round the framed row (two pixels, at its edge) leaves the
// letters whole, descenders included.
class PlaceRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QSize hint = QStyledItemDelegate::sizeHint(option, index);
    return {hint.width(), std::max(hint.height(), option.fontMetrics.height()) + 2 * PlaceCompleter::kRowMarginPx};
  }
};

}  // namespace

PlaceCompleter::PlaceCompleter(QLineEdit* edit, Lookup lookup, AtlasLoader* loader)
    : QObject(edit), m_edit(edit), m_lookup(std::move(lookup)), m_completer(new QCompleter(this)),
      m_model(new QStringListModel(this)), m_loader(loader) {
  if (!m_lookup) {
    m_lookup = [](std::string_view text, std::size_t limit) { return places::FindPlaces(text, limit); };
    if (!m_loader) m_loader = new AtlasLoader(this);
  }
  if (m_loader) {
    connect(m_loader, &AtlasLoader::loaded, this, &PlaceCompleter::atlasLoaded);
    edit->installEventFilter(this);
  }
  // The completer is tied to the box without taking it over: the box keeps what the user types
  // while the list is browsed, and a chosen place fills the form's boxes, not this one alone.
  m_completer->setModel(m_model);
  m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  m_completer->setMaxVisibleItems(kVisibleRows);
  m_completer->setWidget(edit);
  QAbstractItemView* list = m_completer->popup();
  list->setObjectName(QStringLiteral("lstPlaces"));
  list->setAccessibleName(QStringLiteral("Places"));
  list->setAccessibleDescription(QStringLiteral("Places of the atlas that match the city typed"));
  // Black on white like the boxes, the row under the keys or the mouse in the windows' colours.
  list->setFont(verdana(kListFontPt));
  list->setItemDelegate(new PlaceRowDelegate(list));
  QPalette palette = list->palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  palette.setColor(QPalette::Highlight, kOlive);
  palette.setColor(QPalette::HighlightedText, kLightOrange);
  list->setPalette(palette);
  connect(m_completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          [this](const QModelIndex& index) { choose(index.row()); });
  connect(edit, &QLineEdit::textEdited, this, &PlaceCompleter::lookUp);
}

QAbstractItemView* PlaceCompleter::popup() const { return m_completer->popup(); }

// The box's first focus is the sign that the atlas is about to be needed.
bool PlaceCompleter::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_edit && event->type() == QEvent::FocusIn) m_loader->start();
  return QObject::eventFilter(watched, event);
}

void PlaceCompleter::lookUp(const QString& text) {
  const QString typed = text.trimmed();
  m_places.clear();
  m_waiting = false;
  if (typed.size() >= kMinimumChars) {
    if (m_loader && !m_loader->isLoaded()) {
      // Not ready yet: the list opens when it is (atlasLoaded), for what the box holds then.
      m_loader->start();
      m_waiting = true;
    } else {
      m_places = m_lookup(typed.toStdString(), kMaxPlaces);
    }
  } else if (m_loader) {
    m_loader->start();
  }
  QStringList lines;
  for (const places::Place& p : m_places) lines << QString::fromStdString(places::CompletionText(p));
  m_model->setStringList(lines);
  QAbstractItemView* list = m_completer->popup();
  if (lines.isEmpty()) {
    list->hide();
    return;
  }
  // Wide enough for the longest line, never narrower than the box. The best match is framed:
  // Enter takes it, the arrow keys move on from it.
  const int scrollBar = lines.size() > kVisibleRows ? list->verticalScrollBar()->sizeHint().width() : 0;
  const int width = std::max(m_edit->width(), list->sizeHintForColumn(0) + 2 * list->frameWidth() + scrollBar + 8);
  QRect under = m_edit->rect();
  under.setWidth(width);
  m_completer->complete(under);
}

void PlaceCompleter::atlasLoaded() {
  if (!m_waiting) return;
  m_waiting = false;
  // The user has moved on to another box: no list opens behind them.
  if (m_edit->hasFocus()) lookUp(m_edit->text());
}

void PlaceCompleter::choose(int row) {
  if (row < 0 || row >= static_cast<int>(m_places.size())) return;
  const places::Place place = m_places[static_cast<std::size_t>(row)];
  m_completer->popup()->hide();
  emit placeChosen(place);
}

}  // namespace halvora::ui
