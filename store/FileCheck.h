#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>

#include <future>
#include <memory>
#include <optional>
#include <thread>

namespace Orvane {

// Reads every page of a database file (PRAGMA quick_check), so that a file
// damaged in the middle is refused before anything is written to it; a check
// that reads only the table's description and a first row does not see it.
//
// Its cost grows with the file (seconds for a million records), so a large
// file is checked on a second thread of its own while the windows come up,
// and writes wait for the verdict.

// What a check of every page found.
struct Damage
{
    // Why the file is damaged; empty for a sound file.
    QString reason;
    // The records' own pages (those of the deleted records too) are sound:
    // the damage lies elsewhere, as a rule in the find index, which is made from the records and can be
    // built anew (and the file is checked whole again before that is kept).
    bool indexOnly = false;

    bool isSound() const { return reason.isEmpty(); }
};

// What the file on this open connection holds of damage. Pages that no
// table uses any more (the engine's "never used") are no damage: nothing
// reads or writes them. The statements are finished before returning.
Damage damageOf(const QSqlDatabase &db);

// A check of one file on a second thread, with a read-only connection of
// its own that is closed before the verdict is given.
class FileCheck : public QObject
{
    Q_OBJECT

public:
    // Starts checking the file at path; key is the file's identity.
    FileCheck(const QString &path, const QString &key);
    ~FileCheck() override;

    bool isFinished() const;
    // Waits for the verdict.
    Damage verdict() const;

    // A check under way for the file at path with this key (a file's
    // identity), or a new one; nullptr when the file was checked in this
    // run already: knownVerdict() then tells.
    static std::shared_ptr<FileCheck> forFile(const QString &path, const QString &key);
    static std::optional<Damage> knownVerdict(const QString &key);
    // The file with this key was mended: its verdict is sound now.
    static void markSound(const QString &key);

    // What tells one state of the file at path from another without reading
    // it whole: its identity, size, time of last change and the engine's
    // change counter. Empty where that cannot tell: no such file, or a
    // write-ahead log beside it, which holds pages the file does not.
    static QString stampOf(const QString &path);
    // The file at path is taken as sound without reading every page: it
    // stands as it stood when the program last found it sound and closed it
    // cleanly (its stamp then and now agree).
    static void trust(const QString &path);
    // The file at path was found sound, or trusted, in this run.
    static bool isKnownSound(const QString &path);
    // Forgets every verdict, as a new run would (for tests).
    static void forgetVerdicts();

signals:
    // Delivered on the thread that made the check, after the verdict is in.
    void finished(const QString &reason, bool indexOnly);

private:
    std::shared_future<Damage> m_verdict;
    std::thread m_thread;
};

} // namespace Orvane
