// SPDX-License-Identifier: GPL-3.0-or-later
// A drop-down list measures and draws as QComboBox does, but makes its popup only when it opens.

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

#include "ui/drop_down_list.h"
#include "ui/look.h"

namespace halvora::ui {
namespace {

struct Items {
  const char* name;
  QStringList texts;
};

QStringList numbers(int first, int last) {
  QStringList texts;
  for (int n = first; n <= last; ++n) texts << QString::number(n);
  return texts;
}

// As the entry form treats its lists: measured while empty and in the application's font, then
// filled, then given the form's font (plain or bold), then measured again.
template <typename List>
void treatAsTheForm(List& list, const QStringList& texts, const QFont& font) {
  (void)list.sizeHint();
  (void)list.minimumSizeHint();
  list.addItems(texts);
  list.setFont(font);
}

TEST(DropDownList, MeasuresAsQComboBoxWithoutMakingItsPopup) {
  const Items cases[] = {
      {"empty", {}},
      {"days", numbers(1, 31)},
      {"years", numbers(1901, 2050)},
      {"months", {"January", "February", "September", "May"}},
      {"one long item", {QStringLiteral("Indian Standard Time, IST, +5:30 (Kolkata, Mumbai, Chennai)")}},
  };
  for (const Items& items : cases) {
    for (const QFont& font : {verdana(8.25), verdana(8.25, true), verdana(14), courierNew(10)}) {
      SCOPED_TRACE(std::string(items.name) + ", " + font.toString().toStdString());
      DropDownList ours;
      QComboBox theirs;
      treatAsTheForm(ours, items.texts, font);
      treatAsTheForm(theirs, items.texts, font);
      EXPECT_EQ(ours.sizeHint(), theirs.sizeHint());
      EXPECT_EQ(ours.minimumSizeHint(), theirs.minimumSizeHint());
      EXPECT_EQ(ours.findChild<QAbstractItemView*>(), nullptr) << "the popup was made";
      // A second font after it was measured is measured again.
      const QFont larger = verdana(font.pointSizeF() * 2);
      ours.setFont(larger);
      theirs.setFont(larger);
      EXPECT_EQ(ours.sizeHint(), theirs.sizeHint());
      EXPECT_EQ(ours.findChild<QAbstractItemView*>(), nullptr);
    }
  }
}

TEST(DropDownList, TheOpenedPopupHasTheListsFontAndItems) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* list = new DropDownList;
  layout->addWidget(list);
  list->addItems(numbers(1901, 2050));
  window.setFont(verdana(8.25));
  list->setFont(verdana(8.25, true));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(list->findChild<QAbstractItemView*>(), nullptr);

  list->setCurrentIndex(79);
  list->showPopup();
  QAbstractItemView* popup = list->view();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, 2000));
  EXPECT_EQ(popup->font(), list->font());
  EXPECT_EQ(popup->parentWidget()->font(), list->font());
  EXPECT_EQ(popup->model()->rowCount(), 150);
  EXPECT_EQ(popup->currentIndex().data().toString(), "1980");
  EXPECT_GT(popup->visualRect(popup->currentIndex()).height(), 0) << "the items were not laid out";
  list->hidePopup();

  // Once made, the popup follows the list's font as QComboBox's does.
  list->setFont(verdana(12));
  EXPECT_EQ(list->view()->parentWidget()->font(), list->font());
}

}  // namespace
}  // namespace halvora::ui
