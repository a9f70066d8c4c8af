#pragma once
// The command-line front end's pieces: reading a form from flags or a JSON object, and writing a
// chart as JSON or as a readable page.

#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "chart/chart_request.h"

namespace halvora::cli {

struct Options {
  FormInput form;
  bool json = false;
  bool batch = false;
  bool help = false;
};

// A problem with the command line or a JSON line, and the exit status it earns.
struct InputError {
  std::string message;
};

std::variant<Options, InputError> parseArguments(const std::vector<std::string>& args);

// A form from one JSON object whose keys are the flag names without the dashes.
std::variant<FormInput, InputError> formFromJson(const nlohmann::json& object);

nlohmann::json chartToJson(const ChartResult& chart);
std::string chartToPage(const ChartResult& chart);

std::string usage();

}  // namespace halvora::cli
