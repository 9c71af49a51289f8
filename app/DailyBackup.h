#pragma once

#include "store/FileIdentity.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>

class QWidget;

namespace Orvane {

class RecordStore;

// A copy of the record database made on the first start of each day, so
// that whatever a sync client, another tool or a failing disk does to the
// file, the user can go back a day: "<data folder>/Dowsing backups/
// Dowsing-2026-12-08.dll", dated by the platform's clock (what stands in the
// folder, and what counts as today's back-up, is BackupFolder's). The last
// seven such files are kept; no other file is ever removed.
//
// What is due is decided on the thread that calls start(), in a few file
// look-ups and the opening of a store (which finds a damaged file, or the
// page check still running beside the first window, whose verdict is waited
// for without blocking). The copy itself runs on a thread of its own with a
// connection of its own (DatabaseCopy::copyFile), so the windows go on
// meanwhile and saves wait at most one step of it.
class DailyBackup : public QObject
{
    Q_OBJECT

public:
    enum class Outcome {
        Made,         // today's back-up was made; those past the seventh removed
        AlreadyMade,  // today's back-up was there: nothing copied
        NoRoom,       // the disk has less room than twice the file: not copied
        Damaged,      // the file was found damaged or unusable: not copied
        Failed,       // the copy failed: no file left, older back-ups kept
        Cancelled,    // stopped by cancel(): no file left
        LinkedFolder, // the back-up folder is a link: nothing written through it
    };
    Q_ENUM(Outcome)

    static constexpr int kKeptDays = 7;

    explicit DailyBackup(QObject *parent = nullptr);
    // Stops a running copy and waits for its thread, which removes its
    // temporary file: at most one step of the copy.
    ~DailyBackup() override;

    // "<dataFolder>/Dowsing backups", and the name of a day's back-up.
    static QString folderOf(const QString &dataFolder);
    static QString fileNameOf(const QDate &day);

    // Makes today's back-up of the program's database unless it is there.
    // finished() follows once it is settled, at once when nothing is to be
    // copied.
    void start();
    // start() once the window has painted its first frame.
    void startAfterFirstPaint(QWidget *window);
    // Stops a running copy (or one waiting for the page check) and returns
    // at once; finished(Cancelled) follows.
    void cancel();

signals:
    // notice: the one line for the user, empty when there is nothing to say.
    void finished(Orvane::DailyBackup::Outcome outcome, const QString &notice);

private:
    // What the user is told when no back-up was made, and why.
    static QString notMade(const QString &why);
    void afterCheck(const QString &damage, bool indexOnly);
    void startCopy();
    void copied(Outcome outcome, const QString &reason);
    void finish(Outcome outcome, const QString &notice);
    // What the user is told of copies set apart as dated after today.
    QString setApartNotice() const;

    QString m_database;
    QString m_target;
    QDate m_today;
    QStringList m_setApart;
    std::optional<FileIdentity> m_identity;
    // Open while its page check runs, so that the check's verdict comes.
    std::unique_ptr<RecordStore> m_store;
    std::thread m_thread;
    std::atomic<bool> m_cancelled{false};
    bool m_started = false;
};

} // namespace Orvane
