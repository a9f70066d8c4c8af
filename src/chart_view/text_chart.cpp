// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_view/text_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>

#include "chart_view/captions.h"

namespace halvora::chart_view {

namespace {

// The lines of a caption that show something, without their blanks round them.
std::vector<std::string> visibleLines(const std::string& caption) {
  std::vector<std::string> lines;
  for (const std::string& line : captionLines(caption)) {
    const auto first = line.find_first_not_of(' ');
    if (first == std::string::npos) continue;
    lines.push_back(line.substr(first, line.find_last_not_of(' ') - first + 1));
  }
  return lines;
}

// --- South Indian: the grid ---------------------------------------------------------------------

constexpr std::size_t kCellWidth = 15;

// The grid writes every line of a caption that is not empty, as it is.
std::vector<std::string> gridCellLines(const ChartResult& c, int sign) {
  std::vector<std::string> lines;
  if (sign < 0) return lines;
  lines.push_back(std::to_string(sign + 1) + " " + std::string(signTitle(sign)));
  for (const std::string* caption : {&c.signLabels[static_cast<std::size_t>(sign)], &c.markers[static_cast<std::size_t>(sign)]}) {
    for (auto& line : captionLines(*caption))
      if (!line.empty()) lines.push_back("  " + line);
  }
  return lines;
}

std::string pad(std::string s) {
  if (s.size() < kCellWidth) s.append(kCellWidth - s.size(), ' ');
  return s;
}

std::string southGrid(const ChartResult& c) {
  // The cells row by row: the sign of each (column, row) of the designed grid, -1 in the centre.
  std::array<std::array<int, 4>, 4> grid{};
  for (auto& row : grid) row.fill(-1);
  for (int k = 0; k < 12; ++k) {
    const TwipPoint at = chartGridPosition(k);
    grid[static_cast<std::size_t>(at.y)][static_cast<std::size_t>(at.x)] = k;
  }
  std::ostringstream out;
  std::string rule = "+";
  for (int i = 0; i < 4; ++i) rule += std::string(kCellWidth, '-') + "+";
  out << rule << "\n";
  for (std::size_t r = 0; r < grid.size(); ++r) {
    const auto& row = grid[r];
    std::array<std::vector<std::string>, 4> cells;
    std::size_t height = 1;
    for (std::size_t col = 0; col < 4; ++col) {
      cells[col] = gridCellLines(c, row[col]);
      height = std::max(height, cells[col].size());
    }
    height = std::max<std::size_t>(height, 4);
    for (std::size_t line = 0; line < height; ++line) {
      out << "|";
      for (const auto& cell : cells) out << pad(line < cell.size() ? cell[line] : "") << "|";
      out << "\n";
    }
    const bool centreFollows = row[1] < 0 && r + 1 < grid.size() && grid[r + 1][1] < 0;
    out << (centreFollows ? "+" + std::string(kCellWidth, '-') + "+" + std::string(2 * kCellWidth + 1, ' ') + "+" +
                                std::string(kCellWidth, '-') + "+"
                          : rule)
        << "\n";
  }
  return out.str();
}

// --- North and East Indian: a canvas of characters ----------------------------------------------

// Characters count as one column each; the texts of a chart are ASCII.
class Canvas {
 public:
  Canvas() : m_rows(kTextChartRows, std::string(kTextChartColumns, ' ')) {}

  static double column(double x) { return x * (kTextChartColumns - 1); }
  static double row(double y) { return y * (kTextChartRows - 1); }

  void line(Point a, Point b) {
    const double x0 = column(a.x), y0 = row(a.y), x1 = column(b.x), y1 = row(b.y);
    if (std::abs(y1 - y0) < 1e-9) {
      for (int x = iround(std::min(x0, x1)); x <= iround(std::max(x0, x1)); ++x) put(x, iround(y0), '-');
      return;
    }
    if (std::abs(x1 - x0) < 1e-9) {
      for (int y = iround(std::min(y0, y1)); y <= iround(std::max(y0, y1)); ++y) put(iround(x0), y, '|');
      return;
    }
    // A diagonal: one mark a row, leaning as the line does.
    const char mark = (x1 - x0) * (y1 - y0) > 0 ? '\\' : '/';
    for (int y = iround(std::min(y0, y1)); y <= iround(std::max(y0, y1)); ++y) {
      const double x = x0 + (x1 - x0) * (y - y0) / (y1 - y0);
      put(iround(x), y, mark);
    }
  }

  // The corners and the crossings of lines.
  void joint(Point p) { m_rows[static_cast<std::size_t>(iround(row(p.y)))][static_cast<std::size_t>(iround(column(p.x)))] = '+'; }

  // The run of free columns round `x` in row `y` that lies inside `cell`, one column clear of
  // its lines on each side: [first, last], empty when last < first.
  std::pair<int, int> room(const Polygon& cell, int y, int x) const {
    const auto free = [&](int c) {
      return c >= 0 && c < kTextChartColumns && at(c, y) == ' ' &&
             polygonContains(cell, Point{c / double(kTextChartColumns - 1), y / double(kTextChartRows - 1)});
    };
    if (!free(x)) return {0, -1};
    int first = x;
    int last = x;
    while (free(first - 1)) --first;
    while (free(last + 1)) ++last;
    return {first + 1, last - 1};
  }

  // Writes `text` from column `x` in row `y`, cut at column `last`.
  void write(int x, int y, const std::string& text, int last) {
    for (std::size_t i = 0; i < text.size() && x + static_cast<int>(i) <= last; ++i) put(x + static_cast<int>(i), y, text[i]);
  }

  char at(int x, int y) const { return m_rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]; }

  std::string text() const {
    std::string out;
    for (const std::string& r : m_rows) {
      const auto end = r.find_last_not_of(' ');
      out += r.substr(0, end == std::string::npos ? 0 : end + 1) + "\n";
    }
    return out;
  }

 private:
  static int iround(double v) { return static_cast<int>(std::lround(v)); }
  void put(int x, int y, char c) {
    if (x < 0 || y < 0 || x >= kTextChartColumns || y >= kTextChartRows) return;
    m_rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = c;
  }
  std::vector<std::string> m_rows;
};

// The middle column of a box, and its rows strictly inside the canvas.
int middleColumn(const Box& b) { return static_cast<int>(std::lround(Canvas::column(b.left + b.width / 2))); }

void drawCell(Canvas& canvas, const ChartCell& cell, const ChartResult& c) {
  // The sign number, centred in its box where the cell has room for it.
  const std::string number = std::to_string(cell.signIndex + 1);
  const int numberRow = static_cast<int>(std::lround(Canvas::row(cell.number.top + cell.number.height / 2)));
  const auto [nFirst, nLast] = canvas.room(cell.outline, numberRow, middleColumn(cell.number));
  if (nLast >= nFirst) {
    const int width = static_cast<int>(number.size());
    const int x = std::clamp(middleColumn(cell.number) - width / 2, nFirst, std::max(nFirst, nLast - width + 1));
    canvas.write(x, numberRow, number, nLast);
  }

  // The bodies and markers, a line to a row of the text box.
  const int top = static_cast<int>(std::ceil(Canvas::row(cell.text.top) - 1e-9));
  const int bottom = static_cast<int>(std::floor(Canvas::row(cell.text.bottom()) + 1e-9));
  CellTextInput in;
  in.box = Box{0, 0, 1e9, static_cast<double>(std::max(0, bottom - top + 1))};
  in.lineHeight = 1;
  in.leastScale = 1;
  in.moreText = "...";
  in.moreWidth = 3;
  for (const std::string& body : cellBodies(c, cell.signIndex)) in.lines.push_back({body, double(body.size()), false});
  for (const std::string& marker : cellMarkers(c, cell.signIndex)) in.lines.push_back({marker, double(marker.size()), true});
  const CellTextFit fit = fitCellText(in);
  const int textColumn = static_cast<int>(std::lround(Canvas::column(cell.text.left)));
  for (std::size_t i = 0; i < fit.lines.size(); ++i) {
    const int y = top + static_cast<int>(i);
    const auto [first, last] = canvas.room(cell.outline, y, middleColumn(cell.text));
    if (last < first) continue;
    canvas.write(std::max(first, std::min(textColumn, last)), y, fit.lines[i].text, last);
  }
}

std::string styledChart(const ChartResult& c, ChartStyle style) {
  const ChartFace face = chartFace(style, ascendantSignIndex(c.AscSignNumber));
  Canvas canvas;
  for (const auto& [a, b] : face.lines) canvas.line(a, b);
  for (const auto& [a, b] : face.lines) {
    canvas.joint(a);
    canvas.joint(b);
  }
  for (const ChartCell& cell : face.cells) drawCell(canvas, cell, c);

  std::ostringstream out;
  out << canvas.text() << "\n";
  // Every cell's whole contents, by house in the North Indian chart, by sign in the East Indian.
  std::array<const ChartCell*, 12> order{};
  for (const ChartCell& cell : face.cells) {
    const int at = style == ChartStyle::North ? cell.house - 1 : cell.signIndex;
    order[static_cast<std::size_t>(at)] = &cell;
  }
  for (const ChartCell* cell : order) {
    std::string head = style == ChartStyle::North ? "House " + std::to_string(cell->house) + ": " : std::string();
    head += std::to_string(cell->signIndex + 1) + " " + std::string(signTitle(cell->signIndex));
    head.resize(std::max<std::size_t>(head.size() + 1, style == ChartStyle::North ? 24 : 16), ' ');
    std::string contents;
    for (const std::string& body : cellBodies(c, cell->signIndex)) contents += (contents.empty() ? "" : ", ") + body;
    for (const std::string& marker : cellMarkers(c, cell->signIndex)) contents += (contents.empty() ? "" : ", ") + marker;
    std::string line = head + contents;
    line.erase(line.find_last_not_of(' ') + 1);  // no blanks at the end of a line
    out << line << "\n";
  }
  return out.str();
}

}  // namespace

std::vector<std::string> cellBodies(const ChartResult& chart, int signIndex) {
  return visibleLines(chart.signLabels.at(static_cast<std::size_t>(signIndex)));
}

std::vector<std::string> cellMarkers(const ChartResult& chart, int signIndex) {
  return visibleLines(chart.markers.at(static_cast<std::size_t>(signIndex)));
}

std::string textChart(const ChartResult& chart, ChartStyle style) {
  return style == ChartStyle::South ? southGrid(chart) : styledChart(chart, style);
}

}  // namespace halvora::chart_view
