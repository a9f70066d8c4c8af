// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/birth_data_file.h"

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "forms/utf8.h"

namespace halvora::forms {

namespace {

constexpr char kTooLarge[] = "the file is larger than 64 KiB (65536 bytes)";
static_assert(kMaxBirthDataFileBytes == 65536, "the message names the limit");

// A path as a message shows it: as it is when it is UTF-8 on one line, else quoted safely.
std::string shownPath(std::string_view path) {
  bool plain = !path.empty() && isValidUtf8(path);
  for (char c : path) plain = plain && static_cast<unsigned char>(c) >= 0x20 && c != 0x7F;
  return plain ? std::string(path) : quoteForMessage(path, 256);
}

std::string systemMessage(int error) { return std::strerror(error); }

// Closes a descriptor when it goes out of scope.
struct Descriptor {
  int fd = -1;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// A JSON string: quotes, the escapes JSON requires, UTF-8 as it is; a byte that is not UTF-8
// (no text of a form holds one) becomes U+FFFD, so the file always reads back.
void appendJsonString(std::string& out, std::string_view text) {
  out += '"';
  while (!text.empty()) {
    const std::size_t good = firstInvalidUtf8(text).value_or(text.size());
    for (const char c : text.substr(0, good)) {
      const auto u = static_cast<unsigned char>(c);
      switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
          if (u < 0x20 || u == 0x7F) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
          } else {
            out += c;
          }
      }
    }
    if (good == text.size()) break;
    appendUtf8(out, U'\uFFFD');
    text.remove_prefix(good + 1);
  }
  out += '"';
}

}  // namespace

std::string FileError::message() const { return shownPath(path) + ": " + problem; }

std::optional<FormError> versionProblem(const ReadForm& read) {
  const auto found = read.extras.find(std::string(kVersionKey.name));
  if (found == read.extras.end()) return std::nullopt;
  const std::string& text = found->second;
  std::uint64_t version = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), version);
  if (ec != std::errc() || end != text.data() + text.size() || version == 0)
    return FormError{"version", "version " + text + " is not a version of the birth-data format"};
  if (version > static_cast<std::uint64_t>(kBirthDataFileVersion)) {
    return FormError{"version", "version " + text + " comes from a newer Halvora; this one reads version " +
                                    std::to_string(kBirthDataFileVersion)};
  }
  return std::nullopt;
}

BirthDataForm parseBirthDataForm(std::string_view text, std::string_view path) {
  const std::string name(path);
  if (text.size() > kMaxBirthDataFileBytes) return FileError{name, kTooLarge};
  ReadOptions options;
  options.unknownKeysAreErrors = false;
  options.maxBytes = kMaxBirthDataFileBytes;
  options.what = "file";
  options.extraKeys = {kVersionKey};
  ReadResult read = readFormJson(withoutByteOrderMark(text), options);
  if (const auto* error = std::get_if<FormError>(&read)) return FileError{name, error->message};
  auto& form = std::get<ReadForm>(read);
  if (auto problem = versionProblem(form)) return FileError{name, problem->message};
  return std::move(form);
}

BirthDataForm readBirthDataForm(const std::string& path) {
  Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)};
  if (file.fd < 0) return FileError{path, "cannot be opened: " + systemMessage(errno)};
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) return FileError{path, "cannot be read: " + systemMessage(errno)};
  if (S_ISDIR(info.st_mode)) return FileError{path, "is a folder, not a birth-data file"};
  if (!S_ISREG(info.st_mode)) return FileError{path, "is not a regular file"};
  if (static_cast<std::uint64_t>(info.st_size) > kMaxBirthDataFileBytes) return FileError{path, kTooLarge};

  // Read one byte past the limit, so that a file that grew since it was measured is still refused.
  std::string text(kMaxBirthDataFileBytes + 1, '\0');
  std::size_t have = 0;
  while (have < text.size()) {
    const ssize_t n = ::read(file.fd, text.data() + have, text.size() - have);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return FileError{path, "cannot be read: " + systemMessage(errno)};
    if (n == 0) break;
    have += static_cast<std::size_t>(n);
  }
  text.resize(have);
  return parseBirthDataForm(text, path);
}

std::string formatBirthData(const FormInput& form) {
  std::string out = "{\n  \"version\": " + std::to_string(kBirthDataFileVersion);
  for (const FormValue& value : formValues(form)) {
    out += ",\n  ";
    appendJsonString(out, value.key);
    out += ": ";
    if (const auto* number = std::get_if<long long>(&value.value)) {
      out += std::to_string(*number);
    } else if (const auto* on = std::get_if<bool>(&value.value)) {
      out += *on ? "true" : "false";
    } else {
      appendJsonString(out, std::get<std::string>(value.value));
    }
  }
  out += "\n}\n";
  return out;
}

}  // namespace halvora::forms
