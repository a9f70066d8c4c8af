// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_cli.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <sstream>

#include "chart/rashi_chart.h"
#include "chart/time_zone_table.h"
#include "chart_json.h"
#include "cli_io.h"
#include "forms/birth_data_file.h"
#include "forms/form_reader.h"
#include "forms/utf8.h"
#include "place_form/place_form.h"

namespace halvora::cli {

namespace {

std::string systemMessage(int error) { return std::strerror(error); }

// Writes a message and a line feed to standard error; nothing more can be done if that fails.
void say(int errFd, const std::string& text) {
  OutputSink err(errFd);
  err.write(text);
  err.flush();
}

int writeFailed(int errFd, const OutputSink& out) {
  say(errFd, "halvora-chart: cannot write the output: " + systemMessage(out.error()) + "\n");
  return kExitFailure;
}

constexpr char kNoPdf[] = "this halvora-chart cannot write PDF files (it was built without Qt's painting)";

// Appends the answer to one line of a batch: a chart, or the first problem with the line. A line
// may also name a PDF file for the chart's printed pages ("pdf") and the version of the
// birth-data format it follows ("version"), so that a saved birth-data file is a valid line.
void appendAnswer(std::string& out, const std::string& line, LineReader::Status status, const PdfWriter& pdf,
                  const ChartFields& fields) {
  if (status == LineReader::Status::TooLong)
    return appendErrorJson(out, "the line is longer than " + std::to_string(forms::kMaxFormBytes) + " bytes");
  forms::ReadOptions options;
  options.extraKeys = {forms::kVersionKey, {"pdf", forms::ValueKind::Text}};
  forms::ReadResult read = forms::readFormJson(forms::withoutByteOrderMark(line), options);
  if (const auto* e = std::get_if<forms::FormError>(&read)) return appendErrorJson(out, e->message);
  auto& given = std::get<forms::ReadForm>(read);
  if (const auto problem = forms::versionProblem(given)) return appendErrorJson(out, problem->message);
  const auto pdfPath = given.extras.find("pdf");
  if (pdfPath != given.extras.end()) {
    if (!pdf) return appendErrorJson(out, std::string("pdf: ") + kNoPdf);
    if (pdfPath->second.empty()) return appendErrorJson(out, "pdf takes a file name, not an empty text");
    if (pdfPath->second == kPdfToStandardOutput)
      return appendErrorJson(out, "pdf: standard output carries the answers; give a file name");
  }
  const auto origin = place_form::FillFromAtlas(given, forms::KeyStyle::Json);
  if (const auto* e = std::get_if<std::string>(&origin)) return appendErrorJson(out, *e);
  const auto outcome = RunChartRequest(given.form);
  if (const auto* failure = std::get_if<ValidationFailure>(&outcome))
    return appendErrorJson(out, forms::failureMessage(*failure, forms::KeyStyle::Json));
  const auto& chart = std::get<ChartResult>(outcome);
  if (pdfPath != given.extras.end()) {
    if (const auto problem = pdf(chart, pdfPath->second)) return appendErrorJson(out, "pdf: " + *problem);
  }
  appendChartJson(out, chart, std::get<std::optional<AtlasOrigin>>(origin), false, fields);
}

int runBatch(int inFd, int outFd, int errFd, const PdfWriter& pdf, const ChartFields& fields) {
  OutputSink out(outFd);
  LineReader in(inFd, forms::kMaxFormBytes, &out);
  std::string line;
  while (true) {
    const LineReader::Status status = in.next(line);
    if (status == LineReader::Status::End) break;
    if (status == LineReader::Status::Error) {
      if (!out.flush()) return writeFailed(errFd, out);
      say(errFd, "halvora-chart: cannot read the input: " + systemMessage(in.error()) + "\n");
      return kExitFailure;
    }
    // The answer goes straight into the output held for writing.
    appendAnswer(out.buffer(), line, status, pdf, fields);
    out.buffer() += '\n';
    out.wrote();
    if (out.failed()) return writeFailed(errFd, out);
  }
  if (!out.flush()) return writeFailed(errFd, out);
  return kExitOk;
}

// Writes a whole text to standard output and reports a failed write.
int writeAll(int outFd, int errFd, std::string_view text) {
  OutputSink out(outFd);
  out.write(text);
  if (!out.flush()) return writeFailed(errFd, out);
  return kExitOk;
}

}  // namespace

std::string usage() {
  return "usage: halvora-chart --name TEXT --month 1..12 --day 1..31 --year 1901..2050\n"
         "                     --hour 0..23 --minute 0..59 --second 0..59\n"
         "                     --city TEXT --state TEXT --country TEXT\n"
         "                     --lat-deg DIGITS --lat-min DIGITS --north|--south\n"
         "                     --lon-deg DIGITS --lon-min DIGITS --east|--west --zone 0..70\n"
         "                     [--dst] [--json] [--pdf OUT.pdf|-]\n"
         "       halvora-chart --place \"CITY[, STATE][, COUNTRY]\" (coordinates and zone from the atlas;\n"
         "                     the flags above, given beside it, win) ...\n"
         "       --zone-offset +H:MM|-H:MM  a clock no row of the zone list holds, east positive (+5:45)\n"
         "       halvora-chart --form FILE.halvora [--json] [--pdf OUT.pdf]\n"
         "       halvora-chart --batch    (one JSON object per line on standard input, keys = flag names)\n"
         "       [--fields KEY,KEY...]    (with --json or --batch) only the named keys of the JSON answer\n"
         "--form reads the form from a birth-data file; --pdf writes the chart's printed pages to a PDF\n"
         "file (in --batch, \"pdf\": \"OUT.pdf\" in a line), or to standard output for \"-\".\n"
         "A value that begins with \"--\" is given as --city=--VALUE.\n";
}

namespace {

// The keys named by --fields, or the message that refuses them.
std::variant<ChartFields, std::string> chosenFields(const forms::ReadForm& given) {
  const auto list = given.extras.find("fields");
  if (list == given.extras.end()) return kAllChartFields;
  if (!given.extras.contains("json") && !given.extras.contains("batch"))
    return std::string("--fields chooses keys of the JSON answer and needs --json or --batch");
  const auto parsed = parseFieldList(list->second);
  if (const auto* problem = std::get_if<FieldListProblem>(&parsed)) {
    if (problem->repeated) return "--fields names " + forms::quoteForMessage(problem->item) + " twice";
    return "--fields takes keys of the JSON answer, not " + forms::quoteForMessage(problem->item);
  }
  return std::get<ChartFields>(parsed);
}

}  // namespace

int RunChartCli(std::span<const std::string> args, int inFd, int outFd, int errFd, const PdfWriter& pdf) {
  forms::ReadOptions options;
  options.extraKeys = {{"json", forms::ValueKind::Switch},
                       {"batch", forms::ValueKind::Switch},
                       {"help", forms::ValueKind::Switch},
                       {"form", forms::ValueKind::Text},
                       {"pdf", forms::ValueKind::Text},
                       {"fields", forms::ValueKind::Text}};
  forms::ReadResult read = forms::readFormFlags(args, options);
  if (const auto* e = std::get_if<forms::FormError>(&read)) {
    say(errFd, "halvora-chart: " + e->message + "\n" + usage());
    return kExitBadInput;
  }
  forms::ReadForm& given = std::get<forms::ReadForm>(read);
  const auto extra = [&](const char* key) -> const std::string* {
    const auto found = given.extras.find(key);
    return found == given.extras.end() ? nullptr : &found->second;
  };
  if (extra("help")) return writeAll(outFd, errFd, usage());
  const auto fields = chosenFields(given);
  if (const auto* message = std::get_if<std::string>(&fields)) {
    say(errFd, "halvora-chart: " + *message + "\n" + usage());
    return kExitBadInput;
  }
  if (extra("batch")) {
    std::string taken;
    if (!given.formKeys.empty()) taken = given.formKeys.front();
    else if (extra("form")) taken = "form";
    else if (extra("pdf")) taken = "pdf";
    if (!taken.empty()) {
      say(errFd, "halvora-chart: --batch reads its forms from standard input and takes no --" + taken + "\n" + usage());
      return kExitBadInput;
    }
    return runBatch(inFd, outFd, errFd, pdf, std::get<ChartFields>(fields));
  }

  const std::string* pdfPath = extra("pdf");
  if (pdfPath && !pdf) {
    say(errFd, std::string("halvora-chart: --pdf: ") + kNoPdf + "\n");
    return kExitBadInput;
  }
  if (pdfPath && pdfPath->empty()) {
    say(errFd, "halvora-chart: --pdf takes a file name, not an empty text\n" + usage());
    return kExitBadInput;
  }
  if (pdfPath && *pdfPath == kPdfToStandardOutput && extra("json")) {
    say(errFd, "halvora-chart: --pdf - writes the PDF to standard output, which leaves no room for --json\n" + usage());
    return kExitBadInput;
  }

  // The form: from the flags, or whole from a birth-data file, read as a batch line is.
  forms::ReadForm fromFile;
  forms::ReadForm* form = &given;
  forms::KeyStyle style = forms::KeyStyle::Flag;
  std::string where;  // "FILE: " before a problem of the file's form
  if (const std::string* formFile = extra("form")) {
    if (!given.formKeys.empty()) {
      say(errFd, "halvora-chart: --form reads the whole form from its file and takes no --" + given.formKeys.front() +
                     "\n" + usage());
      return kExitBadInput;
    }
    forms::BirthDataForm file = forms::readBirthDataForm(*formFile);
    if (const auto* e = std::get_if<forms::FileError>(&file)) {
      say(errFd, "halvora-chart: " + e->message() + "\n");
      return kExitBadInput;
    }
    fromFile = std::get<forms::ReadForm>(std::move(file));
    form = &fromFile;
    style = forms::KeyStyle::Json;
    where = forms::FileError{*formFile, {}}.message();
  }

  const auto filled = place_form::FillFromAtlas(*form, style);
  if (const auto* e = std::get_if<std::string>(&filled)) {
    say(errFd, "halvora-chart: " + where + *e + "\n");
    return kExitBadInput;
  }
  const std::optional<AtlasOrigin>& origin = std::get<std::optional<AtlasOrigin>>(filled);
  const auto outcome = RunChartRequest(form->form);
  if (const auto* failure = std::get_if<ValidationFailure>(&outcome)) {
    say(errFd, "halvora-chart: " + where + forms::failureMessage(*failure, style) + "\n");
    return kExitBadInput;
  }
  const auto& chart = std::get<ChartResult>(outcome);
  if (pdfPath) {
    if (const auto problem = pdf(chart, *pdfPath)) {
      say(errFd, "halvora-chart: " + *problem + "\n");
      return kExitFailure;
    }
    // The pages went to the file; standard output gets the chart only when it is asked for.
    if (!extra("json")) return kExitOk;
  }
  if (extra("json")) {
    std::string text;
    appendChartJson(text, chart, origin, true, std::get<ChartFields>(fields));
    text += '\n';
    return writeAll(outFd, errFd, text);
  }
  return writeAll(outFd, errFd, chartToPage(chart, origin));
}

namespace {

// The chart as a four-by-four grid: Pisces top-left, the signs clockwise, the centre empty.
constexpr int kGrid[4][4] = {{11, 0, 1, 2}, {10, -1, -1, 3}, {9, -1, -1, 4}, {8, 7, 6, 5}};
constexpr std::size_t kCellWidth = 15;
constexpr std::array<std::string_view, 12> kSignTitles = {"Aries", "Taurus", "Gemini", "Cancer",
                                                          "Leo", "Virgo", "Libra", "Scorpio",
                                                          "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

std::vector<std::string> splitLines(const std::string& caption) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= caption.size()) {
    const auto end = caption.find(kCaptionLineBreak, start);
    const std::string line = caption.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty()) lines.push_back(line);
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> cellLines(const ChartResult& c, int sign) {
  std::vector<std::string> lines;
  if (sign < 0) return lines;
  lines.push_back(std::to_string(sign + 1) + " " + std::string(kSignTitles[static_cast<std::size_t>(sign)]));
  for (auto& body : splitLines(c.signLabels[static_cast<std::size_t>(sign)])) lines.push_back("  " + body);
  for (auto& marker : splitLines(c.markers[static_cast<std::size_t>(sign)])) lines.push_back("  " + marker);
  return lines;
}

std::string pad(std::string s) {
  if (s.size() < kCellWidth) s.append(kCellWidth - s.size(), ' ');
  return s;
}

}  // namespace

std::string chartToPage(const ChartResult& c, const std::optional<AtlasOrigin>& origin) {
  std::ostringstream out;
  const Details& d = c.details;
  out << d.lblName << "\n"
      << "Date of Birth : " << d.lblDOB << "\n"
      << "Time of Birth : " << d.lblTOB << "\n"
      << "Longitude     : " << d.lblLongitude << "\n"
      << "Latitude      : " << d.lblLatitude << "\n"
      << "City          : " << d.lblCity << "\n"
      << "State         : " << d.lblState << "\n"
      << "Country       : " << d.lblCountry << "\n";
  if (origin) {
    out << "Place         : " << places::PlaceLabel(origin->place) << " (" << origin->place.timeZone << ")\n"
        << "Time zone     : " << c.zoneText << (c.birth.IsDST ? ", daylight saving" : "") << "\n";
    if (origin->zoneFromAtlas) out << "                " << origin->clockExplanation << "\n";
  }
  out << "\n";

  static constexpr std::array<std::string_view, 10> kRowNames = {
      "Surya/Sun",    "Chandra/Moon", "Budha/Mercury",   "Shukra/Venus",    "Mangala/Mars",
      "Guru/Jupiter", "Shani/Saturn", "Rahu/North Node", "Ketu/South node", "Asc/Lagna"};
  out << "Vedic Planetary Position\n";
  for (std::size_t i = 0; i < kRowNames.size(); ++i) {
    std::string name(kRowNames[i]);
    name.resize(18, ' ');
    out << "  " << name << c.chartPositions[i];
    if (c.retrogrades.labels[i].ends_with(kRetrogradeMark)) out << "  (R)";
    out << "\n";
  }
  out << "\n";

  const std::string rule = "+" + [] {
    std::string s;
    for (int i = 0; i < 4; ++i) s += std::string(kCellWidth, '-') + "+";
    return s;
  }();
  out << rule << "\n";
  for (const auto& row : kGrid) {
    std::array<std::vector<std::string>, 4> cells;
    std::size_t height = 1;
    for (int col = 0; col < 4; ++col) {
      cells[static_cast<std::size_t>(col)] = cellLines(c, row[col]);
      height = std::max(height, cells[static_cast<std::size_t>(col)].size());
    }
    height = std::max<std::size_t>(height, 4);
    for (std::size_t line = 0; line < height; ++line) {
      out << "|";
      for (const auto& cell : cells) out << pad(line < cell.size() ? cell[line] : "") << "|";
      out << "\n";
    }
    const bool centreFollows = (row[1] < 0) && (&row != &kGrid[2]);
    out << (centreFollows ? "+" + std::string(kCellWidth, '-') + "+" + std::string(2 * kCellWidth + 1, ' ') + "+" +
                                std::string(kCellWidth, '-') + "+"
                          : rule)
        << "\n";
  }

  out << "\nSree Lagna: " << (c.SreeLagnaSignIndex >= 0 ? std::string(kSignTitles[static_cast<std::size_t>(c.SreeLagnaSignIndex)]) : "-")
      << ", house " << c.SreeLagnaHouse << "\n";
  if (c.sunrise) {
    out << "Sunrise: " << formatIsoMinute(*c.sunrise) << " (" << *c.ElapsedMinutes << " minutes)\n";
  }
  if (c.notice) out << *c.notice << "\n";
  if (!c.houseText.empty()) out << "\n" << c.houseText << "\n";
  if (!c.profile.empty()) {
    out << "\nProfile of the Sree Lagna's sign\n";
    for (const auto& [control, text] : c.profile) out << "  " << control << ": " << text << "\n";
  }
  return out.str();
}

}  // namespace halvora::cli
