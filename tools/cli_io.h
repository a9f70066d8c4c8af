// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Standard input read line by line with a cap on a line's length, and output gathered into a
// buffer whose every write is checked.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace halvora::cli {

// Output to a file descriptor, written in large pieces. A failed write (a full disk, a closed
// pipe, a closed descriptor) is remembered with its errno; later output is then dropped.
class OutputSink {
 public:
  explicit OutputSink(int fd, std::size_t flushAtBytes = 64 * 1024) : m_fd(fd), m_flushAt(flushAtBytes) {}

  void write(std::string_view text);
  // The held output, for a writer that appends to it in place; wrote() then lets it out when it
  // has grown large. Nothing appended after a failed write is written.
  std::string& buffer() { return m_buffer; }
  void wrote() {
    if (m_buffer.size() >= m_flushAt) flush();
  }
  // Writes out whatever is held; false when this or an earlier write failed.
  bool flush();
  bool pending() const { return !m_buffer.empty(); }
  bool failed() const { return m_errno != 0; }
  int error() const { return m_errno; }

 private:
  int m_fd;
  std::size_t m_flushAt;
  std::string m_buffer;
  int m_errno = 0;
};

// Lines of a file descriptor, without their line feeds. A line longer than the cap is passed
// over to its end and reported as too long, so memory stays bounded whatever the input.
class LineReader {
 public:
  enum class Status { Line, TooLong, End, Error };

  // `flushBeforeWaiting` is flushed when the next read would have to wait for input, so that the
  // answers already made reach a reader that waits for them; it may be null.
  LineReader(int fd, std::size_t maxLineBytes, OutputSink* flushBeforeWaiting = nullptr);

  // The next line into `line`; Error leaves errno in error().
  Status next(std::string& line);
  int error() const { return m_errno; }

 private:
  bool fill();  // false at the end of the input or on an error

  int m_fd;
  std::size_t m_maxLine;
  OutputSink* m_sink;
  std::vector<char> m_buffer;
  std::size_t m_begin = 0, m_end = 0;
  bool m_eof = false;
  int m_errno = 0;
};

}  // namespace halvora::cli
