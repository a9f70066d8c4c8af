// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/atlas_loader.h"

#include <QMetaObject>

#include "places/atlas.h"

namespace halvora::ui {

AtlasLoader::AtlasLoader(QObject* parent)
    : AtlasLoader({[] { places::SystemAtlas(); }, [] { return places::SystemAtlasLoaded(); }}, parent) {}

AtlasLoader::AtlasLoader(Source source, QObject* parent) : QObject(parent), m_source(std::move(source)) {
  setObjectName(QStringLiteral("atlasLoader"));
}

AtlasLoader::~AtlasLoader() {
  if (m_reading.valid()) m_reading.wait();
}

bool AtlasLoader::isLoaded() const { return m_source.isRead(); }

void AtlasLoader::start() {
  if (m_started || isLoaded()) return;
  m_started = true;
  // The signal is posted to this object's thread; the destructor waits for the reading, so the
  // object outlives the posting, and a signal still pending when it goes is dropped with it.
  m_reading = std::async(std::launch::async, [this] {
    m_source.read();
    QMetaObject::invokeMethod(this, &AtlasLoader::loaded, Qt::QueuedConnection);
  });
}

}  // namespace halvora::ui
