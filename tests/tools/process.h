// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a program with chosen standard streams and collects its exit status and output.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace halvora::testing_support {

enum class StandardOutput {
  Captured,    // into a file the test reads
  DevFull,     // /dev/full: every write fails with ENOSPC
  Closed,      // descriptor 1 closed
  ClosedPipe,  // a pipe whose reading end is closed
};

enum class InputFrom {
  File,  // the input text from a file
  Pipe,  // the input text written into a pipe while the program runs
};

struct RunOptions {
  StandardOutput output = StandardOutput::Captured;
  InputFrom input = InputFrom::File;
  std::string inputPath;    // read this file instead of the input text, when set
  bool ignoreSigpipe = false;  // the disposition the program inherits
  std::vector<std::pair<std::string, std::string>> environment;  // set for the program, beside this one's
};

struct ProcessRun {
  int status = -1;  // exit status, or -1 when ended by a signal
  int signal = 0;   // the signal that ended it
  std::string out, err;
  bool inputCutShort = false;  // the program stopped reading before the pipe's input was all written
};

inline std::string slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The lines of a program's output without their line feeds; a last line that lacks one is marked
// "(no line feed)", so that a test sees it.
inline std::vector<std::string> outputLines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find('\n', start);
    if (end == std::string::npos) {
      out.push_back(text.substr(start) + "(no line feed)");
      break;
    }
    out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

inline ProcessRun runProgram(const std::string& program, const std::vector<std::string>& args,
                             const std::string& input, const RunOptions& options = {}) {
  static int counter = 0;
  const auto dir = std::filesystem::temp_directory_path() /
                   ("halvora-run-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
  std::filesystem::create_directories(dir);
  const std::string inPath = options.inputPath.empty() ? (dir / "in").string() : options.inputPath;
  if (options.inputPath.empty()) std::ofstream(dir / "in", std::ios::binary) << input;
  const std::string outPath = (dir / "out").string(), errPath = (dir / "err").string();

  int inPipe[2] = {-1, -1}, outPipe[2] = {-1, -1};
  if (options.input == InputFrom::Pipe && ::pipe(inPipe) != 0) return {};
  if (options.output == StandardOutput::ClosedPipe) {
    if (::pipe(outPipe) != 0) return {};
    ::close(outPipe[0]);  // closed before the program starts: its every write fails
  }

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid == 0) {
    ::signal(SIGPIPE, options.ignoreSigpipe ? SIG_IGN : SIG_DFL);
    for (const auto& [name, value] : options.environment) ::setenv(name.c_str(), value.c_str(), 1);
    ::dup2(::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    const int in = options.input == InputFrom::Pipe ? inPipe[0] : ::open(inPath.c_str(), O_RDONLY);
    ::dup2(in, 0);
    switch (options.output) {
      case StandardOutput::Captured: ::dup2(::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1); break;
      case StandardOutput::DevFull: ::dup2(::open("/dev/full", O_WRONLY), 1); break;
      case StandardOutput::Closed: ::close(1); break;
      case StandardOutput::ClosedPipe: ::dup2(outPipe[1], 1); break;
    }
    for (int fd = 3; fd < 256; ++fd) ::close(fd);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }

  ProcessRun run;
  std::thread feeder;
  if (options.output == StandardOutput::ClosedPipe) ::close(outPipe[1]);
  if (options.input == InputFrom::Pipe) {
    ::signal(SIGPIPE, SIG_IGN);  // a program that stops reading shows as EPIPE below, not as a signal here
    ::close(inPipe[0]);
    feeder = std::thread([&] {
      std::size_t done = 0;
      while (done < input.size()) {
        const ssize_t n = ::write(inPipe[1], input.data() + done, input.size() - done);
        if (n > 0) {
          done += static_cast<std::size_t>(n);
        } else if (!(n < 0 && errno == EINTR)) {
          run.inputCutShort = true;
          break;
        }
      }
      ::close(inPipe[1]);
    });
  }
  int raw = 0;
  ::waitpid(pid, &raw, 0);
  if (feeder.joinable()) feeder.join();
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.signal = WIFSIGNALED(raw) ? WTERMSIG(raw) : 0;
  if (options.output == StandardOutput::Captured) run.out = slurp(outPath);
  run.err = slurp(errPath);
  std::filesystem::remove_all(dir);
  return run;
}

}  // namespace halvora::testing_support
