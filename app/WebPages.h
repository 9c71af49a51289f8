#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

// The maker's web pages, each addressed by a page key and opened in the
// user's browser.
namespace Orvane::WebPages {

// Named values added to a page's address after its key, in order.
using QueryFields = QList<QPair<QString, QString>>;

// The maker's web host; every page lives on it.
QString makerHost();
// The maker's web site as shown to the user ("www.orvane.example").
QString makerSiteAddress();
// The address of the maker's discussion board, as shown to the user.
QString discussionBoardAddress();

// The offer of the "fully-branded" page, which the frame's bottom banner and
// the About box show, and the words that lead to the page.
QString fullyBrandedOffer();
QString moreDetails();

// http://<host>/orvane-site/ssd.php?page=<key>[&<name>=<value>...]. The key,
// every name and every value are percent-encoded, so nothing in them can
// change the host, the path or another field.
QUrl url(const QString &pageKey, const QueryFields &fields = {});
// Opens the page in the user's browser and returns at once; a page that
// cannot be opened is not reported.
void open(const QString &pageKey, const QueryFields &fields = {});

} // namespace Orvane::WebPages
