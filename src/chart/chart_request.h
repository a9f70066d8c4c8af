// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart request: the entry form's values in, the first validation failure or a finished chart out.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "chart/sign_names.h"
#include "chart/sign_profiles.h"
#include "chart/sunrise_choice.h"
#include "chart/time_zone_table.h"
#include "ephemeris/birth_data.h"
#include "ephemeris/date_time.h"
#include "ephemeris/moon.h"
#include "planets/ascendant.h"
#include "planets/planets.h"
#include "planets/position_model.h"
#include "planets/retrogrades.h"

namespace halvora {

// The raw values of the entry form, as its controls hold them.
struct FormInput {
  std::string name;          // txtName, as typed
  int monthIndex = 0;        // cboMonth list position, 0 = January
  std::string day = "1";     // cboDate text
  std::string year = "1901"; // cboYear text
  std::string hour = "0";    // cboHH text
  std::string minute = "0";  // cboMM text
  std::string second = "0";  // cboSS text
  std::string city, state, country;  // txtMCity, txtMState, txtMCountry
  std::string latDeg, latMin;        // txtLatD, txtLatM
  std::string lonDeg, lonMin;        // txtLonD, txtLonM
  bool north = true;         // optLat element 0 selected ("North"); false means "South"
  bool east = true;          // optLong element 0 selected ("East"); false means "West"
  bool dst = false;          // chkDST ticked
  int zoneIndex = 0;         // cmbTimeZone list position: 0..70 a row, kCustomZonePosition the custom entry
  std::optional<CustomZone> customZone;  // the list's entry after its rows, when it has one
  std::string place;  // the atlas place the form was filled from ("Pune, Maharashtra, India"); the chart ignores it
  friend bool operator==(const FormInput&, const FormInput&) = default;
};

enum class MessageIcon { Error, Information };

// A failed check: the message box's text and icon, and the control that gets the focus (empty: unchanged).
struct ValidationFailure {
  std::string message;
  MessageIcon icon = MessageIcon::Error;
  std::string focus;
  friend bool operator==(const ValidationFailure&, const ValidationFailure&) = default;
};

// The seven checks of the entry form in their order; nothing when the form may be calculated.
std::optional<ValidationFailure> Validate_Entries(const FormInput& form);

// The person's details as the results window shows them.
struct Details {
  std::string lblName, lblDOB, lblTOB, lblLatitude, lblLongitude, lblCity, lblState, lblCountry;
};

// Everything one request computes, and every caption the results window shows.
struct ChartResult {
  BirthData birth;
  ZoneCorrection zone;
  std::optional<int> zoneRow;  // the list row of the zone, 0..70; nothing for the custom entry
  std::string zoneText;        // the zone entry's text as the list shows it
  AscendantResult ascendant;
  MoonResult moon;
  ChartPositions chartPositions;  // at birth; element i is the caption of planet(i)
  RetrogradeMarks retrogrades;    // flags and the ten labels written into the chart
  std::array<std::string, 12> signLabels;  // captions of lblAries .. lblPisces, by sign index
  std::array<std::string, 12> markers;     // captions of lblArudha(0..11), by sign index
  int AscSignNumber = 0;                   // 1..12
  Details details;
  ModelDescription model;  // the position model that computed the chart
  LocalDateTime birthMoment;  // the local clock of the birth, with its seconds

  // The chosen sunrise and the time between it and the birth; absent at a place without sunrise.
  std::optional<LocalDateTime> sunrise;
  std::optional<std::int64_t> ElapsedMinutes;
  std::optional<std::int64_t> ElapsedSeconds;
  std::optional<double> SunriseSunLongitude;
  std::optional<MissingSunrise> missingSunrise;  // the date without sunrise or sunset, and why
  std::optional<std::string> notice;  // NoSunriseNotice of missingSunrise, shown above the results

  double SreeLagnaDeg = 0;
  int SreeLagnaSignNumber = 0;  // 1..12; 0 when its text has no sign
  int SreeLagnaSignIndex = -1;  // 0..11; -1 when its text has no sign
  int SreeLagnaHouse = 0;       // 1..12; 0 when the Sree Lagna has no sign

  // The constant texts are views into their tables, which live as long as the program.
  std::string_view houseText;  // caption of lblHoraDesc
  // The profile of the Sree Lagna's sign, control name and text in the write order; empty when
  // the Sree Lagna has no sign.
  std::span<const ControlText> profile;
};

// Names of the sign labels of the chart, by sign index.
inline constexpr std::array<std::string_view, 12> kSignLabelNames = {
    "lblAries", "lblTaurus", "lblGemini",      "lblCancer",    "lblLeo",      "lblVirgo",
    "lblLibra", "lblScorpio", "lblSagattarius", "lblCapricorn", "lblAquarius", "lblPisces"};

// The lord of each sign by sign index (the signs' names are in chart/sign_names.h).
inline constexpr std::array<std::string_view, 12> SignLords = {
    "Mars", "Venus", "Mercury", "Moon", "Sun", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Saturn", "Jupiter"};

using ChartRequestOutcome = std::variant<ValidationFailure, ChartResult>;

// Validates the form and, when it passes, computes the whole chart with the built-in model. Never
// keeps anything between calls.
ChartRequestOutcome RunChartRequest(const FormInput& form);

// The same, with the positions (ascendant, Moon, planets, nodes, retrograde marks, sunrises) of the
// given model; everything made from them is the same whichever model computed them.
ChartRequestOutcome RunChartRequest(const FormInput& form, const PositionModel& model);

}  // namespace halvora
