#include "WebPages.h"

#include "platform/Platform.h"

#include <QCoreApplication>
#include <QStringList>

namespace Orvane::WebPages {

namespace {

// The translation context of the texts.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::WebPages)
};

QString encodedQueryItem(const QString &name, const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(name) + '='
                               + QUrl::toPercentEncoding(value));
}

} // namespace

QString makerHost()
{
    return QStringLiteral("www.orvane.example");
}

QString makerSiteAddress()
{
    return makerHost();
}

QString discussionBoardAddress()
{
    return QStringLiteral("http://%1/board/").arg(makerHost());
}

QString fullyBrandedOffer()
{
    return Texts::tr("Home Business Opportunity. Start your own Internet business and make money "
                     "online. Get this software fully branded for your website.");
}

QString moreDetails()
{
    return Texts::tr("Click here for more details.");
}

QUrl url(const QString &pageKey, const QueryFields &fields)
{
    // Every name and value is encoded byte by byte (only letters, digits and
    // "-._~" stay as they are), so "&", "=", "#", "+", "%" and line breaks
    // typed by the user stay inside their own value.
    QStringList items{encodedQueryItem(QStringLiteral("page"), pageKey)};
    for (const auto &field : fields)
        items.append(encodedQueryItem(field.first, field.second));

    QUrl address;
    address.setScheme(QStringLiteral("http"));
    address.setHost(makerHost());
    address.setPath(QStringLiteral("/orvane-site/ssd.php"));
    address.setQuery(items.join(QLatin1Char('&')), QUrl::StrictMode);
    return address;
}

void open(const QString &pageKey, const QueryFields &fields)
{
    platform().browser->open(url(pageKey, fields));
}

} // namespace Orvane::WebPages
