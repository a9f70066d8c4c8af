// SPDX-License-Identifier: GPL-3.0-or-later
// The core reads and writes numbers the same way in every locale: the desktop program runs under
// the user's locale, where a German user's decimal separator is a comma.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

#include "chart/chart_request.h"
#include "support/births.h"

namespace halvora {
namespace {

// Switches the C and C++ locales to German for the life of the object; `scripts/install-deps.sh`
// generates de_DE.UTF-8.
class GermanLocale {
 public:
  GermanLocale() : m_c(std::setlocale(LC_ALL, nullptr)) {
    m_active = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    if (m_active) m_previousCpp = std::locale::global(std::locale("de_DE.UTF-8"));
  }
  ~GermanLocale() {
    std::setlocale(LC_ALL, m_c.c_str());
    if (m_active) std::locale::global(m_previousCpp);
  }
  bool active() const { return m_active && std::string(std::localeconv()->decimal_point) == ","; }

 private:
  std::string m_c;
  std::locale m_previousCpp;
  bool m_active = false;
};

constexpr const char* kLonDeg = "Please Enter Value Between 0 And 179 in the Degree of Longitude";
constexpr const char* kLonMin = "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
constexpr const char* kLatDeg = "Please Enter Value Between 0 And 89 in the Degree of Latitude";
constexpr const char* kLatMin = "Please Enter Value Between 0 And 59 in the  Minute of Latitude";

struct LocaleRow {
  const char* name;
  void (*change)(FormInput&);
  const char* message;  // nullptr: the form passes
};

TEST(Locale, ChecksReadTheDecimalPointInAGermanLocale) {
  const LocaleRow rows[] = {
      {"latitude 89.5 lies above 89", [](FormInput& f) { f.latDeg = "89.5"; }, kLatDeg},
      {"longitude 179.5 lies above 179", [](FormInput& f) { f.lonDeg = "179.5"; }, kLonDeg},
      {"latitude minute 59.6 lies above 59", [](FormInput& f) { f.latMin = "59.6"; }, kLatMin},
      {"longitude minute 59.6 lies above 59", [](FormInput& f) { f.lonMin = "59.6"; }, kLonMin},
      {"a comma is no decimal point", [](FormInput& f) { f.lonMin = "5,5"; }, kLonMin},
      {"latitude 88.9 passes", [](FormInput& f) { f.latDeg = "88.9"; }, nullptr},
  };
  const GermanLocale german;
  ASSERT_TRUE(german.active()) << "de_DE.UTF-8 must be installed (scripts/install-deps.sh generates it)";
  for (const auto& r : rows) {
    FormInput f = testing_support::newDelhiForm();
    r.change(f);
    const auto failure = Validate_Entries(f);
    if (!r.message) {
      EXPECT_FALSE(failure.has_value()) << r.name << ": " << failure.value_or(ValidationFailure{}).message;
      continue;
    }
    ASSERT_TRUE(failure.has_value()) << r.name;
    EXPECT_EQ(failure->message, r.message) << r.name;
  }
}

TEST(Locale, AWholeChartIsTheSameUnderAGermanLocale) {
  FormInput f = testing_support::newDelhiForm();
  f.lonMin = "12.6";  // rounds to 13; read up to the point it would give 12
  f.latMin = "37.5";  // rounds to 38 (halves to even)
  const ChartResult plain = std::get<ChartResult>(RunChartRequest(f));
  ChartResult german;
  {
    const GermanLocale locale;
    ASSERT_TRUE(locale.active());
    german = std::get<ChartResult>(RunChartRequest(f));
  }
  EXPECT_EQ(german.birth.LonMin, 13);
  EXPECT_EQ(german.birth.LatMin, 38);
  EXPECT_EQ(german.ascendant.AscendantDeg, plain.ascendant.AscendantDeg);
  EXPECT_EQ(german.moon.MoonLongitudeDeg, plain.moon.MoonLongitudeDeg);
  EXPECT_EQ(german.SreeLagnaDeg, plain.SreeLagnaDeg);
  EXPECT_EQ(german.chartPositions, plain.chartPositions);
  EXPECT_EQ(german.markers, plain.markers);
  EXPECT_EQ(german.details.lblLatitude, plain.details.lblLatitude);
  EXPECT_EQ(german.ascendant.AscendantText, plain.ascendant.AscendantText);
}

}  // namespace
}  // namespace halvora
