// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/start_arguments.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace halvora::ui {

namespace {

// The options QGuiApplication and QApplication take from the command line, with one dash or two.
constexpr std::array<std::string_view, 15> kQtOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry", "qwindowicon", "icon",
    "qwindowtitle", "title", "session", "display", "name", "style", "stylesheet"};
constexpr std::array<std::string_view, 5> kQtSwitches = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool isOneOf(std::string_view name, std::span<const std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::string startUsage() {
  return "usage: halvora [FILE.halvora]\n"
         "       halvora --help | --version\n"
         "Starts Halvora; with a birth-data file, the entry form opens holding its birth data.\n";
}

StartArguments readStartArguments(std::span<const std::string> args) {
  StartArguments read;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return {StartArguments::Action::Help, {}, {}};
    if (arg == "--version") return {StartArguments::Action::Version, {}, {}};
    if (arg.size() > 1 && arg[0] == '-') {
      std::string_view name(arg);
      name.remove_prefix(name.starts_with("--") ? 2 : 1);
      // "-style=fusion" is Qt's as well.
      const std::size_t equals = name.find('=');
      const bool joined = equals != std::string_view::npos;
      if (joined) name = name.substr(0, equals);
      if (isOneOf(name, kQtOptionsWithValue)) {
        if (!joined && ++i == args.size()) return {StartArguments::Action::Bad, {}, arg + " needs a value"};
        continue;
      }
      if (!joined && (isOneOf(name, kQtSwitches) || name.starts_with("qmljsdebugger"))) continue;
      return {StartArguments::Action::Bad, {}, "unknown option " + arg};
    }
    if (!read.file.empty()) return {StartArguments::Action::Bad, {}, "only one birth-data file can be opened"};
    if (arg.empty()) return {StartArguments::Action::Bad, {}, "an empty file name"};
    read.file = arg;
  }
  return read;
}

}  // namespace halvora::ui
