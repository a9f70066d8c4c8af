// halvora-chart: computes a chart from the command line, or one chart per JSON line with --batch.
#include <iostream>
#include <string>
#include <vector>

#include "chart_cli.h"

namespace {

constexpr int kExitBadInput = 2;

int runBatch() {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    nlohmann::json out;
    const nlohmann::json object = nlohmann::json::parse(line, nullptr, /*allow_exceptions=*/false);
    if (object.is_discarded()) {
      out = {{"error", "not a JSON object: " + line}};
    } else {
      auto form = halvora::cli::formFromJson(object);
      if (auto* e = std::get_if<halvora::cli::InputError>(&form)) {
        out = {{"error", e->message}};
      } else {
        auto outcome = halvora::RunChartRequest(std::get<halvora::FormInput>(form));
        if (auto* failure = std::get_if<halvora::ValidationFailure>(&outcome)) out = {{"error", failure->message}};
        else out = halvora::cli::chartToJson(std::get<halvora::ChartResult>(outcome));
      }
    }
    std::cout << out.dump() << "\n";
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  auto parsed = halvora::cli::parseArguments(args);
  if (auto* e = std::get_if<halvora::cli::InputError>(&parsed)) {
    std::cerr << "halvora-chart: " << e->message << "\n" << halvora::cli::usage();
    return kExitBadInput;
  }
  const auto& options = std::get<halvora::cli::Options>(parsed);
  if (options.help) {
    std::cout << halvora::cli::usage();
    return 0;
  }
  if (options.batch) return runBatch();

  auto outcome = halvora::RunChartRequest(options.form);
  if (auto* failure = std::get_if<halvora::ValidationFailure>(&outcome)) {
    std::cerr << failure->message << "\n";
    return kExitBadInput;
  }
  const auto& chart = std::get<halvora::ChartResult>(outcome);
  if (options.json) std::cout << halvora::cli::chartToJson(chart).dump(2) << "\n";
  else std::cout << halvora::cli::chartToPage(chart);
  return 0;
}
