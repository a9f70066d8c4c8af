// SPDX-License-Identifier: GPL-3.0-or-later
// The maker's pages: which procedure opens which address, and the clickable lines.

#include <functional>
#include <vector>

#include <gtest/gtest.h>
#include <QAction>
#include <memory>
#include <QTest>

#include "fakes.h"
#include "ui/clickable_label.h"
#include "ui/frm_main.h"
#include "ui/mdi_frame.h"
#include "ui/web_pages.h"

static void PrintTo(const QUrl& url, std::ostream* os) { *os << url.toString().toStdString(); }

namespace halvora::ui {
namespace {

class RecordingOpener : public UrlOpener {
 public:
  void open(const QUrl& url) override { opened.push_back(url); }
  std::vector<QUrl> opened;
};

struct PageRow {
  const char* name;
  std::function<void(UrlOpener&)> open;
  std::function<QString()> site;
  const char* path;
};
void PrintTo(const PageRow& row, std::ostream* os) { *os << row.name; }

class OpenPage : public ::testing::TestWithParam<PageRow> {};

TEST_P(OpenPage, OpensItsPathOnItsSiteOnce) {
  const PageRow& row = GetParam();
  RecordingOpener urls;
  row.open(urls);
  ASSERT_EQ(urls.opened.size(), 1u);
  const QUrl site(row.site());
  const QUrl& opened = urls.opened.front();
  EXPECT_EQ(opened.scheme(), site.scheme());
  EXPECT_EQ(opened.host(), site.host());
  EXPECT_EQ(opened.path(), QString::fromLatin1(row.path));
  EXPECT_TRUE(opened.query().isEmpty());
  EXPECT_TRUE(opened.isValid());
}

INSTANTIATE_TEST_SUITE_P(
    WebPages, OpenPage,
    ::testing::Values(
        PageRow{"Help", Open_Help_Page, productSiteAddress, "/halvora-help.html"},
        PageRow{"Download", Open_Download_Page, productSiteAddress, "/download-halvora.html"},
        PageRow{"Home", Open_Home_Page, mainSiteAddress, "/"},
        PageRow{"Donate", Open_Donate_Page, helpSiteAddress, "/donate.html"},
        PageRow{"CoBrand", Open_CoBrand_Page, helpSiteAddress, "/co-brand.html"},
        PageRow{"FullBrand", Open_FullBrand_Page, helpSiteAddress, "/fully-branded.html"},
        PageRow{"Collection", Open_Collection_Page, mainSiteAddress, "/software-collection.html"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WebPages, TheThreeSitesAreDistinctWebAddresses) {
  const QUrl product(productSiteAddress()), main(mainSiteAddress()), help(helpSiteAddress());
  for (const QUrl& site : {product, main, help}) {
    EXPECT_TRUE(site.isValid()) << site.toString().toStdString();
    EXPECT_EQ(site.scheme(), QStringLiteral("https"));
  }
  EXPECT_NE(product.host(), main.host());
  EXPECT_NE(main.host(), help.host());
}

TEST(WebPages, ReferralGoesToTheMainSiteWithoutQuery) {
  EXPECT_EQ(referralPageUrl().host(), QUrl(mainSiteAddress()).host());
  EXPECT_EQ(referralPageUrl().path(), QStringLiteral("/refer-a-friend.html"));
  EXPECT_FALSE(referralPageUrl().hasQuery());
}

struct AddressRow {
  const char* name;
  const char* site;
  const char* path;
  const char* expected;
};
void PrintTo(const AddressRow& row, std::ostream* os) { *os << row.name; }

class PageAddress : public ::testing::TestWithParam<AddressRow> {};

TEST_P(PageAddress, JoinsSiteAndPath) {
  const AddressRow& row = GetParam();
  EXPECT_EQ(pageAddress(QString::fromLatin1(row.site), QString::fromLatin1(row.path)),
            QUrl(QString::fromLatin1(row.expected)));
}

INSTANTIATE_TEST_SUITE_P(
    WebPages, PageAddress,
    ::testing::Values(
        AddressRow{"BareHost", "https://a.example", "/x.html", "https://a.example/x.html"},
        AddressRow{"TrailingSlash", "https://a.example/", "/x.html", "https://a.example/x.html"},
        AddressRow{"BelowAFolder", "https://a.example/tools/", "/x.html", "https://a.example/tools/x.html"},
        AddressRow{"FolderWithoutSlash", "https://a.example/tools", "/x.html", "https://a.example/tools/x.html"},
        AddressRow{"RootOfBareHost", "https://a.example", "/", "https://a.example/"},
        AddressRow{"QueryDropped", "https://a.example/?ref=1#top", "/x.html", "https://a.example/x.html"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ClickableLine, RunsOnLeftClickOnly) {
  ClickableLabel label(QStringLiteral("Click here"));
  label.resize(120, 20);
  int clicks = 0;
  QObject::connect(&label, &ClickableLabel::clicked, [&clicks] { ++clicks; });
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseClick(&label, Qt::RightButton);
  EXPECT_EQ(clicks, 0);
  QTest::mouseClick(&label, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
}

// "Check for Software Update" goes straight to the download page: no reminder question, and the
// stored reminder date stays as it was.
class CheckForUpdate : public ::testing::TestWithParam<const char*> {};

TEST_P(CheckForUpdate, OpensTheDownloadPageAndKeepsTheReminderDate) {
  testing::FakePlatform fake;
  fake.settings.values.insert(QStringLiteral("Settings/Duration"), QStringLiteral("2010-01-01"));
  std::unique_ptr<QWidget> window;
  if (std::string_view(GetParam()) == "frmMain") {
    window = std::make_unique<FrmMain>(fake.platform);
  } else {
    window = std::make_unique<MdiFrame>(fake.platform);
  }
  const int writesBefore = fake.settings.writes;
  auto* update = window->findChild<QAction*>(QStringLiteral("mnuUpdate"));
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(update->text(), QStringLiteral("Check for Software &Update"));
  update->trigger();
  ASSERT_EQ(fake.urls.opened.size(), 1u);
  EXPECT_EQ(fake.urls.opened[0], downloadPageUrl());
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(fake.settings.writes, writesBefore);
  EXPECT_EQ(fake.settings.values.value(QStringLiteral("Settings/Duration")), QStringLiteral("2010-01-01"));
}

INSTANTIATE_TEST_SUITE_P(WebPages, CheckForUpdate, ::testing::Values("frmMain", "MDI"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace halvora::ui
