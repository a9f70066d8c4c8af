// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A system without the atlas's library, for programs the tests start: a folder holding a
// "libgeonames.so.0" that is no library. Put first on LD_LIBRARY_PATH, it is what the dynamic
// loader finds under that name, and opening it fails as on a system without the library; a
// program that linked the library would not start at all. Another library the program opens when
// it needs it (Swiss Ephemeris's "libswe.so.2") is missing the same way under its own name.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace halvora::testing_support {

class BrokenAtlasLibrary {
 public:
  explicit BrokenAtlasLibrary(std::string fileName = "libgeonames.so.0") : m_fileName(std::move(fileName)) {
    static int counter = 0;
    m_folder = std::filesystem::temp_directory_path() /
               ("halvora-no-atlas-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(m_folder);
    // Longer than an ELF header, so that the loader reads it and finds it is none.
    std::ofstream(m_folder / m_fileName, std::ios::binary)
        << "This is not a shared library; it stands where the atlas's library would be found.\n";
  }
  ~BrokenAtlasLibrary() {
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }
  BrokenAtlasLibrary(const BrokenAtlasLibrary&) = delete;
  BrokenAtlasLibrary& operator=(const BrokenAtlasLibrary&) = delete;

  std::string folder() const { return m_folder.string(); }
  std::string libraryFile() const { return (m_folder / m_fileName).string(); }
  // The LD_LIBRARY_PATH a program started now should get: the folder, then what this process has.
  std::string libraryPath() const {
    const char* now = std::getenv("LD_LIBRARY_PATH");
    return folder() + (now && *now ? std::string(":") + now : std::string());
  }

 private:
  std::string m_fileName;
  std::filesystem::path m_folder;
};

// LD_LIBRARY_PATH set to a value for the programs started (or the death tests re-run) while it
// lives; this process's own loader read the variable when it started and is not affected.
class ScopedLibraryPath {
 public:
  explicit ScopedLibraryPath(const std::string& value) {
    if (const char* now = std::getenv("LD_LIBRARY_PATH")) m_before = now;
    ::setenv("LD_LIBRARY_PATH", value.c_str(), 1);
  }
  ~ScopedLibraryPath() {
    if (m_before) {
      ::setenv("LD_LIBRARY_PATH", m_before->c_str(), 1);
    } else {
      ::unsetenv("LD_LIBRARY_PATH");
    }
  }
  ScopedLibraryPath(const ScopedLibraryPath&) = delete;
  ScopedLibraryPath& operator=(const ScopedLibraryPath&) = delete;

 private:
  std::optional<std::string> m_before;
};

}  // namespace halvora::testing_support
