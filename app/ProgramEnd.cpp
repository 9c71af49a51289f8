#include "ProgramEnd.h"

#include "ExitScreen.h"
#include "FileTrust.h"
#include "platform/Platform.h"
#include "store/RecordStore.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSet>
#include <QWidget>

namespace Orvane::ProgramEnd {

namespace {

QPointer<ExitScreen> &theExitScreen()
{
    static QPointer<ExitScreen> screen;
    return screen;
}

// True while unloadAllAndEnd() walks the windows.
bool &unloadingAll()
{
    static bool unloading = false;
    return unloading;
}

} // namespace

void showExitScreen()
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

void unloadAllAndEnd()
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
    FileTrust::atCleanEnd(RecordStore::databasePath(platform().dataFolder));
    platform().process->end();
}

} // namespace Orvane::ProgramEnd
