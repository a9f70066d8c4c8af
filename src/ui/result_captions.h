// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the results window and the printed pages share: the program's caption, the names of
// the ten positions, and the sign profile's and the predictions' captions, each with the control
// of the results window that shows its value. Ordered as both lay them out.

namespace halvora::ui {

inline constexpr char kWindowCaption[] = "Halvora v1.15";

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

}  // namespace halvora::ui
