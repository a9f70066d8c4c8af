// SPDX-License-Identifier: GPL-3.0-or-later
// Reading lines with a cap and writing output whose every write is checked.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "cli_io.h"

namespace halvora::cli {
namespace {

// A pipe holding the text, its writing end closed.
int pipeWith(const std::string& text) {
  int fds[2];
  EXPECT_EQ(::pipe(fds), 0);
  EXPECT_EQ(::write(fds[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
  ::close(fds[1]);
  return fds[0];
}

struct Read {
  LineReader::Status status;
  std::string line;
  friend bool operator==(const Read&, const Read&) = default;
};

std::vector<Read> readAll(int fd, std::size_t cap) {
  LineReader reader(fd, cap);
  std::vector<Read> out;
  std::string line;
  while (true) {
    const auto status = reader.next(line);
    out.push_back({status, line});
    if (status == LineReader::Status::End || status == LineReader::Status::Error) break;
  }
  ::close(fd);
  return out;
}

using S = LineReader::Status;

TEST(LineReader, SplitsAtLineFeedsAndCapsLongLines) {
  struct Row {
    const char* name;
    std::string input;
    std::vector<Read> reads;
  } rows[] = {
      {"nothing", "", {{S::End, ""}}},
      {"one line", "ab\n", {{S::Line, "ab"}, {S::End, ""}}},
      {"a last line without a line feed", "ab\ncd", {{S::Line, "ab"}, {S::Line, "cd"}, {S::End, ""}}},
      {"blank lines are lines", "\n\n", {{S::Line, ""}, {S::Line, ""}, {S::End, ""}}},
      {"carriage returns stay", "a\r\n", {{S::Line, "a\r"}, {S::End, ""}}},
      {"NUL bytes stay inside the line", std::string("a\0b\n", 4), {{S::Line, std::string("a\0b", 3)}, {S::End, ""}}},
      {"exactly the cap", "12345678\n", {{S::Line, "12345678"}, {S::End, ""}}},
      {"one past the cap", "123456789\nok\n", {{S::TooLong, ""}, {S::Line, "ok"}, {S::End, ""}}},
      {"too long at the end", "ok\n123456789", {{S::Line, "ok"}, {S::TooLong, ""}, {S::End, ""}}},
  };
  for (const auto& r : rows) EXPECT_EQ(readAll(pipeWith(r.input), 8), r.reads) << r.name;
}

TEST(LineReader, LinesLongerThanOneReadAndFarPastTheCap) {
  // 200 KiB lines span several reads of 64 KiB; a 5 MiB line is passed over without being kept.
  const std::string a(200 * 1024, 'a');
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  std::thread writer([&] {
    const std::string text = a + "\n" + std::string(5 << 20, 'x') + "\n" + "end";
    for (std::size_t done = 0; done < text.size();) done += static_cast<std::size_t>(::write(fds[1], text.data() + done, text.size() - done));
    ::close(fds[1]);
  });
  const auto reads = readAll(fds[0], 256 * 1024);
  writer.join();
  ASSERT_EQ(reads.size(), 4u);
  EXPECT_EQ(reads[0], (Read{S::Line, a}));
  EXPECT_EQ(reads[1], (Read{S::TooLong, ""}));
  EXPECT_EQ(reads[2], (Read{S::Line, "end"}));
}

TEST(LineReader, AReadErrorIsNotTheEndOfTheInput) {
  const int directory = ::open("/", O_RDONLY);
  ASSERT_GE(directory, 0);
  LineReader reader(directory, 64);
  std::string line;
  EXPECT_EQ(reader.next(line), S::Error);
  EXPECT_EQ(reader.error(), EISDIR);
  ::close(directory);
}

TEST(LineReader, LetsTheAnswersOutBeforeWaitingForMoreInput) {
  // A reader that sends one line, waits for its answer and only then sends the next (as a
  // program driving halvora-chart line by line does) must not wait for ever.
  int in[2], out[2];
  ASSERT_EQ(::pipe(in), 0);
  ASSERT_EQ(::pipe(out), 0);
  bool answered = false;
  std::thread peer([&] {
    ASSERT_EQ(::write(in[1], "first\n", 6), 6);
    pollfd p{out[0], POLLIN, 0};
    if (::poll(&p, 1, 10000) == 1) {
      char buf[16] = {};
      answered = ::read(out[0], buf, sizeof buf) == 6 && std::string(buf, 6) == "answer";
      if (answered) {
        ASSERT_EQ(::write(in[1], "second\n", 7), 7);
      }
    }
    ::close(in[1]);
  });
  OutputSink sink(out[1]);
  LineReader reader(in[0], 64, &sink);
  std::string line;
  ASSERT_EQ(reader.next(line), S::Line);
  EXPECT_EQ(line, "first");
  sink.write("answer");
  const auto second = reader.next(line);
  peer.join();
  EXPECT_TRUE(answered) << "the answer stayed in the buffer while the reader waited";
  EXPECT_EQ(second, S::Line);
  EXPECT_EQ(line, "second");
  for (int fd : {in[0], out[0], out[1]}) ::close(fd);
}

TEST(OutputSink, HoldsOutputUntilFlushedAndRemembersAFailedWrite) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  OutputSink sink(fds[1], 10);
  sink.write("12345");
  EXPECT_TRUE(sink.pending());
  pollfd p{fds[0], POLLIN, 0};
  EXPECT_EQ(::poll(&p, 1, 0), 0) << "held, not yet written";
  sink.write("67890");  // reaches the flush size
  EXPECT_FALSE(sink.pending());
  char buf[16] = {};
  EXPECT_EQ(::read(fds[0], buf, sizeof buf), 10);
  ::close(fds[0]);
  ::close(fds[1]);

  const int full = ::open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  OutputSink toFull(full);
  toFull.write("chart");
  EXPECT_FALSE(toFull.flush());
  EXPECT_TRUE(toFull.failed());
  EXPECT_EQ(toFull.error(), ENOSPC);
  toFull.write("more");
  EXPECT_FALSE(toFull.pending()) << "nothing more is gathered after a failure";
  ::close(full);

  OutputSink toClosed(987);  // a descriptor that is not open
  toClosed.write("x");
  EXPECT_FALSE(toClosed.flush());
  EXPECT_EQ(toClosed.error(), EBADF);
}

}  // namespace
}  // namespace halvora::cli
