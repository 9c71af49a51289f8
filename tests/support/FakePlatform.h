#pragma once

#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QQueue>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>

namespace Orvane::Testing {

// Records every message box instead of showing it and answers from a script
// (Ok, or Yes for a question, when the script is empty).
class FakeMessageBoxes final : public MessageBoxes
{
public:
    struct Shown
    {
        QString text;
        Icon icon;
        Buttons buttons;
        Answer defaultAnswer;
    };

    Answer show(QWidget *parent, const QString &text, Icon icon, Buttons buttons,
                Answer defaultAnswer) override;

    QList<Shown> shown;
    QQueue<Answer> answers;
    // Runs while a box is "open", before it is answered.
    std::function<void(const Shown &)> whileOpen;

    QStringList texts() const;
    void clear() { shown.clear(); }
};

class FakeBrowser final : public WebBrowser
{
public:
    void open(const QUrl &url) override { opened.append(url); }
    QList<QUrl> opened;
    // The page keys of the opened addresses.
    QStringList pageKeys() const;
};

class FakeSettings final : public SettingsStore
{
public:
    QString value(const QString &application, const QString &section, const QString &key,
                  const QString &defaultValue) override;
    void setValue(const QString &application, const QString &section, const QString &key,
                  const QString &value) override;

    QHash<QString, QString> values; // "application/section/key" -> value
    int writes = 0;
};

class FakeClock final : public Clock
{
public:
    QDate today() const override { return date; }
    QDateTime now() const override { return QDateTime(date, time); }
    QDate date = QDate(2026, 12, 7);
    QTime time = QTime(10, 30);
};

class FakeDialogs final : public FileDialogs
{
public:
    QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &defaultSuffix) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &filter) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer, bool selectionChosen) override;

    // What the next Open returns (empty: cancelled).
    QString nextOpenName;
    int openAsked = 0;
    // What the next Save As returns (empty: cancelled).
    QString nextSaveName;
    QString lastTitle, lastFilter, lastSuffix;
    int saveAsked = 0;
    // How the printer dialog answers; it may set up the printer.
    std::function<bool(QPrinter &, bool selectionChosen)> printerAnswer;
    int printAsked = 0;
    bool lastSelectionChosen = false;
};

class FakeProcess final : public ProcessControl
{
public:
    void end() override { ++ends; }
    int ends = 0;
};

// Real files written through QSaveFile, made to fail on demand: at the
// write that would pass failAfterBytes bytes, or at commit.
class FakeAtomicFiles final : public AtomicFiles
{
public:
    std::unique_ptr<AtomicFile> create(const QString &path) override;

    qint64 failAfterBytes = -1; // -1: never
    bool failAtCommit = false;
    int created = 0;
};

// Counts the steps of every progress and cancels at the step cancelAtStep
// (counted from 1 over the progress's life; 0: never).
class FakeProgressDialogs final : public ProgressDialogs
{
public:
    std::unique_ptr<Progress> start(QWidget *parent, const QString &label,
                                    qint64 maximum) override;

    int cancelAtStep = 0;
    int started = 0;
    int steps = 0;
    qint64 lastMaximum = 0;
    QString lastLabel;
    // Called as each progress starts, with its label: what a test has
    // happen at that moment.
    std::function<void(const QString &label)> onStart;
};

// Tells the free room set here instead of the disk's: plenty, unless a test
// says otherwise.
class FakeDiskSpace final : public DiskSpace
{
public:
    qint64 freeBytes(const QString &) const override { return free; }
    qint64 free = qint64(1) << 40;
};

// The fakes for everything outside the program.
struct Fakes
{
    FakeMessageBoxes messages;
    FakeBrowser browser;
    FakeSettings settings;
    FakeClock clock;
    FakeDialogs dialogs;
    FakeProcess process;
    FakeAtomicFiles files;
    FakeProgressDialogs progress;
    FakeDiskSpace disks;

    // A platform made of these fakes over the data folder, to install;
    // the install ships no database unless shippedFolder is given.
    Platform over(const QString &dataFolder, const QString &shippedFolder = QString());
};

// Installs a platform for its lifetime and then puts back the one before.
class PlatformScope
{
public:
    explicit PlatformScope(const Platform &installed);
    ~PlatformScope();
    PlatformScope(const PlatformScope &) = delete;
    PlatformScope &operator=(const PlatformScope &) = delete;

private:
    Platform m_previous;
};

// A program folder of its own with a copy of the shipped database, and fakes
// for everything outside the program, installed for the test's lifetime.
class TestEnvironment : public Fakes
{
public:
    // withDatabase false: the folder holds no "Dowsing.dll".
    explicit TestEnvironment(bool withDatabase = true);

    QString folder() const { return m_dir.path(); }
    QString databasePath() const;
    // The shipped, empty database made by the build.
    static QString shippedDatabase();
    // Puts a writable copy of the shipped database at path.
    static bool copyShippedDatabase(const QString &path);

private:
    QTemporaryDir m_dir;
    PlatformScope m_installed;
};

} // namespace Orvane::Testing
