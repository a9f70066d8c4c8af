// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Help menu and the two menu titles that open pages at once, the same on both top-level windows.

#include "ui/platform.h"

class QMainWindow;

namespace halvora::ui {

// Object names that differ between the two windows.
struct WebMenuNames {
  const char* firstSeparator;
  const char* secondSeparator;
  const char* makeMoney;
};

// Adds "&Help" (the manual, F1; online help, visit us, check for updates, about), "&Donate" and "Make Money &Online".
void addWebMenus(QMainWindow* window, Platform& platform, const WebMenuNames& names);

}  // namespace halvora::ui
