#include "ui/web_pages.h"

namespace halvora::ui {

namespace {

// The three sites the packager sets at build time.
constexpr const char* kProductSite = HALVORA_PRODUCT_SITE;
constexpr const char* kMainSite = HALVORA_MAIN_SITE;
constexpr const char* kHelpSite = HALVORA_HELP_SITE;

// The site's address with a path put in place of whatever path it has.
QUrl pageOn(const char* site, const QString& path) {
  QUrl url(QString::fromUtf8(site));
  url.setPath(path);
  return url;
}

}  // namespace

QUrl helpPageUrl() { return pageOn(kProductSite, QStringLiteral("/halvora-help.html")); }
QUrl downloadPageUrl() { return pageOn(kProductSite, QStringLiteral("/download-halvora.html")); }
QUrl homePageUrl() { return pageOn(kMainSite, QStringLiteral("/")); }
QUrl donatePageUrl() { return pageOn(kHelpSite, QStringLiteral("/donate.html")); }
QUrl coBrandPageUrl() { return pageOn(kHelpSite, QStringLiteral("/co-brand.html")); }
QUrl fullBrandPageUrl() { return pageOn(kHelpSite, QStringLiteral("/fully-branded.html")); }
QUrl collectionPageUrl() { return pageOn(kMainSite, QStringLiteral("/software-collection.html")); }
QUrl productSiteUrl() { return pageOn(kProductSite, QStringLiteral("/")); }
QUrl referralPageUrl() { return pageOn(kMainSite, QStringLiteral("/refer-a-friend.html")); }

void Open_Help_Page(UrlOpener& urls) { urls.open(helpPageUrl()); }
void Open_Download_Page(UrlOpener& urls) { urls.open(downloadPageUrl()); }
void Open_Home_Page(UrlOpener& urls) { urls.open(homePageUrl()); }
void Open_Donate_Page(UrlOpener& urls) { urls.open(donatePageUrl()); }
void Open_CoBrand_Page(UrlOpener& urls) { urls.open(coBrandPageUrl()); }
void Open_FullBrand_Page(UrlOpener& urls) { urls.open(fullBrandPageUrl()); }
void Open_Collection_Page(UrlOpener& urls) { urls.open(collectionPageUrl()); }

}  // namespace halvora::ui
