// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The JSON answer of halvora-chart, written straight into a text without a document tree: one
// object whose members come in the order of their keys, numbers in their shortest form that reads
// back to the same double, texts as UTF-8 with only the quote, the backslash and control
// characters escaped; on one line, or indented by two spaces. The constant texts of every sign and
// house are escaped once, when the program first writes a chart.

#include <bitset>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "chart/chart_request.h"
#include "place_form/place_form.h"

namespace halvora::cli {

// The keys of a chart's answer, in the order they are written.
std::span<const std::string_view> chartJsonKeys();
inline constexpr std::size_t kChartJsonKeyCount = 27;

// Which keys an answer holds.
using ChartFields = std::bitset<kChartJsonKeyCount>;
inline const ChartFields kAllChartFields = ChartFields().set();

// The keys named in a comma-separated list such as "SreeLagnaHouse,Sunrise", or the first item of
// the list that is not a key of the answer (an empty item counts as one) or names a key again.
struct FieldListProblem {
  std::string item;
  bool repeated = false;  // the item names a key already named
};
std::variant<ChartFields, FieldListProblem> parseFieldList(std::string_view list);

// Appends a text as a JSON string, quotes included. A text that is not UTF-8 has each bad
// sequence replaced by U+FFFD.
void appendJsonString(std::string& out, std::string_view text);

// Appends the answer of a chart, without a line feed: the members of `fields` only. `origin` is the
// atlas place the form was filled from, if any ("Place", and whether the atlas chose the "Zone").
void appendChartJson(std::string& out, const ChartResult& chart,
                     const std::optional<place_form::AtlasFill>& origin = std::nullopt, bool indented = false,
                     const ChartFields& fields = kAllChartFields);

// Appends {"error": message}, on one line, without a line feed.
void appendErrorJson(std::string& out, std::string_view message);

}  // namespace halvora::cli
