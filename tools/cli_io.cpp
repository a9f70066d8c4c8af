// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_io.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace halvora::cli {

void OutputSink::write(std::string_view text) {
  if (failed()) return;
  m_buffer.append(text);
  if (m_buffer.size() >= m_flushAt) flush();
}

bool OutputSink::flush() {
  std::size_t done = 0;
  while (!failed() && done < m_buffer.size()) {
    const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      m_errno = n < 0 ? errno : EIO;
    }
  }
  m_buffer.clear();
  return !failed();
}

namespace {
constexpr std::size_t kReadChunk = 64 * 1024;
}

LineReader::LineReader(int fd, std::size_t maxLineBytes, OutputSink* flushBeforeWaiting)
    : m_fd(fd), m_maxLine(maxLineBytes), m_sink(flushBeforeWaiting), m_buffer(kReadChunk) {}

bool LineReader::fill() {
  if (m_eof || m_errno) return false;
  if (m_sink && m_sink->pending()) {
    pollfd p{m_fd, POLLIN, 0};
    if (::poll(&p, 1, 0) == 0) m_sink->flush();  // nothing to read yet: let the answers out first
  }
  while (true) {
    const ssize_t n = ::read(m_fd, m_buffer.data(), m_buffer.size());
    if (n > 0) {
      m_begin = 0;
      m_end = static_cast<std::size_t>(n);
      return true;
    }
    if (n == 0) {
      m_eof = true;
      return false;
    }
    if (errno == EINTR) continue;
    m_errno = errno;
    return false;
  }
}

LineReader::Status LineReader::next(std::string& line) {
  line.clear();
  bool tooLong = false;
  bool any = false;  // a byte of this line has been seen
  while (true) {
    if (m_begin == m_end && !fill()) {
      if (m_errno) return Status::Error;
      if (!any) return Status::End;
      return tooLong ? Status::TooLong : Status::Line;  // the last line, without a line feed
    }
    any = true;
    const char* start = m_buffer.data() + m_begin;
    const std::size_t available = m_end - m_begin;
    const void* feed = std::memchr(start, '\n', available);
    const std::size_t take = feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - start) : available;
    if (!tooLong) {
      if (line.size() + take > m_maxLine) {
        tooLong = true;
        line.clear();
        line.shrink_to_fit();
      } else {
        line.append(start, take);
      }
    }
    m_begin += take;
    if (feed) {
      ++m_begin;  // the line feed
      return tooLong ? Status::TooLong : Status::Line;
    }
  }
}

}  // namespace halvora::cli
