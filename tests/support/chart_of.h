// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart of a form the test expects to pass the checks: a failed check fails the test with its
// message.

#include <gtest/gtest.h>

#include <variant>

#include "chart/chart_request.h"

namespace halvora::testing_support {

inline ChartResult chartOf(const FormInput& form) {
  const ChartRequestOutcome outcome = RunChartRequest(form);
  if (const auto* failure = std::get_if<ValidationFailure>(&outcome)) ADD_FAILURE() << failure->message;
  return std::get<ChartResult>(outcome);
}

}  // namespace halvora::testing_support
