// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/output_path.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace halvora::forms {

namespace {

constexpr char kNotRegular[] = "not a regular file";

// What a symbolic link holds, as it holds it.
std::string linkText(const std::string& path) {
  std::string text(PATH_MAX, '\0');
  const ssize_t n = ::readlink(path.c_str(), text.data(), text.size());
  text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return text;
}

}  // namespace

std::variant<std::string, FileError> writableTarget(const std::string& path) {
  struct stat info {};
  // Nothing there yet, or a path the system refuses: the writer makes the file or says why not.
  if (::lstat(path.c_str(), &info) != 0) return path;
  if (S_ISREG(info.st_mode)) return path;
  if (!S_ISLNK(info.st_mode)) return FileError{path, kNotRegular};

  const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
  if (!resolved) {
    const int error = errno;
    if (error == ELOOP) return FileError{path, "the symbolic links lead round in a loop"};
    if (error == ENOENT)
      return FileError{path, "a symbolic link to " + linkText(path) + ", which does not exist"};
    return FileError{path, "the symbolic link cannot be followed: " + std::string(std::strerror(error))};
  }
  const std::string target(resolved.get());
  if (::stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return FileError{path, kNotRegular};
  return target;
}

}  // namespace halvora::forms
