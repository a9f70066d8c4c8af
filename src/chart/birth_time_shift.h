// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving the birth time of a form by whole minutes, as the results window's control does: the
// same form at another local clock time, the date carried across midnight, months and years.

#include <cstdint>
#include <optional>

#include "chart/chart_request.h"
#include "ephemeris/date_time.h"

namespace halvora {

// The local clock time a form holds (with seconds); nothing when its lists do not hold a time the
// entry form offers.
std::optional<LocalDateTime> FormBirthMoment(const FormInput& form);

// The same form at another local clock time, written as the entry form's lists write their numbers.
FormInput FormAt(FormInput form, const LocalDateTime& clock);

// The form with its birth time moved by `minutes` (the seconds kept), written as the entry form's
// lists write their numbers; nothing when the form holds no time or the moved time leaves the
// year list (1901 to 2050). Everything but the date and the time stays as it was.
std::optional<FormInput> ShiftBirthTime(const FormInput& form, std::int64_t minutes);

}  // namespace halvora
