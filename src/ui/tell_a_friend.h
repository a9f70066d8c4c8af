// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The referral of the closing screen: its checks, in their order, and the address of the
// refer-a-friend page that carries the five typed values and the product's site.

#include <optional>

#include <QString>
#include <QUrl>

#include "ui/platform.h"

class QWidget;

namespace halvora::ui {

// The texts the five boxes of the referral show while they hold nothing else.
inline const QString kNamePlaceholder = QStringLiteral("Your Name");
inline const QString kEmailPlaceholder = QStringLiteral("Your Email Address");
inline const QString kFriendNamePlaceholder = QStringLiteral("Friend's Name");
inline const QString kFriendEmailPlaceholder = QStringLiteral("Friend's Email Address");
inline const QString kMessagePlaceholder = QStringLiteral("Your Message");

// The five values of one referral, each trimmed of leading and trailing blanks.
struct Referral {
  QString name;
  QString email;
  QString message;
  QString friendName;
  QString friendEmail;
};

// The checks of the submit button before the referral is handed on: the two addresses must differ
// and each must hold "@" and ".". The first failure's message, nothing when both are acceptable.
std::optional<QString> checkReferralAddresses(const Referral& referral);

// The checks of TellAFriend: name, e-mail, message, friend's name, friend's e-mail, each missing
// when empty or still its placeholder. The first missing value's message, nothing when all are in.
std::optional<QString> checkReferralValues(const Referral& referral);

// The refer-a-friend page with the query taf1..taf6: name, e-mail, message, friend's name,
// friend's e-mail and the product's site. Every value is percent-encoded as UTF-8 (only the
// unreserved characters of RFC 3986 stay as they are), so each arrives intact under its own key.
QUrl referralAddress(const Referral& referral, const QUrl& page, const QUrl& productSite);

// Checks the five values (error icon on the first one missing) and opens the refer-a-friend page.
// True when the page was handed to the browser.
bool TellAFriend(const Referral& referral, QWidget* parent, Platform& platform);

}  // namespace halvora::ui
