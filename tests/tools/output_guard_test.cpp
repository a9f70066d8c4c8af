// SPDX-License-Identifier: GPL-3.0-or-later
// The output of halvora-chart, byte for byte: digests of the batch answers, the --json documents and
// the readable pages of a fixed set of pseudo-random forms (charts, polar places, texts that JSON
// escapes, forms that fail a check or a key): the exit status, standard output and the message on
// standard error. The digests were recorded with the program as it stood before its output was
// made faster; a change to any byte of any answer changes them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "chart_cli.h"
#include "support/random_forms.h"

namespace halvora {
namespace {

constexpr int kForms = 3000;
constexpr std::uint64_t kSeed = 20240611;

// 64-bit FNV-1a, enough to tell any changed byte from none.
class Digest {
 public:
  void add(std::string_view bytes) {
    for (unsigned char c : bytes) m_hash = (m_hash ^ c) * 0x100000001b3ULL;
    m_bytes += bytes.size();
  }
  std::string text() const {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%016llx/%llu", static_cast<unsigned long long>(m_hash),
                  static_cast<unsigned long long>(m_bytes));
    return buf;
  }

 private:
  std::uint64_t m_hash = 0xcbf29ce484222325ULL;
  std::uint64_t m_bytes = 0;
};

// A temporary file to run the program's streams through.
class TempFile {
 public:
  TempFile() : m_file(std::tmpfile()) {}
  ~TempFile() {
    if (m_file) std::fclose(m_file);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  int fd() const { return fileno(m_file); }
  void reset(std::string_view contents = {}) {
    EXPECT_EQ(::ftruncate(fd(), 0), 0);
    EXPECT_EQ(::lseek(fd(), 0, SEEK_SET), 0);
    if (!contents.empty()) {
      EXPECT_EQ(::write(fd(), contents.data(), contents.size()), static_cast<ssize_t>(contents.size()));
    }
    EXPECT_EQ(::lseek(fd(), 0, SEEK_SET), 0);
  }
  std::string contents() const {
    std::string s;
    EXPECT_EQ(::lseek(fd(), 0, SEEK_SET), 0);
    char buf[1 << 16];
    for (ssize_t n; (n = ::read(fd(), buf, sizeof buf)) > 0;) s.append(buf, static_cast<std::size_t>(n));
    return s;
  }

 private:
  std::FILE* m_file;
};

struct CliRun {
  int status;
  std::string out, err;
};

CliRun runCli(const std::vector<std::string>& args, std::string_view input = {}) {
  static TempFile in, out, err;
  in.reset(input);
  out.reset();
  err.reset();
  const int status = cli::RunChartCli(args, in.fd(), out.fd(), err.fd());
  return {status, out.contents(), err.contents()};
}

// The output without what the choice of position model added to it: the JSON answer's "Model"
// member, on one line or indented, and the readable page's line under the positions. Without them
// every answer of the built-in model is as it was before there was a choice.
std::string withoutModel(std::string text) {
  static const std::regex member(R"("Model": ?\{[^}]*\},(\n  )?)");
  static const std::string line = "Positions: built-in model (planets within about 1\u00bd\u00b0)\n";
  text = std::regex_replace(text, member, "");
  for (std::size_t at; (at = text.find(line)) != std::string::npos;) text.erase(at, line.size());
  return text;
}

// A message without the usage text that follows it, which grows with the program's flags.
std::string firstLine(const std::string& err) { return err.substr(0, err.find('\n') + 1); }

std::vector<testing_support::RandomForm> forms() {
  testing_support::RandomForms random(kSeed);
  std::vector<testing_support::RandomForm> all;
  for (int i = 0; i < kForms; ++i) all.push_back(random.next());
  return all;
}

TEST(OutputGuard, EveryAnswerIsAsBefore) {
  const auto all = forms();
  std::string input;
  for (const auto& f : all) input += f.jsonLine + "\n";
  const CliRun batch = runCli({"--batch"}, input);
  ASSERT_EQ(batch.status, 0) << batch.err;
  Digest batchDigest;
  batchDigest.add(withoutModel(batch.out));

  Digest json, page;
  int charts = 0;
  for (const auto& f : all) {
    std::vector<std::string> args = f.flags;
    args.push_back("--json");
    const CliRun j = runCli(args);
    json.add(std::to_string(j.status) + "\n" + withoutModel(j.out) + firstLine(j.err));
    const CliRun p = runCli(f.flags);
    page.add(std::to_string(p.status) + "\n" + withoutModel(p.out) + firstLine(p.err));
    charts += j.status == 0;
    if (j.status == 0) {
      EXPECT_NE(j.out.find("\"Model\": {\n    \"ayanamsa\": \"builtin\",\n    \"ayanamsaDeg\": "), std::string::npos);
      EXPECT_NE(j.out.find("\"ephemeris\": \"builtin\",\n    \"node\": \"mean\"\n  },"), std::string::npos);
      EXPECT_NE(p.out.find("\nPositions: built-in model (planets within about 1\u00bd\u00b0)\n\n+"), std::string::npos);
    }
  }
  // The set holds charts and failures alike.
  EXPECT_GT(charts, kForms / 2);
  EXPECT_LT(charts, kForms);

  EXPECT_EQ(batchDigest.text(), "2beab5304ff12b93/11609286") << "--batch";
  EXPECT_EQ(json.text(), "4fcee666bcd27334/13319153") << "--json";
  EXPECT_EQ(page.text(), "c52d4010220e6992/13472712") << "the readable page";
}

}  // namespace
}  // namespace halvora
