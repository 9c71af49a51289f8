#include "DailyBackup.h"

#include "AfterFirstPaint.h"

#include "platform/Platform.h"
#include "store/DatabaseCopy.h"
#include "store/FileCheck.h"
#include "store/RecordStore.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <vector>

namespace Orvane {

namespace {

const char kDayFormat[] = "yyyy-MM-dd";

// The day in a back-up's file name; an invalid date for any other name, so
// that no file the program did not name so is ever removed.
QDate dayOf(const QString &fileName)
{
    static const QRegularExpression pattern(
            QStringLiteral("^Dowsing-(\\d{4}-\\d{2}-\\d{2})\\.dll$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    return match.hasMatch() ? QDate::fromString(match.captured(1), QLatin1String(kDayFormat))
                            : QDate();
}

// Removes the back-ups past the newest kKeptDays, oldest first. A file
// dated after today (a clock that was wrong, or a copied folder) is left
// alone and not counted: it would otherwise push out the real ones.
void removeOldest(const QString &folder, const QDate &today)
{
    std::vector<std::pair<QDate, QString>> backUps;
    const QFileInfoList files =
            QDir(folder).entryInfoList(QDir::Files | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    for (const QFileInfo &file : files) {
        const QDate day = dayOf(file.fileName());
        if (day.isValid() && day <= today)
            backUps.emplace_back(day, file.absoluteFilePath());
    }
    std::sort(backUps.begin(), backUps.end(),
              [](const auto &a, const auto &b) { return a.first > b.first; });
    for (size_t i = DailyBackup::kKeptDays; i < backUps.size(); ++i)
        QFile::remove(backUps[i].second);
}

QString dataSize(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 0, QLocale::DataSizeSIFormat);
}

QString notMade(const QString &why)
{
    return DailyBackup::tr("Today's back-up of your records was not made: %1").arg(why);
}

} // namespace

DailyBackup::DailyBackup(QObject *parent)
    : QObject(parent)
{
}

DailyBackup::~DailyBackup()
{
    m_cancelled = true;
    if (m_thread.joinable())
        m_thread.join();
}

QString DailyBackup::folderOf(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("Dowsing backups"));
}

QString DailyBackup::fileNameOf(const QDate &day)
{
    return QStringLiteral("Dowsing-%1.dll").arg(day.toString(QLatin1String(kDayFormat)));
}

void DailyBackup::startAfterFirstPaint(QWidget *window)
{
    afterFirstPaint(window, this, [this] { start(); });
}

void DailyBackup::start()
{
    if (m_started)
        return;
    m_started = true;
    const QString dataFolder = platform().dataFolder;
    m_today = platform().clock->today();
    m_database = RecordStore::databasePath(dataFolder);
    const QString folder = folderOf(dataFolder);
    m_target = QDir(folder).filePath(fileNameOf(m_today));
    if (m_cancelled)
        return finish(Outcome::Cancelled, {});
    if (QFileInfo::exists(m_target))
        return finish(Outcome::AlreadyMade, {});

    // Twice the file: the copy must never take the room the records need to
    // grow and journal their saves.
    const qint64 needed = 2 * QFileInfo(m_database).size();
    const qint64 free =
            platform().disks->freeBytes(QFileInfo::exists(folder) ? folder : dataFolder);
    if (free >= 0 && free < needed)
        return finish(Outcome::NoRoom,
                      notMade(tr("the disk has %1 free, and a back-up needs %2, twice the size "
                                 "of your records.")
                                      .arg(dataSize(free), dataSize(needed))));

    m_store = std::make_unique<RecordStore>();
    if (m_store->open(m_database) != RecordStore::OpenResult::Opened)
        return afterCheck(m_store->errorText(), false);
    m_identity = identityOf(m_database);
    if (FileCheck *check = m_store->pendingCheck()) {
        // Queued: the check may be freed with the store, which must not
        // happen while it tells its verdict.
        connect(check, &FileCheck::finished, this, &DailyBackup::afterCheck,
                Qt::QueuedConnection);
        return;
    }
    afterCheck({}, false);
}

void DailyBackup::afterCheck(const QString &damage, bool indexOnly)
{
    m_store.reset();
    if (m_cancelled)
        return finish(Outcome::Cancelled, {});
    // Damage in the find index only leaves the records sound: worth a copy.
    if (!damage.isEmpty() && !indexOnly)
        return finish(Outcome::Damaged,
                      notMade(tr("the file %1 is damaged or cannot be read. Your earlier "
                                 "back-ups were kept.")
                                      .arg(QFileInfo(m_database).fileName())));
    startCopy();
}

void DailyBackup::startCopy()
{
    m_thread = std::thread([this, database = m_database, target = m_target, today = m_today,
                            identity = m_identity] {
        QString reason;
        Outcome outcome = Outcome::Failed;
        const QString folder = QFileInfo(target).absolutePath();
        if (!QDir().mkpath(folder)) {
            reason = tr("the folder %1 could not be made").arg(QDir::toNativeSeparators(folder));
        } else {
            switch (DatabaseCopy::copyFile(
                    database, target, [this](qint64, qint64) { return !m_cancelled; }, reason,
                    identity)) {
            case DatabaseCopy::Result::Done:
                removeOldest(folder, today);
                outcome = Outcome::Made;
                break;
            case DatabaseCopy::Result::Cancelled:
                outcome = Outcome::Cancelled;
                break;
            case DatabaseCopy::Result::Failed:
                break;
            }
        }
        QMetaObject::invokeMethod(
                this, [this, outcome, reason] { copied(outcome, reason); }, Qt::QueuedConnection);
    });
}

void DailyBackup::copied(Outcome outcome, const QString &reason)
{
    m_thread.join();
    if (outcome != Outcome::Failed)
        return finish(outcome, {});
    QString why = reason.simplified();
    if (why.endsWith(QLatin1Char('.')))
        why.chop(1);
    finish(outcome, notMade(tr("%1. Your earlier back-ups were kept.").arg(why)));
}

void DailyBackup::cancel()
{
    m_cancelled = true;
}

void DailyBackup::finish(Outcome outcome, const QString &notice)
{
    emit finished(outcome, notice);
}

} // namespace Orvane
