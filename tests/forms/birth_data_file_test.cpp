// SPDX-License-Identifier: GPL-3.0-or-later
// Birth-data files: what is written reads back as the same form, a saved file is a batch line,
// and every kind of bad file is refused with a message naming the file and the problem.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "forms/birth_data_file.h"

namespace halvora {

// Readable failures: the form as the file would hold it.
void PrintTo(const FormInput& form, std::ostream* out) { *out << forms::formatBirthData(form); }

namespace forms {
namespace {

namespace fs = std::filesystem;

FormInput tromso() {
  FormInput f;
  f.name = "RAVI KUMAR";
  f.monthIndex = 11;
  f.day = "31";
  f.year = "2050";
  f.hour = "23";
  f.minute = "59";
  f.second = "59";
  f.city = "Tromsø";
  f.state = "Troms og Finnmark";
  f.country = "Norge";
  f.latDeg = "69";
  f.latMin = "39";
  f.north = false;
  f.lonDeg = "118";
  f.lonMin = "57";
  f.east = false;
  f.dst = true;
  f.zoneIndex = 70;
  return f;
}

// A form filled from the atlas for Kathmandu, whose clock (+5:45) no row of the zone list holds.
FormInput kathmandu() {
  FormInput f = tromso();
  f.city = "Kathmandu";
  f.state = "Bagmati Province";
  f.country = "Nepal";
  f.place = "Kathmandu, Bagmati Province, Nepal";
  f.north = true;
  f.east = true;
  f.dst = false;
  f.customZone = MakeCustomZone("Kathmandu", {-5, -45});
  f.zoneIndex = kCustomZonePosition;
  return f;
}

std::string messageOf(const BirthDataForm& r) {
  const auto* e = std::get_if<FileError>(&r);
  return e ? e->message() : "(read without error)";
}

TEST(BirthDataFile, WhatIsWrittenReadsBackAsTheSameForm) {
  FormInput quoted = tromso();
  quoted.city = "Saint-Jean \"Le Vieux\" \\ Bas";
  quoted.state = "Ελλάδα";
  quoted.country = "東京 🌍";
  FormInput partial;  // a form half filled in: empty boxes are kept as empty
  partial.name = "ASHA";
  partial.latDeg = "5";
  const struct {
    const char* name;
    FormInput form;
  } rows[] = {
      {"every field away from its default, non-ASCII place names", tromso()},
      {"a fresh form", FormInput{}},
      {"quotes, backslashes, Greek, Chinese and an emoji", quoted},
      {"half filled in", partial},
      {"a place of the atlas and a zone after the rows", kathmandu()},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string text = formatBirthData(row.form);
    const BirthDataForm back = parseBirthDataForm(text, "x.halvora");
    ASSERT_TRUE(std::holds_alternative<ReadForm>(back)) << messageOf(back) << "\n" << text;
    EXPECT_EQ(std::get<ReadForm>(back).form, row.form);
  }
}

// The layout of a file is documented, so it is pinned here.
TEST(BirthDataFile, IsPrettyPrintedUtf8WithTheVersionFirst) {
  EXPECT_EQ(formatBirthData(tromso()),
            "{\n"
            "  \"version\": 1,\n"
            "  \"name\": \"RAVI KUMAR\",\n"
            "  \"month\": 12,\n"
            "  \"day\": 31,\n"
            "  \"year\": 2050,\n"
            "  \"hour\": 23,\n"
            "  \"minute\": 59,\n"
            "  \"second\": 59,\n"
            "  \"city\": \"Troms\xc3\xb8\",\n"
            "  \"state\": \"Troms og Finnmark\",\n"
            "  \"country\": \"Norge\",\n"
            "  \"lat-deg\": \"69\",\n"
            "  \"lat-min\": \"39\",\n"
            "  \"north\": false,\n"
            "  \"lon-deg\": \"118\",\n"
            "  \"lon-min\": \"57\",\n"
            "  \"east\": false,\n"
            "  \"zone\": 70,\n"
            "  \"dst\": true\n"
            "}\n");
}

TEST(BirthDataFile, EveryKeyOfTheFormIsWrittenAndTheFileIsABatchLine) {
  // A form of a zone row, and one of the atlas with the entry after the rows: each key of the
  // form is written by one of them.
  const std::string row = formatBirthData(tromso());
  const std::string custom = formatBirthData(kathmandu());
  // The second key of each pair of opposite switches is implied by the first.
  const std::set<std::string_view> implied = {"south", "west"};
  for (const std::string_view key : formKeyNames()) {
    if (implied.contains(key)) continue;
    const std::string quoted = "\"" + std::string(key) + "\": ";
    EXPECT_TRUE(row.find(quoted) != std::string::npos || custom.find(quoted) != std::string::npos)
        << key << " is not written";
  }
  EXPECT_NE(custom.find("\"zone-offset\": \"+5:45\""), std::string::npos) << custom;
  EXPECT_NE(custom.find("\"place\": \"Kathmandu, Bagmati Province, Nepal\""), std::string::npos) << custom;
  EXPECT_EQ(custom.find("\"zone\": "), std::string::npos) << "a reader takes zone or zone-offset, not both";
  EXPECT_EQ(row.find("\"place\""), std::string::npos) << "no place is written as none";
  // A batch line takes "version" beside the form's keys and nothing else unknown.
  ReadOptions batch;
  batch.extraKeys = {kVersionKey};
  for (const auto& [text, form] : {std::pair{row, tromso()}, std::pair{custom, kathmandu()}}) {
    const ReadResult asLine = readFormJson(text, batch);
    ASSERT_TRUE(std::holds_alternative<ReadForm>(asLine)) << std::get<FormError>(asLine).message;
    EXPECT_EQ(std::get<ReadForm>(asLine).form, form);
  }
}

TEST(BirthDataFile, ABatchLineOpensAsAFile) {
  const BirthDataForm r = parseBirthDataForm(
      R"({"name":"CROWDED MAY","month":5,"day":10,"year":1980,"hour":12,"city":"Pune","lat-deg":"18","zone":34})",
      "line.halvora");
  ASSERT_TRUE(std::holds_alternative<ReadForm>(r)) << messageOf(r);
  const FormInput& f = std::get<ReadForm>(r).form;
  EXPECT_EQ(f.name, "CROWDED MAY");
  EXPECT_EQ(f.monthIndex, 4);
  EXPECT_EQ(f.day, "10");
  EXPECT_EQ(f.city, "Pune");
  EXPECT_EQ(f.zoneIndex, 34);
  EXPECT_EQ(f.minute, "0") << "a key not given keeps the fresh form's value";
}

TEST(BirthDataFile, EveryKindOfBadFileIsRefusedWithItsProblem) {
  const struct {
    const char* name;
    std::string text;
    const char* message;  // nullptr: read without error
  } rows[] = {
      {"not JSON", "month = 5", "ravi.halvora: the file is not a JSON object: expected '{' at byte 1"},
      {"an array", "[1, 2]", "ravi.halvora: the file is not a JSON object: expected '{' at byte 1"},
      {"cut short", "{\"version\": 1, \"name\": \"RAVI", "ravi.halvora: the file is not a JSON object: "
                                                        "a text has no closing quote at byte 29"},
      {"empty", "", "ravi.halvora: empty file"},
      {"not UTF-8", "{\"city\": \"caf\xe9\"}", "ravi.halvora: the file is not valid UTF-8 (byte 14)"},
      {"a NUL byte", std::string("{\"city\": \"a\0b\"}", 15), "ravi.halvora: the file holds a NUL byte"},
      {"a wrong type", R"({"version": 1, "month": "5"})",
       "ravi.halvora: month takes a whole number from 1 to 12, not a text"},
      {"a switch as a number", R"({"dst": 1})", "ravi.halvora: dst takes true or false, not a number"},
      {"out of range", R"({"version": 1, "year": 1900})",
       "ravi.halvora: year takes a whole number from 1901 to 2050, not 1900"},
      {"too many digits", R"({"lon-deg": "1800"})", "ravi.halvora: lon-deg takes at most 3 digits"},
      {"a name with digits", R"({"name": "R2D2"})", "ravi.halvora: name: Please Enter only Letters"},
      {"hemispheres that contradict", R"({"north": true, "south": true})",
       "ravi.halvora: north and south contradict each other"},
      {"a newer version", R"({"version": 2, "name": "RAVI"})",
       "ravi.halvora: version 2 comes from a newer Halvora; this one reads version 1"},
      {"a far newer version", R"({"version": 99999999999})",
       "ravi.halvora: version 99999999999 comes from a newer Halvora; this one reads version 1"},
      {"version 0", R"({"version": 0})", "ravi.halvora: version 0 is not a version of the birth-data format"},
      {"version as a text", R"({"version": "1"})", "ravi.halvora: version takes a whole number, not a text"},
      {"a negative version", R"({"version": -1})", "ravi.halvora: version takes a whole number, not -1"},
      {"a key given twice", R"({"zone": 3, "zone": 4})", "ravi.halvora: zone is given twice"},
      {"larger than 64 KiB", "{\"name\": \"" + std::string(70000, 'A') + "\"}",
       "ravi.halvora: the file is larger than 64 KiB (65536 bytes)"},
      {"unknown keys are skipped, whatever they hold", R"({"version": 1, "colour": [1, {"a": null}], "pdf": "x"})",
       nullptr},
      {"version 1 and no form keys", R"({"version": 1})", nullptr},
      {"a byte-order mark first, as Windows editors write it", "\xEF\xBB\xBF{\"version\": 1, \"month\": 5}", nullptr},
      {"a byte-order mark after a blank", " \xEF\xBB\xBF{\"version\": 1}",
       "ravi.halvora: the file is not a JSON object: expected '{' at byte 2"},
      {"two byte-order marks", "\xEF\xBB\xBF\xEF\xBB\xBF{\"version\": 1}",
       "ravi.halvora: the file is not a JSON object: expected '{' at byte 1"},
      {"a byte-order mark after the object", "{\"version\": 1}\xEF\xBB\xBF",
       "ravi.halvora: the file is not a JSON object: unexpected text after the object at byte 15"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const BirthDataForm r = parseBirthDataForm(row.text, "ravi.halvora");
    if (row.message) {
      EXPECT_EQ(messageOf(r), row.message);
    } else {
      EXPECT_TRUE(std::holds_alternative<ReadForm>(r)) << messageOf(r);
    }
  }
}

class BirthDataOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / ("halvora-files-" + std::to_string(::getpid()));
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }
  std::string write(const std::string& name, const std::string& text) {
    const fs::path p = m_dir / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
  fs::path m_dir;
};

TEST_F(BirthDataOnDisk, ReadsAFileAndRefusesWhatIsNoBirthDataFile) {
  const std::string good = write("good.halvora", formatBirthData(tromso()));
  const BirthDataForm read = readBirthDataForm(good);
  ASSERT_TRUE(std::holds_alternative<ReadForm>(read)) << messageOf(read);
  EXPECT_EQ(std::get<ReadForm>(read).form, tromso());

  const std::string big = write("big.halvora", std::string(65537, ' '));
  const std::string bad = write("bad.halvora", R"({"month": 13})");
  const std::string missing = (m_dir / "gone.halvora").string();
  const std::string folder = (m_dir / "folder.halvora").string();
  fs::create_directories(folder);
  const std::string oddName = write("odd\nname.halvora", "{}");
  const struct {
    const char* name;
    std::string path;
    std::string message;
  } rows[] = {
      {"larger than the limit", big, big + ": the file is larger than 64 KiB (65536 bytes)"},
      {"a value out of range", bad, bad + ": month takes a whole number from 1 to 12, not 13"},
      {"a file that is not there", missing, missing + ": cannot be opened: No such file or directory"},
      {"a folder", folder, folder + ": is a folder, not a birth-data file"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(messageOf(readBirthDataForm(row.path)), row.message);
  }
  // A name that would break the message's line is shown quoted and escaped; the file still reads.
  EXPECT_TRUE(std::holds_alternative<ReadForm>(readBirthDataForm(oddName)));
  const FileError odd{oddName, "is a folder, not a birth-data file"};
  EXPECT_EQ(odd.message().find('\n'), std::string::npos) << odd.message();
  EXPECT_NE(odd.message().find("odd\\x0Aname.halvora"), std::string::npos) << odd.message();
}

}  // namespace
}  // namespace forms
}  // namespace halvora
