#include "chart_cli.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <sstream>

#include "chart/rashi_chart.h"

namespace halvora::cli {

namespace {

using nlohmann::json;

// The ranges of the entry form's lists.
struct ListRange {
  const char* key;
  int low, high;
};
constexpr ListRange kMonth{"month", 1, 12};
constexpr ListRange kDay{"day", 1, 31};
constexpr ListRange kYear{"year", 1901, 2050};
constexpr ListRange kHour{"hour", 0, 23};
constexpr ListRange kMinute{"minute", 0, 59};
constexpr ListRange kSecond{"second", 0, 59};
constexpr ListRange kZone{"zone", 0, 70};

// Coordinate fields and the most characters each text box takes.
struct CoordinateField {
  const char* key;
  std::size_t maxLength;
  std::string FormInput::*member;
};
constexpr std::array<CoordinateField, 4> kCoordinates = {{{"lat-deg", 2, &FormInput::latDeg},
                                                          {"lat-min", 2, &FormInput::latMin},
                                                          {"lon-deg", 3, &FormInput::lonDeg},
                                                          {"lon-min", 2, &FormInput::lonMin}}};

// Text flags and where they go.
struct TextField {
  const char* key;
  std::string FormInput::*member;
};
constexpr std::array<TextField, 4> kTexts = {
    {{"name", &FormInput::name}, {"city", &FormInput::city}, {"state", &FormInput::state}, {"country", &FormInput::country}}};

std::optional<InputError> setList(FormInput& form, const ListRange& range, const std::string& text) {
  int value = 0;
  std::size_t used = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size() || value < range.low || value > range.high) {
    return InputError{"--" + std::string(range.key) + " takes a whole number from " + std::to_string(range.low) +
                      " to " + std::to_string(range.high) + ", not \"" + text + "\""};
  }
  if (range.key == kMonth.key) form.monthIndex = value - 1;
  else if (range.key == kZone.key) form.zoneIndex = value;
  else if (range.key == kDay.key) form.day = std::to_string(value);
  else if (range.key == kYear.key) form.year = std::to_string(value);
  else if (range.key == kHour.key) form.hour = std::to_string(value);
  else if (range.key == kMinute.key) form.minute = std::to_string(value);
  else form.second = std::to_string(value);
  return std::nullopt;
}

// Coordinate texts hold digits only, as the entry form's key filter lets through.
std::optional<InputError> setCoordinate(FormInput& form, const CoordinateField& field, const std::string& text) {
  if (!std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
    return InputError{"Only Numbers Are Accepted"};
  if (text.size() > field.maxLength)
    return InputError{"--" + std::string(field.key) + " takes at most " + std::to_string(field.maxLength) + " digits"};
  form.*field.member = text;
  return std::nullopt;
}

// A name holds letters and blanks only and is stored in capitals, as the entry form types it.
std::optional<InputError> setName(FormInput& form, std::string text) {
  for (char& c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c != ' ' && !((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))) return InputError{"Please Enter only Letters"};
    c = static_cast<char>(std::toupper(u));
  }
  form.name = std::move(text);
  return std::nullopt;
}

std::optional<InputError> setValue(FormInput& form, const std::string& key, const std::string& text) {
  for (const ListRange* range : {&kMonth, &kDay, &kYear, &kHour, &kMinute, &kSecond, &kZone})
    if (key == range->key) return setList(form, *range, text);
  for (const auto& field : kCoordinates)
    if (key == field.key) return setCoordinate(form, field, text);
  if (key == "name") return setName(form, text);
  for (const auto& field : kTexts)
    if (key == field.key) {
      form.*field.member = text;
      return std::nullopt;
    }
  return InputError{"unknown option --" + key};
}

// Boolean options: true sets, and each has its opposite.
std::optional<InputError> setFlag(FormInput& form, const std::string& key, bool on) {
  if (key == "north") form.north = on;
  else if (key == "south") form.north = !on;
  else if (key == "east") form.east = on;
  else if (key == "west") form.east = !on;
  else if (key == "dst") form.dst = on;
  else return InputError{"unknown option --" + key};
  return std::nullopt;
}

bool isFlagName(const std::string& key) {
  return key == "north" || key == "south" || key == "east" || key == "west" || key == "dst";
}

json optionalNumber(const std::optional<std::int64_t>& v) { return v ? json(*v) : json(nullptr); }

}  // namespace

std::string usage() {
  return "usage: halvora-chart --name TEXT --month 1..12 --day N --year N --hour N --minute N --second N\n"
         "                     --city TEXT --state TEXT --country TEXT\n"
         "                     --lat-deg TEXT --lat-min TEXT --north|--south\n"
         "                     --lon-deg TEXT --lon-min TEXT --east|--west --zone 0..70 [--dst] [--json]\n"
         "       halvora-chart --batch    (one JSON object per line on standard input)\n";
}

std::variant<Options, InputError> parseArguments(const std::vector<std::string>& args) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.rfind("--", 0) != 0) return InputError{"unexpected argument \"" + arg + "\""};
    std::string key = arg.substr(2);
    std::optional<std::string> inlineValue;
    if (const auto eq = key.find('='); eq != std::string::npos) {
      inlineValue = key.substr(eq + 1);
      key.resize(eq);
    }
    if (key == "json") options.json = true;
    else if (key == "batch") options.batch = true;
    else if (key == "help") options.help = true;
    else if (isFlagName(key)) {
      if (auto e = setFlag(options.form, key, true)) return *e;
    } else {
      std::string value;
      if (inlineValue) {
        value = *inlineValue;
      } else {
        if (i + 1 >= args.size()) return InputError{"--" + key + " needs a value"};
        value = args[++i];
      }
      if (auto e = setValue(options.form, key, value)) return *e;
    }
  }
  return options;
}

std::variant<FormInput, InputError> formFromJson(const json& object) {
  if (!object.is_object()) return InputError{"each line must be a JSON object"};
  FormInput form;
  for (const auto& [key, value] : object.items()) {
    if (isFlagName(key)) {
      if (!value.is_boolean()) return InputError{"\"" + key + "\" must be true or false"};
      if (auto e = setFlag(form, key, value.get<bool>())) return *e;
      continue;
    }
    std::string text;
    if (value.is_string()) text = value.get<std::string>();
    else if (value.is_number_integer()) text = std::to_string(value.get<long long>());
    else return InputError{"\"" + key + "\" must be a text or a whole number"};
    if (auto e = setValue(form, key, text)) return InputError{e->message.rfind("unknown option", 0) == 0
                                                                  ? "unknown key \"" + key + "\""
                                                                  : e->message};
  }
  return form;
}

json chartToJson(const ChartResult& c) {
  json j;
  j["ZoneCorrectionHours"] = c.zone.hours;
  j["ZoneCorrectionMinutes"] = c.zone.minutes;
  j["AyanamsaDeg"] = c.ascendant.AyanamsaDeg;
  j["AscendantDeg"] = c.ascendant.AscendantDeg;
  j["AscendantText"] = c.ascendant.AscendantText;
  j["MoonLongitudeDeg"] = c.moon.MoonLongitudeDeg;
  j["MoonNakshatraStart"] = c.moon.MoonNakshatraStart;
  j["MoonText"] = c.moon.MoonText;
  j["ChartPositions"] = c.chartPositions;
  j["PlanetLabels"] = c.retrogrades.labels;
  j["SignLabels"] = c.signLabels;
  j["Markers"] = c.markers;
  j["AscSignNumber"] = c.AscSignNumber;
  j["SreeLagnaDeg"] = c.SreeLagnaDeg;
  j["SreeLagnaSignIndex"] = c.SreeLagnaSignIndex >= 0 ? json(c.SreeLagnaSignIndex) : json(nullptr);
  j["SreeLagnaHouse"] = c.SreeLagnaHouse > 0 ? json(c.SreeLagnaHouse) : json(nullptr);
  j["Details"] = {{"lblName", c.details.lblName},         {"lblDOB", c.details.lblDOB},
                  {"lblTOB", c.details.lblTOB},           {"lblLatitude", c.details.lblLatitude},
                  {"lblLongitude", c.details.lblLongitude}, {"lblCity", c.details.lblCity},
                  {"lblState", c.details.lblState},       {"lblCountry", c.details.lblCountry}};
  j["Sunrise"] = c.sunrise ? json(formatIsoMinute(*c.sunrise)) : json(nullptr);
  if (c.ElapsedMinutes) j["ElapsedMinutes"] = optionalNumber(c.ElapsedMinutes);
  if (c.ElapsedSeconds) j["ElapsedSeconds"] = optionalNumber(c.ElapsedSeconds);
  if (c.SunriseSunLongitude) j["SunriseSunLongitude"] = *c.SunriseSunLongitude;
  j["Notice"] = c.notice ? json(*c.notice) : json(nullptr);
  j["HouseText"] = c.houseText;
  json profile = json::object();
  for (const auto& [control, text] : c.profile) profile[control] = text;
  j["Profile"] = c.profile.empty() ? json(nullptr) : profile;
  return j;
}

namespace {

// The chart as a four-by-four grid: Pisces top-left, the signs clockwise, the centre empty.
constexpr int kGrid[4][4] = {{11, 0, 1, 2}, {10, -1, -1, 3}, {9, -1, -1, 4}, {8, 7, 6, 5}};
constexpr std::size_t kCellWidth = 15;
constexpr std::array<std::string_view, 12> kSignTitles = {"Aries", "Taurus", "Gemini", "Cancer",
                                                          "Leo", "Virgo", "Libra", "Scorpio",
                                                          "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

std::vector<std::string> splitLines(const std::string& caption) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= caption.size()) {
    const auto end = caption.find(kCaptionLineBreak, start);
    const std::string line = caption.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty()) lines.push_back(line);
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> cellLines(const ChartResult& c, int sign) {
  std::vector<std::string> lines;
  if (sign < 0) return lines;
  lines.push_back(std::to_string(sign + 1) + " " + std::string(kSignTitles[static_cast<std::size_t>(sign)]));
  for (auto& body : splitLines(c.signLabels[static_cast<std::size_t>(sign)])) lines.push_back("  " + body);
  for (auto& marker : splitLines(c.markers[static_cast<std::size_t>(sign)])) lines.push_back("  " + marker);
  return lines;
}

std::string pad(std::string s) {
  if (s.size() < kCellWidth) s.append(kCellWidth - s.size(), ' ');
  return s;
}

}  // namespace

std::string chartToPage(const ChartResult& c) {
  std::ostringstream out;
  const Details& d = c.details;
  out << d.lblName << "\n"
      << "Date of Birth : " << d.lblDOB << "\n"
      << "Time of Birth : " << d.lblTOB << "\n"
      << "Longitude     : " << d.lblLongitude << "\n"
      << "Latitude      : " << d.lblLatitude << "\n"
      << "City          : " << d.lblCity << "\n"
      << "State         : " << d.lblState << "\n"
      << "Country       : " << d.lblCountry << "\n\n";

  static constexpr std::array<std::string_view, 10> kRowNames = {
      "Surya/Sun",    "Chandra/Moon", "Budha/Mercury",   "Shukra/Venus",    "Mangala/Mars",
      "Guru/Jupiter", "Shani/Saturn", "Rahu/North Node", "Ketu/South node", "Asc/Lagna"};
  out << "Vedic Planetary Position\n";
  for (std::size_t i = 0; i < kRowNames.size(); ++i) {
    std::string name(kRowNames[i]);
    name.resize(18, ' ');
    out << "  " << name << c.chartPositions[i];
    if (c.retrogrades.labels[i].ends_with(kRetrogradeMark)) out << "  (R)";
    out << "\n";
  }
  out << "\n";

  const std::string rule = "+" + [] {
    std::string s;
    for (int i = 0; i < 4; ++i) s += std::string(kCellWidth, '-') + "+";
    return s;
  }();
  out << rule << "\n";
  for (const auto& row : kGrid) {
    std::array<std::vector<std::string>, 4> cells;
    std::size_t height = 1;
    for (int col = 0; col < 4; ++col) {
      cells[static_cast<std::size_t>(col)] = cellLines(c, row[col]);
      height = std::max(height, cells[static_cast<std::size_t>(col)].size());
    }
    height = std::max<std::size_t>(height, 4);
    for (std::size_t line = 0; line < height; ++line) {
      out << "|";
      for (const auto& cell : cells) out << pad(line < cell.size() ? cell[line] : "") << "|";
      out << "\n";
    }
    const bool centreFollows = (row[1] < 0) && (&row != &kGrid[2]);
    out << (centreFollows ? "+" + std::string(kCellWidth, '-') + "+" + std::string(2 * kCellWidth + 1, ' ') + "+" +
                                std::string(kCellWidth, '-') + "+"
                          : rule)
        << "\n";
  }

  out << "\nSree Lagna: " << (c.SreeLagnaSignIndex >= 0 ? std::string(kSignTitles[static_cast<std::size_t>(c.SreeLagnaSignIndex)]) : "-")
      << ", house " << c.SreeLagnaHouse << "\n";
  if (c.sunrise) {
    out << "Sunrise: " << formatIsoMinute(*c.sunrise) << " (" << *c.ElapsedMinutes << " minutes)\n";
  }
  if (c.notice) out << *c.notice << "\n";
  if (!c.houseText.empty()) out << "\n" << c.houseText << "\n";
  if (!c.profile.empty()) {
    out << "\nProfile of the Sree Lagna's sign\n";
    for (const auto& [control, text] : c.profile) out << "  " << control << ": " << text << "\n";
  }
  return out.str();
}

}  // namespace halvora::cli
