// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tell_a_friend.h"

#include <array>
#include <utility>

#include "ui/web_pages.h"

namespace halvora::ui {

namespace {

// A value counts as missing when it is empty or still shows the box's placeholder.
bool isMissing(const QString& value, const QString& placeholder) {
  return value.isEmpty() || value == placeholder;
}

bool isProperAddress(const QString& address) {
  return address.contains(QLatin1Char('@')) && address.contains(QLatin1Char('.'));
}

QString encoded(const QString& value) {
  return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

}  // namespace

std::optional<QString> checkReferralAddresses(const Referral& referral) {
  if (referral.email == referral.friendEmail) {
    return QStringLiteral("Please Enter Distinct Email Addresses");
  }
  if (!isProperAddress(referral.email) || !isProperAddress(referral.friendEmail)) {
    return QStringLiteral("Please Enter Proper Email Address");
  }
  return std::nullopt;
}

std::optional<QString> checkReferralValues(const Referral& referral) {
  const std::array<std::pair<bool, const char*>, 5> checks{{
      {isMissing(referral.name, kNamePlaceholder), "Please Enter Your Name"},
      {isMissing(referral.email, kEmailPlaceholder), "Please Enter Your Email"},
      {isMissing(referral.message, kMessagePlaceholder), "Please Enter Your Message"},
      {isMissing(referral.friendName, kFriendNamePlaceholder), "Please Enter Your Friend's Name"},
      {isMissing(referral.friendEmail, kFriendEmailPlaceholder), "Please Enter Your Friend's Email"},
  }};
  for (const auto& [missing, message] : checks) {
    if (missing) return QString::fromUtf8(message);
  }
  return std::nullopt;
}

QUrl referralAddress(const Referral& referral, const QUrl& page, const QUrl& productSite) {
  const std::array<QString, 6> values{referral.name,       referral.email,
                                      referral.message,    referral.friendName,
                                      referral.friendEmail, productSite.toString(QUrl::FullyEncoded)};
  QString query;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) query += QLatin1Char('&');
    query += QStringLiteral("taf%1=").arg(i + 1) + encoded(values[i]);
  }
  QUrl address(page);
  address.setQuery(query, QUrl::StrictMode);
  return address;
}

bool TellAFriend(const Referral& referral, QWidget* parent, Platform& platform) {
  if (const auto missing = checkReferralValues(referral)) {
    platform.messages.show(parent, *missing, MessageIcon::Error);
    return false;
  }
  platform.urls.open(referralAddress(referral, referralPageUrl(), productSiteUrl()));
  return true;
}

}  // namespace halvora::ui
