// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/json_object.h"

#include "forms/utf8.h"

namespace halvora::forms {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : m_text(text) {}

  std::variant<std::vector<JsonMember>, JsonSyntaxError> object() {
    std::vector<JsonMember> members;
    members.reserve(24);  // room for every key of a form at once
    skipSpace();
    if (!take('{')) return fail("expected '{'");
    skipSpace();
    if (!take('}')) {
      while (true) {
        skipSpace();
        JsonMember member;
        std::string_view rawKey;
        if (!string(rawKey)) return m_error;
        auto key = decodeJsonString(rawKey);
        if (!key) return fail("a key is not valid UTF-8");
        member.key = std::move(*key);
        skipSpace();
        if (!take(':')) return fail("expected ':'");
        skipSpace();
        if (!value(member, 1)) return m_error;
        members.push_back(std::move(member));
        skipSpace();
        if (take(',')) continue;
        if (take('}')) break;
        return fail("expected ',' or '}'");
      }
    }
    skipSpace();
    if (m_pos != m_text.size()) return fail("unexpected text after the object");
    return members;
  }

 private:
  bool atEnd() const { return m_pos >= m_text.size(); }
  char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
  bool take(char c) {
    if (atEnd() || m_text[m_pos] != c) return false;
    ++m_pos;
    return true;
  }
  void skipSpace() {
    while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')) ++m_pos;
  }
  JsonSyntaxError fail(std::string problem) {
    m_error = {std::move(problem), m_pos};
    return m_error;
  }
  bool failed(std::string problem) {
    fail(std::move(problem));
    return false;
  }

  // A string; `raw` is its contents between the quotes, escapes unchecked beyond their form.
  bool string(std::string_view& raw) {
    if (!take('"')) return failed("expected a text in double quotes");
    const std::size_t start = m_pos;
    while (true) {
      if (atEnd()) return failed("a text has no closing quote");
      const char c = m_text[m_pos];
      if (c == '"') break;
      if (static_cast<unsigned char>(c) < 0x20) return failed("a control character inside a text");
      if (c == '\\') {
        ++m_pos;
        const char e = peek();
        if (e == 'u') {
          for (int k = 1; k <= 4; ++k) {
            if (m_pos + k >= m_text.size() || hexValue(m_text[m_pos + k]) < 0) return failed("a bad \\u escape");
          }
          m_pos += 5;
          continue;
        }
        if (e != '"' && e != '\\' && e != '/' && e != 'b' && e != 'f' && e != 'n' && e != 'r' && e != 't')
          return failed("a bad escape");
      }
      ++m_pos;
    }
    raw = m_text.substr(start, m_pos - start);
    ++m_pos;
    return true;
  }

  bool literal(std::string_view word) {
    if (m_text.substr(m_pos, word.size()) != word) return failed("expected a value");
    m_pos += word.size();
    return true;
  }

  bool number() {
    take('-');
    if (take('0')) {
      // no leading zeros
    } else if (isDigit(peek())) {
      while (isDigit(peek())) ++m_pos;
    } else {
      return failed("expected a value");
    }
    if (take('.')) {
      if (!isDigit(peek())) return failed("expected a digit after the decimal point");
      while (isDigit(peek())) ++m_pos;
    }
    if (peek() == 'e' || peek() == 'E') {
      ++m_pos;
      if (peek() == '+' || peek() == '-') ++m_pos;
      if (!isDigit(peek())) return failed("expected a digit in the exponent");
      while (isDigit(peek())) ++m_pos;
    }
    return true;
  }

  bool value(JsonMember& member, int depth) {
    const std::size_t start = m_pos;
    const char c = peek();
    if (c == '"') {
      member.type = JsonType::String;
      return string(member.raw);
    }
    if (c == '{' || c == '[') {
      member.type = c == '{' ? JsonType::Object : JsonType::Array;
      if (!compound(depth)) return false;
      member.raw = m_text.substr(start, m_pos - start);
      return true;
    }
    if (c == 't' || c == 'f') {
      member.type = JsonType::Boolean;
      member.boolean = c == 't';
      if (!literal(c == 't' ? "true" : "false")) return false;
    } else if (c == 'n') {
      member.type = JsonType::Null;
      if (!literal("null")) return false;
    } else {
      member.type = JsonType::Number;
      if (!number()) return false;
    }
    member.raw = m_text.substr(start, m_pos - start);
    return true;
  }

  // An object or array inside a value: checked and passed over.
  bool compound(int depth) {
    if (depth >= kMaxJsonDepth) return failed("values nested too deeply");
    const char close = take('{') ? '}' : (take('['), ']');
    skipSpace();
    if (take(close)) return true;
    while (true) {
      skipSpace();
      if (close == '}') {
        std::string_view key;
        if (!string(key)) return false;
        if (!decodeJsonString(key)) return failed("a key is not valid UTF-8");
        skipSpace();
        if (!take(':')) return failed("expected ':'");
        skipSpace();
      }
      JsonMember inner;
      if (!value(inner, depth + 1)) return false;
      if (inner.type == JsonType::String && !decodeJsonString(inner.raw)) return failed("a text is not valid UTF-8");
      skipSpace();
      if (take(',')) continue;
      if (take(close)) return true;
      return failed(close == '}' ? "expected ',' or '}'" : "expected ',' or ']'");
    }
  }

  std::string_view m_text;
  std::size_t m_pos = 0;
  JsonSyntaxError m_error;
};

}  // namespace

std::variant<std::vector<JsonMember>, JsonSyntaxError> parseFlatJsonObject(std::string_view text) {
  return Parser(text).object();
}

std::optional<std::string> decodeJsonString(std::string_view raw) {
  if (raw.find('\\') == std::string_view::npos) return std::string(raw);
  std::string out;
  out.reserve(raw.size());
  const auto hex4 = [&](std::size_t at) {
    char32_t v = 0;
    for (std::size_t k = 0; k < 4; ++k) v = v * 16 + static_cast<char32_t>(hexValue(raw[at + k]));
    return v;
  };
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\') {
      out += raw[i];
      continue;
    }
    const char e = raw[++i];
    switch (e) {
      case 'b': out += '\b'; break;
      case 'f': out += '\f'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'u': {
        char32_t cp = hex4(i + 1);
        i += 4;
        if (cp >= 0xDC00 && cp <= 0xDFFF) return std::nullopt;  // a low half alone
        if (cp >= 0xD800 && cp <= 0xDBFF) {
          if (i + 6 >= raw.size() || raw[i + 1] != '\\' || raw[i + 2] != 'u') return std::nullopt;
          const char32_t low = hex4(i + 3);
          if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
          cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          i += 6;
        }
        appendUtf8(out, cp);
        break;
      }
      default: out += e; break;  // '"', '\\' and '/'
    }
  }
  return out;
}

bool isJsonWholeNumber(std::string_view token) {
  return !token.empty() && token.find_first_of(".eE") == std::string_view::npos;
}

}  // namespace halvora::forms
