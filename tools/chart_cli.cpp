// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_cli.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <sstream>

#include "chart/chart_facts.h"
#include "chart/birth_time_window.h"
#include "chart/rashi_chart.h"
#include "chart/time_zone_table.h"
#include "chart_view/captions.h"
#include "chart_view/text_chart.h"
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
  options.extraKeys = {forms::kVersionKey, {"pdf", forms::ValueKind::Text}, {"windows", forms::ValueKind::Switch}};
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
  const auto model = OpenPositionModel(given.model);
  if (const auto* why = std::get_if<std::string>(&model)) return appendErrorJson(out, "ephemeris: " + *why);
  const auto outcome = RunChartRequest(given.form, *std::get<std::shared_ptr<const PositionModel>>(model));
  if (const auto* failure = std::get_if<ValidationFailure>(&outcome))
    return appendErrorJson(out, forms::failureMessage(*failure, forms::KeyStyle::Json));
  const auto& chart = std::get<ChartResult>(outcome);
  if (pdfPath != given.extras.end()) {
    const auto style = given.style.value_or(chart_view::ChartStyle::South);
    if (const auto problem = pdf(chart, style, pdfPath->second)) return appendErrorJson(out, "pdf: " + *problem);
  }
  const auto windows = given.extras.find("windows");
  const bool withWindows = windows != given.extras.end() && windows->second == "true";
  appendChartJson(out, chart, std::get<std::optional<AtlasOrigin>>(origin), false,
                  withWindows ? fields | windowFields() : fields);
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
         "                     [--dst] [--json] [--pdf OUT.pdf|-] [--style south|north|east]\n"
         "       halvora-chart --place \"CITY[, STATE][, COUNTRY]\" (coordinates and zone from the atlas;\n"
         "                     the flags above, given beside it, win) ...\n"
         "       --zone-offset +H:MM|-H:MM  a clock no row of the zone list holds, east positive (+5:45)\n"
         "       halvora-chart --form FILE.halvora [--json] [--pdf OUT.pdf] [--style south|north|east]\n"
         "       halvora-chart --batch    (one JSON object per line on standard input, keys = flag names)\n"
         "       [--fields KEY,KEY...]    (with --json or --batch) only the named keys of the JSON answer\n"
         "       [--ephemeris builtin|swiss] [--ayanamsa lahiri|raman|krishnamurti|true-chitra] [--node mean|true]\n"
         "                                the position model (Swiss Ephemeris needs libswe); the ayanamsa and the\n"
         "                                node are Swiss Ephemeris's (defaults: builtin, lahiri, mean)\n"
         "--form reads the form from a birth-data file; --pdf writes the chart's printed pages to a PDF\n"
         "file (in --batch, \"pdf\": \"OUT.pdf\" in a line), or to standard output for \"-\"; --style draws\n"
         "the chart of the PDF and of the readable page as the South (the default), North or East Indian\n"
         "chart (\"style\" in a line).\n"
         "A batch answers the birth-time windows (AscendantWindow, SreeLagnaWindow) only when --fields\n"
         "names them or a line holds \"windows\": true.\n"
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
    else if (given.style) taken = "style";
    if (!taken.empty()) {
      say(errFd, "halvora-chart: --batch reads its forms from standard input and takes no --" + taken + "\n" + usage());
      return kExitBadInput;
    }
    // Without --fields a batch leaves out the birth-time windows, which cost more than the chart.
    const ChartFields batchFields =
        extra("fields") ? std::get<ChartFields>(fields) : std::get<ChartFields>(fields) & ~windowFields();
    return runBatch(inFd, outFd, errFd, pdf, batchFields);
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
  // The model is chosen by the flags, or else by the file.
  ModelChoice modelChoice = given.model;
  forms::KeyStyle modelStyle = forms::KeyStyle::Flag;
  if (const std::string* formFile = extra("form")) {
    const auto birthKey = std::find_if(given.formKeys.begin(), given.formKeys.end(),
                                       [](const std::string& key) { return !forms::isModelKey(key); });
    if (birthKey != given.formKeys.end()) {
      say(errFd, "halvora-chart: --form reads the whole form from its file and takes no --" + *birthKey +
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
    if (given.formKeys.empty()) {
      modelChoice = fromFile.model;
      modelStyle = forms::KeyStyle::Json;
    }
    style = forms::KeyStyle::Json;
    where = forms::FileError{*formFile, {}}.message();
  }

  const auto filled = place_form::FillFromAtlas(*form, style);
  if (const auto* e = std::get_if<std::string>(&filled)) {
    say(errFd, "halvora-chart: " + where + *e + "\n");
    return kExitBadInput;
  }
  const std::optional<AtlasOrigin>& origin = std::get<std::optional<AtlasOrigin>>(filled);
  const auto model = OpenPositionModel(modelChoice);
  if (const auto* why = std::get_if<std::string>(&model)) {
    say(errFd, "halvora-chart: " + std::string(modelStyle == forms::KeyStyle::Json ? where : "") +
                   (modelStyle == forms::KeyStyle::Flag ? "--" : "") + "ephemeris: " + *why + "\n");
    return kExitBadInput;
  }
  const auto outcome = RunChartRequest(form->form, *std::get<std::shared_ptr<const PositionModel>>(model));
  if (const auto* failure = std::get_if<ValidationFailure>(&outcome)) {
    say(errFd, "halvora-chart: " + where + forms::failureMessage(*failure, style) + "\n");
    return kExitBadInput;
  }
  const auto& chart = std::get<ChartResult>(outcome);
  // The style goes with the flags, also beside a form from a file.
  const auto chartStyle = given.style.value_or(form->style.value_or(chart_view::ChartStyle::South));
  if (pdfPath) {
    if (const auto problem = pdf(chart, chartStyle, *pdfPath)) {
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
  return writeAll(outFd, errFd, chartToPage(chart, origin, chartStyle));
}

std::string chartToPage(const ChartResult& c, const std::optional<AtlasOrigin>& origin, chart_view::ChartStyle style) {
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
  const ChartFacts facts = FactsOf(c);
  for (std::string_view line : facts.lines()) out << line << "\n";
  out << "\n";

  out << "Vedic Planetary Position\n";
  for (std::size_t i = 0; i < std::size(chart_view::kPositionNames); ++i) {
    std::string name(chart_view::kPositionNames[i]);
    name.resize(18, ' ');
    out << "  " << name << c.chartPositions[i];
    if (c.retrogrades.labels[i].ends_with(kRetrogradeMark)) out << "  (R)";
    out << "\n";
  }
  out << PositionsLine(c.model) << "\n";
  out << "\n";

  out << chart_view::textChart(c, style);
  out << "\nSree Lagna: " << (c.SreeLagnaSignIndex >= 0 ? std::string(chart_view::signTitle(c.SreeLagnaSignIndex)) : "-")
      << ", house " << c.SreeLagnaHouse << "\n";
  const BirthTimeWindows windows = BirthTimeWindowsOf(c);
  out << WindowLine("Sree Lagna", windows.sreeLagna, c.birthMoment) << "\n"
      << WindowLine("Ascendant", windows.ascendant, c.birthMoment) << "\n";
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
