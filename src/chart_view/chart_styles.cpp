// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_view/chart_styles.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace halvora::chart_view {

namespace {

// A cell as designed once and then mirrored round the square: its corners, its text box and its
// number box.
struct CellPlan {
  Polygon outline;
  Box text;
  Box number;
};

// The mirrors of the square: across its vertical middle (left and right swap), across its
// horizontal middle (top and bottom swap), and across the diagonal from the top left (x and y swap).
Point mirrorX(Point p) { return {1 - p.x, p.y}; }
Point mirrorY(Point p) { return {p.x, 1 - p.y}; }
Point transpose(Point p) { return {p.y, p.x}; }

Box mirrorX(const Box& b) { return {1 - b.right(), b.top, b.width, b.height}; }
Box mirrorY(const Box& b) { return {b.left, 1 - b.bottom(), b.width, b.height}; }
Box transpose(const Box& b) { return {b.top, b.left, b.height, b.width}; }

CellPlan mirrored(const CellPlan& plan, bool x, bool y, bool diagonal = false) {
  CellPlan out = plan;
  for (Point& p : out.outline) {
    if (diagonal) p = transpose(p);
    if (x) p = mirrorX(p);
    if (y) p = mirrorY(p);
  }
  for (Box* b : {&out.text, &out.number}) {
    if (diagonal) *b = transpose(*b);
    if (x) *b = mirrorX(*b);
    if (y) *b = mirrorY(*b);
  }
  return out;
}

constexpr double kThird = 1.0 / 3.0;

// North Indian: the top diamond (house 1), the triangle along the top edge at its left (house 2)
// and the triangle along the left edge below it (house 3); the other houses are their mirrors.
// Each number box sits by the cell's corner at the middle of the chart.
const CellPlan kNorthTopDiamond{{{0.5, 0}, {0.75, 0.25}, {0.5, 0.5}, {0.25, 0.25}},
                                {0.37, 0.15, 0.26, 0.19},
                                {0.46, 0.375, 0.08, 0.065}};
const CellPlan kNorthTopTriangle{{{0, 0}, {0.5, 0}, {0.25, 0.25}}, {0.125, 0.01, 0.25, 0.11}, {0.2, 0.14, 0.1, 0.055}};
const CellPlan kNorthSideTriangle{{{0, 0}, {0.25, 0.25}, {0, 0.5}}, {0.01, 0.16, 0.14, 0.18}, {0.155, 0.22, 0.06, 0.06}};

// East Indian: Aries in the top middle, Taurus the upper and Gemini the lower triangle of the top
// left corner; the other signs are their mirrors.
const CellPlan kEastTopMiddle{{{kThird, 0}, {2 * kThird, 0}, {2 * kThird, kThird}, {kThird, kThird}},
                              {0.35, 0.015, 0.3, 0.235},
                              {0.44, 0.255, 0.12, 0.065}};
const CellPlan kEastUpperCorner{{{0, 0}, {kThird, 0}, {kThird, kThird}}, {0.14, 0.012, 0.185, 0.118}, {0.2, 0.135, 0.125, 0.06}};
const CellPlan kEastLowerCorner{{{0, 0}, {kThird, kThird}, {0, kThird}}, {0.008, 0.2, 0.182, 0.125}, {0.2, 0.28, 0.07, 0.047}};

Polygon rectangle(const Box& b) { return {{b.left, b.top}, {b.right(), b.top}, {b.right(), b.bottom()}, {b.left, b.bottom()}}; }

void addPolygonLines(ChartFace& face, const Polygon& polygon) {
  for (std::size_t i = 0; i < polygon.size(); ++i) face.lines.push_back({polygon[i], polygon[(i + 1) % polygon.size()]});
}

ChartFace southFace() {
  ChartFace face;
  face.style = ChartStyle::South;
  const TwipRect outline = chartOutlineTwips();
  const double scaleX = 1.0 / outline.width;
  const double scaleY = 1.0 / outline.height;
  const auto unit = [&](double x, double y, double w, double h) {
    return Box{(x - outline.left) * scaleX, (y - outline.top) * scaleY, w * scaleX, h * scaleY};
  };
  // The gap kept between the number and the cell's right edge, in twips.
  constexpr int kNumberGapTwips = 15;
  constexpr int kNumberHeightTwips = 255;
  for (int k = 0; k < 12; ++k) {
    const ChartCellTwips c = chartCellTwips(k);
    ChartCell& cell = face.cells[static_cast<std::size_t>(k)];
    cell.signIndex = k;
    const Box border = unit(c.border.left, c.border.top, c.border.width, c.border.height);
    cell.outline = rectangle(border);
    cell.text = unit(c.signLabel.left, c.signLabel.top, c.signLabel.width, c.signLabel.height);
    const int numberTop = std::max(c.number.y, c.border.top);
    cell.number = unit(c.number.x, numberTop, c.border.right() - kNumberGapTwips - c.number.x, kNumberHeightTwips);
  }
  const TwipRect centre = chartCentreTwips();
  face.centre = unit(centre.left, centre.top, centre.width, centre.height);
  return face;
}

ChartFace northFace(int ascendant) {
  ChartFace face;
  face.style = ChartStyle::North;
  // By house 1..12.
  const std::array<CellPlan, 12> houses = {
      kNorthTopDiamond,
      kNorthTopTriangle,
      kNorthSideTriangle,
      mirrored(kNorthTopDiamond, false, false, true),
      mirrored(kNorthSideTriangle, false, true),
      mirrored(kNorthTopTriangle, false, true),
      mirrored(kNorthTopDiamond, false, true),
      mirrored(kNorthTopTriangle, true, true),
      mirrored(kNorthSideTriangle, true, true),
      mirrored(kNorthTopDiamond, true, false, true),
      mirrored(kNorthSideTriangle, true, false),
      mirrored(kNorthTopTriangle, true, false),
  };
  for (int house = 1; house <= 12; ++house) {
    const int sign = signInHouse(ascendant, house);
    const CellPlan& plan = houses[static_cast<std::size_t>(house - 1)];
    face.cells[static_cast<std::size_t>(sign)] = ChartCell{sign, house, plan.outline, plan.text, plan.number};
  }
  addPolygonLines(face, rectangle({0, 0, 1, 1}));
  face.lines.push_back({Point{0, 0}, Point{1, 1}});
  face.lines.push_back({Point{1, 0}, Point{0, 1}});
  addPolygonLines(face, {{0.5, 0}, {1, 0.5}, {0.5, 1}, {0, 0.5}});
  return face;
}

ChartFace eastFace(int ascendant) {
  ChartFace face;
  face.style = ChartStyle::East;
  const CellPlan leftMiddle = mirrored(kEastTopMiddle, false, false, true);
  // By sign index, Aries first, counter-clockwise from the top middle.
  const std::array<CellPlan, 12> signs = {
      kEastTopMiddle,
      kEastUpperCorner,
      kEastLowerCorner,
      leftMiddle,
      mirrored(kEastLowerCorner, false, true),
      mirrored(kEastUpperCorner, false, true),
      mirrored(kEastTopMiddle, false, true),
      mirrored(kEastUpperCorner, true, true),
      mirrored(kEastLowerCorner, true, true),
      mirrored(leftMiddle, true, false),
      mirrored(kEastLowerCorner, true, false),
      mirrored(kEastUpperCorner, true, false),
  };
  for (int k = 0; k < 12; ++k) {
    const CellPlan& plan = signs[static_cast<std::size_t>(k)];
    face.cells[static_cast<std::size_t>(k)] = ChartCell{k, (k - ascendant + 12) % 12 + 1, plan.outline, plan.text, plan.number};
  }
  addPolygonLines(face, rectangle({0, 0, 1, 1}));
  for (const double at : {kThird, 2 * kThird}) {
    face.lines.push_back({Point{at, 0}, Point{at, 1}});
    face.lines.push_back({Point{0, at}, Point{1, at}});
  }
  face.lines.push_back({Point{0, 0}, Point{kThird, kThird}});
  face.lines.push_back({Point{1, 0}, Point{2 * kThird, kThird}});
  face.lines.push_back({Point{0, 1}, Point{kThird, 2 * kThird}});
  face.lines.push_back({Point{1, 1}, Point{2 * kThird, 2 * kThird}});
  face.centre = Box{kThird, kThird, kThird, kThird};
  return face;
}

// Twice the signed area of the triangle a, b, c: positive when c lies to the left of a -> b.
double cross(Point a, Point b, Point c) { return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x); }

}  // namespace

std::string_view chartStyleKey(ChartStyle style) {
  for (std::size_t i = 0; i < kChartStyles.size(); ++i)
    if (kChartStyles[i] == style) return kChartStyleKeys[i];
  return kChartStyleKeys[0];
}

std::string_view chartStyleTitle(ChartStyle style) {
  switch (style) {
    case ChartStyle::South: return "South Indian";
    case ChartStyle::North: return "North Indian";
    case ChartStyle::East: return "East Indian";
  }
  return "South Indian";
}

std::optional<ChartStyle> chartStyleFromKey(std::string_view key) {
  for (const ChartStyle style : kChartStyles)
    if (chartStyleKey(style) == key) return style;
  return std::nullopt;
}

int signInHouse(int ascendantSignIndex, int house) { return ((ascendantSignIndex + house - 1) % 12 + 12) % 12; }

int ascendantSignIndex(int ascSignNumber) { return ascSignNumber >= 1 && ascSignNumber <= 12 ? ascSignNumber - 1 : 0; }

ChartFace chartFace(ChartStyle style, int ascendant) {
  if (ascendant < 0 || ascendant > 11) ascendant = 0;
  ChartFace face;
  switch (style) {
    case ChartStyle::South: face = southFace(); break;
    case ChartStyle::North: face = northFace(ascendant); break;
    case ChartStyle::East: face = eastFace(ascendant); break;
  }
  if (style == ChartStyle::South) {
    for (ChartCell& cell : face.cells) cell.house = (cell.signIndex - ascendant + 12) % 12 + 1;
    addPolygonLines(face, rectangle({0, 0, 1, 1}));
    for (const ChartCell& cell : face.cells) addPolygonLines(face, cell.outline);
  }
  return face;
}

double polygonArea(const Polygon& polygon) {
  double twice = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Point& a = polygon[i];
    const Point& b = polygon[(i + 1) % polygon.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return std::abs(twice) / 2;
}

bool polygonContains(const Polygon& polygon, Point p) {
  // Inside a convex polygon or on its edge: on the same side of every edge (either turning).
  constexpr double kOnEdge = 1e-12;
  bool left = false;
  bool right = false;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const double side = cross(polygon[i], polygon[(i + 1) % polygon.size()], p);
    if (side > kOnEdge) left = true;
    if (side < -kOnEdge) right = true;
  }
  return !(left && right);
}

bool polygonContains(const Polygon& polygon, const Box& box) {
  return polygonContains(polygon, Point{box.left, box.top}) && polygonContains(polygon, Point{box.right(), box.top}) &&
         polygonContains(polygon, Point{box.right(), box.bottom()}) &&
         polygonContains(polygon, Point{box.left, box.bottom()});
}

Point toFrame(Point unit, const Box& frame) {
  return {frame.left + unit.x * frame.width, frame.top + unit.y * frame.height};
}

Box toFrame(const Box& unit, const Box& frame) {
  return {frame.left + unit.left * frame.width, frame.top + unit.top * frame.height, unit.width * frame.width,
          unit.height * frame.height};
}

CellTextFit fitCellText(const CellTextInput& in) {
  CellTextFit fit;
  const std::size_t count = in.lines.size();
  if (count == 0 || in.lineHeight <= 0) return fit;
  double widest = 0;
  for (const CellLine& line : in.lines) widest = std::max(widest, line.width);
  // The largest scale, at most the natural one, at which every line fits; else the least.
  double scale = std::min(1.0, in.box.height / (in.lineHeight * static_cast<double>(count)));
  if (widest > 0) scale = std::min(scale, in.box.width / widest);
  scale = std::max(scale, in.leastScale);
  fit.scale = scale;
  const double pitch = in.lineHeight * scale;
  // A hair's tolerance, so that lines that fit exactly are not lost to rounding.
  const auto room = static_cast<std::size_t>(std::floor(in.box.height / pitch + 1e-9));

  std::vector<const CellLine*> bodies;
  std::vector<const CellLine*> markers;
  for (const CellLine& line : in.lines) (line.marker ? markers : bodies).push_back(&line);
  std::vector<PlacedLine> shown;
  const auto place = [&](const std::string& text, double width, bool marker, bool more) {
    const double top = in.box.top + pitch * static_cast<double>(shown.size());
    shown.push_back({text, Box{in.box.left, top, std::min(width * scale, in.box.width), pitch}, marker, more});
  };
  if (room >= count) {
    for (const CellLine* line : bodies) place(line->text, line->width, false, false);
    for (const CellLine* line : markers) place(line->text, line->width, true, false);
  } else {
    fit.clipped = true;
    const std::size_t markerCount = std::min(markers.size(), room);
    const std::size_t left = room - markerCount;
    if (left >= 1) {
      const std::size_t bodyCount = std::min(bodies.size(), left - 1);
      for (std::size_t i = 0; i < bodyCount; ++i) place(bodies[i]->text, bodies[i]->width, false, false);
      place(in.moreText, in.moreWidth, false, true);
    }
    for (std::size_t i = 0; i < markerCount; ++i) place(markers[i]->text, markers[i]->width, true, false);
  }
  fit.lines = std::move(shown);
  return fit;
}

}  // namespace halvora::chart_view
