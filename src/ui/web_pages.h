// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The maker's web pages that the menus and the clickable lines open in the user's browser.

#include <QString>
#include <QUrl>

#include "ui/platform.h"

namespace halvora::ui {

// The three sites' addresses as set at build time, and the pages on them.
QString productSiteAddress();
QString mainSiteAddress();
QString helpSiteAddress();
// The web search that the place search opens, as set at build time.
QString placeSearchSiteAddress();

QUrl helpPageUrl();        // the product's site, "/halvora-help.html"
QUrl downloadPageUrl();    // the product's site, "/download-halvora.html"
QUrl homePageUrl();        // the maker's main site, its root (the forum's home page)
QUrl donatePageUrl();      // the help site, "/donate.html"
QUrl coBrandPageUrl();     // the help site, "/co-brand.html"
QUrl fullBrandPageUrl();   // the help site, "/fully-branded.html"
QUrl collectionPageUrl();  // the maker's software collection
QUrl productSiteUrl();     // the product's own site (sent with a referral)
QUrl referralPageUrl();    // the refer-a-friend page on the main site, without its query

// A page on a site: the site's own path (a packager may host the pages below a folder) followed by
// `path`, which starts with "/". Query and fragment of the site address are dropped.
QUrl pageAddress(const QString& site, const QString& path);

// Each opens its page; a page that cannot be opened shows nothing.
void Open_Help_Page(UrlOpener& urls);
void Open_Download_Page(UrlOpener& urls);
void Open_Home_Page(UrlOpener& urls);
void Open_Donate_Page(UrlOpener& urls);
void Open_CoBrand_Page(UrlOpener& urls);
void Open_FullBrand_Page(UrlOpener& urls);
void Open_Collection_Page(UrlOpener& urls);

}  // namespace halvora::ui
