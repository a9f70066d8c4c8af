// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The profile of each sign (names, lords, lucky things, compatibility and five prediction texts)
// and the texts on the house that the Sree Lagna occupies.

#include <array>
#include <span>
#include <string_view>
#include <utility>

namespace halvora {

struct SignProfile {
  std::string_view EnglishName;
  std::string_view VedicName;
  std::string_view Abbreviation;
  std::string_view RulingPlanet;
  std::string_view Symbol;
  std::string_view Nature;  // the element
  std::string_view Color;
  std::string_view TypeOfSign;
  std::string_view Gender;
  std::string_view BestPeriodOfActivity;
  std::string_view Barren;
  std::string_view Caste;
  std::string_view Position;
  std::string_view ConstituentCharacter;
  std::string_view LuckyDays;
  std::string_view LuckyNumbers;
  std::string_view BestDirection;
  std::string_view LuckyColors;
  std::string_view LuckyGemstone;
  std::string_view PartOfTheBody;
  std::string_view Physique;
  std::string_view Looks;                // prediction paragraphs, second person
  std::string_view NatureText;
  std::string_view CareerAndFinance;
  std::string_view LoveAndDomesticLife;
  std::string_view Health;
  std::string_view CompatibleWith;
  std::string_view NotCompatibleWith;
};

// The twelve profiles by sign index, 0 = Aries .. 11 = Pisces.
const std::array<SignProfile, 12>& FillSignProfiles();

// The five prediction paragraphs of a sign (looks, nature, career and finance, love and domestic
// life, health), kept apart from the short fields because they are prose.
struct SignPredictions {
  std::string_view Looks, Nature, CareerAndFinance, LoveAndDomesticLife, Health;
};
const SignPredictions& PredictionsForSign(int signIndex);

// The text on the significance of the Sree Lagna's house, 1..12; empty outside that range.
std::string_view HouseSignificance(int house);

// The profile as the results window shows it: control name and text, in the order they are written.
using ControlText = std::pair<std::string_view, std::string_view>;
std::array<ControlText, 28> ProfileControlTexts(const SignProfile& profile);

// ProfileControlTexts of the profile of a sign index 0..11, kept in a constant table; empty
// for any other index.
std::span<const ControlText> ProfileControlTextsOf(int signIndex);

}  // namespace halvora
