// SPDX-License-Identifier: GPL-3.0-or-later
// The entry form's checks: their order, messages, icons and the control that gets the focus.
#include <gtest/gtest.h>

#include "chart/chart_request.h"
#include "support/births.h"

namespace halvora {
namespace {

FormInput validForm() { return testing_support::newDelhiForm(); }

constexpr const char* kLonDeg = "Please Enter Value Between 0 And 179 in the Degree of Longitude";
constexpr const char* kLonMin = "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
constexpr const char* kLatDeg = "Please Enter Value Between 0 And 89 in the Degree of Latitude";
constexpr const char* kLatMin = "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
constexpr const char* kFebruary = "Please Enter Correct Date Or Month!";
constexpr const char* kThirtyDays = "Please Enter Correct Date Or Month !";
constexpr const char* kYear = "Please choose the year of birth from its list.";

struct CheckRow {
  const char* name;
  void (*change)(FormInput&);
  const char* message;  // nullptr: the form passes
  MessageIcon icon;
  const char* focus;
};

TEST(Validate_Entries, ChecksMessagesIconsAndFocus) {
  const CheckRow rows[] = {
      {"valid form", [](FormInput&) {}, nullptr, MessageIcon::Error, ""},
      {"empty name", [](FormInput& f) { f.name = ""; }, "Please Enter Name", MessageIcon::Error, "txtName"},
      {"blank name", [](FormInput& f) { f.name = "   "; }, "Please Enter Name", MessageIcon::Error, "txtName"},
      {"name first of all", [](FormInput& f) { f.name = ""; f.lonDeg = "500"; f.day = "31"; }, "Please Enter Name",
       MessageIcon::Error, "txtName"},
      {"longitude 179 passes", [](FormInput& f) { f.lonDeg = "179"; }, nullptr, MessageIcon::Error, ""},
      {"longitude 180", [](FormInput& f) { f.lonDeg = "180"; }, kLonDeg, MessageIcon::Error, "txtLonD"},
      {"empty longitude degree", [](FormInput& f) { f.lonDeg = " "; }, kLonDeg, MessageIcon::Error, "txtLonD"},
      {"negative longitude degree", [](FormInput& f) { f.lonDeg = "-1"; }, kLonDeg, MessageIcon::Error, "txtLonD"},
      {"degree without a number counts as 0", [](FormInput& f) { f.lonDeg = "x"; }, nullptr, MessageIcon::Error, ""},
      {"empty longitude minute", [](FormInput& f) { f.lonMin = ""; }, kLonMin, MessageIcon::Error, "txtLonM"},
      {"longitude minute 60", [](FormInput& f) { f.lonMin = "60"; }, kLonMin, MessageIcon::Error, "txtLonM"},
      {"longitude minute not a number", [](FormInput& f) { f.lonMin = "5a"; }, kLonMin, MessageIcon::Error, "txtLonM"},
      {"longitude before latitude", [](FormInput& f) { f.lonMin = "60"; f.latDeg = "90"; }, kLonMin,
       MessageIcon::Error, "txtLonM"},
      {"latitude 89 passes", [](FormInput& f) { f.latDeg = "89"; }, nullptr, MessageIcon::Error, ""},
      {"latitude 90", [](FormInput& f) { f.latDeg = "90"; }, kLatDeg, MessageIcon::Error, "txtLatD"},
      {"empty latitude minute", [](FormInput& f) { f.latMin = ""; }, kLatMin, MessageIcon::Error, "txtLatM"},
      {"latitude minute 59 passes", [](FormInput& f) { f.latMin = "59"; }, nullptr, MessageIcon::Error, ""},
      {"latitude minute not a number", [](FormInput& f) { f.latMin = "."; }, kLatMin, MessageIcon::Error, "txtLatM"},
      {"29 February 2000", [](FormInput& f) { f.day = "29"; f.year = "2000"; }, nullptr, MessageIcon::Error, ""},
      {"29 February 2001", [](FormInput& f) { f.day = "29"; f.year = "2001"; }, kFebruary, MessageIcon::Information, "cboDate"},
      {"30 February 2000", [](FormInput& f) { f.day = "30"; f.year = "2000"; }, kFebruary, MessageIcon::Information, "cboDate"},
      {"28 February 2001", [](FormInput& f) { f.day = "28"; f.year = "2001"; }, nullptr, MessageIcon::Error, ""},
      {"31 April", [](FormInput& f) { f.monthIndex = 3; f.day = "31"; }, kThirtyDays, MessageIcon::Information, "cboDate"},
      {"31 June", [](FormInput& f) { f.monthIndex = 5; f.day = "31"; }, kThirtyDays, MessageIcon::Information, "cboDate"},
      {"31 September", [](FormInput& f) { f.monthIndex = 8; f.day = "31"; }, kThirtyDays, MessageIcon::Information, "cboDate"},
      {"31 November", [](FormInput& f) { f.monthIndex = 10; f.day = "31"; }, kThirtyDays, MessageIcon::Information, "cboDate"},
      {"30 April", [](FormInput& f) { f.monthIndex = 3; f.day = "30"; }, nullptr, MessageIcon::Error, ""},
      {"31 December", [](FormInput& f) { f.monthIndex = 11; f.day = "31"; }, nullptr, MessageIcon::Error, ""},
      // The year list runs from 1901 to 2050, the span of the retrograde tables.
      {"first year of the list", [](FormInput& f) { f.year = "1901"; }, nullptr, MessageIcon::Error, ""},
      {"last year of the list", [](FormInput& f) { f.year = "2050"; }, nullptr, MessageIcon::Error, ""},
      {"1900 lies before the list", [](FormInput& f) { f.year = "1900"; }, kYear, MessageIcon::Information, "cboYear"},
      {"2051 lies after the list", [](FormInput& f) { f.year = "2051"; }, kYear, MessageIcon::Information, "cboYear"},
      {"29 February 1900 is no leap day", [](FormInput& f) { f.day = "29"; f.year = "1900"; }, kYear,
       MessageIcon::Information, "cboYear"},
      {"29 February 2100 is no leap day", [](FormInput& f) { f.day = "29"; f.year = "2100"; }, kYear,
       MessageIcon::Information, "cboYear"},
      {"year 1", [](FormInput& f) { f.year = "1"; }, kYear, MessageIcon::Information, "cboYear"},
  };
  for (const auto& r : rows) {
    FormInput f = validForm();
    r.change(f);
    const auto failure = Validate_Entries(f);
    if (!r.message) {
      EXPECT_FALSE(failure.has_value()) << r.name << ": " << (failure ? failure->message : "");
      continue;
    }
    ASSERT_TRUE(failure.has_value()) << r.name;
    EXPECT_EQ(failure->message, r.message) << r.name;
    EXPECT_EQ(failure->icon, r.icon) << r.name;
    EXPECT_EQ(failure->focus, r.focus) << r.name;
  }
}

TEST(RunChartRequest, AFailedCheckComputesNothing) {
  FormInput f = validForm();
  f.name = " ";
  const auto outcome = RunChartRequest(f);
  ASSERT_TRUE(std::holds_alternative<ValidationFailure>(outcome));
  EXPECT_EQ(std::get<ValidationFailure>(outcome).message, "Please Enter Name");
}

TEST(RunChartRequest, FieldsRoundHalvesToEven) {
  FormInput f = validForm();
  f.lonMin = "12.5";
  f.latMin = "13.5";
  const auto outcome = RunChartRequest(f);
  ASSERT_TRUE(std::holds_alternative<ChartResult>(outcome));
  const BirthData& b = std::get<ChartResult>(outcome).birth;
  EXPECT_EQ(b.LonMin, 12);
  EXPECT_EQ(b.LatMin, 14);
}

}  // namespace
}  // namespace halvora
