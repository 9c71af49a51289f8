#include "BackupFolder.h"

#include "store/DatabaseCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace Orvane {

namespace {

const char kDayFormat[] = "yyyy-MM-dd";
// Beyond this many copies in a day something else is at work: no more are
// made that day.
const int kMostCopiesADay = 99;

// A path's own entry, not what a link there points to.
bool isTaken(const QString &path)
{
    const QFileInfo entry(path);
    return entry.exists() || entry.isSymLink();
}

} // namespace

BackupFolder::BackupFolder(const QString &path, const QDate &today)
    : m_path(path),
      m_today(today)
{
}

QString BackupFolder::fileNameOf(const QDate &day, int copy)
{
    const QString date = day.toString(QLatin1String(kDayFormat));
    return copy <= 1 ? QStringLiteral("Dowsing-%1.dll").arg(date)
                     : QStringLiteral("Dowsing-%1-%2.dll").arg(date).arg(copy);
}

bool BackupFolder::isLink() const
{
    return QFileInfo(m_path).isSymLink();
}

// Only names the program itself gives: a valid day, and a copy number of 2
// or more without leading zeros; any other file is never touched.
QList<BackupFolder::Entry> BackupFolder::namedAsBackUps() const
{
    static const QRegularExpression pattern(
            QStringLiteral("^Dowsing-(\\d{4}-\\d{2}-\\d{2})(?:-([2-9]|[1-9]\\d+))?\\.dll$"));
    QList<Entry> entries;
    const QStringList names = QDir(m_path).entryList(QDir::AllEntries | QDir::System
                                                     | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = pattern.match(name);
        if (!match.hasMatch())
            continue;
        const QDate day = QDate::fromString(match.captured(1), QLatin1String(kDayFormat));
        if (day.isValid())
            entries.append({day, match.hasCaptured(2) ? match.captured(2).toInt() : 1,
                            QDir(m_path).filePath(name)});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.day != b.day ? a.day > b.day : a.copy > b.copy;
    });
    return entries;
}

QString BackupFolder::todaysBackUp() const
{
    QList<Entry> entries = namedAsBackUps();
    std::reverse(entries.begin(), entries.end());
    for (const Entry &entry : std::as_const(entries))
        if (entry.day == m_today && DatabaseCopy::isWholeCopy(entry.path))
            return entry.path;
    return {};
}

QString BackupFolder::freeNameForToday() const
{
    for (int copy = 1; copy <= kMostCopiesADay; ++copy) {
        const QString path = QDir(m_path).filePath(fileNameOf(m_today, copy));
        if (!isTaken(path))
            return path;
    }
    return {};
}

QStringList BackupFolder::setApartDatedAhead()
{
    QStringList setApart;
    const QString found =
            QStringLiteral("-found-on-%1").arg(m_today.toString(QLatin1String(kDayFormat)));
    for (const Entry &entry : namedAsBackUps()) {
        if (entry.day <= m_today || !DatabaseCopy::isWholeCopy(entry.path))
            continue;
        const QFileInfo file(entry.path);
        const QString base = file.dir().filePath(file.completeBaseName() + found);
        QString target = base + QStringLiteral(".dll");
        for (int n = 2; isTaken(target) && n <= kMostCopiesADay; ++n)
            target = QStringLiteral("%1-%2.dll").arg(base).arg(n);
        // A rename never follows a link, and QFile never renames over a name
        // that is taken.
        if (!isTaken(target) && QFile::rename(entry.path, target))
            setApart.append(QFileInfo(target).fileName());
    }
    return setApart;
}

void BackupFolder::removeOldest(int kept)
{
    int counted = 0;
    for (const Entry &entry : namedAsBackUps()) {
        const QFileInfo file(entry.path);
        if (entry.day > m_today || file.isSymLink() || !file.isFile())
            continue;
        // Removing a name never follows a link: at worst a link that took the
        // name since goes, never what it points to.
        if (++counted > kept)
            QFile::remove(entry.path);
    }
}

} // namespace Orvane
