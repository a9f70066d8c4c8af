#include "planets/retrogrades.h"

namespace halvora {

// Seam: the station tables are not in yet, so no planet is marked.
bool IsRetrograde(int /*year*/, int /*month*/, int /*day*/, std::string_view /*planetName*/) { return false; }

RetrogradeMarks MarkRetrogrades(int year, int month, int day) {
  static constexpr std::array<std::string_view, 5> kNames = {"Mercury", "Venus", "Mars", "Jupiter", "Saturn"};
  RetrogradeMarks marks;
  for (std::size_t i = 0; i < kPlainPlanetLabels.size(); ++i) marks.labels[i] = kPlainPlanetLabels[i];
  for (std::size_t p = 0; p < kNames.size(); ++p) {
    marks.flags[p] = IsRetrograde(year, month, day, kNames[p]);
    if (marks.flags[p]) marks.labels[p + 2] += kRetrogradeMark;
  }
  return marks;
}

}  // namespace halvora
