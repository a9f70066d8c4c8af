// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/birth_time_shift.h"

#include <charconv>
#include <string>
#include <string_view>

namespace halvora {

namespace {

// A list's text as the whole number it shows.
std::optional<int> listValue(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<LocalDateTime> FormBirthMoment(const FormInput& form) {
  const auto day = listValue(form.day), year = listValue(form.year), hour = listValue(form.hour),
             minute = listValue(form.minute), second = listValue(form.second);
  if (!day || !year || !hour || !minute || !second) return std::nullopt;
  const LocalDateTime t{*year, form.monthIndex + 1, *day, *hour, *minute, *second};
  if (!isValidDate(t.year, t.month, t.day) || t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 ||
      t.second < 0 || t.second > 59)
    return std::nullopt;
  return t;
}

std::optional<FormInput> ShiftBirthTime(const FormInput& form, std::int64_t minutes) {
  const auto moment = FormBirthMoment(form);
  if (!moment) return std::nullopt;
  const LocalDateTime moved = addMinutes(*moment, minutes);
  if (moved.year < 1901 || moved.year > 2050) return std::nullopt;
  return FormAt(form, moved);
}

FormInput FormAt(FormInput form, const LocalDateTime& clock) {
  form.monthIndex = clock.month - 1;
  form.day = std::to_string(clock.day);
  form.year = std::to_string(clock.year);
  form.hour = std::to_string(clock.hour);
  form.minute = std::to_string(clock.minute);
  form.second = std::to_string(clock.second);
  return form;
}

}  // namespace halvora
