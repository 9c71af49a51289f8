#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace Orvane {

// The folder of the daily back-ups and what stands in it: which files are
// back-ups of which day, which one is today's, the name today's copy takes,
// the back-ups past the newest kept, and copies dated after today. A back-up
// is a regular file: nothing is ever written, renamed or removed through a
// link, nor is a folder or link taken for a back-up.
class BackupFolder
{
public:
    BackupFolder(const QString &path, const QDate &today);

    // "Dowsing-2026-12-08.dll" for a day's first copy, "Dowsing-2026-12-08-2.dll"
    // for its second (made when the first name was taken by something else).
    static QString fileNameOf(const QDate &day, int copy = 1);

    // The folder's name is a link: nothing may be written through it.
    bool isLink() const;

    // Today's back-up: the first of today's names that holds a whole copy
    // of a record file; empty when none does. Something else under today's
    // name (a folder, a link, a file cut short or of another program) does
    // not stand in for it.
    QString todaysBackUp() const;
    // The first of today's names that nothing has, where today's copy goes.
    QString freeNameForToday() const;

    // Whole copies named for a day after today (the clock was ahead when
    // they were made, or is behind now) would stand in for that day's
    // back-up when it comes: each is renamed "Dowsing-2027-06-01-found-on-
    // 2026-12-08.dll", out of the back-ups' names, and kept. Returns their
    // new names; none is ever removed.
    QStringList setApartDatedAhead();

    // Removes the regular files named as back-ups of today or before, past
    // the newest kept; copies dated after today are neither counted nor
    // removed (they may be the user's only copy of those records).
    void removeOldest(int kept);

private:
    struct Entry
    {
        QDate day;
        int copy = 0;
        QString path;
    };
    // Every entry named as a back-up (regular file, folder or link alike).
    QList<Entry> namedAsBackUps() const;

    QString m_path;
    QDate m_today;
};

} // namespace Orvane
