// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the atlas in the background when it is first needed (not when the program starts), and
// says on the window's thread when it is ready, so that no keystroke waits for it.

#include <QObject>

#include <functional>
#include <future>

namespace halvora::ui {

class AtlasLoader : public QObject {
  Q_OBJECT
 public:
  // How the atlas is read (the call blocks until it is) and whether it has been read.
  struct Source {
    std::function<void()> read;
    std::function<bool()> isRead;
  };

  // The system atlas: places::SystemAtlas and places::SystemAtlasLoaded.
  explicit AtlasLoader(QObject* parent = nullptr);
  AtlasLoader(Source source, QObject* parent);
  // Waits for a reading under way.
  ~AtlasLoader() override;

  bool isLoaded() const;
  // Whether this loader has started a reading.
  bool started() const { return m_started; }
  // Starts reading in the background, unless the atlas has been read or this loader is reading
  // it already; returns at once.
  void start();

 signals:
  // The reading that start() began has finished; emitted on the loader's own thread.
  void loaded();

 private:
  Source m_source;
  bool m_started = false;
  std::future<void> m_reading;
};

}  // namespace halvora::ui
