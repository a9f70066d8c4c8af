// SPDX-License-Identifier: GPL-3.0-or-later
// The window icon compiled into the program is the icon's picture, pixel for pixel: a changed
// picture without the pixels made again fails here.

#include <gtest/gtest.h>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "ui/window_icon.h"

// The program's resources, which hold the picture, are linked in from a static library.
static void initResources() { Q_INIT_RESOURCE(halvora); }

namespace halvora::ui {
namespace {

TEST(WindowIcon, IsThePicturePixelForPixel) {
  initResources();
  const QString file = QStringLiteral(":/halvora/halvora-64.png");
  const QImage picture = QImage(file).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(picture.size(), QSize(kWindowIconSizePx, kWindowIconSizePx));
  const QIcon icon = windowIcon();
  EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(kWindowIconSizePx, kWindowIconSizePx)});
  // What a window shows of it, beside what it showed of the icon read from the file.
  const QImage shown = icon.pixmap(kWindowIconSizePx).toImage().convertToFormat(QImage::Format_ARGB32);
  const QImage shownBefore = QIcon(file).pixmap(kWindowIconSizePx).toImage().convertToFormat(QImage::Format_ARGB32);
  int differing = 0;
  for (int y = 0; y < kWindowIconSizePx; ++y) {
    for (int x = 0; x < kWindowIconSizePx; ++x) {
      const QRgb expected = picture.pixel(x, y);
      EXPECT_EQ(kWindowIconPixels[y * kWindowIconSizePx + x], expected) << "at " << x << "," << y;
      if (shown.pixel(x, y) != shownBefore.pixel(x, y)) ++differing;
    }
  }
  EXPECT_EQ(differing, 0) << "pixels the icon shows differently";
  // The picture has both opaque and clear pixels, so a lost alpha channel shows above.
  EXPECT_NE(qAlpha(kWindowIconPixels[0]), qAlpha(kWindowIconPixels[kWindowIconSizePx / 2 * (kWindowIconSizePx + 1)]));
}

}  // namespace
}  // namespace halvora::ui
