// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The icon every window of Halvora shows, from pixels compiled into the program: setting it at
// start decodes no image file (and so loads no image library or image plugin).

#include <QIcon>

#include <cstdint>

namespace halvora::ui {

inline constexpr int kWindowIconSizePx = 64;
// The pixels of resources/halvora-64.png (window_icon_pixels.cpp, made by tools/gen_window_icon.cpp).
extern const std::uint32_t kWindowIconPixels[kWindowIconSizePx * kWindowIconSizePx];

QIcon windowIcon();

}  // namespace halvora::ui
