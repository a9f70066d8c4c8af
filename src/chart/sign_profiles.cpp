// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/sign_profiles.h"

#include "chart/sign_names.h"

namespace halvora {

namespace {

// Short fields of each sign; the prediction paragraphs come from PredictionsForSign.
// The English name and the abbreviation are the sign's names (chart/sign_names.h).
struct ShortFields {
  std::string_view VedicName;
  std::string_view RulingPlanet;
  std::string_view Symbol;
  std::string_view Nature;
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
  std::string_view CompatibleWith;
  std::string_view NotCompatibleWith;
};

constexpr std::array<ShortFields, 12> kShortFields = {{
    {"Mesha", "Mars", "The Ram", "Fire", "Red, Brown, Copper", "Movable", "Male", "Night", "Barren", "Kshatriya", "Dwara", "Mineral (Dhatu)", "Monday, Tuesday", "9, 1", "East", "Red, Brown, Copper", "Coral", "Head", "Short", "Leo, Sagittarius, Gemini, Aquarius, Libra", "Scorpio, Pisces, Cancer"},
    {"Vrishabha", "Venus", "The Bull", "Earth", "White", "Fixed", "Female", "Night", "Semi-Fruitful", "Vaisya", "Bahya", "Vegetable (Moola)", "Thursday, Friday", "2, 8", "South", "Pink, Green", "Diamond", "Face", "Short", "Cancer, Virgo, Scorpio, Capricorn, Pisces", "Gemini, Aquarius, Libra"},
    {"Mithuna", "Mercury", "The Twins", "Air", "Green", "Mixed", "Female", "Night", "Barren", "Sudra", "Garbha", "Animal (Jeeva)", "Monday, Wednesday", "3, 7", "West", "Yellow, Purple, Blue", "Emerald", "Shoulders", "Even", "Aries, Leo, Libra, Sagittarius, Aquarius", "Taurus, Virgo, Capricorn"},
    {"Kataka", "Moon", "The Crab", "Water", "Pink", "Movable", "Female", "Night", "Fruitful", "Brahmana", "Dwara", "Mineral (Dhatu)", "Monday, Thursday", "2, 7, 9", "North", "White, Red, Yellow", "Pearl", "Chest", "Even", "Virgo, Scorpio, Capricorn, Pisces, Taurus", "Aries, Leo, Sagittarius"},
    {"Simha", "Sun", "The Lion", "Fire", "White", "Fixed", "Male", "Day", "Barren", "Kshatriya", "Bahya", "Vegetable (Moola)", "Sunday, Monday", "1, 4, 5, 9", "East", "Orange, Red, Green", "Ruby", "Heart & Stomach", "Tall", "Libra, Sagittarius, Aquarius, Aries, Gemini", "Scorpio, Pisces, Cancer"},
    {"Kanya", "Mercury", "The Virgin", "Earth", "Multicolored", "Mixed", "Female", "Day", "Barren", "Vaisya", "Garbha", "Animal (Jeeva)", "Wednesday, Friday", "2, 3, 5, 6", "South", "Green", "Emerald", "Abdomen", "Tall", "Scorpio, Capricorn, Pisces, Cancer", "Gemini, Aquarius, Libra"},
    {"Thula", "Venus", "The Balance", "Air", "Black", "Movable", "Male", "Day", "Semi-Fruitful", "Sudra", "Dwara", "Mineral (Dhatu)", "Friday, Wednesday, Thursday", "1, 2, 4", "West", "White, Green, Yellow", "Diamond", "Lower Abdomen & Groin", "Tall", "Sagittarius, Aquarius, Aries, Gemini, Leo", "Taurus, Virgo, Capricorn"},
    {"Vrischika", "Mars", "The Scorpion", "Water", "Reddish Brown", "Fixed", "Female", "Day", "Fruitful", "Brahmana", "Bahya", "Vegetable (Moola)", "Monday, Tuesday, Thursday", "3, 7, 9", "North", "Brown, Red, Yellow, White", "Coral", "External Genitalia", "Tall", "Capricorn, Pisces, Taurus, Cancer, Virgo", "Aries, Leo, Sagittarius"},
    {"Dhanus", "Jupiter", "The Archer", "Fire", "Yellowish brown", "Mixed", "Male", "Night", "Semi-Fruitful", "Kshatriya", "Garbha", "Animal (Jeeva)", "Sunday, Thursday", "3, 5, 6, 8", "East", "Yellow, Gray, Brown", "Yellow Sapphire", "Thighs", "Even", "Aquarius, Aries, Gemini, Leo, Libra", "Scorpio, Pisces, Cancer"},
    {"Makara", "Saturn", "The Crocodile", "Earth", "Multicolored", "Movable", "Female", "Night", "Barren", "Vaisya", "Dwara", "Mineral (Dhatu)", "Saturday, Wednesday", "6, 8, 9", "South", "Black, Blue", "Blue Sapphire", "Knees", "Even", "Pisces, Taurus, Cancer, Virgo, Scorpio", "Gemini, Aquarius, Libra"},
    {"Kumbha", "Saturn", "The Water Carrier", "Air", "Deep Brown", "Fixed", "Male", "Day", "Semi-Fruitful", "Sudra", "Bahya", "Vegetable (Moola)", "Thursday, Friday, Saturday", "2, 3, 7, 9", "West", "Blue, Black", "Blue Sapphire", "Calves", "Short", "Aquarius, Libra, Gemini", "Taurus, Virgo, Capricorn"},
    {"Meena", "Jupiter", "The Double Fish", "Water", "Blue", "Mixed", "Female", "Day", "Fruitful", "Brahmana", "Garbha", "Animal (Jeeva)", "Thursday, Monday, Tuesday", "1, 3, 4", "North", "Pink, Cream", "Yellow Sapphire", "Feet", "Short", "Taurus, Cancer, Virgo, Scorpio, Capricorn", "Aries, Leo, Sagittarius"},
}};

}  // namespace
const std::array<SignProfile, 12>& FillSignProfiles() {
  static const std::array<SignProfile, 12> profiles = [] {
    std::array<SignProfile, 12> all{};
    for (int k = 0; k < 12; ++k) {
      const ShortFields& s = kShortFields[static_cast<std::size_t>(k)];
      const SignPredictions& p = PredictionsForSign(k);
      all[static_cast<std::size_t>(k)] = SignProfile{
          SignTitles[static_cast<std::size_t>(k)], s.VedicName, SignNames[static_cast<std::size_t>(k)], s.RulingPlanet, s.Symbol, s.Nature, s.Color,
          s.TypeOfSign, s.Gender, s.BestPeriodOfActivity, s.Barren, s.Caste, s.Position,
          s.ConstituentCharacter, s.LuckyDays, s.LuckyNumbers, s.BestDirection, s.LuckyColors,
          s.LuckyGemstone, s.PartOfTheBody, s.Physique, p.Looks, p.Nature, p.CareerAndFinance,
          p.LoveAndDomesticLife, p.Health, s.CompatibleWith, s.NotCompatibleWith};
    }
    return all;
  }();
  return profiles;
}

std::array<ControlText, 28> ProfileControlTexts(const SignProfile& p) {
  return {{{"lblArudhaLagnaPresentInSign", p.EnglishName},
           {"lblVedicName", p.VedicName},
           {"lblEnglishName", p.EnglishName},
           {"lblRullingPlanet", p.RulingPlanet},
           {"lblSymbol", p.Symbol},
           {"lblNature", p.Nature},
           {"lblColor", p.Color},
           {"lblTypeOfSign", p.TypeOfSign},
           {"lblGender", p.Gender},
           {"lblBestPeriodOfActivity", p.BestPeriodOfActivity},
           {"lblBarren", p.Barren},
           {"lblCaste", p.Caste},
           {"lblPosition", p.Position},
           {"lblConstituentCharacter", p.ConstituentCharacter},
           {"lblLuckyDays", p.LuckyDays},
           {"lblLuckyNumbers", p.LuckyNumbers},
           {"lblBestDirection", p.BestDirection},
           {"lblLuckyColors", p.LuckyColors},
           {"lblLuckyGemstone", p.LuckyGemstone},
           {"lblPartOfTheBody", p.PartOfTheBody},
           {"lblPhysique", p.Physique},
           {"txtLooks", p.Looks},
           {"txtNature", p.NatureText},
           {"txtCareerAndFinance", p.CareerAndFinance},
           {"txtLoveAndDomesticLife", p.LoveAndDomesticLife},
           {"txtHealth", p.Health},
           {"lblCompatibleWith", p.CompatibleWith},
           {"lblNotCompatibleWith", p.NotCompatibleWith}}};
}

std::span<const ControlText> ProfileControlTextsOf(int signIndex) {
  static const std::array<std::array<ControlText, 28>, 12> kTable = [] {
    std::array<std::array<ControlText, 28>, 12> table{};
    for (std::size_t k = 0; k < table.size(); ++k) table[k] = ProfileControlTexts(FillSignProfiles()[k]);
    return table;
  }();
  if (signIndex < 0 || signIndex > 11) return {};
  return kTable[static_cast<std::size_t>(signIndex)];
}

}  // namespace halvora
