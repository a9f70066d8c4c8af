// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_icon.h"

#include <QImage>
#include <QPixmap>

namespace halvora::ui {

QIcon windowIcon() {
  const QImage pixels(reinterpret_cast<const uchar*>(kWindowIconPixels), kWindowIconSizePx, kWindowIconSizePx,
                      kWindowIconSizePx * static_cast<int>(sizeof(std::uint32_t)), QImage::Format_ARGB32);
  return QIcon(QPixmap::fromImage(pixels));
}

}  // namespace halvora::ui
