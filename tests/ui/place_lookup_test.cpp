// SPDX-License-Identifier: GPL-3.0-or-later
// The place search of the entry form: the three checks in order, the search text and its address.

#include <optional>
#include <vector>

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QUrlQuery>
#include <QWidget>

#include "fakes.h"
#include "ui/place_lookup.h"
#include "ui/web_pages.h"

static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace halvora::ui {
namespace {

using testing::FakePlatform;

struct PlaceRow {
  const char* name;
  const char* city;
  const char* state;
  const char* country;
  std::optional<PlaceCheckFailure> expected;
};
void PrintTo(const PlaceRow& row, std::ostream* os) { *os << row.name; }

PlaceCheckFailure fails(const char* message, PlaceField focus) {
  return PlaceCheckFailure{QString::fromLatin1(message), focus};
}

class PlaceCheck : public ::testing::TestWithParam<PlaceRow> {};

TEST_P(PlaceCheck, FirstEmptyFieldInOrder) {
  const PlaceRow& row = GetParam();
  const auto result = checkPlaceFields(QString::fromUtf8(row.city), QString::fromUtf8(row.state),
                                       QString::fromUtf8(row.country));
  ASSERT_EQ(result.has_value(), row.expected.has_value());
  if (result) {
    EXPECT_EQ(result->message, row.expected->message);
    EXPECT_EQ(result->focus, row.expected->focus);
  }
}

INSTANTIATE_TEST_SUITE_P(
    PlaceSearch, PlaceCheck,
    ::testing::Values(
        PlaceRow{"AllEmpty", "", "", "", fails("Please Enter City", PlaceField::City)},
        PlaceRow{"CityEmptyOthersFilled", "", "MH", "India", fails("Please Enter City", PlaceField::City)},
        PlaceRow{"StateBeforeCountry", "Pune", "", "", fails("Please Enter State", PlaceField::State)},
        PlaceRow{"StateEmptyCountryFilled", "Pune", "", "India", fails("Please Enter State", PlaceField::State)},
        PlaceRow{"CountryEmpty", "Pune", "MH", "", fails("Please Enter Country", PlaceField::Country)},
        PlaceRow{"BlanksAreNotEmpty", " ", " ", " ", std::nullopt},
        PlaceRow{"AllFilled", "Pune", "MH", "India", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlaceSearch, FieldNamesAreTheEntryFormsTextBoxes) {
  EXPECT_EQ(placeFieldName(PlaceField::City), QStringLiteral("txtMCity"));
  EXPECT_EQ(placeFieldName(PlaceField::State), QStringLiteral("txtMState"));
  EXPECT_EQ(placeFieldName(PlaceField::Country), QStringLiteral("txtMCountry"));
}

TEST(PlaceSearch, SearchTextKeepsTheFieldsAsTyped) {
  EXPECT_EQ(placeSearchText(QStringLiteral("Pune"), QStringLiteral("Maharashtra"), QStringLiteral("India")),
            QStringLiteral("Pune Maharashtra India Latitude Longitude"));
  EXPECT_EQ(placeSearchText(QStringLiteral(" Pune "), QStringLiteral("MH"), QStringLiteral("India ")),
            QStringLiteral(" Pune  MH India  Latitude Longitude"));
}

struct SearchRow {
  const char* name;
  QString text;
};
void PrintTo(const SearchRow& row, std::ostream* os) { *os << row.name; }

class SearchAddress : public ::testing::TestWithParam<SearchRow> {};

TEST_P(SearchAddress, CarriesTheWholeTextAsOneQueryValue) {
  const QString& text = GetParam().text;
  const QUrl address = placeSearchAddress(text, QStringLiteral("https://search.example/"));
  const QByteArray wire = address.toEncoded();
  EXPECT_FALSE(wire.contains(' ')) << wire.toStdString();
  EXPECT_FALSE(wire.contains('#')) << wire.toStdString();
  const QUrl received = QUrl::fromEncoded(wire, QUrl::StrictMode);
  ASSERT_TRUE(received.isValid());
  EXPECT_EQ(received.scheme(), QStringLiteral("https"));
  const QUrlQuery query(received);
  ASSERT_EQ(query.queryItems().size(), 1) << wire.toStdString();
  EXPECT_EQ(query.queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), text);
}

INSTANTIATE_TEST_SUITE_P(
    PlaceSearch, SearchAddress,
    ::testing::Values(
        SearchRow{"Plain", QStringLiteral("Pune Maharashtra India Latitude Longitude")},
        SearchRow{"Ampersand", QStringLiteral("Trinidad & Tobago Port of Spain Latitude Longitude")},
        SearchRow{"HashAndEquals", QStringLiteral("St. #1 a=b Latitude Longitude")},
        SearchRow{"Plus", QStringLiteral("A+B C D Latitude Longitude")},
        SearchRow{"NonAscii", QStringLiteral(u"São Paulo SP Brasil Latitude Longitude")},
        SearchRow{"Devanagari", QStringLiteral(u"पुणे महाराष्ट्र भारत Latitude Longitude")},
        SearchRow{"BlanksAsTyped", QStringLiteral("  Pune   MH India  Latitude Longitude")},
        SearchRow{"PercentAndQuestion", QStringLiteral("100% sure? Latitude Longitude")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlaceSearch, TheSiteIsTheOneSetAtBuildTime) {
  // The default of the build setting; a packager may set another.
  EXPECT_FALSE(placeSearchSiteAddress().isEmpty());
  FakePlatform fake;
  QWidget form;
  PlaceSearch(&form, QStringLiteral("Pune"), QStringLiteral("MH"), QStringLiteral("India"), fake.platform);
  ASSERT_EQ(fake.urls.opened.size(), 1u);
  const QUrl site(placeSearchSiteAddress());
  EXPECT_EQ(fake.urls.opened[0].host(), site.host());
  EXPECT_EQ(fake.urls.opened[0].path(), site.path());
}

TEST(PlaceSearch, ASiteWithAQueryOfItsOwnKeepsIt) {
  const QUrl address = placeSearchAddress(QStringLiteral("Pune MH"), QStringLiteral("https://maps.example/find?lang=en&kind=place"));
  EXPECT_EQ(address.host(), QStringLiteral("maps.example"));
  EXPECT_EQ(address.path(), QStringLiteral("/find"));
  const QUrlQuery query(address);
  EXPECT_EQ(query.queryItemValue(QStringLiteral("lang")), QStringLiteral("en"));
  EXPECT_EQ(query.queryItemValue(QStringLiteral("kind")), QStringLiteral("place"));
  EXPECT_EQ(query.queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), QStringLiteral("Pune MH"));
}

TEST(PlaceLookupSearch, OpensTheGivenSite) {
  FakePlatform fake;
  PlaceLookup(fake.urls).search(QStringLiteral("Pune MH India Latitude Longitude"), QStringLiteral("https://other.example/s"));
  ASSERT_EQ(fake.urls.opened.size(), 1u);
  EXPECT_EQ(fake.urls.opened[0].host(), QStringLiteral("other.example"));
  EXPECT_EQ(QUrlQuery(fake.urls.opened[0]).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded),
            QStringLiteral("Pune MH India Latitude Longitude"));
}

TEST(PlaceSearch, FailedCheckShowsInformationAndOpensNothing) {
  FakePlatform fake;
  QWidget form;
  const auto focus = PlaceSearch(&form, QStringLiteral("Pune"), QString(), QStringLiteral("India"), fake.platform);
  ASSERT_TRUE(focus.has_value());
  EXPECT_EQ(*focus, PlaceField::State);
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, QStringLiteral("Please Enter State"));
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Information);
  EXPECT_TRUE(fake.urls.opened.empty());
}

TEST(PlaceSearch, FilledFieldsOpenTheSearchForThePlace) {
  FakePlatform fake;
  QWidget form;
  const auto focus = PlaceSearch(&form, QStringLiteral("Pune"), QStringLiteral("MH"), QStringLiteral("India"),
                                 fake.platform);
  EXPECT_FALSE(focus.has_value());
  EXPECT_TRUE(fake.messages.shown.empty());
  ASSERT_EQ(fake.urls.opened.size(), 1u);
  EXPECT_EQ(QUrlQuery(fake.urls.opened[0]).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded),
            QStringLiteral("Pune MH India Latitude Longitude"));
}

struct FormRow {
  const char* name;
  const char* city;
  const char* state;
  const char* country;
  const char* focused;  // nullptr: the search opens
};
void PrintTo(const FormRow& row, std::ostream* os) { *os << row.name; }

class PlaceSearchOnForm : public ::testing::TestWithParam<FormRow> {};

TEST_P(PlaceSearchOnForm, ReadsTheFieldsAndMovesTheFocus) {
  const FormRow& row = GetParam();
  FakePlatform fake;
  QWidget form;
  const auto addField = [&form](const char* name, const char* text) {
    auto* edit = new QLineEdit(QString::fromUtf8(text), &form);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
  };
  addField("txtMCity", row.city);
  addField("txtMState", row.state);
  addField("txtMCountry", row.country);
  auto* other = addField("txtName", "X");
  other->setFocus();

  PlaceSearch(&form, fake.platform);

  if (row.focused) {
    ASSERT_NE(form.focusWidget(), nullptr);
    EXPECT_EQ(form.focusWidget()->objectName(), QString::fromLatin1(row.focused));
    EXPECT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(fake.urls.opened.empty());
  } else {
    EXPECT_EQ(form.focusWidget(), other);
    EXPECT_TRUE(fake.messages.shown.empty());
    ASSERT_EQ(fake.urls.opened.size(), 1u);
    EXPECT_EQ(QUrlQuery(fake.urls.opened[0]).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded),
              placeSearchText(QString::fromUtf8(row.city), QString::fromUtf8(row.state),
                              QString::fromUtf8(row.country)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    PlaceSearch, PlaceSearchOnForm,
    ::testing::Values(FormRow{"City", "", "MH", "India", "txtMCity"},
                      FormRow{"State", "Pune", "", "", "txtMState"},
                      FormRow{"Country", "Pune", "MH", "", "txtMCountry"},
                      FormRow{"Search", "Pune", "MH", "India", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace halvora::ui
