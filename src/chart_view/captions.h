// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the results window, the printed pages and halvora-chart's readable page share: the
// program's caption, the signs' titles, the names of the ten positions, and the sign profile's and
// the predictions' captions, each with the control of the results window that shows its value.
// Ordered as they are laid out.

#include <cstddef>
#include <string>
#include <string_view>

#include "chart/sign_names.h"

namespace halvora::chart_view {

inline constexpr char kWindowCaption[] = "Halvora v1.15";

// A sign's English name and its three-letter abbreviation, by sign index 0 = Aries .. 11 = Pisces.
inline std::string_view signTitle(int signIndex) { return SignTitles.at(static_cast<std::size_t>(signIndex)); }
inline std::string_view signAbbreviation(int signIndex) { return SignNames.at(static_cast<std::size_t>(signIndex)); }

// What a cell writes for its sign: the sign's number (1..12), and with `withName` its abbreviation
// beside it ("5 Leo").
inline std::string signNumberText(int signIndex, bool withName) {
  std::string text = std::to_string(signIndex + 1);
  if (withName) (text += ' ') += signAbbreviation(signIndex);
  return text;
}

// By the order of the position list: chartPositions[i] is shown beside kPositionNames[i].
inline constexpr const char* kPositionNames[10] = {"Surya/Sun",       "Chandra/Moon",   "Budha/Mercury",
                                                   "Shukra/Venus",    "Mangala/Mars",   "Guru/Jupiter",
                                                   "Shani/Saturn",    "Rahu/North Node", "Ketu/South node",
                                                   "Asc/Lagna"};

struct CaptionedValue {
  const char* caption;
  const char* control;  // the control of the results window that shows the value
};

// The sign profile, row by row, three to a row; the first row's middle place is empty.
inline constexpr CaptionedValue kProfileGrid[8][3] = {
    {{"Vedic Name", "lblVedicName"}, {nullptr, nullptr}, {"Sree Lagna Present In Sign", "lblArudhaLagnaPresentInSign"}},
    {{"Ruling Planet", "lblRullingPlanet"}, {"Compatible With", "lblCompatibleWith"},
     {"Not Compatible With", "lblNotCompatibleWith"}},
    {{"Symbol", "lblSymbol"}, {"Nature", "lblNature"}, {"Color", "lblColor"}},
    {{"Type Of Sign", "lblTypeOfSign"}, {"Gender", "lblGender"}, {"Best Period Of Activity", "lblBestPeriodOfActivity"}},
    {{"Barren", "lblBarren"}, {"Caste", "lblCaste"}, {"Position", "lblPosition"}},
    {{"Constituent Character", "lblConstituentCharacter"}, {"Lucky Days", "lblLuckyDays"},
     {"Lucky Numbers", "lblLuckyNumbers"}},
    {{"Best Direction", "lblBestDirection"}, {"Lucky Colors", "lblLuckyColors"}, {"Lucky Gemstone", "lblLuckyGemstone"}},
    {{"Part Of The Body", "lblPartOfTheBody"}, {"Physique", "lblPhysique"}, {"English Name", "lblEnglishName"}},
};

// The five prediction texts.
inline constexpr CaptionedValue kPredictions[5] = {
    {"Looks", "txtLooks"},
    {"Nature", "txtNature"},
    {"Career And Finance", "txtCareerAndFinance"},
    {"Love And Domestic Life", "txtLoveAndDomesticLife"},
    {"Health", "txtHealth"},
};

}  // namespace halvora::chart_view
