// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the fuzz targets share: running halvora-chart's front end on bytes held in memory, and
// failing loudly when a property does not hold.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart_cli.h"

namespace halvora::fuzz {

// Stops the run with a message, so that libFuzzer keeps the input as a finding.
[[noreturn]] inline void fail(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "property broken: %s\n%.*s\n", what, static_cast<int>(detail.size()), detail.data());
  std::abort();
}

// A file in memory, read back whole.
class MemoryFile {
 public:
  explicit MemoryFile(std::string_view content = {}) : m_fd(::memfd_create("halvora-fuzz", MFD_CLOEXEC)) {
    if (m_fd < 0) fail("memfd_create");
    if (!content.empty() && ::write(m_fd, content.data(), content.size()) != static_cast<ssize_t>(content.size()))
      fail("writing the input");
    ::lseek(m_fd, 0, SEEK_SET);
  }
  ~MemoryFile() { ::close(m_fd); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  int fd() const { return m_fd; }
  std::string text() const {
    std::string out;
    char buffer[65536];
    ::lseek(m_fd, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(m_fd, buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<std::size_t>(n));
    return out;
  }

 private:
  int m_fd;
};

struct CliRun {
  int status = -1;
  std::string out, err;
};

// halvora-chart's front end with these arguments and this standard input (no PDF writer: a PDF
// asked for is refused, so nothing is written to disk).
inline CliRun runCli(std::span<const std::string> args, std::string_view input = {}) {
  MemoryFile in(input), out, err;
  CliRun run;
  run.status = cli::RunChartCli(args, in.fd(), out.fd(), err.fd());
  run.out = out.text();
  run.err = err.text();
  return run;
}

}  // namespace halvora::fuzz
