// Placeholder prose: only the opening words, until the full paragraphs are written.
#include "chart/sign_profiles.h"

namespace halvora {

namespace {
constexpr std::array<SignPredictions, 12> kPredictions = {{
    {"You may be slim and of medium complexion.", "You are very independent and dynamic. You are", "You are ambitious by nature. You can make", "You are a romantic to the core by", "You may be prone to blood circulation problems,"},
    {"You are attractive and beautiful. You may usually", "You have a powerful and commanding personality. You", "You love spending on luxurious things. You will", "You may not express your emotions but you", "You may not enjoy good health all the"},
    {"You are tall slim and good looking. You", "You have an analytical mind. You have keen", "You will do very well in jobs that", "You are blessed with a long life. You", "You may have some problems of the sexual"},
    {"You have a medium stature and may be", "You are a patient person and very emotional.", "You have an artistic bent of mind. You", "Parents will mean a lot to you. You", "You may have stress and mental illnesses because"},
    {"You are tall  and have broad squarely built", "You are a leader and can never take", "You can do well in professions that need", "You love living life king size. You are", "Heart problems may occur. Stomach and teeth too"},
    {"You are tall and slim with sharp features.", "You are practical and polished. You would like", "You are skilled in music and dance. Medicine", "You are not romantic at all. All your", "Your intestine and liver may give you some"},
    {"You are tall and thin. You may have", "Justice means everything to you. You need to", "You could make a career of the artistic", "Being peaceful and loving by nature, you have", "Kidney and liver are your weak parts. You"},
    {"You have broad body shape. You may be", "Mysterious is the first word that comes to", "You may come in possession of sudden legacies", "Your possessive nature may create problems in life.", "You may have problems from piles and colic."},
    {"You may be medium to tall and well", "You are very optimistic and spontaneous by nature.", "You always yearn to learn more in life.", "You may have some problem dealing with other", "Your body gives out too much heat, which"},
    {"You have beautiful eyes. Your slender waist will", "You want to achieve a lot in life.", "Material wealth means a lot to you. At", "Domestic life will have its share of problems", "You may be prone to gout and blood"},
    {"You have a fair complexion. Your well-formed body", "You are a thinker, philosopher and an idealist.", "You will do very well in public related", "You are influenced more by your friends than", "Your legs and eyes may be weak. You"},
    {"You have the perfect body with the right", "You are very creative and soft by nature.", "You are artistically inclined. You are also interested", "Your children will be very fortunate to be", "Common cold will be your constant companion. You"},
}};
constexpr std::array<std::string_view, 12> kHouses = {
    "If you have a good reputation and are famous",
    "Family life will gain importance. You will understand",
    "Establish your creative pursuits and build a profitable",
    "Your heart is where your home is. If",
    "You will spend more time with your children",
    "Survival of the fittest. That's the keyword of",
    "You will crave for a partner and look",
    "You will gain money from people who return",
    "Wisdom and knowledge will be of utmost importance.",
    "Build your professional career and look at it",
    "You will need to understand the importance of",
    "You will gain money from foreign places.",
};
}  // namespace

const SignPredictions& PredictionsForSign(int signIndex) {
  return kPredictions[static_cast<std::size_t>(signIndex)];
}

std::string_view HouseSignificance(int house) {
  if (house < 1 || house > 12) return {};
  return kHouses[static_cast<std::size_t>(house - 1)];
}

}  // namespace halvora
