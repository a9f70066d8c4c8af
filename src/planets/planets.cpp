// SPDX-License-Identifier: GPL-3.0-or-later
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

std::string_view trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

// A text of at least two characters: a single character or none gets a "0" in front.
void appendPadTwo(std::string& out, std::string_view s) {
  if (s.size() <= 1) out += '0';
  out += s;
}

// A whole number in decimal, with a "0" in front when it has a single digit.
char* writePadTwo(char* out, long long value) {
  char digits[24];
  const char* end = WriteDecimal(digits, value);
  if (end - digits <= 1) *out++ = '0';
  for (const char* d = digits; d != end; ++d) *out++ = *d;
  return out;
}

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

namespace {

// A body's place in the ecliptic plane, astronomical units.
struct PlanePosition {
  double x = 0, y = 0;
};

PlanePosition earthPosition(double d) {
  const OrbitalElementSet q = OrbitalElements(Earth, d);
  const double earthM = Rev2Pi(q.L - q.peri);
  const double earthV = TrueAnomaly(earthM, q.e);
  const double earthR = q.a * (1 - q.e * q.e) / (1 + q.e * std::cos(earthV));
  return {earthR * std::cos(earthV + q.peri), earthR * std::sin(earthV + q.peri)};
}

// The origin for the Earth itself, whose geocentric longitude is the Sun's.
PlanePosition bodyPosition(int body, double d) {
  if (body == Earth) return {};
  const OrbitalElementSet p = OrbitalElements(body, d);
  const double m = Rev2Pi(p.L - p.peri);
  const double v = TrueAnomaly(m, p.e);
  const double r = p.a * (1 - p.e * p.e) / (1 + p.e * std::cos(v));
  const double u = v + p.peri - p.node;
  return {r * (std::cos(p.node) * std::cos(u) - std::sin(p.node) * std::sin(u) * std::cos(p.i)),
          r * (std::sin(p.node) * std::cos(u) + std::cos(p.node) * std::sin(u) * std::cos(p.i))};
}

double geocentricLongitude(const PlanePosition& body, const PlanePosition& earth) {
  double lambda = ArcTan2(body.y - earth.y, body.x - earth.x) * 180 / kPi;
  while (lambda > 360) lambda -= 360;
  while (lambda < 0) lambda += 360;
  return lambda;
}

}  // namespace

double PlanetLongitude(int body, double d) { return geocentricLongitude(bodyPosition(body, d), earthPosition(d)); }

double MeanRahuLongitude(double d) { return Rev2Pi(kDegToRad * (125.1228 - 0.0529538083 * d)) * kNodeRadToDeg - 1; }

double KetuLongitude(double rahuDeg) {
  double ketu = rahuDeg + 180;
  while (ketu > 360) ketu -= 360;
  return ketu;
}

std::string DegToDms(double x) { return LongitudeToText(x); }

std::string DmsToChart(std::string_view p) {
  const std::string_view t = trimmed(p);
  constexpr std::string_view kDegreeMark = "\u00b0";
  const auto degreeMark = t.find(kDegreeMark);
  const auto minuteMark = t.find('\'');
  const std::string_view deg = trimmed(t.substr(0, degreeMark));
  std::string_view min;
  if (degreeMark != std::string_view::npos && minuteMark != std::string_view::npos && minuteMark > degreeMark) {
    const auto start = degreeMark + kDegreeMark.size();
    min = trimmed(t.substr(start, minuteMark - start));
  }
  const std::string_view sign = trimmed(p.size() >= 3 ? p.substr(p.size() - 3) : p);
  std::string chart;
  chart.reserve(deg.size() + sign.size() + min.size() + 4);
  appendPadTwo(chart, deg);
  chart += ' ';
  chart += sign;
  chart += ' ';
  appendPadTwo(chart, min);
  return chart;
}

std::string ChartTextOfLongitude(double longitudeDeg) {
  const auto parts = PositionPartsOf(longitudeDeg);
  // Without a sign the position text ends in its seconds, which the chart text then shows.
  if (!parts || !parts->sign) return DmsToChart(LongitudeToText(longitudeDeg));
  char buf[64];
  char* p = writePadTwo(buf, parts->degInSign);
  *p++ = ' ';
  for (char c : SignAbbreviations.substr(static_cast<std::size_t>(*parts->sign) * 3, 3)) *p++ = c;
  *p++ = ' ';
  p = writePadTwo(p, parts->minutes);
  return std::string(buf, p);
}

namespace {

// The sidereal longitudes of one pass, in degrees.
struct PassLongitudes {
  std::array<double, 6> bodies{};  // by body index; the Earth's is the Sun's
  double rahu = 0, ketu = 0;
};

// The day number of the pass's moment in universal time: the zone correction, less the
// daylight-saving hour, with calendar carry.
double passDayNumber(const PlanetPassInput& in) {
  const long long correctionMinutes = in.zone.hours * 60LL + in.zone.minutes - (in.daylightSaving ? 60 : 0);
  const LocalDateTime ut = addMinutes(in.localMoment, correctionMinutes);
  return DayNumber2000(ut.year, ut.month, ut.day, ut.hour, ut.minute);
}

double siderealLongitude(int body, double d, double ayanamsa, const PlanePosition& earth) {
  double lambda = geocentricLongitude(bodyPosition(body, d), earth) - ayanamsa;
  while (lambda < 0) lambda += 360;
  return lambda;
}

PassLongitudes passLongitudes(const PlanetPassInput& in) {
  const double d = passDayNumber(in);
  const double ayanamsa = std::fabs(in.AyanamsaDeg);
  const PlanePosition earth = earthPosition(d);
  PassLongitudes l;
  for (int body = Mercury; body <= Saturn; ++body)
    l.bodies[static_cast<std::size_t>(body)] = siderealLongitude(body, d, ayanamsa, earth);
  l.rahu = MeanRahuLongitude(d) - ayanamsa;
  while (l.rahu < 0) l.rahu += 360;
  l.ketu = std::fabs(KetuLongitude(l.rahu));
  return l;
}

}  // namespace

PlanetPass CalcPlanets(const PlanetPassInput& in) {
  const PassLongitudes l = passLongitudes(in);
  PlanetPass pass;
  for (int body = Mercury; body <= Saturn; ++body) {
    pass.PlanetTexts[static_cast<std::size_t>(body)] = DegToDms(l.bodies[static_cast<std::size_t>(body)]);
  }
  if (in.mode == PlanetPassMode::Sunrise) {
    pass.sunriseSun = SunriseSun{l.bodies[Earth], DmsToChart(pass.PlanetTexts[Earth])};
  }
  pass.RahuText = DegToDms(l.rahu);
  pass.KetuText = DegToDms(l.ketu);

  pass.chartPositions = {DmsToChart(pass.PlanetTexts[Earth]),   DmsToChart(in.MoonText),
                         DmsToChart(pass.PlanetTexts[Mercury]), DmsToChart(pass.PlanetTexts[Venus]),
                         DmsToChart(pass.PlanetTexts[Mars]),    DmsToChart(pass.PlanetTexts[Jupiter]),
                         DmsToChart(pass.PlanetTexts[Saturn]),  DmsToChart(pass.RahuText),
                         DmsToChart(pass.KetuText),             DmsToChart(in.AscendantText)};
  return pass;
}

ChartPositions CalcChartPositions(const PlanetPassInput& in) {
  const PassLongitudes l = passLongitudes(in);
  const auto chart = [&](int body) { return ChartTextOfLongitude(l.bodies[static_cast<std::size_t>(body)]); };
  return {chart(Earth),        DmsToChart(in.MoonText),     chart(Mercury),
          chart(Venus),        chart(Mars),                 chart(Jupiter),
          chart(Saturn),       ChartTextOfLongitude(l.rahu), ChartTextOfLongitude(l.ketu),
          DmsToChart(in.AscendantText)};
}

SunriseSun CalcSunriseSun(const PlanetPassInput& in) {
  const double d = passDayNumber(in);
  const double sun = siderealLongitude(Earth, d, std::fabs(in.AyanamsaDeg), earthPosition(d));
  return SunriseSun{sun, ChartTextOfLongitude(sun)};
}

}  // namespace halvora
