// SPDX-License-Identifier: GPL-3.0-or-later
// The chart request takes every position from the model it is given and makes the rest of the chart
// from them alone: a recording model with chosen positions and sunrises shows what it was asked and
// that the chart follows its answers.
#include <gtest/gtest.h>

#include <vector>

#include "chart/chart_request.h"
#include "chart/special_points.h"
#include "ephemeris/calendar.h"
#include "support/births.h"

namespace halvora {
namespace {

// Positions chosen by the test: the Sun in Aries, the Moon 6°40′ into its nakshatra, the ascendant
// in Cancer, Saturn retrograde; every day rises at 6:00 and sets at 18:00.
class RecordingModel final : public PositionModel {
 public:
  std::optional<PolarSun> polar;  // every day without sunrise, when set
  mutable std::vector<int> birthSeconds;
  mutable std::vector<LocalDateTime> sunTimesDates;
  mutable std::vector<std::pair<LocalDateTime, bool>> sunAtClocks;

  static constexpr std::array<double, 10> kLongitudes = {5.5, 133.3 + 20.0 / 3, 40, 70, 200, 250, 310, 15, 195, 100.25};

  BirthPositions atBirth(const BirthData&, const ZoneCorrection&, int second) const override {
    birthSeconds.push_back(second);
    BirthPositions p;
    p.ascendant.AscendantDeg = kLongitudes[9];
    p.ascendant.AscendantDegInt = 100;
    p.ascendant.AscendantText = LongitudeToText(kLongitudes[9]);
    p.moon.MoonLongitudeDeg = kLongitudes[1];
    p.moon.MoonText = LongitudeToText(kLongitudes[1]);
    p.moon.MoonNakshatraStart = 133.3;
    for (std::size_t i = 0; i < 10; ++i) p.chartPositions[i] = ChartTextOfLongitude(kLongitudes[i]);
    for (std::size_t i = 0; i < 10; ++i) p.retrogrades.labels[i] = kPlainPlanetLabels[i];
    p.retrogrades.flags[4] = true;
    p.retrogrades.labels[6] += kRetrogradeMark;
    p.model = {"swiss", "raman", "true", 22.25, false};
    return p;
  }
  SunTimes sunTimes(const BirthData&, const ZoneCorrection&, const LocalDateTime& date) const override {
    sunTimesDates.push_back(date);
    SunTimes t;
    if (polar) {
      t.polar = polar;
      return t;
    }
    t.sunrise = LocalDateTime{date.year, date.month, date.day, 6, 0, 0};
    t.sunset = LocalDateTime{date.year, date.month, date.day, 18, 0, 0};
    return t;
  }
  SunriseSun sunAt(const BirthData&, const ZoneCorrection&, const LocalDateTime& clock, bool daylightSaving,
                   const BirthPositions&) const override {
    sunAtClocks.emplace_back(clock, daylightSaving);
    return {47.5, ChartTextOfLongitude(47.5)};
  }
  FastPoints fastPoints(const BirthData&, const ZoneCorrection&, const LocalDateTime&) const override {
    return {kLongitudes[9], kLongitudes[1], 133.3};
  }
};

ChartResult chartWith(const FormInput& form, const PositionModel& model) {
  const ChartRequestOutcome outcome = RunChartRequest(form, model);
  if (const auto* failure = std::get_if<ValidationFailure>(&outcome)) ADD_FAILURE() << failure->message;
  return std::get<ChartResult>(outcome);
}

TEST(PositionModelSeam, TheChartIsMadeFromTheModelsPositions) {
  const RecordingModel model;
  const FormInput form = testing_support::newDelhiForm();  // 22 February 2011, 9:05:30
  const ChartResult c = chartWith(form, model);

  EXPECT_EQ(model.birthSeconds, std::vector<int>{30});
  const std::vector<LocalDateTime> days = {{2011, 2, 22}, {2011, 2, 21}, {2011, 2, 23}};
  EXPECT_EQ(model.sunTimesDates, days);
  ASSERT_EQ(model.sunAtClocks.size(), 1u);
  EXPECT_EQ(model.sunAtClocks[0].first, (LocalDateTime{2011, 2, 22, 6, 0, 0}));

  EXPECT_EQ(c.chartPositions[0], "05 Ari 30");
  EXPECT_EQ(c.chartPositions[9], "10 Can 15");
  EXPECT_EQ(c.retrogrades.labels[6], "Saturn (R) ");
  EXPECT_EQ(c.AscSignNumber, 4);
  EXPECT_EQ(c.signLabels[3], "\r\nAsc");
  // Born 185 minutes after the model's sunrise, whose Sun is at 47.5°.
  EXPECT_EQ(c.ElapsedMinutes, 185);
  EXPECT_EQ(c.ElapsedSeconds, 185 * 60 + 30);
  EXPECT_EQ(c.SunriseSunLongitude, 47.5);
  // Half the nakshatra covered: the Sree Lagna lies opposite the ascendant, in Capricorn, house 7.
  EXPECT_DOUBLE_EQ(c.SreeLagnaDeg, SreeLagnaDegrees(100.25, 133.3 + 20.0 / 3, 133.3));
  EXPECT_NEAR(c.SreeLagnaDeg, 280.25, 1e-9);
  EXPECT_EQ(c.SreeLagnaSignIndex, 9);
  EXPECT_EQ(c.SreeLagnaHouse, 7);
  EXPECT_EQ(c.markers[9].substr(c.markers[9].size() - 3), "SrL");
  EXPECT_EQ(c.model, (ModelDescription{"swiss", "raman", "true", 22.25, false}));
}

TEST(PositionModelSeam, TheModelsSunrisesDecideTheChoice) {
  struct Row {
    const char* name;
    const char* hour;
    LocalDateTime sunrise;
    std::int64_t elapsedMinutes;
  } rows[] = {
      {"before sunrise: the day before's", "5", {2011, 2, 21, 6, 0, 0}, 23 * 60 + 5},
      {"in daylight: the day's own", "12", {2011, 2, 22, 6, 0, 0}, 6 * 60 + 5},
      {"after sunset: the next day's, time to it", "20", {2011, 2, 23, 6, 0, 0}, 9 * 60 + 55},
  };
  for (const Row& r : rows) {
    const RecordingModel model;
    FormInput form = testing_support::newDelhiForm();
    form.hour = r.hour;
    const ChartResult c = chartWith(form, model);
    ASSERT_TRUE(c.sunrise.has_value()) << r.name;
    EXPECT_EQ(*c.sunrise, r.sunrise) << r.name;
    EXPECT_EQ(c.ElapsedMinutes, r.elapsedMinutes) << r.name;
  }

  RecordingModel polar;
  polar.polar = PolarSun::Night;
  const ChartResult c = chartWith(testing_support::newDelhiForm(), polar);
  EXPECT_FALSE(c.sunrise.has_value());
  EXPECT_TRUE(polar.sunAtClocks.empty());
  ASSERT_TRUE(c.notice.has_value());
  EXPECT_EQ(c.notice->rfind("Polar night", 0), 0u) << *c.notice;
  EXPECT_EQ(c.SreeLagnaSignIndex, 9) << "the Sree Lagna needs no sunrise";
}

// The built-in model is the request as it always was: the same chart through either entry.
TEST(PositionModelSeam, TheBuiltInModelIsTheDefault) {
  const FormInput form = testing_support::newDelhiForm();
  const ChartResult byDefault = std::get<ChartResult>(RunChartRequest(form));
  const ChartResult chosen = chartWith(form, *std::get<std::shared_ptr<const PositionModel>>(
                                                 OpenPositionModel({EphemerisKind::Builtin})));
  EXPECT_EQ(byDefault.chartPositions, chosen.chartPositions);
  EXPECT_EQ(byDefault.markers, chosen.markers);
  EXPECT_EQ(byDefault.SreeLagnaDeg, chosen.SreeLagnaDeg);
  EXPECT_EQ(byDefault.model, chosen.model);
  EXPECT_EQ(chosen.model.ephemeris, "builtin");
  EXPECT_EQ(chosen.model.ayanamsaDeg, -chosen.ascendant.AyanamsaDeg);
}

}  // namespace
}  // namespace halvora
