// SPDX-License-Identifier: GPL-3.0-or-later
// A wrapped label keeps the heights it was asked for, and answers as a plain label would after
// every change of text, font, margin or width.

#include <gtest/gtest.h>
#include <QLabel>

#include <functional>

#include "ui/wrapping_label.h"

namespace halvora::ui {
namespace {

constexpr char kLine[] =
    "Co-brand this software for your site. Increase loyalty and traffic to your site. Put your site's name "
    "& link here.";

TEST(WrappingLabel, AnswersAsAPlainLabelAfterEveryChange) {
  WrappingLabel cached(kLine);
  QLabel plain(kLine);
  for (QLabel* l : {static_cast<QLabel*>(&cached), &plain}) l->setWordWrap(true);

  struct Step {
    const char* what;
    std::function<void(QLabel&)> change;
  };
  const Step steps[] = {
      {"as built", [](QLabel&) {}},
      {"a longer text", [](QLabel& l) { l.setText(QString(kLine) + " " + kLine + " " + kLine); }},
      {"a shorter text", [](QLabel& l) { l.setText("Pune"); }},
      {"the text again", [](QLabel& l) { l.setText(kLine); }},
      {"a bigger font", [](QLabel& l) {
         QFont f = l.font();
         f.setPointSize(f.pointSize() * 2);
         l.setFont(f);
       }},
      {"a margin", [](QLabel& l) { l.setMargin(9); }},
      {"contents margins", [](QLabel& l) { l.setContentsMargins(4, 11, 4, 13); }},
      {"an indent", [](QLabel& l) { l.setIndent(30); }},
      {"no wrapping", [](QLabel& l) { l.setWordWrap(false); }},
  };
  // Widths asked again while kept, more widths than the label keeps (so that answers are replaced),
  // and the last ones kept asked first after the next change.
  const int widths[] = {200, 320, 200, 320, 480, 640, 90, 120, 200, 320};
  for (const Step& step : steps) {
    step.change(cached);
    step.change(plain);
    for (const int w : widths) {
      EXPECT_EQ(cached.heightForWidth(w), plain.heightForWidth(w)) << step.what << ", width " << w;
    }
  }
}

TEST(WrappingLabel, NarrowerIsTaller) {
  WrappingLabel label(kLine);
  label.setWordWrap(true);
  EXPECT_GT(label.heightForWidth(100), label.heightForWidth(600));
  EXPECT_EQ(label.heightForWidth(100), label.heightForWidth(100));
}

}  // namespace
}  // namespace halvora::ui
