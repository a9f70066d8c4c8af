#include "planets/planets.h"

#include <cmath>

#include "ephemeris/calendar.h"
#include "planets/ascendant.h"

namespace halvora {

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;
constexpr double kNodeRadToDeg = 180 / 3.1416;  // radians to degrees for Rahu
constexpr double kKeplerTolerance = 1e-12;     // radians
constexpr double kDaysPerCentury = 36525;
constexpr double kArcsecPerDeg = 3600;

// An element at J2000.0 and its rate per Julian century.
struct Rate {
  double value, perCentury;
};

struct ElementRates {
  Rate a, e, i, node, peri, L;  // a, e in their own units; angles in degrees and arcseconds per century
};

constexpr ElementRates kElements[6] = {
    {{0.38709893, 0.00000066}, {0.20563069, 0.00002527}, {7.00487, -23.51}, {48.33167, -446.30},
     {77.45645, 573.57}, {252.25084, 538101628.29}},
    {{0.72333199, 0.00000092}, {0.00677323, -0.00004938}, {3.39471, -2.86}, {76.68069, -996.89},
     {131.53298, -108.80}, {181.97973, 210664136.06}},
    {{1.00000011, -0.00000005}, {0.01671022, -0.00003804}, {0.00005, -46.94}, {-11.26064, -18228.25},
     {102.94719, 1198.28}, {100.46435, 129597740.63}},
    {{1.52366231, -0.00007221}, {0.09341233, 0.00011902}, {1.85061, -25.47}, {49.57854, -1020.19},
     {336.04084, 1560.78}, {355.45332, 68905103.78}},
    {{5.20336301, 0.00060737}, {0.04839266, -0.00012880}, {1.30530, -4.15}, {100.55615, 1217.17},
     {14.75385, 839.93}, {34.40438, 10925078.35}},
    {{9.53707032, -0.00301530}, {0.05415060, -0.00036762}, {2.48446, 6.11}, {113.71504, -1591.05},
     {92.43194, -1948.89}, {49.94432, 4401052.95}},
};

double angleElement(const Rate& r, double cy) { return (r.value + r.perCentury * cy / kArcsecPerDeg) * kDegToRad; }

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(' ');
  return std::string(s.substr(first, last - first + 1));
}

std::string padTwo(std::string s) { return s.size() <= 1 ? "0" + s : s; }

}  // namespace

double DayNumber2000(int year, int month, int day, int hour, int minute) {
  const double h = hour + minute / 60.0;
  return 367.0 * year - std::floor(7.0 * (year + std::floor((month + 9) / 12.0)) / 4.0) +
         std::floor(275.0 * month / 9.0) + day - 730531.5 + h / 24.0;
}

OrbitalElementSet OrbitalElements(int body, double d) {
  OrbitalElementSet p;
  if (body < 0 || body > 5) return p;
  const ElementRates& r = kElements[body];
  const double cy = d / kDaysPerCentury;
  p.a = r.a.value + r.a.perCentury * cy;
  p.e = r.e.value + r.e.perCentury * cy;
  p.i = angleElement(r.i, cy);
  p.node = angleElement(r.node, cy);
  p.peri = angleElement(r.peri, cy);
  p.L = Rev2Pi(angleElement(r.L, cy));
  return p;
}

double Rev2Pi(double x) {
  const double q = x / kTwoPi;
  const double t = (q >= 0) ? std::floor(q) : std::floor(q) + 1;
  double f = (q - t) * kTwoPi;
  if (f < 0) f += kTwoPi;
  return f;
}

double TrueAnomaly(double m, double e) {
  double ecc = m + e * std::sin(m) * (1 + e * std::cos(m));
  double previous;
  do {
    previous = ecc;
    ecc = previous - (previous - e * std::sin(previous) - m) / (1 - e * std::cos(previous));
  } while (std::fabs(previous - ecc) > kKeplerTolerance);
  double v = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(ecc / 2));
  if (v < 0) v += kTwoPi;
  return v;
}

double PlanetLongitude(int body, double d) {
  const OrbitalElementSet p = OrbitalElements(body, d);
  const OrbitalElementSet q = OrbitalElements(Earth, d);

  const double earthM = Rev2Pi(q.L - q.peri);
  const double earthV = TrueAnomaly(earthM, q.e);
  const double earthR = q.a * (1 - q.e * q.e) / (1 + q.e * std::cos(earthV));
  const double xEarth = earthR * std::cos(earthV + q.peri);
  const double yEarth = earthR * std::sin(earthV + q.peri);

  double x = 0, y = 0;
  if (body != Earth) {
    const double m = Rev2Pi(p.L - p.peri);
    const double v = TrueAnomaly(m, p.e);
    const double r = p.a * (1 - p.e * p.e) / (1 + p.e * std::cos(v));
    const double u = v + p.peri - p.node;
    x = r * (std::cos(p.node) * std::cos(u) - std::sin(p.node) * std::sin(u) * std::cos(p.i));
    y = r * (std::sin(p.node) * std::cos(u) + std::cos(p.node) * std::sin(u) * std::cos(p.i));
  }

  double lambda = ArcTan2(y - yEarth, x - xEarth) * 180 / kPi;
  while (lambda > 360) lambda -= 360;
  while (lambda < 0) lambda += 360;
  return lambda;
}

double MeanRahuLongitude(double d) { return Rev2Pi(kDegToRad * (125.1228 - 0.0529538083 * d)) * kNodeRadToDeg - 1; }

double KetuLongitude(double rahuDeg) {
  double ketu = rahuDeg + 180;
  while (ketu > 360) ketu -= 360;
  return ketu;
}

std::string DegToDms(double x) { return LongitudeToText(x); }

std::string DmsToChart(std::string_view p) {
  const std::string t = trimmed(p);
  const auto degreeMark = t.find("\u00b0");
  const auto minuteMark = t.find('\'');
  std::string deg = trimmed(std::string_view(t).substr(0, degreeMark));
  std::string min;
  if (degreeMark != std::string::npos && minuteMark != std::string::npos && minuteMark > degreeMark) {
    const auto start = degreeMark + std::string_view("\u00b0").size();
    min = trimmed(std::string_view(t).substr(start, minuteMark - start));
  }
  const std::string sign = trimmed(p.size() >= 3 ? p.substr(p.size() - 3) : p);
  return padTwo(deg) + " " + sign + " " + padTwo(min);
}

PlanetPass CalcPlanets(const PlanetPassInput& in) {
  // Universal time: the zone correction, less the daylight-saving hour, with calendar carry.
  const long long correctionMinutes = in.zone.hours * 60LL + in.zone.minutes - (in.daylightSaving ? 60 : 0);
  const LocalDateTime ut = addMinutes(in.localMoment, correctionMinutes);
  const double d = DayNumber2000(ut.year, ut.month, ut.day, ut.hour, ut.minute);
  const double ayanamsa = std::fabs(in.AyanamsaDeg);

  PlanetPass pass;
  for (int body = Mercury; body <= Saturn; ++body) {
    double lambda = PlanetLongitude(body, d) - ayanamsa;
    while (lambda < 0) lambda += 360;
    pass.PlanetTexts[static_cast<std::size_t>(body)] = DegToDms(lambda);
    if (body == Earth && in.mode == PlanetPassMode::Sunrise) {
      pass.sunriseSun = SunriseSun{lambda, DmsToChart(DegToDms(lambda))};
    }
  }

  double rahu = MeanRahuLongitude(d) - ayanamsa;
  while (rahu < 0) rahu += 360;
  pass.RahuText = DegToDms(rahu);
  pass.KetuText = DegToDms(std::fabs(KetuLongitude(rahu)));

  pass.chartPositions = {DmsToChart(pass.PlanetTexts[Earth]),   DmsToChart(in.MoonText),
                         DmsToChart(pass.PlanetTexts[Mercury]), DmsToChart(pass.PlanetTexts[Venus]),
                         DmsToChart(pass.PlanetTexts[Mars]),    DmsToChart(pass.PlanetTexts[Jupiter]),
                         DmsToChart(pass.PlanetTexts[Saturn]),  DmsToChart(pass.RahuText),
                         DmsToChart(pass.KetuText),             DmsToChart(in.AscendantText)};
  return pass;
}

}  // namespace halvora
