// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/place_lookup.h"

#include <QLineEdit>
#include <QWidget>

#include "ui/web_pages.h"

namespace halvora::ui {

QString placeFieldName(PlaceField field) {
  switch (field) {
    case PlaceField::City: return QStringLiteral("txtMCity");
    case PlaceField::State: return QStringLiteral("txtMState");
    case PlaceField::Country: return QStringLiteral("txtMCountry");
  }
  return {};
}

std::optional<PlaceCheckFailure> checkPlaceFields(const QString& city, const QString& state,
                                                  const QString& country) {
  if (city.isEmpty()) return PlaceCheckFailure{QStringLiteral("Please Enter City"), PlaceField::City};
  if (state.isEmpty()) return PlaceCheckFailure{QStringLiteral("Please Enter State"), PlaceField::State};
  if (country.isEmpty()) {
    return PlaceCheckFailure{QStringLiteral("Please Enter Country"), PlaceField::Country};
  }
  return std::nullopt;
}

QString placeSearchText(const QString& city, const QString& state, const QString& country) {
  return city + QLatin1Char(' ') + state + QLatin1Char(' ') + country +
         QStringLiteral(" Latitude Longitude");
}

QUrl placeSearchAddress(const QString& searchText, const QString& siteAddress) {
  QUrl address(siteAddress);
  const QString own = address.query(QUrl::FullyEncoded);
  const QString item = QStringLiteral("q=") + QString::fromLatin1(QUrl::toPercentEncoding(searchText));
  address.setQuery(own.isEmpty() ? item : own + u'&' + item, QUrl::StrictMode);
  return address;
}

void PlaceLookup::search(const QString& searchText, const QString& siteAddress) {
  m_urls.open(placeSearchAddress(searchText, siteAddress));
}

std::optional<PlaceField> PlaceSearch(QWidget* form, const QString& city, const QString& state,
                                      const QString& country, Platform& platform) {
  if (const auto failure = checkPlaceFields(city, state, country)) {
    platform.messages.show(form, failure->message, MessageIcon::Information);
    return failure->focus;
  }
  PlaceLookup(platform.urls).search(placeSearchText(city, state, country), placeSearchSiteAddress());
  return std::nullopt;
}

void PlaceSearch(QWidget* form, Platform& platform) {
  const auto field = [form](PlaceField which) {
    return form->findChild<QLineEdit*>(placeFieldName(which));
  };
  const auto text = [&field](PlaceField which) {
    const QLineEdit* edit = field(which);
    return edit ? edit->text() : QString();
  };
  const auto focus = PlaceSearch(form, text(PlaceField::City), text(PlaceField::State),
                                 text(PlaceField::Country), platform);
  if (focus) {
    if (QLineEdit* edit = field(*focus)) edit->setFocus(Qt::OtherFocusReason);
  }
}

}  // namespace halvora::ui
