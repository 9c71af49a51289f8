#include "modHelp.h"

#include "platform/Platform.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace Orvane::modHelp {

QString makerHost()
{
    return QStringLiteral("www.orvane.example");
}

QUrl webPageUrl(const QString &pageKey)
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(makerHost());
    url.setPath(QStringLiteral("/orvane-site/ssd.php"));
    url.setQuery(QStringLiteral("page=") + QString::fromLatin1(QUrl::toPercentEncoding(pageKey)));
    return url;
}

void OpenWebPage(const QString &pageKey)
{
    platform().browser->open(webPageUrl(pageKey));
}

void UpdateReminder()
{
}

QString EncodeSetting(const QString &text)
{
    return text;
}

QString DecodeSetting(const QString &text)
{
    return text;
}

void ShowExitScreen()
{
}

bool isExitScreenShown()
{
    return false;
}

void UnloadAllAndEnd()
{
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        QPointer<QWidget> guard(window);
        if (!guard || guard->parentWidget())
            continue;
        guard->close();
        if (guard)
            delete guard.data();
    }
    platform().process->end();
}

} // namespace Orvane::modHelp
