// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder whose disk becomes full on request, for testing what a failed write leaves behind. As
// root it is a small tmpfs of its own, filled to the last block; where no file system can be
// mounted, the process's file-size limit stands in for it, so that every write that would grow a
// file fails as it does on a full disk. HALVORA_NO_TMPFS in the environment asks for the limit
// even as root, so that both ways can be tried.

#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace halvora::testing_support {

class FullDisk {
 public:
  explicit FullDisk(std::string tag) {
    m_folder = std::filesystem::temp_directory_path() / ("halvora-full-" + tag + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_folder);
    m_mounted = std::getenv("HALVORA_NO_TMPFS") == nullptr && ::mount("tmpfs", m_folder.c_str(), "tmpfs", 0, "size=256k,mode=0700") == 0;
  }
  ~FullDisk() {
    release();
    if (m_mounted) ::umount2(m_folder.c_str(), MNT_DETACH);
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

  const std::filesystem::path& folder() const { return m_folder; }
  bool isTmpfs() const { return m_mounted; }

  // From now on no file in the folder can grow.
  void fill() {
    if (m_mounted) {
      std::FILE* filler = std::fopen((m_folder / "filler").c_str(), "wb");
      if (filler == nullptr) return;
      std::setvbuf(filler, nullptr, _IONBF, 0);
      static const char kBlock[4096] = {};
      while (std::fwrite(kBlock, 1, sizeof kBlock, filler) == sizeof kBlock) {
      }
      // The last partial block, byte by byte, so that not even a short file fits.
      while (std::fwrite(kBlock, 1, 1, filler) == 1) {
      }
      std::fclose(filler);
      return;
    }
    ::getrlimit(RLIMIT_FSIZE, &m_limit);
    m_oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit none{0, m_limit.rlim_max};
    m_limited = ::setrlimit(RLIMIT_FSIZE, &none) == 0;
  }

  // Makes room again (the file-size limit is the process's own, so it is lifted as soon as the
  // write under test has failed).
  void release() {
    if (m_limited) {
      ::setrlimit(RLIMIT_FSIZE, &m_limit);
      std::signal(SIGXFSZ, m_oldSignal);
      m_limited = false;
    }
    if (m_mounted) {
      std::error_code ignored;
      std::filesystem::remove(m_folder / "filler", ignored);
    }
  }

 private:
  std::filesystem::path m_folder;
  bool m_mounted = false;
  bool m_limited = false;
  rlimit m_limit{};
  void (*m_oldSignal)(int) = SIG_DFL;
};

}  // namespace halvora::testing_support
