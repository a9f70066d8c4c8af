// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_json.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>

#include <nlohmann/json.hpp>

#include "chart/sign_profiles.h"
#include "forms/utf8.h"

namespace halvora::cli {

namespace {

// The members of an answer, in the byte order of their keys (the order a JSON object is written in).
enum class Key : std::size_t {
  AscSignNumber, AscendantDeg, AscendantText, AyanamsaDeg, ChartPositions, Details, ElapsedMinutes,
  ElapsedSeconds, HouseText, Markers, Model, MoonLongitudeDeg, MoonNakshatraStart, MoonText, Notice, Place,
  PlanetLabels, Profile, SignLabels, SreeLagnaDeg, SreeLagnaHouse, SreeLagnaSignIndex, Sunrise,
  SunriseSunLongitude, Zone, ZoneCorrectionHours, ZoneCorrectionMinutes,
};

constexpr std::array<std::string_view, kChartJsonKeyCount> kKeys = {
    "AscSignNumber",  "AscendantDeg",       "AscendantText",       "AyanamsaDeg",        "ChartPositions",
    "Details",        "ElapsedMinutes",     "ElapsedSeconds",      "HouseText",          "Markers",
    "Model",          "MoonLongitudeDeg", "MoonNakshatraStart", "MoonText",          "Notice",             "Place",
    "PlanetLabels",   "Profile",            "SignLabels",          "SreeLagnaDeg",       "SreeLagnaHouse",
    "SreeLagnaSignIndex", "Sunrise",        "SunriseSunLongitude", "Zone",               "ZoneCorrectionHours",
    "ZoneCorrectionMinutes"};
static_assert(std::is_sorted(kKeys.begin(), kKeys.end()), "an object's members are written in key order");

// The same keys as they are written, quoted and followed by the colon.
constexpr std::array<std::string_view, kChartJsonKeyCount> kQuotedKeys = {
    R"("AscSignNumber":)",    R"("AscendantDeg":)",        R"("AscendantText":)",  R"("AyanamsaDeg":)",
    R"("ChartPositions":)",   R"("Details":)",             R"("ElapsedMinutes":)", R"("ElapsedSeconds":)",
    R"("HouseText":)",        R"("Markers":)",             R"("Model":)",          R"("MoonLongitudeDeg":)", R"("MoonNakshatraStart":)",
    R"("MoonText":)",         R"("Notice":)",              R"("Place":)",          R"("PlanetLabels":)",
    R"("Profile":)",          R"("SignLabels":)",          R"("SreeLagnaDeg":)",   R"("SreeLagnaHouse":)",
    R"("SreeLagnaSignIndex":)", R"("Sunrise":)",           R"("SunriseSunLongitude":)", R"("Zone":)",
    R"("ZoneCorrectionHours":)", R"("ZoneCorrectionMinutes":)"};
static_assert(
    [] {
      for (std::size_t i = 0; i < kKeys.size(); ++i) {
        const std::string_view q = kQuotedKeys[i];
        if (q.size() != kKeys[i].size() + 3 || q.front() != '"' || q.substr(1, kKeys[i].size()) != kKeys[i] ||
            q.substr(q.size() - 2) != "\":")
          return false;
      }
      return true;
    }(),
    "each quoted key is its key");

// What a byte asks of a JSON string: an escape, or a look at its UTF-8.
constexpr unsigned char kEscaped = 1;
constexpr unsigned char kBeyondAscii = 2;
constexpr std::array<unsigned char, 256> kByteKinds = [] {
  std::array<unsigned char, 256> kinds{};
  for (int c = 0; c < 256; ++c) {
    if (c < 0x20 || c == '"' || c == '\\') kinds[static_cast<std::size_t>(c)] = kEscaped;
    if (c >= 0x80) kinds[static_cast<std::size_t>(c)] = kBeyondAscii;
  }
  return kinds;
}();

// Writes the text with its quotes, backslashes and control characters escaped, a piece at a time
// through a buffer on the stack.
void appendEscaped(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  constexpr std::size_t kPiece = 256;
  char buf[kPiece * 6];
  while (!text.empty()) {
    const std::string_view piece = text.substr(0, kPiece);
    char* p = buf;
    for (char ch : piece) {
      const auto c = static_cast<unsigned char>(ch);
      if ((kByteKinds[c] & kEscaped) == 0) {
        *p++ = ch;
        continue;
      }
      *p++ = '\\';
      switch (c) {
        case '"': *p++ = '"'; break;
        case '\\': *p++ = '\\'; break;
        case '\b': *p++ = 'b'; break;
        case '\t': *p++ = 't'; break;
        case '\n': *p++ = 'n'; break;
        case '\f': *p++ = 'f'; break;
        case '\r': *p++ = 'r'; break;
        default:
          *p++ = 'u';
          *p++ = '0';
          *p++ = '0';
          *p++ = kHex[c >> 4];
          *p++ = kHex[c & 0xF];
          break;
      }
    }
    out.append(buf, p);
    text.remove_prefix(piece.size());
  }
}

void appendInteger(std::string& out, long long value) {
  char buf[24];
  out.append(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

// The shortest digits that read back to the same double, as the JSON library writes them (it
// gives 0.0 for zero and null for a value that is not finite).
void appendDouble(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char buf[64];
  out.append(buf, nlohmann::detail::to_chars(buf, buf + sizeof buf, value));
}

// A number of at least `width` digits, as printf's %0*d writes it.
void appendPadded(std::string& out, int value, int width) {
  char buf[16];
  char* end = std::to_chars(buf, buf + sizeof buf, value).ptr;
  for (auto n = end - buf; n < width; ++n) out += '0';
  out.append(buf, end);
}

// "YYYY-MM-DD HH:MM", as formatIsoMinute writes it.
void appendIsoMinute(std::string& out, const LocalDateTime& t) {
  if (t.year < 0 || t.month < 0 || t.day < 0 || t.hour < 0 || t.minute < 0) {
    out += formatIsoMinute(t);
    return;
  }
  appendPadded(out, t.year, 4);
  out += '-';
  appendPadded(out, t.month, 2);
  out += '-';
  appendPadded(out, t.day, 2);
  out += ' ';
  appendPadded(out, t.hour, 2);
  out += ':';
  appendPadded(out, t.minute, 2);
}

// Writes objects and arrays with their separators, on one line or indented by two spaces a level.
class Emitter {
 public:
  Emitter(std::string& out, bool indented, int depth = 0) : m_out(out), m_indented(indented), m_depth(depth) {}

  void open(char bracket) {
    m_out += bracket;
    m_first[static_cast<std::size_t>(++m_depth)] = true;
  }
  void close(char bracket) {
    const bool empty = m_first[static_cast<std::size_t>(m_depth)];
    --m_depth;
    if (!empty && m_indented) newLine();
    m_out += bracket;
  }
  // Begins an element of an array.
  void item() {
    bool& first = m_first[static_cast<std::size_t>(m_depth)];
    if (!first) m_out += ',';
    first = false;
    if (m_indented) newLine();
  }
  // Begins a member of an object with one of our own keys, given quoted and with its colon.
  void key(std::string_view quotedWithColon) {
    item();
    m_out += quotedWithColon;
    if (m_indented) m_out += ' ';
  }
  // Begins a member of an object whose key may be any text.
  void anyKey(std::string_view name) {
    item();
    appendJsonString(m_out, name);
    m_out += m_indented ? ": " : ":";
  }

  void string(std::string_view text) { appendJsonString(m_out, text); }
  void raw(std::string_view text) { m_out += text; }
  void null() { m_out += "null"; }
  void boolean(bool value) { m_out += value ? "true" : "false"; }
  void integer(long long value) { appendInteger(m_out, value); }
  void number(double value) { appendDouble(m_out, value); }

  template <std::size_t N>
  void strings(const std::array<std::string, N>& texts) {
    open('[');
    for (const auto& t : texts) {
      item();
      string(t);
    }
    close(']');
  }

 private:
  void newLine() {
    m_out += '\n';
    m_out.append(static_cast<std::size_t>(2 * m_depth), ' ');
  }

  std::string& m_out;
  bool m_indented;
  int m_depth;
  std::array<bool, 8> m_first{};
};

// A profile's members in key order (a control named twice keeps its last text).
void profileObject(Emitter& e, std::span<const ControlText> profile) {
  std::map<std::string_view, std::string_view> sorted;
  for (const auto& [control, text] : profile) sorted[control] = text;
  e.open('{');
  for (const auto& [control, text] : sorted) {
    e.anyKey(control);
    e.string(text);
  }
  e.close('}');
}

// The texts that are the same for every chart of a sign or a house, escaped once.
struct ConstantTexts {
  std::array<std::string, 12> profileLine, profileIndented;  // the Profile object, by sign index
  std::array<std::string, 12> houseText;                     // the HouseText string, by house - 1
};

const ConstantTexts& constantTexts() {
  static const ConstantTexts texts = [] {
    ConstantTexts t;
    for (int k = 0; k < 12; ++k) {
      const auto i = static_cast<std::size_t>(k);
      Emitter line(t.profileLine[i], false, 1);
      profileObject(line, ProfileControlTextsOf(k));
      Emitter indented(t.profileIndented[i], true, 1);
      profileObject(indented, ProfileControlTextsOf(k));
      appendJsonString(t.houseText[i], HouseSignificance(k + 1));
    }
    return t;
  }();
  return texts;
}

void houseTextValue(Emitter& e, const ChartResult& c) {
  const int house = c.SreeLagnaHouse;
  if (house >= 1 && house <= 12 && c.houseText.data() == HouseSignificance(house).data() &&
      c.houseText.size() == HouseSignificance(house).size()) {
    e.raw(constantTexts().houseText[static_cast<std::size_t>(house - 1)]);
  } else {
    e.string(c.houseText);
  }
}

void profileValue(Emitter& e, const ChartResult& c, bool indented) {
  if (c.profile.empty()) return e.null();
  const auto table = ProfileControlTextsOf(c.SreeLagnaSignIndex);
  if (c.profile.data() == table.data() && c.profile.size() == table.size()) {
    const auto k = static_cast<std::size_t>(c.SreeLagnaSignIndex);
    return e.raw(indented ? constantTexts().profileIndented[k] : constantTexts().profileLine[k]);
  }
  profileObject(e, c.profile);
}

}  // namespace

std::span<const std::string_view> chartJsonKeys() { return kKeys; }

std::variant<ChartFields, FieldListProblem> parseFieldList(std::string_view list) {
  ChartFields fields;
  while (true) {
    const auto comma = list.find(',');
    const std::string_view item = list.substr(0, comma);
    const auto found = std::find(kKeys.begin(), kKeys.end(), item);
    if (found == kKeys.end()) return FieldListProblem{std::string(item), false};
    const auto index = static_cast<std::size_t>(found - kKeys.begin());
    if (fields.test(index)) return FieldListProblem{std::string(item), true};
    fields.set(index);
    if (comma == std::string_view::npos) return fields;
    list.remove_prefix(comma + 1);
  }
}

void appendJsonString(std::string& out, std::string_view text) {
  unsigned kinds = 0;
  for (char c : text) kinds |= kByteKinds[static_cast<unsigned char>(c)];
  const bool escapes = (kinds & kEscaped) != 0;
  if ((kinds & kBeyondAscii) != 0 && !forms::isValidUtf8(text)) {
    // Rare enough to leave to the library, which replaces what it cannot read.
    out += nlohmann::json(std::string(text)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return;
  }
  out += '"';
  if (escapes) {
    appendEscaped(out, text);
  } else {
    out += text;
  }
  out += '"';
}

void appendChartJson(std::string& out, const ChartResult& c, const std::optional<place_form::AtlasFill>& origin,
                     bool indented, const ChartFields& fields) {
  Emitter e(out, indented);
  const auto wanted = [&](Key key) {
    const auto index = static_cast<std::size_t>(key);
    if (!fields.test(index)) return false;
    e.key(kQuotedKeys[index]);
    return true;
  };
  e.open('{');
  if (wanted(Key::AscSignNumber)) e.integer(c.AscSignNumber);
  if (wanted(Key::AscendantDeg)) e.number(c.ascendant.AscendantDeg);
  if (wanted(Key::AscendantText)) e.string(c.ascendant.AscendantText);
  if (wanted(Key::AyanamsaDeg)) e.number(c.ascendant.AyanamsaDeg);
  if (wanted(Key::ChartPositions)) e.strings(c.chartPositions);
  if (wanted(Key::Details)) {
    const Details& d = c.details;
    const std::pair<std::string_view, const std::string*> members[] = {
        {R"("lblCity":)", &d.lblCity},         {R"("lblCountry":)", &d.lblCountry},
        {R"("lblDOB":)", &d.lblDOB},           {R"("lblLatitude":)", &d.lblLatitude},
        {R"("lblLongitude":)", &d.lblLongitude}, {R"("lblName":)", &d.lblName},
        {R"("lblState":)", &d.lblState},       {R"("lblTOB":)", &d.lblTOB}};
    e.open('{');
    for (const auto& [name, text] : members) {
      e.key(name);
      e.string(*text);
    }
    e.close('}');
  }
  if (c.ElapsedMinutes && wanted(Key::ElapsedMinutes)) e.integer(*c.ElapsedMinutes);
  if (c.ElapsedSeconds && wanted(Key::ElapsedSeconds)) e.integer(*c.ElapsedSeconds);
  if (wanted(Key::HouseText)) houseTextValue(e, c);
  if (wanted(Key::Markers)) e.strings(c.markers);
  if (wanted(Key::Model)) {
    // The position model: its ephemeris, ayanamsa and node, and the ayanamsa of the birth moment.
    e.open('{');
    e.key(R"("ayanamsa":)");
    e.string(c.model.ayanamsa);
    e.key(R"("ayanamsaDeg":)");
    e.number(c.model.ayanamsaDeg);
    e.key(R"("ephemeris":)");
    // Swiss Ephemeris without its files ran on its Moshier series, which the answer says.
    e.string(c.model.moshier ? std::string(c.model.ephemeris) + "-moshier" : std::string(c.model.ephemeris));
    e.key(R"("node":)");
    e.string(c.model.node);
    e.close('}');
  }
  if (wanted(Key::MoonLongitudeDeg)) e.number(c.moon.MoonLongitudeDeg);
  if (wanted(Key::MoonNakshatraStart)) e.number(c.moon.MoonNakshatraStart);
  if (wanted(Key::MoonText)) e.string(c.moon.MoonText);
  if (wanted(Key::Notice)) c.notice ? e.string(*c.notice) : e.null();
  if (wanted(Key::Place)) {
    if (origin) {
      const places::Place& p = origin->place;
      e.open('{');
      e.key(R"("country":)");
      e.string(p.country);
      e.key(R"("latitudeDeg":)");
      e.number(p.latitudeDeg);
      e.key(R"("longitudeDeg":)");
      e.number(p.longitudeDeg);
      e.key(R"("name":)");
      e.string(p.name);
      e.key(R"("state":)");
      e.string(p.state);
      e.key(R"("timeZone":)");
      e.string(p.timeZone);
      e.close('}');
    } else {
      e.null();
    }
  }
  if (wanted(Key::PlanetLabels)) e.strings(c.retrogrades.labels);
  if (wanted(Key::Profile)) profileValue(e, c, indented);
  if (wanted(Key::SignLabels)) e.strings(c.signLabels);
  if (wanted(Key::SreeLagnaDeg)) e.number(c.SreeLagnaDeg);
  if (wanted(Key::SreeLagnaHouse)) c.SreeLagnaHouse > 0 ? e.integer(c.SreeLagnaHouse) : e.null();
  if (wanted(Key::SreeLagnaSignIndex)) c.SreeLagnaSignIndex >= 0 ? e.integer(c.SreeLagnaSignIndex) : e.null();
  if (wanted(Key::Sunrise)) {
    if (c.sunrise) {
      out += '"';
      appendIsoMinute(out, *c.sunrise);
      out += '"';
    } else {
      e.null();
    }
  }
  if (c.SunriseSunLongitude && wanted(Key::SunriseSunLongitude)) e.number(*c.SunriseSunLongitude);
  if (wanted(Key::Zone)) {
    // The zone entry, its offset east of Greenwich in minutes, and whether the atlas chose it.
    e.open('{');
    e.key(R"("ambiguous":)");
    e.boolean(origin && origin->ambiguous);
    e.key(R"("dst":)");
    e.boolean(c.birth.IsDST);
    e.key(R"("fromAtlas":)");
    e.boolean(origin && origin->zoneFromAtlas);
    e.key(R"("offsetMinutes":)");
    e.integer(-(c.zone.hours * 60 + c.zone.minutes));
    e.key(R"("row":)");
    c.zoneRow ? e.integer(*c.zoneRow) : e.null();
    e.key(R"("text":)");
    e.string(c.zoneText);
    e.close('}');
  }
  if (wanted(Key::ZoneCorrectionHours)) e.integer(c.zone.hours);
  if (wanted(Key::ZoneCorrectionMinutes)) e.integer(c.zone.minutes);
  e.close('}');
}

void appendErrorJson(std::string& out, std::string_view message) {
  out += "{\"error\":";
  appendJsonString(out, message);
  out += '}';
}

}  // namespace halvora::cli
