// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop program's arguments, read before any window system is asked for, so that --help,
// --version and a bad argument are answered without a display.

#include <span>
#include <string>

namespace halvora::ui {

struct StartArguments {
  enum class Action { Start, Help, Version, Bad };
  Action action = Action::Start;
  std::string file;     // the birth-data file to open (Start), as given; empty for none
  std::string problem;  // what is wrong (Bad)
};

// Reads `halvora [FILE.halvora]`, --help (-h) and --version, passing over the options Qt takes
// itself (-platform NAME, -style NAME, -reverse ...). `args` are without the program's name.
StartArguments readStartArguments(std::span<const std::string> args);

// "usage: halvora [FILE.halvora]" and what it does.
std::string startUsage();

}  // namespace halvora::ui
