// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a birth form from command-line flags or from one flat JSON object whose keys are the
// flag names without their dashes. Both hold every value to what the entry form could hold and
// answer the first problem with a message that names the flag or key.

#include <cstddef>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "chart/chart_request.h"
#include "chart_view/chart_styles.h"

namespace halvora::forms {

// The most bytes one JSON form (one line of a batch) may hold; far more than any form needs.
inline constexpr std::size_t kMaxFormBytes = 64 * 1024;

// What a key holds. In JSON a Number is a whole number, Digits, Name and Text are texts and a
// Switch is true or false; as a flag a Switch takes no value and the others take one.
enum class ValueKind {
  Number,  // a whole number within the key's list
  Digits,  // a coordinate text: decimal digits only, at most as many as its box takes
  Name,    // letters of any script, blanks, a hyphen or apostrophe after a letter; stored in capitals
  Text,    // any text without control characters
  Switch,  // on or off
  Choice,  // one of a few words, such as "builtin" or "swiss"
};

// A key the form does not have but a caller wants read, such as a file's "version" or the
// command line's "--json". Its value is kept as text: a Number in decimal, a Switch as "true" or
// "false".
struct ExtraKey {
  std::string_view name;
  ValueKind kind = ValueKind::Switch;
};

struct ReadOptions {
  bool unknownKeysAreErrors = true;  // otherwise unknown keys (and whatever they hold) are skipped
  std::size_t maxBytes = kMaxFormBytes;  // JSON only
  std::string_view what = "line";        // how a JSON text's own problems name it ("the line is ...")
  std::vector<ExtraKey> extraKeys;
};

// The first problem found. `message` names the flag or the key: as the subject of a sentence of
// its own ("--dst takes no value", "month takes a whole number from 1 to 12, not 13"), or before
// the entry form's own message where the form has one ("--lat-deg: Only Numbers Are Accepted").
struct FormError {
  std::string key;  // the key without dashes; empty for a problem of the whole text
  std::string message;
  friend bool operator==(const FormError&, const FormError&) = default;
};

struct ReadForm {
  FormInput form;
  // How the chart is computed ("ephemeris", "ayanamsa", "node"): beside the birth, not part of it,
  // and not kept in birth-data files.
  ModelChoice model;
  std::vector<std::string> formKeys;          // the form's own keys that were given, in order
  // The chart's style ("style"), when it was given: how the chart is drawn, not part of the birth.
  std::optional<chart_view::ChartStyle> style;
  std::map<std::string, std::string> extras;  // the extra keys that were given
};

using ReadResult = std::variant<ReadForm, FormError>;

// The form in one JSON object, such as one line of a batch. Unknown keys, a key given twice, a
// value of the wrong JSON type, a value the form could not hold, contradicting hemispheres, text
// that is not UTF-8, a NUL byte and a text longer than maxBytes are all errors.
ReadResult readFormJson(std::string_view text, const ReadOptions& options = {});

// The form in command-line flags: "--key value", "--key=value" and "--switch". A value that
// begins with "--" must be given as "--key=--value".
ReadResult readFormFlags(std::span<const std::string> args, const ReadOptions& options = {});

// How a message names a key: as a flag ("--lat-deg") or as a JSON key ("lat-deg").
enum class KeyStyle { Flag, Json };

// A failed check of the entry form with the flag or key of the control it concerns, for example
// "--lat-deg: Please Enter Value Between 0 And 89 in the Degree of Latitude".
std::string failureMessage(const ValidationFailure& failure, KeyStyle style);

// The flag and JSON key names of the birth form (without the keys that choose the model), in the
// order of the usage text.
std::span<const std::string_view> formKeyNames();

// Whether a key chooses how the chart is computed ("ephemeris", "ayanamsa", "node") rather than
// giving part of the birth.
bool isModelKey(std::string_view key);

// The value of "zone-offset", the clock's offset east of Greenwich as +H:MM or -H:MM ("+5:45",
// "-4:30", "+0:20"; at most kMaxCustomZoneMinutes), as the zone list's correction numbers; nothing
// for any other text. ZoneOffsetText writes it back.
std::optional<ZoneCorrection> parseZoneOffset(std::string_view text);

// One value of a form under its key, as a JSON object holds it: a whole number for a Number, a
// text for Digits, Name and Text, true or false for a Switch. A list text that is no number (no
// form holds one) stays a text, which the reader then refuses rather than taking another value.
struct FormValue {
  std::string_view key;
  ValueKind kind = ValueKind::Text;
  std::variant<long long, std::string, bool> value;
  friend bool operator==(const FormValue&, const FormValue&) = default;
};

// The form's values under their keys, in the order of formKeyNames(): what readFormJson reads
// back into the same form. Of each pair of opposite switches only the first is given ("north",
// "east"), since it alone says the side.
std::vector<FormValue> formValues(const FormInput& form);

}  // namespace halvora::forms
