// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/web_pages.h"

namespace halvora::ui {

namespace {

// The three sites the packager sets at build time.
const QString kProductSite = QStringLiteral(HALVORA_PRODUCT_SITE);
const QString kMainSite = QStringLiteral(HALVORA_MAIN_SITE);
const QString kHelpSite = QStringLiteral(HALVORA_HELP_SITE);
const QString kPlaceSearchSite = QStringLiteral(HALVORA_PLACE_SEARCH_SITE);

}  // namespace

QUrl pageAddress(const QString& site, const QString& path) {
  QUrl url(site);
  QString base = url.path();
  while (base.endsWith(QLatin1Char('/'))) base.chop(1);
  url.setPath(base + path);
  url.setQuery(QString());
  url.setFragment(QString());
  return url;
}

QString productSiteAddress() { return kProductSite; }
QString mainSiteAddress() { return kMainSite; }
QString helpSiteAddress() { return kHelpSite; }
QString placeSearchSiteAddress() { return kPlaceSearchSite; }

QUrl helpPageUrl() { return pageAddress(kProductSite, QStringLiteral("/halvora-help.html")); }
QUrl downloadPageUrl() { return pageAddress(kProductSite, QStringLiteral("/download-halvora.html")); }
QUrl homePageUrl() { return pageAddress(kMainSite, QStringLiteral("/")); }
QUrl donatePageUrl() { return pageAddress(kHelpSite, QStringLiteral("/donate.html")); }
QUrl coBrandPageUrl() { return pageAddress(kHelpSite, QStringLiteral("/co-brand.html")); }
QUrl fullBrandPageUrl() { return pageAddress(kHelpSite, QStringLiteral("/fully-branded.html")); }
QUrl collectionPageUrl() { return pageAddress(kMainSite, QStringLiteral("/software-collection.html")); }
QUrl productSiteUrl() { return pageAddress(kProductSite, QStringLiteral("/")); }
QUrl referralPageUrl() { return pageAddress(kMainSite, QStringLiteral("/refer-a-friend.html")); }

void Open_Help_Page(UrlOpener& urls) { urls.open(helpPageUrl()); }
void Open_Download_Page(UrlOpener& urls) { urls.open(downloadPageUrl()); }
void Open_Home_Page(UrlOpener& urls) { urls.open(homePageUrl()); }
void Open_Donate_Page(UrlOpener& urls) { urls.open(donatePageUrl()); }
void Open_CoBrand_Page(UrlOpener& urls) { urls.open(coBrandPageUrl()); }
void Open_FullBrand_Page(UrlOpener& urls) { urls.open(fullBrandPageUrl()); }
void Open_Collection_Page(UrlOpener& urls) { urls.open(collectionPageUrl()); }

}  // namespace halvora::ui
