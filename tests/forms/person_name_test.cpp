// SPDX-License-Identifier: GPL-3.0-or-later
// Names as the form keeps them: letters of any script in capitals, blanks, and a hyphen or an
// apostrophe after a letter. The capitals are those of Unicode's UnicodeData.txt (simple case
// mapping), read off the code charts by hand.
#include <gtest/gtest.h>

#include "forms/form_reader.h"
#include "forms/person_name.h"
#include "forms/utf8.h"

namespace halvora::forms {
namespace {

struct Row {
  const char* name;
  const char* given;
  const char* kept;  // nullptr: refused
};

const Row kRows[] = {
    {"ASCII in capitals", "asha rani", "ASHA RANI"},
    {"Latin-1 accents", "jos\u00e9", "JOS\u00c9"},
    {"pasted capitals stay", "ZO\u00cb M\u00dcLLER", "ZO\u00cb M\u00dcLLER"},
    {"diaeresis in lower case", "zo\u00eb m\u00fcller", "ZO\u00cb M\u00dcLLER"},
    {"hyphen inside", "jean-luc", "JEAN-LUC"},
    {"apostrophe inside", "o'brien", "O'BRIEN"},
    {"typographic apostrophe", "o\u2019brien", "O\u2019BRIEN"},
    {"sharp s keeps its one letter", "stra\u00dfer", "STRA\u00dfER"},
    {"Latin Extended-A pairs", "\u0142ukasz \u017e\u00f3\u0142\u0107", "\u0141UKASZ \u017d\u00d3\u0141\u0106"},
    {"Greek, final sigma", "\u03bf\u03b4\u03c5\u03c3\u03c3\u03b5\u03cd\u03c2",
     "\u039f\u0394\u03a5\u03a3\u03a3\u0395\u038e\u03a3"},
    {"Cyrillic", "\u0430\u043d\u043d\u0430", "\u0410\u041d\u041d\u0410"},
    {"Devanagari has no capitals", "\u0905\u0936\u093e", "\u0905\u0936\u093e"},
    {"an accent written as a mark", "jose\u0301", "JOSE\u0301"},
    {"a letter beyond the first plane", "\U00010428", "\U00010400"},  // Deseret long i
    {"blanks only are the checks' to refuse", "  ", "  "},
    {"empty", "", ""},
    {"hyphen first", "-luc", nullptr},
    {"hyphen after a blank", "jean -luc", nullptr},
    {"two hyphens", "jean--luc", nullptr},
    {"apostrophe first", "'brien", nullptr},
    {"a mark with no letter", "\u0301a", nullptr},
    {"digit", "r2d2", nullptr},
    {"dot", "j. smith", nullptr},
    {"tab", "a\tb", nullptr},
    {"not UTF-8", "jos\xe9", nullptr},
};

TEST(PersonName, LettersOfAnyScriptInCapitals) {
  for (const Row& r : kRows) {
    const std::optional<std::string> kept = CapitalisedName(r.given);
    if (r.kept == nullptr) {
      EXPECT_EQ(kept, std::nullopt) << r.name;
    } else {
      EXPECT_EQ(kept, std::optional<std::string>(r.kept)) << r.name;
    }
  }
}

TEST(PersonName, FilesAndTheCommandLineTakeTheSameRule) {
  for (const Row& r : kRows) {
    // A tab needs escaping in JSON, and the reader refuses text that is not UTF-8 before the name.
    const std::string_view given = r.given;
    if (given.find('\t') != std::string_view::npos || !isValidUtf8(given)) continue;
    const ReadResult read = readFormJson(std::string(R"({"name": ")") + r.given + "\"}");
    if (r.kept == nullptr) {
      ASSERT_TRUE(std::holds_alternative<FormError>(read)) << r.name;
      EXPECT_EQ(std::get<FormError>(read).message, "name: Please Enter only Letters") << r.name;
    } else {
      ASSERT_TRUE(std::holds_alternative<ReadForm>(read)) << r.name;
      EXPECT_EQ(std::get<ReadForm>(read).form.name, r.kept) << r.name;
    }
  }
}

}  // namespace
}  // namespace halvora::forms
