#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>

#include <future>
#include <memory>
#include <thread>

namespace Orvane {

// Reads every page of a database file (PRAGMA quick_check), so that a file
// damaged in the middle is refused before anything is written to it; a check
// that reads only the table's description and a first row does not see it.
//
// Its cost grows with the file (seconds for a million records), so a large
// file is checked on a second thread of its own while the windows come up,
// and writes wait for the verdict.

// The reason the file on this open connection is damaged, or an empty text.
// The statement is finished before returning.
QString damageOf(const QSqlDatabase &db);

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
    // Waits for the verdict: the reason the file is damaged, or an empty
    // text for a sound file.
    QString verdict() const;

    // A check already made or under way for the file at path with this key
    // (a file's identity), or a new one. A file found sound is not read
    // whole again in this run: nullptr then.
    static std::shared_ptr<FileCheck> forFile(const QString &path, const QString &key);

signals:
    // Delivered on the thread that made the check, after the verdict is in.
    void finished(const QString &reason);

private:
    std::shared_future<QString> m_verdict;
    std::thread m_thread;
};

} // namespace Orvane
