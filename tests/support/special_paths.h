// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder of the test's own holding what is not a regular file: FIFOs, a listening socket,
// symbolic links (to files, to nothing, in a loop) and, as root, a character device. As root the
// folder is a small tmpfs mounted for the test, so the device node made in it is the test's own
// and the system's /dev is never touched.

#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace halvora::testing_support {

class SpecialPaths {
 public:
  explicit SpecialPaths(const std::string& tag) {
    m_folder = std::filesystem::temp_directory_path() / ("halvora-special-" + tag + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_folder);
    m_mounted = ::getuid() == 0 && ::mount("tmpfs", m_folder.c_str(), "tmpfs", 0, "size=4m,mode=0700") == 0;
  }
  ~SpecialPaths() {
    if (m_socket >= 0) ::close(m_socket);
    if (m_mounted) ::umount2(m_folder.c_str(), MNT_DETACH);
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }
  SpecialPaths(const SpecialPaths&) = delete;
  SpecialPaths& operator=(const SpecialPaths&) = delete;

  std::string path(const std::string& name) const { return (m_folder / name).string(); }

  std::string file(const std::string& name, const std::string& text) const {
    std::ofstream(m_folder / name, std::ios::binary) << text;
    return path(name);
  }
  std::string folder(const std::string& name) const {
    std::filesystem::create_directory(m_folder / name);
    return path(name);
  }
  std::string fifo(const std::string& name) const {
    ::mkfifo(path(name).c_str(), 0600);
    return path(name);
  }
  std::string link(const std::string& name, const std::string& target) const {
    ::symlink(target.c_str(), path(name).c_str());
    return path(name);
  }
  // A socket bound at the path, listening for as long as this folder lasts.
  std::string socket(const std::string& name) {
    m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path(name).c_str(), sizeof address.sun_path - 1);
    ::bind(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::listen(m_socket, 1);
    return path(name);
  }
  // A character device with the numbers of the full device (1, 7), made in the test's own
  // tmpfs; empty where the test cannot make one (not root).
  std::string device(const std::string& name) const {
    if (!m_mounted || ::mknod(path(name).c_str(), S_IFCHR | 0600, ::makedev(1, 7)) != 0) return {};
    return path(name);
  }

  // What kind of thing is at a path, without following a link: "file", "folder", "fifo",
  // "socket", "device", "link" or "nothing".
  static std::string kindOf(const std::string& p) {
    struct stat info {};
    if (::lstat(p.c_str(), &info) != 0) return "nothing";
    if (S_ISREG(info.st_mode)) return "file";
    if (S_ISDIR(info.st_mode)) return "folder";
    if (S_ISFIFO(info.st_mode)) return "fifo";
    if (S_ISSOCK(info.st_mode)) return "socket";
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) return "device";
    if (S_ISLNK(info.st_mode)) return "link";
    return "other";
  }

 private:
  std::filesystem::path m_folder;
  bool m_mounted = false;
  int m_socket = -1;
};

}  // namespace halvora::testing_support
