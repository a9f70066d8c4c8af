// SPDX-License-Identifier: GPL-3.0-or-later
// The strict reader of one flat JSON object, its string decoding, and the UTF-8 check.
#include <gtest/gtest.h>

#include "forms/json_object.h"
#include "forms/utf8.h"

namespace halvora::forms {
namespace {

struct SyntaxRow {
  const char* name;
  std::string_view text;
  const char* problem;  // nullptr: the object is well-formed
  std::size_t offset;
};

// Well-formed and ill-formed texts after RFC 8259's grammar.
TEST(ParseFlatJsonObject, AcceptsWhatTheGrammarAllowsAndNamesTheFirstFault) {
  const SyntaxRow rows[] = {
      {"empty object", "{}", nullptr, 0},
      {"white space around and inside", " \t{ \"a\" : 1 ,\r\n \"b\":true }\r", nullptr, 0},
      {"every kind of value", R"({"s":"x","n":-1.5e+3,"t":true,"f":false,"z":null,"o":{"k":[1,{}]},"a":[]})", nullptr,
       0},
      {"escapes", R"({"s":"\"\\\/\b\f\n\r\t\u00e9\ud83d\ude00"})", nullptr, 0},
      {"not an object", "[1]", "expected '{'", 0},
      {"a bare number", "5", "expected '{'", 0},
      {"key without quotes", "{a:1}", "expected a text in double quotes", 1},
      {"missing colon", R"({"a" 1})", "expected ':'", 5},
      {"trailing comma", R"({"a":1,})", "expected a text in double quotes", 7},
      {"missing comma", R"({"a":1 "b":2})", "expected ',' or '}'", 7},
      {"unclosed object", R"({"a":1)", "expected ',' or '}'", 6},
      {"text after the object", R"({"a":1} x)", "unexpected text after the object", 8},
      {"two objects", R"({}{})", "unexpected text after the object", 2},
      {"leading zero", R"({"a":05})", "expected ',' or '}'", 6},
      {"plus sign", R"({"a":+5})", "expected a value", 5},
      {"point without digits", R"({"a":5.})", "expected a digit after the decimal point", 7},
      {"exponent without digits", R"({"a":5e})", "expected a digit in the exponent", 7},
      {"capital True", R"({"a":True})", "expected a value", 5},
      {"truncated literal", R"({"a":tru})", "expected a value", 5},
      {"unclosed text", R"({"a":"x)", "a text has no closing quote", 7},
      {"tab inside a text", "{\"a\":\"x\ty\"}", "a control character inside a text", 7},
      {"bad escape", R"({"a":"\x41"})", "a bad escape", 7},
      {"short unicode escape", R"({"a":"\u12"})", "a bad \\u escape", 7},
      {"lone surrogate in a key", R"({"\ud800":1})", "a key is not valid UTF-8", 9},
      {"lone surrogate deep inside", R"({"a":["\udc00"]})", "a text is not valid UTF-8", 14},
      {"single quotes", "{'a':1}", "expected a text in double quotes", 1},
      {"unclosed array", R"({"a":[1,2})", "expected ',' or ']'", 9},
  };
  for (const auto& r : rows) {
    const auto parsed = parseFlatJsonObject(r.text);
    if (!r.problem) {
      EXPECT_TRUE(std::holds_alternative<std::vector<JsonMember>>(parsed))
          << r.name << ": " << std::get<JsonSyntaxError>(parsed).problem;
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<JsonSyntaxError>(parsed)) << r.name;
    EXPECT_EQ(std::get<JsonSyntaxError>(parsed).problem, r.problem) << r.name;
    EXPECT_EQ(std::get<JsonSyntaxError>(parsed).offset, r.offset) << r.name;
  }
}

TEST(ParseFlatJsonObject, KeepsMembersInOrderWithTheirTypesAndRawText) {
  const auto parsed = parseFlatJsonObject(R"({"month": 12, "city":"Pu\u006ee", "north":false, "x":{"y":[1]}})");
  ASSERT_TRUE(std::holds_alternative<std::vector<JsonMember>>(parsed));
  const auto& m = std::get<std::vector<JsonMember>>(parsed);
  ASSERT_EQ(m.size(), 4u);
  EXPECT_EQ(m[0].key, "month");
  EXPECT_EQ(m[0].type, JsonType::Number);
  EXPECT_EQ(m[0].raw, "12");
  EXPECT_EQ(m[1].type, JsonType::String);
  EXPECT_EQ(m[1].raw, "Pu\\u006ee") << "texts stay escaped until they are used";
  EXPECT_EQ(m[2].type, JsonType::Boolean);
  EXPECT_FALSE(m[2].boolean);
  EXPECT_EQ(m[3].type, JsonType::Object);
  EXPECT_EQ(m[3].raw, R"({"y":[1]})");
}

TEST(ParseFlatJsonObject, RefusesNestingBeyondTheLimitWithoutFollowingIt) {
  const std::string deep = "{\"a\":" + std::string(100000, '[') + std::string(100000, ']') + "}";
  const auto parsed = parseFlatJsonObject(deep);
  ASSERT_TRUE(std::holds_alternative<JsonSyntaxError>(parsed));
  EXPECT_EQ(std::get<JsonSyntaxError>(parsed).problem, "values nested too deeply");
  const std::string allowed = "{\"a\":" + std::string(kMaxJsonDepth - 1, '[') + std::string(kMaxJsonDepth - 1, ']') + "}";
  EXPECT_TRUE(std::holds_alternative<std::vector<JsonMember>>(parseFlatJsonObject(allowed)));
}

struct DecodeRow {
  const char* name;
  std::string_view raw;
  std::optional<std::string> text;
};

TEST(DecodeJsonString, EscapesAndSurrogatePairs) {
  const DecodeRow rows[] = {
      {"plain", "abc", "abc"},
      {"simple escapes", R"(\"\\\/\b\f\n\r\t)", "\"\\/\b\f\n\r\t"},
      {"two-byte character", R"(\u00e9)", "\xc3\xa9"},
      {"three-byte character", R"(\u20AC)", "\xe2\x82\xac"},
      {"pair gives a four-byte character", R"(\ud83d\ude00)", "\xf0\x9f\x98\x80"},
      {"NUL by escape", R"(a\u0000b)", std::string("a\0b", 3)},
      {"high half alone at the end", R"(x\ud83d)", std::nullopt},
      {"high half before a plain letter", R"(\ud83dx)", std::nullopt},
      {"high half before another high half", R"(\ud83d\ud83d)", std::nullopt},
      {"low half alone", R"(\ude00)", std::nullopt},
  };
  for (const auto& r : rows) EXPECT_EQ(decodeJsonString(r.raw), r.text) << r.name;
}

struct Utf8Row {
  const char* name;
  std::string_view text;
  std::optional<std::size_t> firstBad;
};

// Well-formed sequences as the Unicode Standard's table of well-formed UTF-8 byte sequences gives them.
TEST(FirstInvalidUtf8, HoldsToTheTableOfWellFormedSequences) {
  const Utf8Row rows[] = {
      {"ASCII", "Pune", std::nullopt},
      {"empty", "", std::nullopt},
      {"two, three and four bytes", "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", std::nullopt},
      {"last code point", "\xf4\x8f\xbf\xbf", std::nullopt},
      {"lone continuation byte", "a\x80", 1},
      {"overlong two-byte form of '/'", "\xc0\xaf", 0},
      {"overlong three-byte form", "\xe0\x80\xaf", 0},
      {"overlong four-byte form", "\xf0\x80\x80\xaf", 0},
      {"surrogate D800", "ab\xed\xa0\x80", 2},
      {"above U+10FFFF", "\xf4\x90\x80\x80", 0},
      {"F5 never starts a sequence", "\xf5\x80\x80\x80", 0},
      {"FF", "\xff", 0},
      {"cut short at the end", "ok\xe2\x82", 2},
      {"Latin-1 e acute", "caf\xe9", 3},
  };
  for (const auto& r : rows) EXPECT_EQ(firstInvalidUtf8(r.text), r.firstBad) << r.name;
}

TEST(QuoteForMessage, ShortSafeAndAlwaysUtf8) {
  EXPECT_EQ(quoteForMessage("Pune"), "\"Pune\"");
  EXPECT_EQ(quoteForMessage("a\tb\"c"), "\"a\\x09b\\x22c\"");
  EXPECT_EQ(quoteForMessage("caf\xe9"), "\"caf\\xE9\"");
  EXPECT_EQ(quoteForMessage(std::string(1000, 'x'), 8), "\"xxxxxxxx\"...");
  // A cut never splits a character: the euro sign (three bytes) does not fit after two letters.
  EXPECT_EQ(quoteForMessage("ab\xe2\x82\xac", 4), "\"ab\"...");
  EXPECT_TRUE(isValidUtf8(quoteForMessage("\xff\xfe\xc0\xaf\xed\xa0\x80")));
}

}  // namespace
}  // namespace halvora::forms
