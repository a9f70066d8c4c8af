// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A strict reader of one JSON object (RFC 8259) that keeps its members as a flat list: the key,
// the JSON type and the raw text of each value, with nested objects and arrays checked and passed
// over, so no document tree is built.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace halvora::forms {

enum class JsonType { String, Number, Boolean, Null, Object, Array };

struct JsonMember {
  std::string key;       // decoded
  JsonType type = JsonType::Null;
  std::string_view raw;  // a string's text between its quotes (still escaped), a number's token,
                         // or the whole text of an object or array
  bool boolean = false;  // the value of true or false
};

struct JsonSyntaxError {
  std::string problem;  // "expected ':'", ...
  std::size_t offset = 0;
};

// Nested objects and arrays deeper than this are refused rather than followed.
inline constexpr int kMaxJsonDepth = 64;

// The members of the one object the text holds (white space around it allowed), in their order.
// The text must be UTF-8 already; strings may not hold raw control characters.
std::variant<std::vector<JsonMember>, JsonSyntaxError> parseFlatJsonObject(std::string_view text);

// The text of a string's raw contents with its escapes decoded; nothing when an escape names half
// of a surrogate pair without the other half.
std::optional<std::string> decodeJsonString(std::string_view raw);

// Whether a number token is a whole number written without fraction or exponent ("-12", not "1.0").
bool isJsonWholeNumber(std::string_view token);

}  // namespace halvora::forms
