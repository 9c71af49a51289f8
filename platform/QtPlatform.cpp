#include "QtPlatform.h"

#include "AppInfo.h"
#include "MessageBoxes.h"
#include "PrintDialog.h"

#include <QAbstractPrintDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QPrinter>
#include <QSettings>

namespace Orvane {

void DesktopBrowser::open(const QUrl &url)
{
    // The result only says whether a helper was started; nothing is reported.
    QDesktopServices::openUrl(url);
}

namespace {
QString settingsKey(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}
} // namespace

QString QSettingsStore::value(const QString &application, const QString &section,
                              const QString &key, const QString &defaultValue)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, AppInfo::title(),
                       application);
    return settings.value(settingsKey(section, key), defaultValue).toString();
}

void QSettingsStore::setValue(const QString &application, const QString &section,
                              const QString &key, const QString &value)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, AppInfo::title(),
                       application);
    settings.setValue(settingsKey(section, key), value);
    settings.sync();
}

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

QString QtFileDialogs::saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                    const QString &defaultSuffix)
{
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool QtFileDialogs::choosePrinter(QWidget *parent, QPrinter &printer, bool selectionChosen)
{
    PrintDialog dialog(&printer, parent);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile
            | QAbstractPrintDialog::PrintShowPageSize;
    if (selectionChosen)
        options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    printer.setPrintRange(selectionChosen ? QPrinter::Selection : QPrinter::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

void ApplicationQuit::end()
{
    // Queued, so that it also ends a process whose event loop has not started.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

namespace {
Platform &installed()
{
    static Platform p = realPlatform();
    return p;
}
} // namespace

Platform realPlatform()
{
    static QtMessageBoxes messages;
    static DesktopBrowser browser;
    static QSettingsStore settings;
    static SystemClock clock;
    static QtFileDialogs dialogs;
    static ApplicationQuit process;
    Platform p;
    p.messages = &messages;
    p.browser = &browser;
    p.settings = &settings;
    p.clock = &clock;
    p.dialogs = &dialogs;
    p.process = &process;
    p.programFolder = AppInfo::programFolder();
    return p;
}

const Platform &platform()
{
    return installed();
}

void installPlatform(const Platform &p)
{
    installed() = p;
}

} // namespace Orvane
