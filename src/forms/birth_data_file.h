// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Birth-data files (".halvora", MIME type application/x-halvora): the entries of one entry form,
// kept so that a chart can be opened again. A file is one JSON object in UTF-8:
//
//   {
//     "version": 1,
//     "name": "ASHA",
//     "month": 2,
//     ...
//     "zone": 34,
//     "dst": false
//   }
//
// "version" is the edition of the format that wrote the file: this one writes 1 and reads 1; a
// file without it counts as version 1, and a file of a later version is refused. Every other key
// is a key of a halvora-chart --batch line with the same value and meaning, so a saved file is a
// valid batch line and a batch line opens as a file. Reading is as strict as the batch reader
// about the form's own keys (a wrong type or a value the form cannot hold is refused with the
// key's name), but keys it does not know are skipped, so that later editions can add keys.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "chart/chart_request.h"
#include "forms/form_reader.h"

namespace halvora::forms {

inline constexpr int kBirthDataFileVersion = 1;
inline constexpr std::size_t kMaxBirthDataFileBytes = 64 * 1024;

// The key of the format's version, read beside the form's keys.
inline constexpr ExtraKey kVersionKey{"version", ValueKind::Number};

// A file that cannot be read: the file as named to the reader, and what is wrong with it.
struct FileError {
  std::string path;
  std::string problem;
  // "PATH: PROBLEM", with a path that is not plain UTF-8 written safely.
  std::string message() const;
  friend bool operator==(const FileError&, const FileError&) = default;
};

// The form a file holds with the keys it gave, as a batch line's reading keeps them, so that a
// reader can go on to fill the form from the place the file names.
using BirthDataForm = std::variant<ReadForm, FileError>;

// The form in a file's text; `path` only names the file in a message.
BirthDataForm parseBirthDataForm(std::string_view text, std::string_view path);

// Reads and parses a file; a folder, a file that cannot be opened or read, and a file larger than
// kMaxBirthDataFileBytes (never read whole) are refused as well.
BirthDataForm readBirthDataForm(const std::string& path);

// The file's text for a form: pretty-printed, UTF-8, every key of formValues() after "version",
// ending in a line feed.
std::string formatBirthData(const FormInput& form);

// The problem with a "version" read beside a form (as readFormJson keeps it in `extras`), or
// nothing when there is none or it is one this reader knows.
std::optional<FormError> versionProblem(const ReadForm& read);

}  // namespace halvora::forms
