#include "modHelp.h"

#include "ExitScreen.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSet>
#include <QWidget>

namespace Orvane::modHelp {

namespace {

QPointer<ExitScreen> &theExitScreen()
{
    static QPointer<ExitScreen> screen;
    return screen;
}

// True while UnloadAllAndEnd walks the windows.
bool &unloadingAll()
{
    static bool unloading = false;
    return unloading;
}

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

QUrl webPageUrl(const QString &pageKey, const QueryFields &fields)
{
    // Every name and value is encoded byte by byte (only letters, digits and
    // "-._~" stay as they are), so "&", "=", "#", "+", "%" and line breaks
    // typed by the user stay inside their own value.
    QStringList items{encodedQueryItem(QStringLiteral("page"), pageKey)};
    for (const auto &field : fields)
        items.append(encodedQueryItem(field.first, field.second));

    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(makerHost());
    url.setPath(QStringLiteral("/orvane-site/ssd.php"));
    url.setQuery(items.join(QLatin1Char('&')), QUrl::StrictMode);
    return url;
}

void OpenWebPage(const QString &pageKey)
{
    OpenWebPage(pageKey, {});
}

void OpenWebPage(const QString &pageKey, const QueryFields &fields)
{
    platform().browser->open(webPageUrl(pageKey, fields));
}

void ShowExitScreen()
{
    if (unloadingAll())
        return;
    QPointer<ExitScreen> &screen = theExitScreen();
    if (screen && screen->isVisible())
        return;
    if (!screen) {
        screen = new ExitScreen;
        if (QScreen *display = QGuiApplication::primaryScreen()) {
            QRect place = screen->frameGeometry();
            place.moveCenter(display->availableGeometry().center());
            screen->move(place.topLeft());
        }
    }
    screen->show();
    screen->raise();
    screen->activateWindow();
}

bool isExitScreenShown()
{
    const QPointer<ExitScreen> &screen = theExitScreen();
    return screen && screen->isVisible();
}

QWidget *exitScreen()
{
    return theExitScreen().data();
}

void UnloadAllAndEnd()
{
    // The walk closes the exit screen too, whose close handler calls this
    // again: the inner call has nothing to add.
    if (unloadingAll())
        return;
    unloadingAll() = true;

    static const char unloadingProperty[] = "orvaneUnloading";
    QSet<QWidget *> walked;
    // A window's unload handler may load another window; walk again until a
    // pass finds nothing new.
    for (bool found = true; found;) {
        found = false;
        const QList<QWidget *> windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            QPointer<QWidget> guard(window);
            if (!guard || walked.contains(window))
                continue;
            walked.insert(window);
            found = true;
            // Skip the close of a window that is already being unloaded; it
            // is still hidden and deleted below.
            if (!guard->property(unloadingProperty).toBool()) {
                guard->setProperty(unloadingProperty, true);
                guard->close();
            }
            if (!guard)
                continue;
            guard->hide();
            // A window with a parent goes with its parent. A modal dialog
            // belongs to the code waiting in its exec(), which deletes it.
            const auto *dialog = qobject_cast<QDialog *>(guard.data());
            const bool waitedFor = dialog && dialog->windowModality() != Qt::NonModal;
            if (!guard->parentWidget() && !waitedFor)
                guard->deleteLater();
        }
    }

    unloadingAll() = false;
    platform().process->end();
}

} // namespace Orvane::modHelp
