#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QUrl>

#include <memory>

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
    // The local date and time.
    virtual QDateTime now() const = 0;
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
    // Returns the chosen existing file, or an empty string when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &filter) = 0;
    // Lets the user choose a printer; false when cancelled. The dialog
    // offers no page range; with selectionChosen it offers the selection and
    // opens with it chosen.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer, bool selectionChosen) = 0;
};

// A file written whole or not at all: the bytes go to a temporary file
// beside the target, which replaces the target only at commit(). Until then
// (and after a failed write, cancel() or destruction without commit) the
// target keeps its bytes, and no temporary file is left.
class AtomicFile
{
public:
    virtual ~AtomicFile() = default;
    virtual bool open() = 0;
    // False when not all the bytes were taken.
    virtual bool write(const char *data, qint64 size) = 0;
    virtual bool commit() = 0;
    virtual void cancel() = 0;
    // The reason of the last failure.
    virtual QString errorString() const = 0;
};

class AtomicFiles
{
public:
    virtual ~AtomicFiles() = default;
    virtual std::unique_ptr<AtomicFile> create(const QString &path) = 0;
};

// The progress of a long task, which the user may cancel. Shown only once
// the task has taken a moment, so a short task shows nothing.
class Progress
{
public:
    virtual ~Progress() = default;
    // done out of the maximum given at start; false once the user cancelled.
    virtual bool advance(qint64 done) = 0;
};

class ProgressDialogs
{
public:
    virtual ~ProgressDialogs() = default;
    // The progress closes when the returned object is destroyed. A maximum
    // of 0 is work that cannot be measured: a busy bar, and Cancel.
    virtual std::unique_ptr<Progress> start(QWidget *parent, const QString &label,
                                            qint64 maximum) = 0;
};

// The room left on the disks. Asked before a large file is written, so that
// a copy that would fill the disk is not begun.
class DiskSpace
{
public:
    virtual ~DiskSpace() = default;
    // The bytes this user may still write on the file system holding path
    // (a folder or file that exists); -1 when the system does not say.
    virtual qint64 freeBytes(const QString &path) const = 0;
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
    AtomicFiles *files = nullptr;
    ProgressDialogs *progress = nullptr;
    DiskSpace *disks = nullptr;
    // The folder that holds "Dowsing.dll" and its back-ups (see DataFolder).
    QString dataFolder;
    // The folder of the read-only empty database an install ships, copied
    // into dataFolder when the user has none there yet; empty when none.
    QString shippedFolder;
};

// The installed platform. Before anything is installed it is the real one.
const Platform &platform();
void installPlatform(const Platform &p);
// The real implementations over Qt, for this user and the program's folder.
Platform realPlatform();

} // namespace Orvane
