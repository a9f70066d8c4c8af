// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: its texts, its order from top to bottom, its links and OK.

#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "fakes.h"
#include "form_helpers.h"
#include "ui/frm_about.h"
#include "ui/web_pages.h"

static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace halvora::ui {
namespace {

using testing::FakePlatform;

class AboutBox : public ::testing::Test {
 protected:
  template <typename T = QWidget>
  T* child(const char* name) {
    return testing::child<T>(&about, QString::fromLatin1(name));
  }
  QString labelText(const char* name) {
    const QLabel* label = child<QLabel>(name);
    return label ? label->text() : QString();
  }

  FakePlatform fake;
  FrmAbout about{fake.platform};
};

TEST_F(AboutBox, CaptionNameAndModality) {
  EXPECT_EQ(about.objectName(), QStringLiteral("frmAbout"));
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Halvora v1.15"));
  EXPECT_TRUE(about.isModal());
}

struct TextRow {
  const char* control;
  const char* text;
};

TEST_F(AboutBox, Texts) {
  const std::vector<TextRow> rows{
      {"Label2", "Halvora v1.15"},
      {"Label1",
       "Halvora is a special Lagna (Ascendant) calculated on the basis of Vedic Astrology. This Lagna is "
       "responsible for prosperity and marital relationships."},
      {"Label3",
       "Home Business Opportunity. Start your own Internet business and make money online. Get this software "
       "fully branded for your website."},
      {"lblCoBrand", "Click here for more details."},
      {"lblCredits",
       "Places and their coordinates: GeoNames (geonames.org), under the Creative Commons Attribution 4.0 "
       "licence (CC BY 4.0). Clocks of the places: the time-zone database (tz). Halvora is free software under "
       "the GNU General Public License, version 3 or later."},
  };
  for (const TextRow& row : rows) EXPECT_EQ(labelText(row.control), QString::fromUtf8(row.text)) << row.control;
  EXPECT_FALSE(labelText("lblHomePage").isEmpty());
  EXPECT_EQ(child<QPushButton>("cmdOK")->text(), QStringLiteral("OK"));
}

TEST_F(AboutBox, TitleIsVerdanaNineSeventyFiveBold) {
  const QFont font = child<QLabel>("Label2")->font();
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75);
  EXPECT_TRUE(font.bold());
  EXPECT_EQ(font.family(), QStringLiteral("Verdana"));
}

TEST_F(AboutBox, IconShowsTheApplicationPicture) {
  const QLabel* icon = child<QLabel>("picIcon");
  ASSERT_NE(icon, nullptr);
  EXPECT_FALSE(icon->pixmap().isNull());
  EXPECT_GE(icon->pixmap().width(), 32);
}

TEST_F(AboutBox, ControlsStandTopToBottom) {
  about.show();
  const std::vector<const char*> order{"picIcon", "Label2", "Label1", "Label3", "lblCoBrand",
                                       "lblHomePage", "lblCredits", "Line1", "cmdOK"};
  int previousBottom = -1;
  for (const char* name : order) {
    const QWidget* widget = child(name);
    ASSERT_NE(widget, nullptr);
    const QRect box = widget->geometry();
    EXPECT_GE(box.top(), previousBottom) << name << " overlaps the control above it";
    EXPECT_TRUE(about.rect().contains(box)) << name << " is cut off";
    previousBottom = box.bottom();
  }
}

TEST_F(AboutBox, LabelsHaveRoomForTheirText) {
  about.show();
  for (const char* name : {"Label1", "Label2", "Label3", "lblCoBrand", "lblHomePage", "lblCredits"}) {
    const QLabel* label = child<QLabel>(name);
    ASSERT_NE(label, nullptr);
    EXPECT_GE(label->height(), label->heightForWidth(label->width())) << name;
  }
}

TEST_F(AboutBox, LightOrangeTextOnDarkOliveAndPeachButton) {
  about.show();
  const QImage window = about.grab().toImage();
  EXPECT_EQ(window.pixelColor(2, 2), QColor(64, 64, 0));
  for (const char* name : {"Label1", "Label2", "Label3", "lblCoBrand", "lblHomePage", "lblCredits"}) {
    const QImage label = child(name)->grab().toImage();
    EXPECT_TRUE(testing::hasColour(label, QColor(255, 192, 128))) << name << " is not drawn in light orange";
    EXPECT_FALSE(testing::hasColour(label, QColor(0, 0, 0))) << name << " has dark text on the dark ground";
  }
  EXPECT_EQ(child("cmdOK")->palette().color(QPalette::Button), QColor(255, 224, 192)) << "the button is not light peach";
  EXPECT_TRUE(child("cmdOK")->font().bold());
}

struct LinkRow {
  const char* control;
  QUrl (*page)();
};

TEST_F(AboutBox, LinksOpenTheirPages) {
  const std::vector<LinkRow> rows{{"lblCoBrand", fullBrandPageUrl}, {"lblHomePage", homePageUrl}};
  about.show();
  for (const LinkRow& row : rows) {
    fake.urls.opened.clear();
    QLabel* link = child<QLabel>(row.control);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor) << row.control;
    QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(fake.urls.opened.size(), 1u) << row.control;
    EXPECT_EQ(fake.urls.opened[0], row.page()) << row.control;
  }
  EXPECT_TRUE(about.isVisible());
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(AboutBox, OkClosesIt) {
  about.show();
  QTest::mouseClick(child<QPushButton>("cmdOK"), Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.result(), QDialog::Accepted);
  EXPECT_TRUE(fake.urls.opened.empty());
}

TEST(ApplicationPicture, LoadsFromTheResourceInEverySize) {
  for (const int sizePx : {16, 48, 64, 100, 128, 256}) {
    const QPixmap picture = applicationPicture(sizePx);
    ASSERT_FALSE(picture.isNull()) << sizePx;
    EXPECT_EQ(picture.size(), QSize(sizePx, sizePx));
  }
  EXPECT_FALSE(applicationIcon().isNull());
  EXPECT_GE(applicationIcon().availableSizes().size(), 4);
}

}  // namespace
}  // namespace halvora::ui
