#pragma once

#include <QDate>
#include <QString>
#include <QUrl>

class QPrinter;
class QWidget;

namespace Orvane {

class MessageBoxes;

// Opens web addresses in the user's browser. Fire and forget: a missing
// browser is not reported.
class WebBrowser
{
public:
    virtual ~WebBrowser() = default;
    virtual void open(const QUrl &url) = 0;
};

// The per-user settings store, addressed by application name, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString &application, const QString &section,
                          const QString &key, const QString &defaultValue) = 0;
    virtual void setValue(const QString &application, const QString &section,
                          const QString &key, const QString &value) = 0;
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

// The common dialogs of the record view: Save As and the printer dialog.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // Returns the chosen file name, or an empty string when cancelled. The
    // dialog confirms before overwriting and appends the default suffix.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                 const QString &defaultSuffix) = 0;
    // Lets the user choose a printer; false when cancelled. The dialog
    // offers no page range; with selectionChosen it offers the selection and
    // opens with it chosen.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer, bool selectionChosen) = 0;
};

// Ends the process once every window is gone.
class ProcessControl
{
public:
    virtual ~ProcessControl() = default;
    virtual void end() = 0;
};

// The outside world as the program sees it. The program installs the real
// implementations at start; tests install their own before making windows.
struct Platform
{
    MessageBoxes *messages = nullptr;
    WebBrowser *browser = nullptr;
    SettingsStore *settings = nullptr;
    Clock *clock = nullptr;
    FileDialogs *dialogs = nullptr;
    ProcessControl *process = nullptr;
    // The folder of the program, which holds "Dowsing.dll".
    QString programFolder;
};

// The installed platform. Before anything is installed it is the real one.
const Platform &platform();
void installPlatform(const Platform &p);
// The real implementations over Qt, for the program's folder.
Platform realPlatform();

} // namespace Orvane
