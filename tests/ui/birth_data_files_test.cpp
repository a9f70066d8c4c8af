// SPDX-License-Identifier: GPL-3.0-or-later
// Birth-data files in the windows: saving and opening every field, bad files refused with the
// form untouched, a full disk that leaves the old file whole, the recent list, printing and PDF
// from the frame, and `halvora FILE`.

#include <gtest/gtest.h>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "fakes.h"
#include "form_helpers.h"
#include "forms/birth_data_file.h"
#include "support/births.h"
#include "places/atlas.h"
#include "support/full_disk.h"
#include "support/special_paths.h"
#include "ui/application.h"
#include "ui/birth_data_files.h"
#include "ui/frm_main.h"
#include "ui/mdi_frame.h"

namespace halvora {

void PrintTo(const FormInput& form, std::ostream* out) { *out << forms::formatBirthData(form); }

namespace ui {
namespace {

namespace fs = std::filesystem;
using testing::child;
using testing::FakePlatform;

// A folder of its own for each test.
class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = fs::temp_directory_path() / ("halvora-ui-files-" + std::to_string(::getpid()) + "-" + info->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  QString path(const std::string& name) const { return QString::fromStdString((m_dir / name).string()); }
  QString write(const std::string& name, const std::string& text) const {
    std::ofstream(m_dir / name, std::ios::binary) << text;
    return path(name);
  }
  static std::string read(const QString& file) {
    std::ifstream in(file.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  QAction* action(QWidget* window, const char* name) { return child<QAction>(window, name); }

  fs::path m_dir;
  FakePlatform fake;
};

// Every control of the form away from its default; the place in letters beyond ASCII.
void fillEveryField(FrmMain& form) {
  testing::setText(&form, "txtName", "RAVI KUMAR");
  testing::choose(&form, "cboMonth", "December");
  testing::choose(&form, "cboDate", "31");
  testing::choose(&form, "cboYear", "2050");
  testing::choose(&form, "cboHH", "23");
  testing::choose(&form, "cboMM", "59");
  testing::choose(&form, "cboSS", "58");
  testing::setText(&form, "txtMCity", QString::fromUtf8("Tromsø"));
  testing::setText(&form, "txtMState", QString::fromUtf8("Troms og Finnmark — Sápmi"));
  testing::setText(&form, "txtMCountry", QString::fromUtf8("Norge / Νορβηγία"));
  testing::setText(&form, "txtLatD", "69");
  testing::setText(&form, "txtLatM", "39");
  testing::setText(&form, "txtLonD", "118");
  testing::setText(&form, "txtLonM", "57");
  child<QRadioButton>(&form, "optLat_1")->setChecked(true);
  child<QRadioButton>(&form, "optLong_1")->setChecked(true);
  child<QComboBox>(&form, "cmbTimeZone")->setCurrentIndex(70);
  child<QCheckBox>(&form, "chkDST")->setChecked(true);
}

TEST_F(Files, SaveAndOpenKeepEveryField) {
  FrmMain first(fake.platform);
  fillEveryField(first);
  const FormInput saved = first.formInput();
  ASSERT_EQ(saved.city, "Tromsø");
  ASSERT_FALSE(saved.north);
  ASSERT_FALSE(saved.east);
  ASSERT_TRUE(saved.dst);

  const QString file = path("ravi.halvora");
  fake.files.answers = {file};
  action(&first, "mnuSave")->trigger();
  ASSERT_TRUE(fake.messages.shown.empty()) << fake.messages.shown[0].text.toStdString();
  ASSERT_EQ(fake.files.asked.size(), 1u);
  EXPECT_EQ(fake.files.asked[0].caption, "Save Birth Data");
  EXPECT_EQ(fake.files.asked[0].start, QDir::home().filePath("ravi-kumar.halvora")) << "named from the person";
  EXPECT_EQ(fake.files.asked[0].filter, "Birth data (*.halvora)");
  EXPECT_EQ(fake.files.asked[0].defaultSuffix, "halvora");
  EXPECT_EQ(read(file), forms::formatBirthData(saved));

  // After a restart: a fresh form, the same settings store.
  FrmMain second(fake.platform);
  fake.files.answers = {file};
  action(&second, "mnuOpen")->trigger();
  ASSERT_TRUE(fake.messages.shown.empty()) << fake.messages.shown[0].text.toStdString();
  EXPECT_EQ(fake.files.asked.back().caption, "Open Birth Data");
  EXPECT_EQ(fake.files.asked.back().start, QString::fromStdString(m_dir.string())) << "the folder of the last file";
  EXPECT_EQ(second.formInput(), saved);
  EXPECT_EQ(child<QComboBox>(&second, "cboMonth")->currentText(), "December");
  EXPECT_TRUE(child<QRadioButton>(&second, "optLong_1")->isChecked());
}

// A place chosen from the atlas is kept with the zone its clock selected: a row for Pune in 1990,
// the entry after the rows for Kathmandu's +5:45.
TEST_F(Files, APlaceFromTheAtlasAndItsZoneEntryAreKept) {
  const struct {
    const char* place;
    const char* zone;  // the zone list's text once the place is chosen
    bool custom;
  } rows[] = {
      {"Pune, Maharashtra, India", "Indian Time, IST, +5.3", false},
      {"Kathmandu, Bagmati Province, Nepal", "Local clock of Kathmandu, +5:45", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.place);
    const places::PlaceResolution found = places::ResolvePlace(row.place);
    ASSERT_EQ(found.status, places::ResolveStatus::Found);
    FrmMain first(fake.platform);
    testing::setText(&first, "txtName", "ASHA");
    testing::choose(&first, "cboYear", "1990");
    testing::choose(&first, "cboMonth", "March");
    testing::choose(&first, "cboDate", "15");
    testing::choose(&first, "cboHH", "9");
    first.choosePlace(found.place);
    ASSERT_EQ(child<QComboBox>(&first, "cmbTimeZone")->currentText(), row.zone);
    const FormInput saved = first.formInput();
    ASSERT_EQ(saved.place, row.place);
    ASSERT_EQ(saved.customZone.has_value(), row.custom);

    const QString file = path("place.halvora");
    fake.files.answers = {file};
    action(&first, "mnuSave")->trigger();
    ASSERT_TRUE(fake.messages.shown.empty()) << fake.messages.shown[0].text.toStdString();

    // A fresh form, and another place chosen in it first, so that every control must change.
    FrmMain second(fake.platform);
    second.choosePlace(places::ResolvePlace("Caracas, Capital, Venezuela").place);
    ASSERT_TRUE(second.openBirthDataFile(file)) << fake.messages.shown.at(0).text.toStdString();
    EXPECT_EQ(second.formInput(), saved);
    EXPECT_EQ(child<QComboBox>(&second, "cmbTimeZone")->currentText(), row.zone);
    EXPECT_EQ(child<QComboBox>(&second, "cmbTimeZone")->count(), row.custom ? 72 : 71)
        << "the entry after the rows is there only for a clock no row holds";
  }
}

// A file that names a place of the atlas follows the date as a place just chosen does; one typed by
// hand keeps its zone. Asia/Kathmandu (time-zone database): +5:30 until 1985, +5:45 from 1986.
TEST_F(Files, AnOpenedFileFromTheAtlasFollowsTheDate) {
  const struct {
    const char* name;
    const char* text;
    const char* zoneIn1980;
  } rows[] = {
      {"filled from the atlas", R"({"name": "ASHA", "month": 1, "day": 1, "year": 2000, "place": "Kathmandu"})",
       "Indian Time, IST, +5.3"},
      {"typed by hand",
       R"({"name": "ASHA", "month": 1, "day": 1, "year": 2000, "city": "Kathmandu", "lat-deg": "27", "lat-min": "42",)"
       R"( "lon-deg": "85", "lon-min": "19", "zone-offset": "+5:45"})",
       "Local clock of Kathmandu, +5:45"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    FrmMain form(fake.platform);
    ASSERT_TRUE(form.openBirthDataFile(write("kathmandu.halvora", r.text)))
        << fake.messages.shown.at(0).text.toStdString();
    auto* zone = child<QComboBox>(&form, "cmbTimeZone");
    ASSERT_EQ(zone->currentText(), "Local clock of Kathmandu, +5:45");
    testing::choose(&form, "cboYear", "1980");
    EXPECT_EQ(zone->currentText(), r.zoneIn1980);
  }
}

// File > New, opening a file and Exit ask "Save changes?" only for a form that came from a file
// (opened or saved) and was changed since; Yes writes it back to that file.
TEST_F(Files, NewOpenAndExitAskToSaveOnlyAChangedFile) {
  enum class Origin { Typed, Opened, Saved };
  enum class Then { New, Open, Exit };
  const struct {
    const char* name;
    Origin origin;
    bool changed;
    Then then;
    bool yes;
    bool asked;
  } rows[] = {
      {"typed, New", Origin::Typed, true, Then::New, true, false},
      {"opened and unchanged, New", Origin::Opened, false, Then::New, true, false},
      {"opened and changed, New, No", Origin::Opened, true, Then::New, false, true},
      {"opened and changed, New, Yes", Origin::Opened, true, Then::New, true, true},
      {"opened and changed, Open, Yes", Origin::Opened, true, Then::Open, true, true},
      {"opened and changed, Exit, No", Origin::Opened, true, Then::Exit, false, true},
      {"saved and changed, Exit, Yes", Origin::Saved, true, Then::Exit, true, true},
      {"saved and unchanged, Exit", Origin::Saved, false, Then::Exit, true, false},
  };
  const std::string kept = forms::formatBirthData(testing_support::newDelhiForm());
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const QString file = write("asha.halvora", kept);
    const QString other = write("other.halvora", kept);
    FakePlatform local;
    FrmMain form(local.platform);
    bool closed = false;
    QObject::connect(&form, &FrmMain::closed, [&closed] { closed = true; });
    if (r.origin == Origin::Opened) {
      ASSERT_TRUE(form.openBirthDataFile(file));
    } else {
      testing::fillNewDelhiBirth(&form);
      if (r.origin == Origin::Saved) {
        local.files.answers = {file};
        child<QAction>(&form, "mnuSave")->trigger();
      }
    }
    if (r.changed) testing::setText(&form, "txtName", "RAVI");
    local.messages.answerYes = r.yes;
    switch (r.then) {
      case Then::New: child<QAction>(&form, "mnuNew")->trigger(); break;
      case Then::Open: ASSERT_TRUE(form.openBirthDataFile(other)); break;
      case Then::Exit: child<QAction>(&form, "mnuExit")->trigger(); break;
    }
    const bool asked = !local.messages.shown.empty();
    EXPECT_EQ(asked, r.asked);
    if (asked) {
      EXPECT_EQ(local.messages.shown[0].text, "Save changes?");
      EXPECT_TRUE(local.messages.shown[0].question);
    }
    const bool savedChange = r.asked && r.yes;
    EXPECT_EQ(read(file).find("RAVI") != std::string::npos, savedChange) << read(file);
    if (r.then == Then::New) EXPECT_EQ(form.formInput(), FormInput{}) << "the form as it starts";
    if (r.then == Then::Exit) EXPECT_TRUE(closed);
  }
}

TEST_F(Files, CancelledDialogsChangeNothing) {
  FrmMain form(fake.platform);
  testing::fillNewDelhiBirth(&form);
  const FormInput before = form.formInput();
  action(&form, "mnuSave")->trigger();
  action(&form, "mnuOpen")->trigger();
  EXPECT_EQ(fake.files.asked.size(), 2u);
  EXPECT_EQ(form.formInput(), before);
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_TRUE(RecentFiles(fake.settings).paths().isEmpty());
  EXPECT_TRUE(fs::is_empty(m_dir));
}

TEST_F(Files, BadFilesAreRefusedWithTheirProblemAndTheFormStaysAsItWas) {
  const struct {
    const char* name;
    std::string text;
    const char* problem;
  } rows[] = {
      {"not JSON", "Name: ASHA", "the file is not a JSON object: expected '{' at byte 1"},
      {"a wrong type", R"({"version": 1, "zone": "34"})", "zone takes a whole number from 0 to 70, not a text"},
      {"out of range", R"({"version": 1, "day": 32})", "day takes a whole number from 1 to 31, not 32"},
      {"a newer version", R"({"version": 2, "name": "ASHA"})",
       "version 2 comes from a newer Halvora; this one reads version 1"},
      {"larger than 64 KiB", std::string(70 * 1024, ' ') + "{}", "the file is larger than 64 KiB (65536 bytes)"},
      {"not UTF-8", "{\"city\": \"\xff\"}", "the file is not valid UTF-8 (byte 11)"},
      {"a name with a digit", R"({"name": "ΡΑΒΙ 2"})", "name: Please Enter only Letters"},
  };
  FrmMain form(fake.platform);
  testing::fillNewDelhiBirth(&form);
  const FormInput before = form.formInput();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const QString file = write("bad.halvora", row.text);
    fake.messages.shown.clear();
    EXPECT_FALSE(form.openBirthDataFile(file));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, QStringLiteral("Cannot open %1: %2").arg(file, row.problem));
    EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(form.formInput(), before);
  }
  EXPECT_TRUE(RecentFiles(fake.settings).paths().isEmpty()) << "a file that was refused is not recent";
}

TEST_F(Files, AFullDiskLeavesTheOldFileWhole) {
  testing_support::FullDisk disk("save");
  const QString file = QString::fromStdString((disk.folder() / "asha.halvora").string());
  const FormInput old = testing_support::newDelhiForm();
  ASSERT_EQ(writeBirthData(file, old), QString());
  const std::string oldText = read(file);

  FrmMain form(fake.platform);
  fillEveryField(form);
  disk.fill();
  fake.files.answers = {file};
  action(&form, "mnuSave")->trigger();
  disk.release();

  ASSERT_EQ(fake.messages.shown.size(), 1u) << (disk.isTmpfs() ? "on a full tmpfs" : "under a file-size limit");
  EXPECT_TRUE(fake.messages.shown[0].text.startsWith(QStringLiteral("Cannot save %1: ").arg(file)))
      << fake.messages.shown[0].text.toStdString();
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Error);
  EXPECT_EQ(read(file), oldText);
  const auto reread = readBirthData(file);
  ASSERT_TRUE(std::holds_alternative<FormInput>(reread));
  EXPECT_EQ(std::get<FormInput>(reread), old);
  // Nothing half written is left beside it, and the file that failed is not recent.
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(disk.folder())) left.push_back(entry.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"asha.halvora"});
  EXPECT_TRUE(RecentFiles(fake.settings).paths().isEmpty());
}

class RecentList : public Files {
 protected:
  // Opens the form's File menu as a user would, which reads the list again.
  QMenu* recentMenu(FrmMain& form) {
    emit child<QMenu>(&form, "mnuFile")->aboutToShow();
    return child<QMenu>(&form, "mnuRecent");
  }
  QStringList recentItems(FrmMain& form) {
    QStringList texts;
    for (QAction* item : recentMenu(form)->actions()) texts << item->text();
    return texts;
  }
};

TEST_F(RecentList, KeepsTheLastEightNewestFirst) {
  FrmMain form(fake.platform);
  EXPECT_FALSE(recentMenu(form)->menuAction()->isEnabled()) << "nothing to open yet";
  QStringList files;
  for (int i = 1; i <= 10; ++i) {
    files << write("f" + std::to_string(i) + ".halvora", forms::formatBirthData(testing_support::newDelhiForm()));
    ASSERT_TRUE(form.openBirthDataFile(files.back()));
  }
  const QStringList newestEight = {files[9], files[8], files[7], files[6], files[5], files[4], files[3], files[2]};
  EXPECT_EQ(RecentFiles(fake.settings).paths(), newestEight);
  EXPECT_EQ(fake.settings.values.value("Settings/Recent1"), files[9]) << "beside Duration, in Settings";
  EXPECT_EQ(fake.settings.values.value("Settings/Recent8"), files[2]);
  EXPECT_FALSE(fake.settings.values.contains("Settings/Recent9"));
  EXPECT_TRUE(recentMenu(form)->menuAction()->isEnabled());
  EXPECT_EQ(recentItems(form), (QStringList{"&1 f10.halvora", "&2 f9.halvora", "&3 f8.halvora", "&4 f7.halvora",
                                            "&5 f6.halvora", "&6 f5.halvora", "&7 f4.halvora", "&8 f3.halvora"}));

  // Opening one again moves it to the top without repeating it; saving puts a file first too.
  recentMenu(form)->actions()[4]->trigger();
  EXPECT_EQ(RecentFiles(fake.settings).paths().mid(0, 3), (QStringList{files[5], files[9], files[8]}));
  EXPECT_EQ(RecentFiles(fake.settings).paths().size(), 8);
  fake.files.answers = {path("saved.halvora")};
  action(&form, "mnuSave")->trigger();
  EXPECT_EQ(RecentFiles(fake.settings).paths().front(), path("saved.halvora"));
  EXPECT_FALSE(RecentFiles(fake.settings).paths().contains(files[2])) << "the oldest fell off";
}

TEST_F(RecentList, AFileThatHasGoneIsDroppedWithAMessage) {
  FrmMain form(fake.platform);
  const QString kept = write("kept.halvora", forms::formatBirthData(testing_support::newDelhiForm()));
  FormInput other = testing_support::newDelhiForm();
  other.name = "GONE";
  const QString gone = write("gone.halvora", forms::formatBirthData(other));
  ASSERT_TRUE(form.openBirthDataFile(kept));
  ASSERT_TRUE(form.openBirthDataFile(gone));
  fillEveryField(form);
  const FormInput before = form.formInput();
  fs::remove(gone.toStdString());

  ASSERT_EQ(recentItems(form).front(), "&1 gone.halvora");
  recentMenu(form)->actions().front()->trigger();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, gone + " no longer exists. It has been removed from the recent files.");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Information);
  EXPECT_EQ(RecentFiles(fake.settings).paths(), QStringList{kept});
  EXPECT_EQ(recentItems(form), QStringList{"&1 kept.halvora"});
  EXPECT_EQ(form.formInput(), before);
}

TEST_F(RecentList, NamesWithAmpersandsShowAsTheyAre) {
  FrmMain form(fake.platform);
  ASSERT_TRUE(form.openBirthDataFile(write("ravi & asha.halvora", "{}")));
  EXPECT_EQ(recentItems(form), QStringList{"&1 ravi && asha.halvora"});
  EXPECT_EQ(recentMenu(form)->actions().front()->statusTip(), path("ravi & asha.halvora"));
}

// The frame of one chart: the form it came from and its result.
class FrameFiles : public Files {
 protected:
  void SetUp() override {
    Files::SetUp();
    form = testing_support::newDelhiForm();
    const ChartRequestOutcome outcome = RunChartRequest(form);
    ASSERT_TRUE(std::holds_alternative<ChartResult>(outcome));
    chart = std::get<ChartResult>(outcome);
  }
  static bool isPdfOfTwoPages(const std::string& bytes) {
    return bytes.rfind("%PDF-", 0) == 0 && bytes.find("/Count 2") != std::string::npos;
  }
  FormInput form;
  ChartResult chart;
};

TEST_F(FrameFiles, ItemsThatNeedAChartWaitForOne) {
  MdiFrame frame(fake.platform);
  for (const char* name : {"mnuSave", "mnuPrint", "mnuPreview", "mnuExportPdf"}) {
    EXPECT_FALSE(action(&frame, name)->isEnabled()) << name;
  }
  frame.showChart(form, chart);
  for (const char* name : {"mnuSave", "mnuPrint", "mnuPreview", "mnuExportPdf"}) {
    EXPECT_TRUE(action(&frame, name)->isEnabled()) << name;
  }
}

TEST_F(FrameFiles, SavesTheBirthOfTheChart) {
  MdiFrame frame(fake.platform);
  frame.showChart(form, chart);
  fake.files.answers = {path("asha.halvora")};
  action(&frame, "mnuSave")->trigger();
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(fake.files.asked.at(0).start, QDir::home().filePath("asha.halvora"));
  EXPECT_EQ(read(path("asha.halvora")), forms::formatBirthData(form));
  EXPECT_EQ(RecentFiles(fake.settings).paths(), QStringList{path("asha.halvora")});
}

TEST_F(FrameFiles, PrintsPreviewsAndExportsTheTwoPages) {
  MdiFrame frame(fake.platform);
  frame.showChart(form, chart);

  fake.printing.outputFile = path("printed.pdf");
  fake.printing.accept = false;
  action(&frame, "mnuPrint")->trigger();
  EXPECT_EQ(fake.printing.printAsked, 1);
  EXPECT_FALSE(QFile::exists(path("printed.pdf"))) << "a cancelled print prints nothing";
  fake.printing.accept = true;
  action(&frame, "mnuPrint")->trigger();
  EXPECT_TRUE(isPdfOfTwoPages(read(path("printed.pdf"))));

  fake.printing.outputFile = path("preview.pdf");
  action(&frame, "mnuPreview")->trigger();
  EXPECT_EQ(fake.printing.previews, 1);
  EXPECT_TRUE(isPdfOfTwoPages(read(path("preview.pdf"))));

  fake.files.answers = {path("asha.pdf")};
  action(&frame, "mnuExportPdf")->trigger();
  EXPECT_EQ(fake.files.asked.at(0).caption, "Export PDF");
  EXPECT_EQ(fake.files.asked.at(0).start, QDir::home().filePath("asha.pdf"));
  EXPECT_EQ(fake.files.asked.at(0).defaultSuffix, "pdf");
  EXPECT_TRUE(isPdfOfTwoPages(read(path("asha.pdf"))));
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(FrameFiles, AnExportThatCannotBeWrittenSaysSoAndKeepsTheOldFile) {
  MdiFrame frame(fake.platform);
  frame.showChart(form, chart);
  testing_support::FullDisk disk("pdf");
  const QString file = QString::fromStdString((disk.folder() / "asha.pdf").string());
  {
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("%PDF- the old export");
  }
  disk.fill();
  fake.files.answers = {file};
  action(&frame, "mnuExportPdf")->trigger();
  disk.release();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_TRUE(fake.messages.shown[0].text.startsWith(QStringLiteral("Cannot export %1: ").arg(file)))
      << fake.messages.shown[0].text.toStdString();
  EXPECT_EQ(read(file), "%PDF- the old export");
}

// A save or an export goes only where a regular file is or is to be: a FIFO, a folder, a device,
// a dangling link or a loop of links is named with its reason and left as it was; a link is
// followed, its file replaced and the link kept.
TEST_F(FrameFiles, SavesAndExportsLeaveWhatIsNoRegularFileAlone) {
  using testing_support::SpecialPaths;
  SpecialPaths dir("ui-save");
  MdiFrame frame(fake.platform);
  frame.showChart(form, chart);
  const struct {
    const char* name;
    std::string path;
    const char* reason;
  } rows[] = {
      {"a FIFO", dir.fifo("pipe"), "not a regular file"},
      {"a folder", dir.folder("folder"), "not a regular file"},
      {"a device (as root)", dir.device("full"), "not a regular file"},
      {"a dangling link", dir.link("dangling", "gone"), "a symbolic link to gone, which does not exist"},
      {"a loop of links", dir.link("loop", "loop"), "the symbolic links lead round in a loop"},
  };
  for (const auto& row : rows) {
    if (row.path.empty()) continue;
    SCOPED_TRACE(row.name);
    const QString file = QString::fromStdString(row.path);
    const std::string kind = SpecialPaths::kindOf(row.path);
    fake.messages.shown.clear();
    fake.files.answers = {file, file};
    action(&frame, "mnuSave")->trigger();
    action(&frame, "mnuExportPdf")->trigger();
    ASSERT_EQ(fake.messages.shown.size(), 2u);
    EXPECT_EQ(fake.messages.shown[0].text, QStringLiteral("Cannot save %1: %2").arg(file, row.reason));
    EXPECT_EQ(fake.messages.shown[1].text, QStringLiteral("Cannot export %1: %2").arg(file, row.reason));
    EXPECT_EQ(SpecialPaths::kindOf(row.path), kind);
  }

  fake.messages.shown.clear();
  dir.file("asha.halvora", "old");
  dir.file("asha.pdf", "old");
  const QString saved = QString::fromStdString(dir.link("saved.halvora", "asha.halvora"));
  const QString exported = QString::fromStdString(dir.link("exported.pdf", "asha.pdf"));
  fake.files.answers = {saved, exported};
  action(&frame, "mnuSave")->trigger();
  action(&frame, "mnuExportPdf")->trigger();
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(fs::read_symlink(saved.toStdString()), "asha.halvora");
  EXPECT_EQ(fs::read_symlink(exported.toStdString()), "asha.pdf");
  const auto reread = readBirthData(saved);
  ASSERT_TRUE(std::holds_alternative<FormInput>(reread));
  EXPECT_EQ(std::get<FormInput>(reread), form);
  EXPECT_TRUE(isPdfOfTwoPages(read(QString::fromStdString(dir.path("asha.pdf")))));
}

// What a screen reader says for the items of a window's File menu.
QStringList spokenItems(QWidget* window) {
  QStringList names;
  auto* menu = window->findChild<QMenu*>("mnuFile");
  QAccessibleInterface* face = menu ? QAccessible::queryAccessibleInterface(menu) : nullptr;
  if (face == nullptr) return names;
  for (int i = 0; i < face->childCount(); ++i) names << face->child(i)->text(QAccessible::Name);
  return names;
}

TEST_F(FrameFiles, MenuItemsSayWhatTheyDo) {
  FrmMain entry(fake.platform);
  const QStringList entryItems = spokenItems(&entry);
  for (const QString& name : {QString::fromUtf8("Open Birth Data\u2026"), QString::fromUtf8("Save Birth Data\u2026"),
                              QStringLiteral("Open Recent")}) {
    EXPECT_TRUE(entryItems.contains(name)) << name.toStdString() << " in " << entryItems.join(", ").toStdString();
  }
  MdiFrame frame(fake.platform);
  frame.showChart(form, chart);
  const QStringList frameItems = spokenItems(&frame);
  for (const QString& name : {QString::fromUtf8("Save Birth Data\u2026"), QString::fromUtf8("Print\u2026"),
                              QString::fromUtf8("Print Preview\u2026"), QString::fromUtf8("Export PDF\u2026")}) {
    EXPECT_TRUE(frameItems.contains(name)) << name.toStdString() << " in " << frameItems.join(", ").toStdString();
  }
  for (const char* item : {"mnuPrint", "mnuPreview", "mnuExportPdf", "mnuSave"}) {
    EXPECT_FALSE(action(&frame, item)->statusTip().isEmpty()) << item;
  }
}

TEST_F(Files, TheProgramOpensTheFileItWasGiven) {
  FormInput saved = testing_support::newDelhiForm();
  saved.city = "Pune";
  const QString file = write("pune.halvora", forms::formatBirthData(saved));
  Application application(fake.platform);
  ASSERT_TRUE(application.start(file));
  EXPECT_EQ(application.entryForm()->formInput(), saved);
  EXPECT_EQ(RecentFiles(fake.settings).paths(), QStringList{file});
  application.entryForm()->hide();
}

TEST_F(Files, AFileGivenToTheProgramThatCannotBeReadIsNamedAndTheFormIsFresh) {
  const QString file = path("missing.halvora");
  Application application(fake.platform);
  ASSERT_TRUE(application.start(file));
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, "Cannot open " + file + ": cannot be opened: No such file or directory");
  EXPECT_EQ(application.entryForm()->formInput(), FormInput{});
  EXPECT_TRUE(application.entryForm()->isVisible()) << "the form is shown first, then the message";
  application.entryForm()->hide();
}

TEST_F(Files, ASecondCopyHandsItsFileToTheRunningCopy) {
  const QString file = write("asha.halvora", forms::formatBirthData(testing_support::newDelhiForm()));
  fake.instanceLock.free = false;
  Application application(fake.platform);
  EXPECT_FALSE(application.start(file));
  EXPECT_EQ(fake.instanceLock.handedOver, QStringList{file});
  EXPECT_TRUE(fake.messages.shown.empty()) << "the running copy opens it; this one says nothing";
  EXPECT_EQ(application.entryForm(), nullptr);
  EXPECT_TRUE(RecentFiles(fake.settings).paths().isEmpty()) << "the running copy keeps the list";
}

TEST_F(Files, ASecondCopyWhoseFileIsNotTakenSaysThatHalvoraRuns) {
  const QString file = write("asha.halvora", forms::formatBirthData(testing_support::newDelhiForm()));
  fake.instanceLock.free = false;
  fake.instanceLock.runningCopyTakesFiles = false;
  Application application(fake.platform);
  EXPECT_FALSE(application.start(file));
  EXPECT_EQ(fake.instanceLock.handedOver, QStringList{file});
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, "Application is already running");
}

TEST_F(Files, AFileHandedOverOpensInTheFormAsFileOpenDoes) {
  const QString file = write("asha.halvora", forms::formatBirthData(testing_support::newDelhiForm()));
  const QString bad = write("bad.halvora", R"({"month": 13})");
  Application application(fake.platform);
  ASSERT_TRUE(application.start());
  ASSERT_TRUE(fake.instanceLock.openHandedOver) << "the running copy listens for files";
  FrmMain* form = application.entryForm();

  // From the results: back to the form, which holds the file.
  testing::fillNewDelhiBirth(form);
  QTest::mouseClick(child<QPushButton>(form, "cmdRashi"), Qt::LeftButton);
  ASSERT_NE(application.frame(), nullptr);
  ASSERT_FALSE(form->isVisible());
  form->showMinimized();
  form->hide();
  fake.instanceLock.openHandedOver(file);
  EXPECT_EQ(application.frame(), nullptr);
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->isMinimized());
  EXPECT_EQ(form->formInput(), testing_support::newDelhiForm());
  EXPECT_EQ(RecentFiles(fake.settings).paths(), QStringList{file});

  // A file it cannot read is named, as File > Open names it, and the form stays as it was.
  fake.instanceLock.openHandedOver(bad);
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_TRUE(fake.messages.shown[0].text.startsWith("Cannot open " + bad + ": ")) << fake.messages.shown[0].text.toStdString();
  EXPECT_EQ(form->formInput(), testing_support::newDelhiForm());
  form->hide();
}

}  // namespace
}  // namespace ui
}  // namespace halvora
