// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a form from one JSON object and from command-line flags: the values a form can hold,
// the message for each that it cannot, the options, and random input.
#include <gtest/gtest.h>

#include "forms/form_reader.h"
#include "forms/person_name.h"
#include "forms/utf8.h"
#include "support/random_input.h"

namespace halvora::forms {
namespace {

using testing_support::RandomInput;
using testing_support::kNewDelhiJson;

constexpr const char* kNewDelhi = kNewDelhiJson;

const FormInput& formOf(const ReadResult& r) { return std::get<ReadForm>(r).form; }

std::string messageOf(const ReadResult& r) {
  const auto* e = std::get_if<FormError>(&r);
  return e ? e->message : "(no error)";
}

TEST(ReadFormJson, AWholeFormFillsEveryField) {
  const ReadResult r = readFormJson(kNewDelhi);
  ASSERT_TRUE(std::holds_alternative<ReadForm>(r)) << messageOf(r);
  const FormInput& f = formOf(r);
  EXPECT_EQ(f.name, "ASHA") << "names are stored in capitals";
  EXPECT_EQ(f.monthIndex, 1);
  EXPECT_EQ(f.day, "22");
  EXPECT_EQ(f.year, "2011");
  EXPECT_EQ(f.hour, "9");
  EXPECT_EQ(f.minute, "5");
  EXPECT_EQ(f.second, "30");
  EXPECT_EQ(f.city, "New Delhi");
  EXPECT_EQ(f.state, "Delhi");
  EXPECT_EQ(f.country, "India");
  EXPECT_EQ(f.latDeg, "28");
  EXPECT_EQ(f.latMin, "37");
  EXPECT_EQ(f.lonDeg, "77");
  EXPECT_EQ(f.lonMin, "13");
  EXPECT_TRUE(f.north);
  EXPECT_TRUE(f.east);
  EXPECT_FALSE(f.dst);
  EXPECT_EQ(f.zoneIndex, 34);
  EXPECT_EQ(std::get<ReadForm>(r).formKeys.size(), 18u);
}

struct JsonRow {
  const char* name;
  std::string text;
  const char* message;  // nullptr: read without error
};

TEST(ReadFormJson, EveryProblemNamesItsKeyOrTheLine) {
  const JsonRow rows[] = {
      {"empty object is a fresh form", "{}", nullptr},
      {"blank line", "", "empty line"},
      {"white space only", " \t \r", "empty line"},
      {"invalid UTF-8", "{\"city\": \"caf\xe9\"}", "the line is not valid UTF-8 (byte 14)"},
      {"NUL between two objects", std::string("{}\0{\"month\": 99}", 16), "the line holds a NUL byte"},
      {"not JSON", "not json", "the line is not a JSON object: expected '{' at byte 1"},
      {"text after the object", "{} {}", "the line is not a JSON object: unexpected text after the object at byte 4"},
      {"unknown key", R"({"colour": "red"})", "unknown key \"colour\""},
      {"command-line switch is no key", R"({"batch": true})", "unknown key \"batch\""},
      {"key given twice", R"({"month": 2, "month": 3})", "month is given twice"},
      {"both hemispheres", R"({"north": true, "south": true})", "north and south contradict each other"},
      {"neither hemisphere", R"({"north": false, "south": false})", "north and south contradict each other"},
      {"east and west", R"({"east": true, "west": true})", "east and west contradict each other"},
      {"agreeing pair", R"({"north": false, "south": true, "east": true, "west": false})", nullptr},
      {"huge number where a text belongs", R"({"city": 18446744073709551615})", "city takes a text, not a number"},
      {"null where a text belongs", R"({"state": null})", "state takes a text, not null"},
      {"text where a number belongs", R"({"month": "5"})", "month takes a whole number from 1 to 12, not a text"},
      {"fraction", R"({"month": 5.0})", "month takes a whole number from 1 to 12, not 5.0"},
      {"exponent", R"({"day": 1e1})", "day takes a whole number from 1 to 31, not 1e1"},
      {"negative", R"({"hour": -1})", "hour takes a whole number from 0 to 23, not -1"},
      {"minus zero", R"({"zone": -0})", "zone takes a whole number from 0 to 70, not -0"},
      {"above 2^64", R"({"zone": 184467440737095516150})",
       "zone takes a whole number from 0 to 70, not 184467440737095516150"},
      {"huge number cut short", "{\"zone\": " + std::string(300, '9') + "}",
       "zone takes a whole number from 0 to 70, not 999999999999999999999999..."},
      {"year before the list", R"({"year": 1900})", "year takes a whole number from 1901 to 2050, not 1900"},
      {"year after the list", R"({"year": 2051})", "year takes a whole number from 1901 to 2050, not 2051"},
      {"array where a number belongs", R"({"second": [1]})",
       "second takes a whole number from 0 to 59, not an array"},
      {"coordinate as a number", R"({"lat-deg": 28})", "lat-deg takes a text of digits, not a number"},
      {"letters in a coordinate", R"({"lat-deg": "1a"})", "lat-deg: Only Numbers Are Accepted"},
      {"blank in a coordinate", R"({"lon-min": " 5"})", "lon-min: Only Numbers Are Accepted"},
      {"minus in a coordinate", R"({"lat-min": "-5"})", "lat-min: Only Numbers Are Accepted"},
      {"latitude takes two digits", R"({"lat-deg": "123"})", "lat-deg takes at most 2 digits"},
      {"longitude takes three", R"({"lon-deg": "123"})", nullptr},
      {"empty coordinate is left to the form's checks", R"({"lat-min": ""})", nullptr},
      {"digit in a name", R"({"name": "R2D2"})", "name: Please Enter only Letters"},
      {"accented letter in a name", R"({"name": "Ren\u00e9"})", nullptr},
      {"hyphen that begins a name", R"({"name": "-Luc"})", "name: Please Enter only Letters"},
      {"name as a number", R"({"name": 5})", "name takes a text, not a number"},
      {"switch as a text", R"({"dst": "yes"})", "dst takes true or false, not a text"},
      {"switch as a number", R"({"east": 1})", "east takes true or false, not a number"},
      {"control character by escape", R"({"city": "a\u0000b"})", "city takes no control characters"},
      {"tab by escape", R"({"country": "a\tb"})", "country takes no control characters"},
      {"C1 control by escape", R"({"city": "a\u0085b"})", "city takes no control characters"},
      {"first C1 control, raw", "{\"state\": \"a\xc2\x80\"}", "state takes no control characters"},
      {"last C1 control, raw", "{\"country\": \"\xc2\x9f\"}", "country takes no control characters"},
      {"no-break space after the C1 block", R"({"city": "a\u00a0b"})", nullptr},
      {"byte-order mark inside a text", R"({"city": "\ufeffPune"})", nullptr},
      {"lone surrogate by escape", R"({"city": "\ud800"})", "city is not valid UTF-8"},
      {"any UTF-8 in a place", R"({"city": "Z\u00fcrich \u5317\u4eac", "state": "\u00cele"})", nullptr},
  };
  for (const auto& r : rows) {
    const ReadResult read = readFormJson(r.text);
    if (!r.message) {
      EXPECT_TRUE(std::holds_alternative<ReadForm>(read)) << r.name << ": " << messageOf(read);
      continue;
    }
    EXPECT_EQ(messageOf(read), r.message) << r.name;
  }
}

TEST(ReadFormJson, SwitchesSetTheirSideOrTheOther) {
  struct Row {
    const char* name;
    const char* text;
    bool north, east, dst;
  } rows[] = {
      {"fresh form: north and east", "{}", true, true, false},
      {"south", R"({"south": true})", false, true, false},
      {"not north is south", R"({"north": false})", false, true, false},
      {"not south is north", R"({"south": false})", true, true, false},
      {"west", R"({"west": true})", true, false, false},
      {"not west is east", R"({"west": false})", true, true, false},
      {"daylight saving", R"({"dst": true})", true, true, true},
  };
  for (const auto& r : rows) {
    const ReadResult read = readFormJson(r.text);
    ASSERT_TRUE(std::holds_alternative<ReadForm>(read)) << r.name << ": " << messageOf(read);
    EXPECT_EQ(formOf(read).north, r.north) << r.name;
    EXPECT_EQ(formOf(read).east, r.east) << r.name;
    EXPECT_EQ(formOf(read).dst, r.dst) << r.name;
  }
}

TEST(ReadFormJson, OptionsForAFileOfOneForm) {
  ReadOptions file;
  file.unknownKeysAreErrors = false;
  file.what = "file";
  file.extraKeys = {{"version", ValueKind::Number}, {"saved-by", ValueKind::Text}};

  const ReadResult read =
      readFormJson(R"({"version": 1, "note": {"a": [1, 2]}, "month": 3, "saved-by": "Halvora", "colour": "red"})", file);
  ASSERT_TRUE(std::holds_alternative<ReadForm>(read)) << messageOf(read);
  EXPECT_EQ(formOf(read).monthIndex, 2);
  EXPECT_EQ(std::get<ReadForm>(read).extras.at("version"), "1");
  EXPECT_EQ(std::get<ReadForm>(read).extras.at("saved-by"), "Halvora");
  EXPECT_EQ(std::get<ReadForm>(read).extras.size(), 2u) << "unknown keys are skipped, not kept";

  EXPECT_EQ(messageOf(readFormJson(R"({"version": "1"})", file)), "version takes a whole number, not a text");
  EXPECT_EQ(messageOf(readFormJson(R"({"version": -1})", file)), "version takes a whole number, not -1");
  EXPECT_EQ(messageOf(readFormJson(R"({"version": 1, "version": 2})", file)), "version is given twice");
  EXPECT_EQ(messageOf(readFormJson(R"({"note": [1,)", file)),
            "the file is not a JSON object: expected a value at byte 13")
      << "a skipped key's value is still checked";
  EXPECT_EQ(messageOf(readFormJson("   ", file)), "empty file");

  file.maxBytes = 16;
  EXPECT_EQ(messageOf(readFormJson(R"({"month": 3, "day": 4})", file)), "the file is longer than 16 bytes");
  EXPECT_TRUE(std::holds_alternative<ReadForm>(readFormJson(R"({"month": 3})", file)));
}

TEST(ReadFormJson, TheDefaultCapIsSixtyFourKibibytes) {
  const std::string pad = std::string(kMaxFormBytes - 14, ' ');
  const std::string fits = "{\"month\": 3}" + pad;  // 12 + (cap - 14) bytes
  ASSERT_LE(fits.size(), kMaxFormBytes);
  EXPECT_TRUE(std::holds_alternative<ReadForm>(readFormJson(fits)));
  const std::string over = "{\"month\": 3}" + std::string(kMaxFormBytes, ' ');
  EXPECT_EQ(messageOf(readFormJson(over)), "the line is longer than 65536 bytes");
}

struct FlagRow {
  const char* name;
  std::vector<std::string> args;
  const char* message;  // nullptr: read without error
};

ReadOptions commandLine() {
  ReadOptions o;
  o.extraKeys = {{"json", ValueKind::Switch}, {"batch", ValueKind::Switch}};
  return o;
}

TEST(ReadFormFlags, EveryProblemNamesItsFlag) {
  const FlagRow rows[] = {
      {"no flags is a fresh form", {}, nullptr},
      {"a switch refuses a value", {"--dst=false"}, "--dst takes no value"},
      {"so does an extra switch", {"--batch=no"}, "--batch takes no value"},
      {"even an empty one", {"--north="}, "--north takes no value"},
      {"both hemispheres", {"--north", "--south"}, "--north and --south contradict each other"},
      {"east and west", {"--west", "--east"}, "--east and --west contradict each other"},
      {"a flag twice", {"--month", "2", "--month", "3"}, "--month is given twice"},
      {"a switch twice", {"--dst", "--dst"}, "--dst is given twice"},
      {"leading blank", {"--month", " 5"}, "--month takes a whole number from 1 to 12, not \" 5\""},
      {"trailing line feed", {"--month", "5\n"}, "--month takes a whole number from 1 to 12, not \"5\\x0A\""},
      {"leading tab", {"--day=\t5"}, "--day takes a whole number from 1 to 31, not \"\\x095\""},
      {"plus sign", {"--hour", "+3"}, "--hour takes a whole number from 0 to 23, not \"+3\""},
      {"minus zero", {"--zone", "-0"}, "--zone takes a whole number from 0 to 70, not \"-0\""},
      {"empty value", {"--minute="}, "--minute takes a whole number from 0 to 59, not \"\""},
      {"above 2^64", {"--second", "99999999999999999999"},
       "--second takes a whole number from 0 to 59, not \"99999999999999999999\""},
      {"a value that looks like a flag", {"--city", "--json"},
       "--city needs a value; give one that begins with \"--\" as --city=VALUE"},
      {"nothing after a flag", {"--name"}, "--name needs a value"},
      {"unknown flag alone", {"--colour"}, "unknown option --colour"},
      {"unknown flag with a value", {"--colour", "red"}, "unknown option --colour"},
      {"unknown flag that is not UTF-8", {"--col\xffur"}, "unknown option \"--col\\xFFur\""},
      {"a plain word", {"name"}, "unexpected argument \"name\""},
      {"a single dash", {"-n"}, "unexpected argument \"-n\""},
      {"two dashes alone", {"--"}, "unexpected argument \"--\""},
      {"invalid UTF-8", {"--city", "\xe9"}, "--city is not valid UTF-8"},
      {"control character", {"--state=a\tb"}, "--state takes no control characters"},
      {"C1 control character", {"--city", "a\xc2\x85" "b"}, "--city takes no control characters"},
      {"letters in a coordinate", {"--lon-min", "1a"}, "--lon-min: Only Numbers Are Accepted"},
      {"minus in a coordinate", {"--lat-deg", "-5"}, "--lat-deg: Only Numbers Are Accepted"},
      {"too many digits", {"--lat-deg", "123"}, "--lat-deg takes at most 2 digits"},
      {"digit in a name", {"--name", "R2D2"}, "--name: Please Enter only Letters"},
      {"year outside the list", {"--year", "1900"}, "--year takes a whole number from 1901 to 2050, not \"1900\""},
      {"zone outside the list", {"--zone", "71"}, "--zone takes a whole number from 0 to 70, not \"71\""},
  };
  for (const auto& r : rows) {
    const ReadResult read = readFormFlags(r.args, commandLine());
    if (!r.message) {
      EXPECT_TRUE(std::holds_alternative<ReadForm>(read)) << r.name << ": " << messageOf(read);
      continue;
    }
    EXPECT_EQ(messageOf(read), r.message) << r.name;
  }
}

TEST(ReadFormFlags, ValuesInlineOrApartAndSwitches) {
  const std::vector<std::string> args = {"--south", "--west", "--dst", "--zone=50", "--name=anne lee",
                                         "--city=--json", "--month", "12", "--json"};
  const ReadResult read = readFormFlags(args, commandLine());
  ASSERT_TRUE(std::holds_alternative<ReadForm>(read)) << messageOf(read);
  const FormInput& f = formOf(read);
  EXPECT_FALSE(f.north);
  EXPECT_FALSE(f.east);
  EXPECT_TRUE(f.dst);
  EXPECT_EQ(f.zoneIndex, 50);
  EXPECT_EQ(f.name, "ANNE LEE");
  EXPECT_EQ(f.city, "--json") << "a value after '=' may begin with two dashes";
  EXPECT_EQ(f.monthIndex, 11);
  EXPECT_EQ(std::get<ReadForm>(read).extras.at("json"), "true");
  EXPECT_EQ(std::get<ReadForm>(read).formKeys,
            (std::vector<std::string>{"south", "west", "dst", "zone", "name", "city", "month"}));
}

TEST(ReadFormFlags, DefaultsAreThoseOfAFreshForm) {
  const ReadResult read = readFormFlags({}, {});
  ASSERT_TRUE(std::holds_alternative<ReadForm>(read));
  const FormInput& f = formOf(read);
  EXPECT_EQ(f.monthIndex, 0);
  EXPECT_EQ(f.day, "1");
  EXPECT_EQ(f.year, "1901");
  EXPECT_EQ(f.hour, "0");
  EXPECT_TRUE(f.north);
  EXPECT_TRUE(f.east);
  EXPECT_FALSE(f.dst);
  EXPECT_EQ(f.zoneIndex, 0);
}

TEST(ReadZoneOffset, TheClocksOffsetEastOfGreenwichAsTheListsNumbers) {
  // The numbers follow the list's rows: west positive, minutes with the sign of the hours.
  const struct {
    const char* name;
    const char* text;
    std::optional<ZoneCorrection> zone;
  } rows[] = {
      {"Nepal", "+5:45", ZoneCorrection{-5, -45}},
      {"Venezuela 2007-2016", "-4:30", ZoneCorrection{4, 30}},
      {"east under an hour: hours 0, minutes signed", "+0:20", ZoneCorrection{0, -20}},
      {"west under an hour", "-0:25", ZoneCorrection{0, 25}},
      {"two-digit hours", "+10:30", ZoneCorrection{-10, -30}},
      {"a leading zero", "+05:45", ZoneCorrection{-5, -45}},
      {"Greenwich either way", "-0:00", ZoneCorrection{0, 0}},
      {"the largest", "+14:59", ZoneCorrection{-14, -59}},
      {"past the largest", "+15:00", std::nullopt},
      {"no sign: east or west?", "5:45", std::nullopt},
      {"one digit of minutes", "+5:4", std::nullopt},
      {"minutes past 59", "+5:60", std::nullopt},
      {"a decimal hour as the list writes it", "+5.75", std::nullopt},
      {"blank inside", "+ 5:45", std::nullopt},
      {"three digits of hours", "+005:45", std::nullopt},
      {"seconds", "+5:21:10", std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const auto& r : rows) EXPECT_EQ(parseZoneOffset(r.text), r.zone) << r.name;
  // What the core writes back reads back to the same numbers.
  for (int minutes = -kMaxCustomZoneMinutes; minutes <= kMaxCustomZoneMinutes; ++minutes) {
    const ZoneCorrection zone{-(minutes / 60), -(minutes % 60)};
    EXPECT_EQ(parseZoneOffset(ZoneOffsetText(zone)), zone) << minutes;
  }
}

TEST(ReadFormFlags, APlaceAndACustomZone) {
  const std::vector<std::string> args = {"--place", "Kathmandu, Nepal", "--city", "Kathmandu", "--zone-offset", "+5:45"};
  const ReadResult read = readFormFlags(args, commandLine());
  ASSERT_TRUE(std::holds_alternative<ReadForm>(read)) << messageOf(read);
  const FormInput& f = formOf(read);
  EXPECT_EQ(f.place, "Kathmandu, Nepal") << "the place is carried as typed, for the caller to resolve";
  EXPECT_EQ(f.zoneIndex, kCustomZonePosition);
  ASSERT_TRUE(f.customZone.has_value());
  EXPECT_EQ(*f.customZone, (CustomZone{"Local clock of Kathmandu, +5:45", -5, -45}));

  const ReadResult json = readFormJson(R"({"zone-offset": "-4:30"})");
  ASSERT_TRUE(std::holds_alternative<ReadForm>(json)) << messageOf(json);
  EXPECT_EQ(*formOf(json).customZone, (CustomZone{"Local clock, -4:30", 4, 30})) << "without a city";

  const FlagRow rows[] = {
      {"a row and the custom entry", {"--zone", "34", "--zone-offset", "+5:45"},
       "--zone and --zone-offset cannot both be given"},
      {"no sign", {"--zone-offset", "5:45"},
       "--zone-offset takes the clock's offset from Greenwich as +H:MM or -H:MM, east positive (+5:45, -4:30) and "
       "at most 14:59, not \"5:45\""},
      {"a negative offset is a value, not a flag", {"--zone-offset", "-4:30"}, nullptr},
      {"the place twice", {"--place", "Pune", "--place", "Delhi"}, "--place is given twice"},
      {"a place that is not UTF-8", {"--place", "Z\xfcrich"}, "--place is not valid UTF-8"},
  };
  for (const auto& r : rows) {
    const ReadResult got = readFormFlags(r.args, commandLine());
    if (!r.message) {
      EXPECT_TRUE(std::holds_alternative<ReadForm>(got)) << r.name << ": " << messageOf(got);
      continue;
    }
    EXPECT_EQ(messageOf(got), r.message) << r.name;
  }
  EXPECT_EQ(messageOf(readFormJson(R"({"zone-offset": 5.75})")), "zone-offset takes a text, not a number");
  EXPECT_EQ(messageOf(readFormJson(R"({"place": 7})")), "place takes a text, not a number");
}

TEST(FailureMessage, NamesTheFlagOrKeyOfTheCheckedControl) {
  struct Row {
    const char* name;
    FormInput form;
    KeyStyle style;
    const char* message;
  };
  FormInput noName;
  FormInput badLatitude = std::get<ReadForm>(readFormJson(kNewDelhi)).form;
  badLatitude.latDeg = "90";
  FormInput april31 = badLatitude;
  april31.latDeg = "28";
  april31.monthIndex = 3;
  april31.day = "31";
  FormInput lonMinute = april31;
  lonMinute.monthIndex = 0;
  lonMinute.lonMin = "";
  const Row rows[] = {
      {"name", noName, KeyStyle::Flag, "--name: Please Enter Name"},
      {"name as a key", noName, KeyStyle::Json, "name: Please Enter Name"},
      {"latitude degree", badLatitude, KeyStyle::Flag,
       "--lat-deg: Please Enter Value Between 0 And 89 in the Degree of Latitude"},
      {"longitude minute", lonMinute, KeyStyle::Json,
       "lon-min: Please Enter Value Between 0 And 59 in the  Minute of Longitude"},
      {"the date checks concern month and day", april31, KeyStyle::Flag,
       "--month and --day: Please Enter Correct Date Or Month !"},
      {"and as keys", april31, KeyStyle::Json, "month and day: Please Enter Correct Date Or Month !"},
  };
  for (const auto& r : rows) {
    const auto failure = Validate_Entries(r.form);
    ASSERT_TRUE(failure.has_value()) << r.name;
    EXPECT_EQ(failureMessage(*failure, r.style), r.message) << r.name;
  }
  EXPECT_EQ(failureMessage({"Please choose the year of birth from its list.", MessageIcon::Information, "cboYear"},
                           KeyStyle::Json),
            "year: Please choose the year of birth from its list.");
}

// What every answer must be, whatever the input: a form whose fields the entry form could hold,
// or one short message in valid UTF-8 on one line.
void expectSoundResult(const ReadResult& read, const std::string& input) {
  if (const auto* e = std::get_if<FormError>(&read)) {
    ASSERT_FALSE(e->message.empty()) << input;
    ASSERT_TRUE(isValidUtf8(e->message)) << e->message;
    ASSERT_LT(e->message.size(), 200u) << e->message;
    for (char c : e->message) ASSERT_GE(static_cast<unsigned char>(c), 0x20) << e->message;
    return;
  }
  const FormInput& f = std::get<ReadForm>(read).form;
  ASSERT_GE(f.monthIndex, 0);
  ASSERT_LE(f.monthIndex, 11);
  ASSERT_GE(f.zoneIndex, 0);
  if (f.zoneIndex == kCustomZonePosition) {
    ASSERT_TRUE(f.customZone.has_value());
    ASSERT_TRUE(IsValidCustomZone(*f.customZone));
  } else {
    ASSERT_LE(f.zoneIndex, 70);
  }
  ASSERT_TRUE(isValidUtf8(f.place));
  for (const std::string* s : {&f.latDeg, &f.latMin, &f.lonDeg, &f.lonMin})
    ASSERT_EQ(s->find_first_not_of("0123456789"), std::string::npos) << *s;
  // A name the form could hold, already in capitals.
  ASSERT_EQ(CapitalisedName(f.name), std::optional<std::string>(f.name)) << f.name;
  for (const std::string* s : {&f.city, &f.state, &f.country}) ASSERT_TRUE(isValidUtf8(*s));
}

TEST(RandomInput, EveryJsonLineGetsASoundAnswer) {
  RandomInput random(20240611);
  int forms = 0;
  for (int i = 0; i < 30000; ++i) {
    const std::string line = random.jsonLine();
    const ReadResult read = readFormJson(line);
    expectSoundResult(read, line);
    forms += std::holds_alternative<ReadForm>(read);
  }
  EXPECT_GT(forms, 100) << "some random lines are forms";
}

TEST(RandomInput, EveryCommandLineGetsASoundAnswer) {
  RandomInput random(7);
  for (int i = 0; i < 30000; ++i) {
    const std::vector<std::string> args = random.flagArgs();
    std::string shown;
    for (const auto& a : args) shown += quoteForMessage(a) + " ";
    expectSoundResult(readFormFlags(args, commandLine()), shown);
  }
}

}  // namespace
}  // namespace halvora::forms
