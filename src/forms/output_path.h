// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a file the user names is written (a saved birth-data file, a PDF of the printed pages).
// Writing goes through a temporary file that replaces the target once it is whole, so the target
// must be a regular file or not exist yet: a device, a FIFO, a socket or a folder at the path is
// refused and left as it is. A symbolic link is followed to the file it names, so that the file
// is replaced and the link kept.

#include <string>
#include <variant>

#include "forms/birth_data_file.h"  // FileError

namespace halvora::forms {

// The file to write for `path`: the path itself when nothing or a regular file is there, the
// file its symbolic links lead to when it is one, else the reason it cannot be written to
// ("PATH: not a regular file", a dangling link, a loop of links).
std::variant<std::string, FileError> writableTarget(const std::string& path);

}  // namespace halvora::forms
