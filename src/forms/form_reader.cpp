// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/form_reader.h"

#include <array>
#include <bitset>
#include <charconv>
#include <cstdint>
#include <optional>

#include "forms/json_object.h"
#include "forms/person_name.h"
#include "forms/utf8.h"

namespace halvora::forms {

namespace {

enum class Field {
  Name, Month, Day, Year, Hour, Minute, Second, City, State, Country,
  LatDeg, LatMin, North, South, LonDeg, LonMin, East, West, Zone, Dst, Place, ZoneOffset,
  Ephemeris, Ayanamsa, Node,
  Style,  // how the chart is drawn: read with the form, but no part of the birth
};

struct FieldSpec {
  std::string_view name;
  Field field;
  ValueKind kind;
  int low = 0, high = 0;      // the list of a Number
  std::size_t maxDigits = 0;  // the box of a Digits text
  std::span<const std::string_view> choices = {};  // the words of a Choice
};

// The form's keys, in the order of the usage text. The lists are those of the entry form.
constexpr std::array<FieldSpec, 26> kFields = {{
    {"name", Field::Name, ValueKind::Name},
    {"month", Field::Month, ValueKind::Number, 1, 12},
    {"day", Field::Day, ValueKind::Number, 1, 31},
    {"year", Field::Year, ValueKind::Number, 1901, 2050},
    {"hour", Field::Hour, ValueKind::Number, 0, 23},
    {"minute", Field::Minute, ValueKind::Number, 0, 59},
    {"second", Field::Second, ValueKind::Number, 0, 59},
    {"city", Field::City, ValueKind::Text},
    {"state", Field::State, ValueKind::Text},
    {"country", Field::Country, ValueKind::Text},
    {"lat-deg", Field::LatDeg, ValueKind::Digits, 0, 0, 2},
    {"lat-min", Field::LatMin, ValueKind::Digits, 0, 0, 2},
    {"north", Field::North, ValueKind::Switch},
    {"south", Field::South, ValueKind::Switch},
    {"lon-deg", Field::LonDeg, ValueKind::Digits, 0, 0, 3},
    {"lon-min", Field::LonMin, ValueKind::Digits, 0, 0, 2},
    {"east", Field::East, ValueKind::Switch},
    {"west", Field::West, ValueKind::Switch},
    {"zone", Field::Zone, ValueKind::Number, 0, 70},
    {"dst", Field::Dst, ValueKind::Switch},
    {"place", Field::Place, ValueKind::Text},
    {"zone-offset", Field::ZoneOffset, ValueKind::Text},
    {"ephemeris", Field::Ephemeris, ValueKind::Choice, 0, 0, 0, kEphemerisKeys},
    {"ayanamsa", Field::Ayanamsa, ValueKind::Choice, 0, 0, 0, kAyanamsaKeys},
    {"node", Field::Node, ValueKind::Choice, 0, 0, 0, kNodeKeys},
    {"style", Field::Style, ValueKind::Choice, 0, 0, 0, chart_view::kChartStyleKeys},
}};

// The keys of the birth itself: every key but those that choose the model and the chart's style.
constexpr std::size_t kChoiceKeyCount = [] {
  std::size_t n = 0;
  for (const FieldSpec& f : kFields) n += f.kind == ValueKind::Choice ? 1 : 0;
  return n;
}();
constexpr std::array<std::string_view, kFields.size() - kChoiceKeyCount> kFieldNames = [] {
  std::array<std::string_view, kFields.size() - kChoiceKeyCount> names{};
  std::size_t n = 0;
  for (const FieldSpec& f : kFields)
    if (f.kind != ValueKind::Choice) names[n++] = f.name;
  return names;
}();

// The control of the entry form that each validation message concerns, and its key.
struct ControlKey {
  std::string_view control;
  std::string_view key;
};
constexpr std::array<ControlKey, 11> kControlKeys = {{
    {"txtName", "name"},
    {"txtLonD", "lon-deg"},
    {"txtLonM", "lon-min"},
    {"txtLatD", "lat-deg"},
    {"txtLatM", "lat-min"},
    {"cboMonth", "month"},
    {"cboDate", "day"},
    {"cboYear", "year"},
    {"cboHH", "hour"},
    {"cboMM", "minute"},
    {"cboSS", "second"},
}};

// One value as given: a flag's text, or a JSON value of one of the JSON types.
struct Given {
  JsonType type = JsonType::String;  // a flag's value is always a text
  std::string text;                  // decoded text, or the number's token
  bool boolean = false;
  bool present = true;               // false for a flag given without a value (a switch)
};

std::string_view typeName(JsonType type) {
  switch (type) {
    case JsonType::String: return "a text";
    case JsonType::Number: return "a number";
    case JsonType::Boolean: return "true or false";
    case JsonType::Null: return "null";
    case JsonType::Object: return "an object";
    case JsonType::Array: return "an array";
  }
  return "a value";
}

bool allDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// C0, DEL and C1 (U+0080..U+009F, in UTF-8 the byte 0xC2 before 0x80..0x9F); the text is UTF-8.
bool hasControlCharacter(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto u = static_cast<unsigned char>(s[i]);
    if (u < 0x20 || u == 0x7F) return true;
    if (u == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) <= 0x9F) return true;
  }
  return false;
}

// A key printed as it is when it is a plain name, quoted (and made safe) otherwise.
std::string shownKey(std::string_view key, KeyStyle style) {
  bool plain = !key.empty() && key.size() <= 32;
  for (char c : key) plain = plain && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                                       c == '-' || c == '_' || c == '.');
  const std::string prefix = style == KeyStyle::Flag ? "--" : "";
  return plain ? prefix + std::string(key) : quoteForMessage(prefix + std::string(key));
}

// Reads one form, key by key, in either style.
class FormBuilder {
 public:
  FormBuilder(KeyStyle style, const ReadOptions& options) : m_style(style), m_options(options) {
    m_result.formKeys.reserve(kFields.size());
  }

  // Looks the key up: a field of the form, an extra key, or nothing.
  const FieldSpec* field(std::string_view key) const {
    for (const auto& f : kFields)
      if (f.name == key) return &f;
    return nullptr;
  }
  const ExtraKey* extra(std::string_view key) const {
    for (const auto& e : m_options.extraKeys)
      if (e.name == key) return &e;
    return nullptr;
  }

  FormError unknown(std::string_view key) const {
    if (m_style == KeyStyle::Flag) return FormError{std::string(key), "unknown option " + shownKey(key, m_style)};
    return FormError{std::string(key), "unknown key " + quoteForMessage(key)};
  }

  std::optional<FormError> apply(const FieldSpec& spec, const Given& value) {
    const auto index = static_cast<std::size_t>(spec.field);
    if (m_given.test(index)) return error(spec.name, "is given twice");
    m_given.set(index);
    // The chart's style goes with any form, from flags or from a file: not one of the birth's keys.
    if (spec.field != Field::Style) m_result.formKeys.emplace_back(spec.name);
    switch (spec.kind) {
      case ValueKind::Number: return applyNumber(spec, value);
      case ValueKind::Digits: return applyDigits(spec, value);
      case ValueKind::Name: return applyName(spec, value);
      case ValueKind::Text: return applyText(spec, value);
      case ValueKind::Switch: return applySwitch(spec, value);
      case ValueKind::Choice: return applyChoice(spec, value);
    }
    return std::nullopt;
  }

  std::optional<FormError> applyExtra(const ExtraKey& key, const Given& value) {
    const std::string name(key.name);
    if (m_result.extras.contains(name)) return error(key.name, "is given twice");
    switch (key.kind) {
      case ValueKind::Switch: {
        auto on = switchValue(key.name, value);
        if (auto* e = std::get_if<FormError>(&on)) return *e;
        m_result.extras[name] = std::get<bool>(on) ? "true" : "false";
        return std::nullopt;
      }
      case ValueKind::Number: {
        if (auto e = wrongType(key.name, value, JsonType::Number, "takes a whole number")) return e;
        const auto n = wholeNumber(value);
        if (!n) return error(key.name, "takes a whole number, not " + shownValue(value));
        m_result.extras[name] = std::to_string(*n);
        return std::nullopt;
      }
      default: {
        if (auto e = checkText(key.name, value)) return e;
        m_result.extras[name] = value.text;
        return std::nullopt;
      }
    }
  }

  // Settles the hemispheres once every key has been read.
  std::variant<ReadForm, FormError> finish() {
    if (auto e = settle(m_north, m_south, "north", "south", m_result.form.north)) return *e;
    if (auto e = settle(m_east, m_west, "east", "west", m_result.form.east)) return *e;
    if (m_result.model.ephemeris != EphemerisKind::Swiss) {
      for (const auto& [f, key] : {std::pair{Field::Ayanamsa, std::string_view("ayanamsa")},
                                   std::pair{Field::Node, std::string_view("node")}}) {
        if (!m_given.test(static_cast<std::size_t>(f))) continue;
        return FormError{std::string(key), named(key) + " chooses the " + std::string(key) +
                                               " of Swiss Ephemeris and needs " + named("ephemeris") + " swiss"};
      }
    }
    if (m_zoneOffset) {
      if (m_given.test(static_cast<std::size_t>(Field::Zone)))
        return FormError{"zone-offset", named("zone") + " and " + named("zone-offset") + " cannot both be given"};
      FormInput& f = m_result.form;
      f.customZone = MakeCustomZone(f.city, *m_zoneOffset);
      f.zoneIndex = kCustomZonePosition;
    }
    return std::move(m_result);
  }

 private:
  std::string named(std::string_view key) const { return shownKey(key, m_style); }

  // A value in a message: a flag's text quoted, a JSON number as written; both cut short.
  std::string shownValue(const Given& value) const {
    constexpr std::size_t kShown = 24;
    if (m_style == KeyStyle::Flag || value.type != JsonType::Number) return quoteForMessage(value.text, kShown);
    return value.text.size() <= kShown ? value.text : value.text.substr(0, kShown) + "...";
  }

  // A problem told as a sentence about the key: "--dst takes no value".
  FormError error(std::string_view key, std::string_view text) const {
    return FormError{std::string(key), named(key) + " " + std::string(text)};
  }

  // One of the entry form's own messages, after the key it concerns: "--lat-deg: Only Numbers Are Accepted".
  FormError formMessage(std::string_view key, std::string_view text) const {
    return FormError{std::string(key), named(key) + ": " + std::string(text)};
  }

  // A value of no sign, fraction or exponent: a flag's digits, or a JSON number written so.
  std::optional<std::uint64_t> wholeNumber(const Given& value) const {
    const std::string& t = value.text;
    const bool whole = m_style == KeyStyle::Flag ? allDigits(t) : isJsonWholeNumber(t);
    std::uint64_t n = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (!whole || t[0] == '-' || ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    return n;
  }

  // A JSON value of another type than the key takes.
  std::optional<FormError> wrongType(std::string_view key, const Given& value, JsonType wanted,
                                     std::string_view takes) const {
    if (m_style == KeyStyle::Flag || value.type == wanted) return std::nullopt;  // a flag's value is a text
    return error(key, std::string(takes) + ", not " + std::string(typeName(value.type)));
  }

  std::optional<FormError> applyNumber(const FieldSpec& spec, const Given& value) {
    // The message is made only for a value the list does not hold.
    const auto takes = [&spec] {
      return "takes a whole number from " + std::to_string(spec.low) + " to " + std::to_string(spec.high);
    };
    if (m_style == KeyStyle::Json && value.type != JsonType::Number)
      return wrongType(spec.name, value, JsonType::Number, takes());
    const auto whole = wholeNumber(value);
    if (!whole || *whole < static_cast<std::uint64_t>(spec.low) || *whole > static_cast<std::uint64_t>(spec.high))
      return error(spec.name, takes() + ", not " + shownValue(value));
    const int n = static_cast<int>(*whole);

    FormInput& f = m_result.form;
    switch (spec.field) {
      case Field::Month: f.monthIndex = n - 1; break;
      case Field::Day: f.day = std::to_string(n); break;
      case Field::Year: f.year = std::to_string(n); break;
      case Field::Hour: f.hour = std::to_string(n); break;
      case Field::Minute: f.minute = std::to_string(n); break;
      case Field::Second: f.second = std::to_string(n); break;
      case Field::Zone: f.zoneIndex = n; break;
      default: break;
    }
    return std::nullopt;
  }

  // Coordinate boxes take digits only, as their key filter lets through, and no more than fit.
  std::optional<FormError> applyDigits(const FieldSpec& spec, const Given& value) {
    if (auto e = wrongType(spec.name, value, JsonType::String, "takes a text of digits")) return e;
    for (char c : value.text)
      if (c < '0' || c > '9') return formMessage(spec.name, "Only Numbers Are Accepted");
    if (value.text.size() > spec.maxDigits)
      return error(spec.name, "takes at most " + std::to_string(spec.maxDigits) + " digits");
    FormInput& f = m_result.form;
    std::string& target = spec.field == Field::LatDeg   ? f.latDeg
                          : spec.field == Field::LatMin ? f.latMin
                          : spec.field == Field::LonDeg ? f.lonDeg
                                                        : f.lonMin;
    target = value.text;
    return std::nullopt;
  }

  // A name is stored in capitals, as the entry form types it, and takes what the form's key filter
  // takes: letters of any script, blanks, and a hyphen or apostrophe after a letter.
  std::optional<FormError> applyName(const FieldSpec& spec, const Given& value) {
    if (auto e = wrongType(spec.name, value, JsonType::String, "takes a text")) return e;
    std::optional<std::string> name = CapitalisedName(value.text);
    if (!name) return formMessage(spec.name, "Please Enter only Letters");
    m_result.form.name = std::move(*name);
    return std::nullopt;
  }

  // Both readers refuse a value that is not UTF-8 before it gets here.
  std::optional<FormError> checkText(std::string_view key, const Given& value) const {
    if (auto e = wrongType(key, value, JsonType::String, "takes a text")) return e;
    if (hasControlCharacter(value.text)) return error(key, "takes no control characters");
    return std::nullopt;
  }

  std::optional<FormError> applyText(const FieldSpec& spec, const Given& value) {
    if (auto e = checkText(spec.name, value)) return e;
    FormInput& f = m_result.form;
    switch (spec.field) {
      case Field::City: f.city = value.text; break;
      case Field::State: f.state = value.text; break;
      case Field::Country: f.country = value.text; break;
      case Field::Place: f.place = value.text; break;
      default: return applyZoneOffset(spec, value);
    }
    return std::nullopt;
  }

  // The custom zone entry, as the clock's offset east of Greenwich: "+5:45", "-4:30".
  std::optional<FormError> applyZoneOffset(const FieldSpec& spec, const Given& value) {
    const auto zone = parseZoneOffset(value.text);
    if (!zone) {
      return error(spec.name, "takes the clock's offset from Greenwich as +H:MM or -H:MM, east positive "
                              "(+5:45, -4:30) and at most 14:59, not " + shownValue(value));
    }
    m_zoneOffset = *zone;
    return std::nullopt;
  }

  // One of the words of the key: "--ayanamsa takes lahiri, raman, krishnamurti or true-chitra, not ...".
  std::optional<FormError> applyChoice(const FieldSpec& spec, const Given& value) {
    std::string words;
    for (std::size_t i = 0; i < spec.choices.size(); ++i) {
      if (i > 0) words += i + 1 == spec.choices.size() ? " or " : ", ";
      words += spec.choices[i];
    }
    if (auto e = wrongType(spec.name, value, JsonType::String, "takes " + words)) return e;
    ModelChoice& m = m_result.model;
    bool known = false;
    switch (spec.field) {
      case Field::Ephemeris:
        if (const auto kind = ephemerisKindOf(value.text)) m.ephemeris = *kind, known = true;
        break;
      case Field::Ayanamsa:
        if (const auto kind = ayanamsaKindOf(value.text)) m.ayanamsa = *kind, known = true;
        break;
      case Field::Style:
        if (const auto chartStyle = chart_view::chartStyleFromKey(value.text)) m_result.style = *chartStyle, known = true;
        break;
      default:
        if (const auto kind = nodeKindOf(value.text)) m.node = *kind, known = true;
        break;
    }
    if (!known) return error(spec.name, "takes " + words + ", not " + shownValue(value));
    return std::nullopt;
  }

  std::variant<bool, FormError> switchValue(std::string_view key, const Given& value) const {
    if (m_style == KeyStyle::Flag) {
      if (value.present) return error(key, "takes no value");
      return true;
    }
    if (value.type != JsonType::Boolean)
      return error(key, "takes true or false, not " + std::string(typeName(value.type)));
    return value.boolean;
  }

  std::optional<FormError> applySwitch(const FieldSpec& spec, const Given& value) {
    auto on = switchValue(spec.name, value);
    if (auto* e = std::get_if<FormError>(&on)) return *e;
    const bool v = std::get<bool>(on);
    switch (spec.field) {
      case Field::North: m_north = v; break;
      case Field::South: m_south = v; break;
      case Field::East: m_east = v; break;
      case Field::West: m_west = v; break;
      default: m_result.form.dst = v; break;
    }
    return std::nullopt;
  }

  // One of a pair of opposite switches (north/south, east/west): each given key says which side it
  // means (true for its own side, false for the other); two that disagree are an error.
  std::optional<FormError> settle(std::optional<bool> first, std::optional<bool> second, std::string_view firstName,
                                  std::string_view secondName, bool& firstSide) const {
    if (first && second && *first == *second) {
      return FormError{std::string(secondName),
                       named(firstName) + " and " + named(secondName) + " contradict each other"};
    }
    if (first) firstSide = *first;
    else if (second) firstSide = !*second;
    return std::nullopt;
  }

  KeyStyle m_style;
  const ReadOptions& m_options;
  ReadForm m_result;
  std::bitset<kFields.size()> m_given;
  std::optional<bool> m_north, m_south, m_east, m_west;
  std::optional<ZoneCorrection> m_zoneOffset;
};

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

}  // namespace

ReadResult readFormJson(std::string_view text, const ReadOptions& options) {
  const std::string what(options.what);
  if (text.size() > options.maxBytes)
    return FormError{{}, "the " + what + " is longer than " + std::to_string(options.maxBytes) + " bytes"};
  if (text.find('\0') != std::string_view::npos) return FormError{{}, "the " + what + " holds a NUL byte"};
  if (const auto bad = firstInvalidUtf8(text))
    return FormError{{}, "the " + what + " is not valid UTF-8 (byte " + std::to_string(*bad + 1) + ")"};
  if (isBlank(text)) return FormError{{}, "empty " + what};

  const auto parsed = parseFlatJsonObject(text);
  if (const auto* syntax = std::get_if<JsonSyntaxError>(&parsed)) {
    return FormError{{}, "the " + what + " is not a JSON object: " + syntax->problem + " at byte " +
                             std::to_string(syntax->offset + 1)};
  }

  FormBuilder builder(KeyStyle::Json, options);
  for (const JsonMember& member : std::get<std::vector<JsonMember>>(parsed)) {
    const FieldSpec* spec = builder.field(member.key);
    const ExtraKey* extra = spec ? nullptr : builder.extra(member.key);
    if (!spec && !extra) {
      if (options.unknownKeysAreErrors) return builder.unknown(member.key);
      continue;
    }
    Given value;
    value.type = member.type;
    value.boolean = member.boolean;
    if (member.type == JsonType::String) {
      auto decoded = decodeJsonString(member.raw);
      if (!decoded) return FormError{member.key, shownKey(member.key, KeyStyle::Json) + " is not valid UTF-8"};
      value.text = std::move(*decoded);
    } else {
      value.text = std::string(member.raw);
    }
    if (auto e = spec ? builder.apply(*spec, value) : builder.applyExtra(*extra, value)) return *e;
  }
  return builder.finish();
}

ReadResult readFormFlags(std::span<const std::string> args, const ReadOptions& options) {
  FormBuilder builder(KeyStyle::Flag, options);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (!arg.starts_with("--") || arg.size() == 2) return FormError{{}, "unexpected argument " + quoteForMessage(arg)};
    std::string_view key = arg.substr(2);
    std::optional<std::string_view> inlineValue;
    if (const auto eq = key.find('='); eq != std::string_view::npos) {
      inlineValue = key.substr(eq + 1);
      key = key.substr(0, eq);
    }
    const FieldSpec* spec = builder.field(key);
    const ExtraKey* extra = spec ? nullptr : builder.extra(key);
    if (!spec && !extra) return builder.unknown(key);

    const ValueKind kind = spec ? spec->kind : extra->kind;
    Given value;
    if (inlineValue) {
      value.text = std::string(*inlineValue);
    } else if (kind == ValueKind::Switch) {
      value.present = false;
    } else {
      const std::string flag = shownKey(key, KeyStyle::Flag);
      if (i + 1 >= args.size()) return FormError{std::string(key), flag + " needs a value"};
      if (std::string_view(args[i + 1]).starts_with("--")) {
        return FormError{std::string(key), flag + " needs a value; give one that begins with \"--\" as " + flag +
                                               "=VALUE"};
      }
      value.text = args[++i];
    }
    if (!isValidUtf8(value.text)) return FormError{std::string(key), shownKey(key, KeyStyle::Flag) + " is not valid UTF-8"};
    if (auto e = spec ? builder.apply(*spec, value) : builder.applyExtra(*extra, value)) return *e;
  }
  return builder.finish();
}

std::string failureMessage(const ValidationFailure& failure, KeyStyle style) {
  const std::string prefix = style == KeyStyle::Flag ? "--" : "";
  // The two date checks put the focus on the day, but concern the month and the day together.
  if (failure.focus == "cboDate" && failure.message.starts_with("Please Enter Correct Date Or Month"))
    return prefix + "month and " + prefix + "day: " + failure.message;
  for (const auto& [control, key] : kControlKeys)
    if (failure.focus == control) return prefix + std::string(key) + ": " + failure.message;
  if (failure.focus == "cmbTimeZone") return prefix + "zone: " + failure.message;
  return failure.message;
}

std::span<const std::string_view> formKeyNames() { return kFieldNames; }

bool isModelKey(std::string_view key) {
  for (const FieldSpec& spec : kFields)
    if (spec.name == key) return spec.kind == ValueKind::Choice && spec.field != Field::Style;
  return false;
}

std::optional<ZoneCorrection> parseZoneOffset(std::string_view text) {
  if (text.size() < 5 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
  const bool east = text[0] == '+';
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon < 2 || colon > 3 || text.size() != colon + 3) return std::nullopt;
  const std::string_view hoursText = text.substr(1, colon - 1);
  const std::string_view minutesText = text.substr(colon + 1);
  if (!allDigits(hoursText) || !allDigits(minutesText)) return std::nullopt;
  const int hours = std::stoi(std::string(hoursText));
  const int minutes = std::stoi(std::string(minutesText));
  if (minutes > 59 || hours * 60 + minutes > kMaxCustomZoneMinutes) return std::nullopt;
  // The rows' convention: west of Greenwich positive, the minutes with the sign of the hours.
  const int sign = east ? -1 : 1;
  return ZoneCorrection{sign * hours, sign * minutes};
}

namespace {

// A list's text as the number a JSON object holds, or the text itself when it is none.
std::variant<long long, std::string, bool> listNumber(const std::string& text) {
  long long n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (allDigits(text) && ec == std::errc() && end == text.data() + text.size()) return n;
  return text;
}

// Whether the form's zone is the custom entry after the rows.
bool hasCustomZone(const FormInput& f) { return f.zoneIndex == kCustomZonePosition && f.customZone.has_value(); }

// The value of one key, or nothing for the second of a pair of opposite switches. Every field has
// its case here, and a field without one does not compile, so that a new key of the form cannot be
// left out of what is written.
#pragma GCC diagnostic push
#pragma GCC diagnostic error "-Wswitch"
std::optional<std::variant<long long, std::string, bool>> valueOf(Field field, const FormInput& f) {
  switch (field) {
    case Field::Name: return f.name;
    case Field::Month: return static_cast<long long>(f.monthIndex) + 1;
    case Field::Day: return listNumber(f.day);
    case Field::Year: return listNumber(f.year);
    case Field::Hour: return listNumber(f.hour);
    case Field::Minute: return listNumber(f.minute);
    case Field::Second: return listNumber(f.second);
    case Field::City: return f.city;
    case Field::State: return f.state;
    case Field::Country: return f.country;
    case Field::LatDeg: return f.latDeg;
    case Field::LatMin: return f.latMin;
    case Field::North: return f.north;
    case Field::South: return std::nullopt;
    case Field::LonDeg: return f.lonDeg;
    case Field::LonMin: return f.lonMin;
    case Field::East: return f.east;
    case Field::West: return std::nullopt;
    case Field::Zone:
      // A custom entry is written as its offset ("zone-offset"), which a reader cannot take with "zone".
      if (hasCustomZone(f)) return std::nullopt;
      return static_cast<long long>(f.zoneIndex);
    case Field::Dst: return f.dst;
    case Field::Place:
      // An empty place is no place: given, it would send a reader to the atlas with nothing.
      if (f.place.empty()) return std::nullopt;
      return f.place;
    case Field::ZoneOffset:
      if (!hasCustomZone(f)) return std::nullopt;
      return ZoneOffsetText({f.customZone->correctionHours, f.customZone->correctionMinutes});
    // How the chart is computed and drawn is no part of the birth.
    case Field::Ephemeris:
    case Field::Ayanamsa:
    case Field::Node:
    case Field::Style: return std::nullopt;
  }
  return std::nullopt;
}
#pragma GCC diagnostic pop

}  // namespace

std::vector<FormValue> formValues(const FormInput& form) {
  std::vector<FormValue> values;
  values.reserve(kFields.size());
  for (const FieldSpec& spec : kFields) {
    if (auto value = valueOf(spec.field, form)) values.push_back({spec.name, spec.kind, std::move(*value)});
  }
  return values;
}

}  // namespace halvora::forms
