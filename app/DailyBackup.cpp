#include "DailyBackup.h"

#include "AfterFirstPaint.h"
#include "BackupFolder.h"

#include "platform/Platform.h"
#include "store/DatabaseCopy.h"
#include "store/FileCheck.h"
#include "store/RecordStore.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace Orvane {

namespace {

QString dataSize(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 0, QLocale::DataSizeSIFormat);
}

} // namespace

QString DailyBackup::notMade(const QString &why)
{
    return tr("Today's back-up of your records was not made: %1").arg(why);
}

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
    return BackupFolder::fileNameOf(day);
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
    const QString folderPath = folderOf(dataFolder);
    if (m_cancelled)
        return finish(Outcome::Cancelled, {});
    BackupFolder folder(folderPath, m_today);
    if (folder.isLink())
        return finish(Outcome::LinkedFolder,
                      notMade(tr("the folder %1 is a link to another place, and back-ups are "
                                 "written only into a folder of their own. Make it a folder.")
                                      .arg(QDir::toNativeSeparators(folderPath))));
    m_setApart = folder.setApartDatedAhead();
    if (!folder.todaysBackUp().isEmpty())
        return finish(Outcome::AlreadyMade, {});
    m_target = folder.freeNameForToday();
    if (m_target.isEmpty())
        return finish(Outcome::Failed,
                      notMade(tr("the folder %1 holds too many other things named as today's "
                                 "back-up.")
                                      .arg(QDir::toNativeSeparators(folderPath))));

    // Twice the file: the copy must never take the room the records need to
    // grow and journal their saves.
    const qint64 needed = 2 * QFileInfo(m_database).size();
    const qint64 free = platform().disks->freeBytes(QFileInfo::exists(folderPath) ? folderPath
                                                                                  : dataFolder);
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
            // Never over anything that took the name meanwhile.
            switch (DatabaseCopy::copyFile(
                    database, target, [this](qint64, qint64) { return !m_cancelled; }, reason,
                    identity, DatabaseCopy::Target::NeverOver)) {
            case DatabaseCopy::Result::Done:
                BackupFolder(folder, today).removeOldest(kKeptDays);
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

QString DailyBackup::setApartNotice() const
{
    if (m_setApart.isEmpty())
        return {};
    const QString names = m_setApart.join(QStringLiteral(", "));
    return m_setApart.size() == 1
            ? tr("A back-up dated after today was kept apart as %1: the computer's clock was "
                 "ahead when it was made, or is behind now.")
                      .arg(names)
            : tr("Back-ups dated after today were kept apart as %1: the computer's clock was "
                 "ahead when they were made, or is behind now.")
                      .arg(names);
}

void DailyBackup::finish(Outcome outcome, const QString &notice)
{
    const QString apart = setApartNotice();
    emit finished(outcome, notice.isEmpty() || apart.isEmpty()
                                   ? notice + apart
                                   : notice + QLatin1Char(' ') + apart);
}

} // namespace Orvane
