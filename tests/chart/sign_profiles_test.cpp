// SPDX-License-Identifier: GPL-3.0-or-later
// Sign profiles, prediction paragraphs and Sree Lagna house texts.
#include "chart/sign_profiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace halvora {
namespace {

constexpr std::size_t kMinParagraph = 80;
constexpr std::size_t kMaxParagraph = 880;

bool isPlainAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c >= ' ' && c <= '~'; });
}

bool mentionsYou(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("you") != std::string::npos;
}

std::string rowName(std::string_view name) { return std::string(name); }

// ---------------------------------------------------------------------------------------------
// Short fields, one row per sign, columns grouped as the published tables group them:
// names; element and qualities; caste to body part (physique before part of the body);
// lucky things; compatibility.
struct ShortRow {
  int index;
  std::string_view english, vedic, abbreviation, ruler, symbol;
  std::string_view nature, color, typeOfSign, gender, bestPeriod, barren;
  std::string_view caste, position, constituent, physique, bodyPart;
  std::string_view luckyDays, luckyNumbers, direction, luckyColors, gemstone;
  std::string_view compatible, notCompatible;
};

const ShortRow kShortRows[] = {
    {0, "Aries", "Mesha", "Ari", "Mars", "The Ram",
     "Fire", "Red, Brown, Copper", "Movable", "Male", "Night", "Barren",
     "Kshatriya", "Dwara", "Mineral (Dhatu)", "Short", "Head",
     "Monday, Tuesday", "9, 1", "East", "Red, Brown, Copper", "Coral",
     "Leo, Sagittarius, Gemini, Aquarius, Libra", "Scorpio, Pisces, Cancer"},
    {1, "Taurus", "Vrishabha", "Tau", "Venus", "The Bull",
     "Earth", "White", "Fixed", "Female", "Night", "Semi-Fruitful",
     "Vaisya", "Bahya", "Vegetable (Moola)", "Short", "Face",
     "Thursday, Friday", "2, 8", "South", "Pink, Green", "Diamond",
     "Cancer, Virgo, Scorpio, Capricorn, Pisces", "Gemini, Aquarius, Libra"},
    {2, "Gemini", "Mithuna", "Gem", "Mercury", "The Twins",
     "Air", "Green", "Mixed", "Female", "Night", "Barren",
     "Sudra", "Garbha", "Animal (Jeeva)", "Even", "Shoulders",
     "Monday, Wednesday", "3, 7", "West", "Yellow, Purple, Blue", "Emerald",
     "Aries, Leo, Libra, Sagittarius, Aquarius", "Taurus, Virgo, Capricorn"},
    {3, "Cancer", "Kataka", "Can", "Moon", "The Crab",
     "Water", "Pink", "Movable", "Female", "Night", "Fruitful",
     "Brahmana", "Dwara", "Mineral (Dhatu)", "Even", "Chest",
     "Monday, Thursday", "2, 7, 9", "North", "White, Red, Yellow", "Pearl",
     "Virgo, Scorpio, Capricorn, Pisces, Taurus", "Aries, Leo, Sagittarius"},
    {4, "Leo", "Simha", "Leo", "Sun", "The Lion",
     "Fire", "White", "Fixed", "Male", "Day", "Barren",
     "Kshatriya", "Bahya", "Vegetable (Moola)", "Tall", "Heart & Stomach",
     "Sunday, Monday", "1, 4, 5, 9", "East", "Orange, Red, Green", "Ruby",
     "Libra, Sagittarius, Aquarius, Aries, Gemini", "Scorpio, Pisces, Cancer"},
    {5, "Virgo", "Kanya", "Vir", "Mercury", "The Virgin",
     "Earth", "Multicolored", "Mixed", "Female", "Day", "Barren",
     "Vaisya", "Garbha", "Animal (Jeeva)", "Tall", "Abdomen",
     "Wednesday, Friday", "2, 3, 5, 6", "South", "Green", "Emerald",
     "Scorpio, Capricorn, Pisces, Cancer", "Gemini, Aquarius, Libra"},
    {6, "Libra", "Thula", "Lib", "Venus", "The Balance",
     "Air", "Black", "Movable", "Male", "Day", "Semi-Fruitful",
     "Sudra", "Dwara", "Mineral (Dhatu)", "Tall", "Lower Abdomen & Groin",
     "Friday, Wednesday, Thursday", "1, 2, 4", "West", "White, Green, Yellow", "Diamond",
     "Sagittarius, Aquarius, Aries, Gemini, Leo", "Taurus, Virgo, Capricorn"},
    {7, "Scorpio", "Vrischika", "Sco", "Mars", "The Scorpion",
     "Water", "Reddish Brown", "Fixed", "Female", "Day", "Fruitful",
     "Brahmana", "Bahya", "Vegetable (Moola)", "Tall", "External Genitalia",
     "Monday, Tuesday, Thursday", "3, 7, 9", "North", "Brown, Red, Yellow, White", "Coral",
     "Capricorn, Pisces, Taurus, Cancer, Virgo", "Aries, Leo, Sagittarius"},
    {8, "Sagittarius", "Dhanus", "Sag", "Jupiter", "The Archer",
     "Fire", "Yellowish brown", "Mixed", "Male", "Night", "Semi-Fruitful",
     "Kshatriya", "Garbha", "Animal (Jeeva)", "Even", "Thighs",
     "Sunday, Thursday", "3, 5, 6, 8", "East", "Yellow, Gray, Brown", "Yellow Sapphire",
     "Aquarius, Aries, Gemini, Leo, Libra", "Scorpio, Pisces, Cancer"},
    {9, "Capricorn", "Makara", "Cap", "Saturn", "The Crocodile",
     "Earth", "Multicolored", "Movable", "Female", "Night", "Barren",
     "Vaisya", "Dwara", "Mineral (Dhatu)", "Even", "Knees",
     "Saturday, Wednesday", "6, 8, 9", "South", "Black, Blue", "Blue Sapphire",
     "Pisces, Taurus, Cancer, Virgo, Scorpio", "Gemini, Aquarius, Libra"},
    {10, "Aquarius", "Kumbha", "Aqu", "Saturn", "The Water Carrier",
     "Air", "Deep Brown", "Fixed", "Male", "Day", "Semi-Fruitful",
     "Sudra", "Bahya", "Vegetable (Moola)", "Short", "Calves",
     "Thursday, Friday, Saturday", "2, 3, 7, 9", "West", "Blue, Black", "Blue Sapphire",
     "Aquarius, Libra, Gemini", "Taurus, Virgo, Capricorn"},
    {11, "Pisces", "Meena", "Pis", "Jupiter", "The Double Fish",
     "Water", "Blue", "Mixed", "Female", "Day", "Fruitful",
     "Brahmana", "Garbha", "Animal (Jeeva)", "Short", "Feet",
     "Thursday, Monday, Tuesday", "1, 3, 4", "North", "Pink, Cream", "Yellow Sapphire",
     "Taurus, Cancer, Virgo, Scorpio, Capricorn", "Aries, Leo, Sagittarius"},
};

void PrintTo(const ShortRow& row, std::ostream* os) { *os << row.english; }

class SignShortFields : public ::testing::TestWithParam<ShortRow> {};

TEST_P(SignShortFields, MatchTheTablesExactly) {
  const ShortRow& row = GetParam();
  const SignProfile& p = FillSignProfiles()[static_cast<std::size_t>(row.index)];
  EXPECT_EQ(p.EnglishName, row.english);
  EXPECT_EQ(p.VedicName, row.vedic);
  EXPECT_EQ(p.Abbreviation, row.abbreviation);
  EXPECT_EQ(p.RulingPlanet, row.ruler);
  EXPECT_EQ(p.Symbol, row.symbol);
  EXPECT_EQ(p.Nature, row.nature);
  EXPECT_EQ(p.Color, row.color);
  EXPECT_EQ(p.TypeOfSign, row.typeOfSign);
  EXPECT_EQ(p.Gender, row.gender);
  EXPECT_EQ(p.BestPeriodOfActivity, row.bestPeriod);
  EXPECT_EQ(p.Barren, row.barren);
  EXPECT_EQ(p.Caste, row.caste);
  EXPECT_EQ(p.Position, row.position);
  EXPECT_EQ(p.ConstituentCharacter, row.constituent);
  EXPECT_EQ(p.Physique, row.physique);
  EXPECT_EQ(p.PartOfTheBody, row.bodyPart);
  EXPECT_EQ(p.LuckyDays, row.luckyDays);
  EXPECT_EQ(p.LuckyNumbers, row.luckyNumbers);
  EXPECT_EQ(p.BestDirection, row.direction);
  EXPECT_EQ(p.LuckyColors, row.luckyColors);
  EXPECT_EQ(p.LuckyGemstone, row.gemstone);
  EXPECT_EQ(p.CompatibleWith, row.compatible);
  EXPECT_EQ(p.NotCompatibleWith, row.notCompatible);
}

INSTANTIATE_TEST_SUITE_P(SignTables, SignShortFields, ::testing::ValuesIn(kShortRows),
                         [](const auto& info) { return rowName(info.param.english); });

// ---------------------------------------------------------------------------------------------
// Prediction paragraphs: the opening words of each, per sign.
struct OpeningRow {
  int index;
  std::string_view sign;
  std::string_view looks, nature, career, love, health;
};

const OpeningRow kOpeningRows[] = {
    {0, "Aries", "You may be slim and of medium complexion.",
     "You are very independent and dynamic. You are", "You are ambitious by nature. You can make",
     "You are a romantic to the core by", "You may be prone to blood circulation problems,"},
    {1, "Taurus", "You are attractive and beautiful. You may usually",
     "You have a powerful and commanding personality. You",
     "You love spending on luxurious things. You will", "You may not express your emotions but you",
     "You may not enjoy good health all the"},
    {2, "Gemini", "You are tall slim and good looking. You",
     "You have an analytical mind. You have keen", "You will do very well in jobs that",
     "You are blessed with a long life. You", "You may have some problems of the sexual"},
    {3, "Cancer", "You have a medium stature and may be",
     "You are a patient person and very emotional.", "You have an artistic bent of mind. You",
     "Parents will mean a lot to you. You", "You may have stress and mental illnesses because"},
    {4, "Leo", "You are tall  and have broad squarely built", "You are a leader and can never take",
     "You can do well in professions that need", "You love living life king size. You are",
     "Heart problems may occur. Stomach and teeth too"},
    {5, "Virgo", "You are tall and slim with sharp features.",
     "You are practical and polished. You would like",
     "You are skilled in music and dance. Medicine", "You are not romantic at all. All your",
     "Your intestine and liver may give you some"},
    {6, "Libra", "You are tall and thin. You may have",
     "Justice means everything to you. You need to", "You could make a career of the artistic",
     "Being peaceful and loving by nature, you have", "Kidney and liver are your weak parts. You"},
    {7, "Scorpio", "You have broad body shape. You may be",
     "Mysterious is the first word that comes to", "You may come in possession of sudden legacies",
     "Your possessive nature may create problems in life.",
     "You may have problems from piles and colic."},
    {8, "Sagittarius", "You may be medium to tall and well",
     "You are very optimistic and spontaneous by nature.",
     "You always yearn to learn more in life.", "You may have some problem dealing with other",
     "Your body gives out too much heat, which"},
    {9, "Capricorn", "You have beautiful eyes. Your slender waist will",
     "You want to achieve a lot in life.", "Material wealth means a lot to you. At",
     "Domestic life will have its share of problems", "You may be prone to gout and blood"},
    {10, "Aquarius", "You have a fair complexion. Your well-formed body",
     "You are a thinker, philosopher and an idealist.", "You will do very well in public related",
     "You are influenced more by your friends than", "Your legs and eyes may be weak. You"},
    {11, "Pisces", "You have the perfect body with the right",
     "You are very creative and soft by nature.",
     "You are artistically inclined. You are also interested",
     "Your children will be very fortunate to be",
     "Common cold will be your constant companion. You"},
};

void PrintTo(const OpeningRow& row, std::ostream* os) { *os << row.sign; }

// One paragraph as the results window would show it: opening words, length, form.
void expectParagraph(std::string_view topic, std::string_view text, std::string_view opening) {
  SCOPED_TRACE(std::string(topic));
  EXPECT_TRUE(text.starts_with(opening)) << "begins: " << text.substr(0, opening.size() + 20);
  EXPECT_GE(text.size(), kMinParagraph);
  EXPECT_LE(text.size(), kMaxParagraph);
  EXPECT_TRUE(isPlainAscii(text)) << "line break or non-ASCII character";
  EXPECT_FALSE(text.ends_with(' ')) << "trailing blank";
  EXPECT_TRUE(text.ends_with('.')) << "paragraph is cut short";
  EXPECT_EQ(text.find(".."), std::string_view::npos);
  EXPECT_TRUE(mentionsYou(text)) << "not addressed to the reader";
}

class SignPredictionTexts : public ::testing::TestWithParam<OpeningRow> {};

TEST_P(SignPredictionTexts, BeginWithTheirOpeningWordsAndAreWholeParagraphs) {
  const OpeningRow& row = GetParam();
  const SignPredictions& t = PredictionsForSign(row.index);
  expectParagraph("Looks", t.Looks, row.looks);
  expectParagraph("Nature", t.Nature, row.nature);
  expectParagraph("CareerAndFinance", t.CareerAndFinance, row.career);
  expectParagraph("LoveAndDomesticLife", t.LoveAndDomesticLife, row.love);
  expectParagraph("Health", t.Health, row.health);
}

// The profile must carry each paragraph in its own field, not a neighbour's.
TEST_P(SignPredictionTexts, ProfileCarriesEachParagraphInItsField) {
  const OpeningRow& row = GetParam();
  const SignProfile& p = FillSignProfiles()[static_cast<std::size_t>(row.index)];
  EXPECT_EQ(p.EnglishName, row.sign);
  EXPECT_TRUE(p.Looks.starts_with(row.looks));
  EXPECT_TRUE(p.NatureText.starts_with(row.nature));
  EXPECT_TRUE(p.CareerAndFinance.starts_with(row.career));
  EXPECT_TRUE(p.LoveAndDomesticLife.starts_with(row.love));
  EXPECT_TRUE(p.Health.starts_with(row.health));
}

INSTANTIATE_TEST_SUITE_P(SignTables, SignPredictionTexts, ::testing::ValuesIn(kOpeningRows),
                         [](const auto& info) { return rowName(info.param.sign); });

TEST(SignPredictionsFixed, AriesHealthIsTheGivenTextInFull) {
  EXPECT_EQ(PredictionsForSign(0).Health,
            "You may be prone to blood circulation problems, head related illnesses and BP "
            "issues. Your eyes also may create problems.");
}

TEST(SignPredictionsFixed, LeoLooksKeepsTheDoubleBlank) {
  EXPECT_TRUE(PredictionsForSign(4).Looks.starts_with("You are tall  and"));
}

TEST(SignPredictionsFixed, NoTwoTextsAreAlike) {
  std::vector<std::string_view> all;
  for (int k = 0; k < 12; ++k) {
    const SignPredictions& t = PredictionsForSign(k);
    all.insert(all.end(), {t.Looks, t.Nature, t.CareerAndFinance, t.LoveAndDomesticLife, t.Health});
  }
  for (int house = 1; house <= 12; ++house) all.push_back(HouseSignificance(house));
  const std::set<std::string_view> distinct(all.begin(), all.end());
  EXPECT_EQ(distinct.size(), all.size());
  EXPECT_EQ(all.size(), 72u);
}

// ---------------------------------------------------------------------------------------------
// Sree Lagna house texts.
struct HouseRow {
  std::string_view name;
  int house;
  std::string_view opening;
};

const HouseRow kHouseRows[] = {
    {"House1", 1, "If you have a good reputation and are famous"},
    {"House2", 2, "Family life will gain importance. You will understand"},
    {"House3", 3, "Establish your creative pursuits and build a profitable"},
    {"House4", 4, "Your heart is where your home is. If"},
    {"House5", 5, "You will spend more time with your children"},
    {"House6", 6, "Survival of the fittest. That's the keyword of"},
    {"House7", 7, "You will crave for a partner and look"},
    {"House8", 8, "You will gain money from people who return"},
    {"House9", 9, "Wisdom and knowledge will be of utmost importance."},
    {"House10", 10, "Build your professional career and look at it"},
    {"House11", 11, "You will need to understand the importance of"},
    {"House12", 12, "You will gain money from foreign places."},
};

void PrintTo(const HouseRow& row, std::ostream* os) { *os << row.name; }

class HouseSignificanceText : public ::testing::TestWithParam<HouseRow> {};

TEST_P(HouseSignificanceText, BeginsWithItsOpeningWords) {
  const HouseRow& row = GetParam();
  const std::string_view text = HouseSignificance(row.house);
  EXPECT_TRUE(text.starts_with(row.opening)) << text.substr(0, row.opening.size() + 20);
  EXPECT_TRUE(isPlainAscii(text));
  EXPECT_LE(text.size(), kMaxParagraph);
  // Trailing blanks are allowed, but the words themselves end a sentence.
  const std::size_t lastWord = text.find_last_not_of(' ');
  ASSERT_NE(lastWord, std::string_view::npos);
  EXPECT_EQ(text[lastWord], '.');
  EXPECT_LE(text.size() - lastWord - 1, 4u) << "more than four trailing blanks";
}

INSTANTIATE_TEST_SUITE_P(HouseTexts, HouseSignificanceText, ::testing::ValuesIn(kHouseRows),
                         [](const auto& info) { return rowName(info.param.name); });

TEST(HouseSignificanceFixed, TwelfthHouseIsTheWholeGivenText) {
  EXPECT_EQ(HouseSignificance(12), "You will gain money from foreign places.");
}

TEST(HouseSignificanceFixed, HousesOneToElevenAreFullParagraphs) {
  for (int house = 1; house <= 11; ++house) {
    SCOPED_TRACE(house);
    EXPECT_GE(HouseSignificance(house).size(), kMinParagraph);
  }
}

TEST(HouseSignificanceFixed, SecondFifthAndNinthKeepTheirTrailingBlanks) {
  for (int house : {2, 5, 9}) {
    SCOPED_TRACE(house);
    EXPECT_TRUE(HouseSignificance(house).ends_with(' '));
  }
}

struct OutsideRow {
  std::string_view name;
  int house;
};

const OutsideRow kOutsideRows[] = {
    {"Zero", 0}, {"Thirteen", 13}, {"MinusOne", -1}, {"Large", 1000}};

void PrintTo(const OutsideRow& row, std::ostream* os) { *os << row.name; }

class HouseSignificanceOutside : public ::testing::TestWithParam<OutsideRow> {};

TEST_P(HouseSignificanceOutside, IsEmpty) { EXPECT_TRUE(HouseSignificance(GetParam().house).empty()); }

INSTANTIATE_TEST_SUITE_P(HouseTexts, HouseSignificanceOutside, ::testing::ValuesIn(kOutsideRows),
                         [](const auto& info) { return rowName(info.param.name); });

// ---------------------------------------------------------------------------------------------
// The profile as written to the results window.
TEST(SignProfileControlTexts, CapricornInWriteOrder) {
  const SignProfile& capricorn = FillSignProfiles()[9];
  const auto texts = ProfileControlTexts(capricorn);
  const std::string_view order[] = {
      "lblArudhaLagnaPresentInSign", "lblVedicName", "lblEnglishName", "lblRullingPlanet",
      "lblSymbol", "lblNature", "lblColor", "lblTypeOfSign", "lblGender",
      "lblBestPeriodOfActivity", "lblBarren", "lblCaste", "lblPosition",
      "lblConstituentCharacter", "lblLuckyDays", "lblLuckyNumbers", "lblBestDirection",
      "lblLuckyColors", "lblLuckyGemstone", "lblPartOfTheBody", "lblPhysique", "txtLooks",
      "txtNature", "txtCareerAndFinance", "txtLoveAndDomesticLife", "txtHealth",
      "lblCompatibleWith", "lblNotCompatibleWith"};
  ASSERT_EQ(texts.size(), std::size(order));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i].first, order[i]) << "position " << i;
  }
}

struct ControlRow {
  std::string_view name;
  std::size_t position;
  std::string_view expected;
};

const ControlRow kCapricornControls[] = {
    {"SreeLagnaSign", 0, "Capricorn"},
    {"VedicName", 1, "Makara"},
    {"EnglishName", 2, "Capricorn"},
    {"RulingPlanet", 3, "Saturn"},
    {"Symbol", 4, "The Crocodile"},
    {"Color", 6, "Multicolored"},
    {"LuckyGemstone", 18, "Blue Sapphire"},
    {"PartOfTheBody", 19, "Knees"},
    {"Physique", 20, "Even"},
    {"CompatibleWith", 26, "Pisces, Taurus, Cancer, Virgo, Scorpio"},
    {"NotCompatibleWith", 27, "Gemini, Aquarius, Libra"},
};

void PrintTo(const ControlRow& row, std::ostream* os) { *os << row.name; }

class SignProfileCapricornControl : public ::testing::TestWithParam<ControlRow> {};

TEST_P(SignProfileCapricornControl, ShowsTheTableValue) {
  const auto texts = ProfileControlTexts(FillSignProfiles()[9]);
  EXPECT_EQ(texts[GetParam().position].second, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(SignCapricorn, SignProfileCapricornControl,
                         ::testing::ValuesIn(kCapricornControls),
                         [](const auto& info) { return rowName(info.param.name); });

TEST(SignProfileControlTexts, TextBoxesCarryTheCapricornParagraphs) {
  const auto texts = ProfileControlTexts(FillSignProfiles()[9]);
  EXPECT_TRUE(texts[21].second.starts_with("You have beautiful eyes."));
  EXPECT_TRUE(texts[22].second.starts_with("You want to achieve a lot in life."));
  EXPECT_TRUE(texts[23].second.starts_with("Material wealth means a lot to you."));
  EXPECT_TRUE(texts[24].second.starts_with("Domestic life will have its share of problems"));
  EXPECT_TRUE(texts[25].second.starts_with("You may be prone to gout and blood"));
}

constexpr std::string_view kEnglishNames[] = {"Aries", "Taurus",      "Gemini",    "Cancer",   "Leo",   "Virgo",
                                               "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

TEST(SignProfileControlTexts, TheTableOfEverySignHoldsItsProfileAndNothingElse) {
  for (int k = 0; k < 12; ++k) {
    SCOPED_TRACE(k);
    const auto expected = ProfileControlTexts(FillSignProfiles()[static_cast<std::size_t>(k)]);
    const auto table = ProfileControlTextsOf(k);
    ASSERT_EQ(table.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(table[i], expected[i]) << i;
    EXPECT_EQ(table[0].second, kEnglishNames[static_cast<std::size_t>(k)]);
  }
  for (int outside : {-1, 12, 1000}) EXPECT_TRUE(ProfileControlTextsOf(outside).empty()) << outside;
}

}  // namespace
}  // namespace halvora
