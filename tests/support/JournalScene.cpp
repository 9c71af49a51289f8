#include "JournalScene.h"

#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include <unistd.h>

namespace Orvane::Testing {

JournalScene::JournalScene(const QString &databasePath)
    : folder(QFileInfo(databasePath).absolutePath()),
      path(databasePath),
      otherCopy(QDir(folder).filePath(QStringLiteral("incoming.tmp")))
{
}

QString JournalScene::makeOtherCopy(int saves, int notesLength)
{
    if (!QFile::copy(path, otherCopy))
        return QStringLiteral("the other copy could not be made");
    addRecords(otherCopy, saved(QStringLiteral("SAVED ELSEWHERE"), saves, notesLength));
    expected = storedRecords(otherCopy);
    return {};
}

QString JournalScene::hold(const Start &start, bool replace, bool reachesFile)
{
    const QString written = QDir(folder).filePath(QStringLiteral("written"));
    QFile::remove(written);
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(written).constData()) != 0)
        return QStringLiteral("the file could not be linked");
    const QByteArray before = digestOf(written);
    writer = start();
    if (!writer->isHeld())
        return QStringLiteral("the writer did not hold: ") + writer->failure();
    const bool reached = digestOf(written) != before;
    QFile::remove(written);
    if (reachesFile && !reached)
        return QStringLiteral("the write had not reached the file");
    const QByteArray from = QFile::encodeName(otherCopy);
    if (replace && std::rename(from.constData(), QFile::encodeName(path).constData()) != 0)
        return QStringLiteral("the other copy could not be renamed over the file");
    return {};
}

QString JournalScene::crash(const Start &start, bool replace)
{
    const QString held = hold(start, replace);
    if (held.isEmpty())
        writer->kill();
    return held;
}

QString JournalScene::writeOtherCopyInto()
{
    const QByteArray bytes = fileBytes(otherCopy);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return QStringLiteral("the other copy could not be written into the file");
    file.close();
    return QFile::remove(otherCopy) ? QString()
                                    : QStringLiteral("the other copy could not be removed");
}

QList<DowsingRecord> JournalScene::saved(const QString &name, int count, int notesLength)
{
    QList<DowsingRecord> records;
    for (int i = 0; i < count; ++i) {
        DowsingRecord r;
        r.Date = QDate(2026, 11, 30);
        r.Name = QStringLiteral("%1 %2").arg(name).arg(i);
        r.Notes = QString(notesLength, QLatin1Char('s'));
        records.append(r);
    }
    return records;
}

JournalScene::Start JournalScene::programImport(const QString &path)
{
    return [path] { return HeldWrite::byProgram(path, 400); };
}

JournalScene::Start JournalScene::programCommit(const QString &path, const QString &step)
{
    return [path, step] { return HeldWrite::byProgramCommit(path, step); };
}

JournalScene::Start JournalScene::shell(const QString &path, const QString &statement)
{
    return [path, statement] { return HeldWrite::byShell(path, {statement}); };
}

} // namespace Orvane::Testing
