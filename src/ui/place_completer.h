// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The completion list under City: up to ten places of the atlas whose name starts with what has
// been typed, one line each ("Pune, Maharashtra, India — 18°31′ N 73°51′ E"). The arrow keys and
// Enter, or the mouse, choose a place; Escape closes the list; typing goes on in the box.
// The atlas is read in the background when the box first gets the focus or a letter; a list asked
// for before it is ready opens when it is, and the keystroke itself never waits.

#include <QObject>

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "places/place.h"

class QAbstractItemView;
class QEvent;
class QCompleter;
class QLineEdit;
class QStringListModel;

namespace halvora::ui {

class AtlasLoader;

class PlaceCompleter : public QObject {
  Q_OBJECT
 public:
  // The places for a text, best first; places::FindPlaces unless a test says otherwise.
  using Lookup = std::function<std::vector<places::Place>(std::string_view text, std::size_t limit)>;

  // The list opens from this many characters typed.
  static constexpr int kMinimumChars = 2;
  static constexpr std::size_t kMaxPlaces = 10;
  // Room above and below the letters of each line, for the focus frame round the framed one.
  static constexpr int kRowMarginPx = 3;

  // Without a lookup, the system atlas's, read by a loader of the completer's own; with one, the
  // places are ready when `loader` (if any) has loaded.
  explicit PlaceCompleter(QLineEdit* edit, Lookup lookup = {}, AtlasLoader* loader = nullptr);

  QAbstractItemView* popup() const;
  // The places the list shows, in its order.
  const std::vector<places::Place>& shown() const { return m_places; }
  // Whether a list has been asked for that opens when the atlas is ready.
  bool waitingForAtlas() const { return m_waiting; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  void placeChosen(const halvora::places::Place& place);

 private:
  void lookUp(const QString& text);
  void choose(int row);
  void atlasLoaded();

  QLineEdit* m_edit;
  Lookup m_lookup;
  QCompleter* m_completer;
  QStringListModel* m_model;
  AtlasLoader* m_loader;  // none: the places are always ready
  bool m_waiting = false;
  std::vector<places::Place> m_places;
};

}  // namespace halvora::ui
