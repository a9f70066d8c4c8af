// SPDX-License-Identifier: GPL-3.0-or-later
// The referral: its checks in order and the refer-a-friend address that carries the typed values.

#include <optional>
#include <vector>

#include <gtest/gtest.h>
#include <QUrlQuery>

#include "fakes.h"
#include "ui/tell_a_friend.h"
#include "ui/web_pages.h"

static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace halvora::ui {
namespace {

using testing::FakePlatform;

const Referral kComplete{QStringLiteral("Asha"), QStringLiteral("asha@mail.example"),
                         QStringLiteral("Try this"), QStringLiteral("Ravi"),
                         QStringLiteral("ravi@mail.example")};
const Referral kUntouched{kNamePlaceholder, kEmailPlaceholder, kMessagePlaceholder,
                          kFriendNamePlaceholder, kFriendEmailPlaceholder};

struct CheckRow {
  const char* name;
  Referral referral;
  std::optional<const char*> expected;
};
void PrintTo(const CheckRow& row, std::ostream* os) { *os << row.name; }

class ReferralAddressCheck : public ::testing::TestWithParam<CheckRow> {};

TEST_P(ReferralAddressCheck, FirstFailureInOrder) {
  const CheckRow& row = GetParam();
  const auto result = checkReferralAddresses(row.referral);
  if (row.expected) {
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, QString::fromUtf8(*row.expected));
  } else {
    EXPECT_FALSE(result.has_value()) << result->toStdString();
  }
}

Referral withEmails(const char* email, const char* friendEmail) {
  Referral referral = kComplete;
  referral.email = QString::fromUtf8(email);
  referral.friendEmail = QString::fromUtf8(friendEmail);
  return referral;
}

INSTANTIATE_TEST_SUITE_P(
    TellAFriend, ReferralAddressCheck,
    ::testing::Values(
        CheckRow{"UntouchedPlaceholders", kUntouched, "Please Enter Proper Email Address"},
        CheckRow{"SameAddress", withEmails("a@b.example", "a@b.example"), "Please Enter Distinct Email Addresses"},
        CheckRow{"BothEmpty", withEmails("", ""), "Please Enter Distinct Email Addresses"},
        CheckRow{"SameButNotAnAddress", withEmails("abc", "abc"), "Please Enter Distinct Email Addresses"},
        CheckRow{"OwnLacksAt", withEmails("a.b.example", "c@d.example"), "Please Enter Proper Email Address"},
        CheckRow{"FriendLacksAt", withEmails("a@b.example", "c.d.example"), "Please Enter Proper Email Address"},
        CheckRow{"OwnLacksDot", withEmails("a@b", "c@d.example"), "Please Enter Proper Email Address"},
        CheckRow{"FriendLacksDot", withEmails("a@b.example", "c@d"), "Please Enter Proper Email Address"},
        CheckRow{"BothProper", withEmails("a@b.example", "c@d.example"), std::nullopt},
        CheckRow{"CaseDiffers", withEmails("A@b.example", "a@b.example"), std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

class ReferralValueCheck : public ::testing::TestWithParam<CheckRow> {};

TEST_P(ReferralValueCheck, FirstMissingInOrder) {
  const CheckRow& row = GetParam();
  const auto result = checkReferralValues(row.referral);
  if (row.expected) {
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, QString::fromUtf8(*row.expected));
  } else {
    EXPECT_FALSE(result.has_value()) << result->toStdString();
  }
}

Referral with(QString Referral::*field, const QString& value, Referral referral = kComplete) {
  referral.*field = value;
  return referral;
}

INSTANTIATE_TEST_SUITE_P(
    TellAFriend, ReferralValueCheck,
    ::testing::Values(
        CheckRow{"AllIn", kComplete, std::nullopt},
        CheckRow{"AllPlaceholders", kUntouched, "Please Enter Your Name"},
        CheckRow{"NameEmpty", with(&Referral::name, {}), "Please Enter Your Name"},
        CheckRow{"NamePlaceholder", with(&Referral::name, kNamePlaceholder), "Please Enter Your Name"},
        CheckRow{"EmailEmpty", with(&Referral::email, {}), "Please Enter Your Email"},
        CheckRow{"EmailPlaceholder", with(&Referral::email, kEmailPlaceholder), "Please Enter Your Email"},
        CheckRow{"MessageEmpty", with(&Referral::message, {}), "Please Enter Your Message"},
        CheckRow{"MessagePlaceholder", with(&Referral::message, kMessagePlaceholder), "Please Enter Your Message"},
        CheckRow{"FriendNameEmpty", with(&Referral::friendName, {}), "Please Enter Your Friend's Name"},
        CheckRow{"FriendNamePlaceholder", with(&Referral::friendName, kFriendNamePlaceholder),
                 "Please Enter Your Friend's Name"},
        CheckRow{"FriendEmailEmpty", with(&Referral::friendEmail, {}), "Please Enter Your Friend's Email"},
        CheckRow{"FriendEmailPlaceholder", with(&Referral::friendEmail, kFriendEmailPlaceholder),
                 "Please Enter Your Friend's Email"},
        CheckRow{"MessageBeforeFriendName",
                 with(&Referral::message, {}, with(&Referral::friendName, {})), "Please Enter Your Message"},
        // Another box's placeholder is a value like any other.
        CheckRow{"NameHoldsMessagePlaceholder", with(&Referral::name, kMessagePlaceholder), std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// Values that a plain concatenation would split, cut or re-key.
struct EncodingRow {
  const char* name;
  Referral referral;
};
void PrintTo(const EncodingRow& row, std::ostream* os) { *os << row.name; }

class ReferralEncoding : public ::testing::TestWithParam<EncodingRow> {};

TEST_P(ReferralEncoding, EveryValueArrivesIntactUnderItsOwnKey) {
  const Referral& referral = GetParam().referral;
  const QUrl page(QStringLiteral("https://www.maker.example/refer-a-friend.html"));
  const QUrl product(QStringLiteral("https://halvora.example/"));
  const QUrl built = referralAddress(referral, page, product);

  // What the browser is handed: the fully encoded text, parsed back as a server would.
  const QByteArray wire = built.toEncoded();
  for (const char raw : {' ', '#', '\n', '"', '<'}) {
    EXPECT_FALSE(wire.contains(raw)) << wire.toStdString();
  }
  for (const char byte : wire) EXPECT_LT(static_cast<unsigned char>(byte), 0x80) << wire.toStdString();
  const QUrl received = QUrl::fromEncoded(wire, QUrl::StrictMode);
  ASSERT_TRUE(received.isValid()) << received.errorString().toStdString();
  EXPECT_EQ(received.host(), page.host());
  EXPECT_EQ(received.path(), page.path());
  EXPECT_FALSE(received.hasFragment());

  const QUrlQuery query(received);
  const auto items = query.queryItems(QUrl::FullyDecoded);
  const std::vector<std::pair<QString, QString>> expected{
      {QStringLiteral("taf1"), referral.name},       {QStringLiteral("taf2"), referral.email},
      {QStringLiteral("taf3"), referral.message},    {QStringLiteral("taf4"), referral.friendName},
      {QStringLiteral("taf5"), referral.friendEmail}, {QStringLiteral("taf6"), product.toString()}};
  ASSERT_EQ(items.size(), static_cast<qsizetype>(expected.size())) << wire.toStdString();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(items[static_cast<qsizetype>(i)].first, expected[i].first);
    EXPECT_EQ(items[static_cast<qsizetype>(i)].second, expected[i].second) << "key " << expected[i].first.toStdString();
  }
  // A "+" must not reach a form decoder as a blank.
  EXPECT_FALSE(built.query(QUrl::FullyEncoded).contains(QLatin1Char('+')));
}

INSTANTIATE_TEST_SUITE_P(
    TellAFriend, ReferralEncoding,
    ::testing::Values(
        EncodingRow{"Plain", kComplete},
        EncodingRow{"Ampersand", with(&Referral::message, QStringLiteral("Tom & Jerry&taf5=evil@x.example"))},
        EncodingRow{"HashCutsTheQuery", with(&Referral::message, QStringLiteral("chart #1 is great"))},
        EncodingRow{"QuestionAndEquals", with(&Referral::name, QStringLiteral("Who? a=b=c"))},
        EncodingRow{"PlusAndPercent", with(&Referral::email, QStringLiteral("a+tag@b.example%20%26"))},
        EncodingRow{"NonAscii", with(&Referral::friendName, QStringLiteral(u"Zoë Ñuñez श्री 😀"))},
        EncodingRow{"LinesAndQuotes", with(&Referral::message, QStringLiteral("line one\nline \"two\" <b>"))},
        EncodingRow{"Slashes", with(&Referral::message, QStringLiteral("see https://x.example/a?b=c;d"))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TellAFriend, MissingValueShowsErrorAndOpensNothing) {
  FakePlatform fake;
  EXPECT_FALSE(TellAFriend(with(&Referral::friendName, kFriendNamePlaceholder), nullptr, fake.platform));
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, QStringLiteral("Please Enter Your Friend's Name"));
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Error);
  EXPECT_TRUE(fake.urls.opened.empty());
}

TEST(TellAFriend, CompleteReferralOpensTheReferralPageWithTheProductSite) {
  FakePlatform fake;
  EXPECT_TRUE(TellAFriend(kComplete, nullptr, fake.platform));
  EXPECT_TRUE(fake.messages.shown.empty());
  ASSERT_EQ(fake.urls.opened.size(), 1u);
  const QUrl& opened = fake.urls.opened[0];
  EXPECT_EQ(opened.adjusted(QUrl::RemoveQuery), referralPageUrl());
  const QUrlQuery query(opened);
  EXPECT_EQ(query.queryItemValue(QStringLiteral("taf1"), QUrl::FullyDecoded), kComplete.name);
  EXPECT_EQ(QUrl(query.queryItemValue(QStringLiteral("taf6"), QUrl::FullyDecoded)).host(),
            QUrl(productSiteAddress()).host());
}

}  // namespace
}  // namespace halvora::ui
