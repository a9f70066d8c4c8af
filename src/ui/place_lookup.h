// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The place search of the entry form: the user types city, state and country and the browser
// opens a web search for the place's latitude and longitude. Nothing is read back.

#include <optional>

#include <QString>
#include <QUrl>

#include "ui/platform.h"

class QWidget;

namespace halvora::ui {

// The place fields of the entry form, in the order they are checked.
enum class PlaceField { City, State, Country };

// The object name of a field's text box: "txtMCity", "txtMState", "txtMCountry".
QString placeFieldName(PlaceField field);

struct PlaceCheckFailure {
  QString message;   // shown with an information icon
  PlaceField focus;  // the field that takes the focus
  friend bool operator==(const PlaceCheckFailure&, const PlaceCheckFailure&) = default;
};

// City, state and country must each hold something (exactly empty fails; blanks count as text).
std::optional<PlaceCheckFailure> checkPlaceFields(const QString& city, const QString& state,
                                                  const QString& country);

// "city state country Latitude Longitude", the fields as typed.
QString placeSearchText(const QString& city, const QString& state, const QString& country);

// The web search for a text on a site: the site's address with the text, exactly as given and
// percent-encoded, as the query value "q" (after any query the site address has of its own).
QUrl placeSearchAddress(const QString& searchText, const QString& siteAddress);

// Opens web searches in the user's browser.
class PlaceLookup {
 public:
  explicit PlaceLookup(UrlOpener& urls) : m_urls(urls) {}
  // Opens the search for `searchText` on the site at `siteAddress`.
  void search(const QString& searchText, const QString& siteAddress);

 private:
  UrlOpener& m_urls;
};

// The place-search button: the three checks in order (message with an information icon on the
// first failure), then the web search on the place-search site set at build time. Returns the field that should take the focus after a
// failed check; nothing when the search was opened.
std::optional<PlaceField> PlaceSearch(QWidget* form, const QString& city, const QString& state,
                                      const QString& country, Platform& platform);

// The same for a form that holds the line edits txtMCity, txtMState and txtMCountry: reads them
// and moves the focus itself.
void PlaceSearch(QWidget* form, Platform& platform);

}  // namespace halvora::ui
