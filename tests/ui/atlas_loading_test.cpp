// SPDX-License-Identifier: GPL-3.0-or-later
// When the atlas is read: not while the entry form opens, but when City is first used, in the
// background; a list asked for before the atlas is ready opens when it is, and no keystroke waits.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <memory>

#include "fakes.h"
#include "form_helpers.h"
#include "places/atlas.h"
#include "support/broken_atlas_library.h"
#include "ui/atlas_loader.h"
#include "ui/frm_main.h"
#include "ui/place_completer.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;

// The entry form in a process of its own (the test program started again for this test alone), so
// that nothing else has read the atlas: opening the form reads nothing, the first focus on City
// starts the reading, and the atlas is ready soon after without anything typed.
TEST(AtlasLoadingDeathTest, TheFormReadsTheAtlasWhenCityIsFirstFocused) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const auto libraryLoaded = [] {
          return dlopen(places::kGeonamesLibraryFile, RTLD_NOW | RTLD_NOLOAD) != nullptr;
        };
        FakePlatform fake;
        FrmMain form(fake.platform);
        form.show();
        const bool exposed = QTest::qWaitForWindowExposed(&form);
        QTest::qWait(300);
        const bool readOnOpening = places::SystemAtlasLoaded();
        const bool libraryOnOpening = libraryLoaded();
        const bool startedOnOpening = child<AtlasLoader>(&form, "atlasLoader")->started();
        child<QLineEdit>(&form, "txtMCity")->setFocus();
        const bool startedOnFocus = child<AtlasLoader>(&form, "atlasLoader")->started();
        const bool readAfterFocus = QTest::qWaitFor([] { return places::SystemAtlasLoaded(); }, 10000);
        std::fprintf(stderr, "exposed %d; on opening: read %d, library %d, started %d; on focus: started %d, read %d, library %d\n",
                     exposed, readOnOpening, libraryOnOpening, startedOnOpening, startedOnFocus, readAfterFocus,
                     libraryLoaded());
        // Without the program's ending, which would take the application down under the open form.
        std::fflush(stderr);
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(0),
      "exposed 1; on opening: read 0, library 0, started 0; on focus: started 1, read 1, library 1\n");
}

// The entry form on a system without the atlas's library (a process of its own, started with a
// broken library where the atlas's is looked for): City offers no places, and the form takes
// everything typed by hand as ever, without a message.
TEST(AtlasLoadingDeathTest, WithoutTheLibraryTheFormWorksByHand) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const halvora::testing_support::BrokenAtlasLibrary broken;
  const halvora::testing_support::ScopedLibraryPath path(broken.libraryPath());
  EXPECT_EXIT(
      {
        std::filesystem::remove_all(broken.folder());  // this child's own; its loader found the parent's
        FakePlatform fake;
        FrmMain form(fake.platform);
        int charts = 0;
        QObject::connect(&form, &FrmMain::chartReady, [&charts](const ChartResult&) { ++charts; });
        form.show();
        const bool exposed = QTest::qWaitForWindowExposed(&form);
        auto* city = child<QLineEdit>(&form, "txtMCity");
        city->setFocus();
        const bool read = QTest::qWaitFor([] { return places::SystemAtlasLoaded(); }, 10000);
        QTest::keyClicks(city, QStringLiteral("Pune"));
        QTest::qWait(100);
        auto* completer = city->findChild<PlaceCompleter*>();
        const bool listShown = completer && completer->popup()->isVisible();
        testing::fillNewDelhiBirth(&form);
        QTest::mouseClick(child<QPushButton>(&form, "cmdRashi"), Qt::LeftButton);
        std::fprintf(stderr, "exposed %d, read %d, places %zu, list %d, charts %d, messages %zu\n", exposed, read,
                     places::SystemAtlas().size(), listShown, charts, fake.messages.shown.size());
        std::fflush(stderr);
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(0), "exposed 1, read 1, places 0, list 0, charts 1, messages 0\n");
}

// A reading the test holds back until it lets it go, over a small atlas of its own.
class HeldBackAtlas : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    city = new QLineEdit;
    other = new QLineEdit;
    // The window's first box takes the focus when it opens: that is not City.
    layout->addWidget(other);
    layout->addWidget(city);
    const auto lookup = [this](std::string_view text, std::size_t limit) { return atlas.find(text, limit); };
    loader = new AtlasLoader({[this] { read(); }, [this] { return m_read.load(); }}, &window);
    completer = new PlaceCompleter(city, lookup, loader);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  void TearDown() override { letGo(); }

  void read() {
    ++readings;
    // Bounded, so that a fault cannot hang the test program.
    m_release.wait_for(std::chrono::seconds(10));
    m_read = true;
  }
  void letGo() {
    if (!m_released) m_promise.set_value();
    m_released = true;
  }
  void type(const char* text) {
    for (const char* c = text; *c; ++c) QTest::keyClicks(QApplication::focusWidget(), QString(QChar(*c)));
  }
  bool listOpen() const { return completer->popup()->isVisible(); }
  QStringList lines() const {
    QStringList out;
    for (int row = 0; row < completer->popup()->model()->rowCount(); ++row)
      out << completer->popup()->model()->index(row, 0).data().toString();
    return out;
  }

  const places::Atlas atlas{{
      {"Pune", "Maharashtra", "India", "IN", 18.51957, 73.85535, 3124458, "Asia/Kolkata"},
      {"Puyang", "Zhejiang", "China", "CN", 29.45679, 119.88872, 3500000, "Asia/Shanghai"},
      {"Punta Arenas", "Magallanes", "Chile", "CL", -53.15483, -70.91129, 117430, "America/Punta_Arenas"},
  }};
  QWidget window;
  QLineEdit* city = nullptr;
  QLineEdit* other = nullptr;
  AtlasLoader* loader = nullptr;
  PlaceCompleter* completer = nullptr;
  std::atomic<int> readings = 0;

 private:
  std::promise<void> m_promise;
  std::shared_future<void> m_release = m_promise.get_future().share();
  std::atomic<bool> m_read = false;
  bool m_released = false;
};

TEST_F(HeldBackAtlas, TheFirstFocusStartsOneReading) {
  EXPECT_FALSE(loader->started()) << "showing the box reads nothing";
  other->setFocus();
  EXPECT_FALSE(loader->started()) << "another box's focus reads nothing";
  city->setFocus();
  EXPECT_TRUE(loader->started());
  other->setFocus();
  city->setFocus();
  type("pu");
  letGo();
  QTRY_VERIFY(loader->isLoaded());
  QTRY_VERIFY(listOpen());
  EXPECT_EQ(readings.load(), 1) << "the atlas is read once";
}

TEST_F(HeldBackAtlas, TheListOpensWhenTheAtlasIsReadyForWhatTheBoxHoldsThen) {
  city->setFocus();
  type("pu");
  // The reading is still held back, so the keys came back without it.
  EXPECT_EQ(city->text(), "pu");
  EXPECT_FALSE(listOpen());
  EXPECT_TRUE(completer->waitingForAtlas());
  type("n");
  EXPECT_EQ(city->text(), "pun");
  letGo();
  QTRY_VERIFY(listOpen());
  EXPECT_FALSE(completer->waitingForAtlas());
  EXPECT_EQ(lines(), (QStringList{QString::fromUtf8("Pune, Maharashtra, India \u2014 18\u00b031\u2032 N 73\u00b051\u2032 E"),
                                  QString::fromUtf8("Punta Arenas, Magallanes, Chile \u2014 53\u00b009\u2032 S 70\u00b055\u2032 W")}));
  EXPECT_EQ(QApplication::focusWidget(), city) << "typing goes on in the box";
  type("e");
  EXPECT_EQ(lines().size(), 1) << "once ready, each keystroke looks up at once";
}

TEST_F(HeldBackAtlas, NoListOpensForABoxTheUserHasLeft) {
  QSignalSpy ready(loader, &AtlasLoader::loaded);
  city->setFocus();
  type("pu");
  other->setFocus();
  letGo();
  QTRY_COMPARE(ready.count(), 1);
  EXPECT_FALSE(listOpen());
  EXPECT_FALSE(completer->waitingForAtlas());
  EXPECT_EQ(QApplication::focusWidget(), other);
}

TEST_F(HeldBackAtlas, NoListOpensWhenTheLettersWereTakenBack) {
  QSignalSpy ready(loader, &AtlasLoader::loaded);
  city->setFocus();
  type("pu");
  QTest::keyClick(city, Qt::Key_Backspace);
  EXPECT_FALSE(completer->waitingForAtlas()) << "one letter asks for no list";
  letGo();
  QTRY_COMPARE(ready.count(), 1);
  EXPECT_FALSE(listOpen());
  EXPECT_EQ(city->text(), "p");
}

}  // namespace
}  // namespace halvora::ui
