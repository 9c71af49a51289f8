#include "HeldWrite.h"

#include "SecondProcess.h"

#include "store/RecordStore.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <sqlite3.h>

namespace Orvane::Testing {

std::unique_ptr<HeldWrite> HeldWrite::byProgram(const QString &path, int records)
{
    std::unique_ptr<HeldWrite> write(new HeldWrite);
    const QByteArray said = startCopy(write->m_process, {QString::fromLatin1(kHoldImportArgument),
                                                         path, QString::number(records)});
    write->m_held = said == "held";
    if (!write->m_held)
        write->m_failure = write->whatItSaid(said);
    return write;
}

std::unique_ptr<HeldWrite> HeldWrite::byProgramDelete(const QString &path, qint64 key,
                                                      const QString &step)
{
    std::unique_ptr<HeldWrite> write(new HeldWrite);
    const QByteArray said = startCopy(write->m_process, {QString::fromLatin1(kHoldDeleteArgument),
                                                         path, QString::number(key), step});
    write->m_held = said == "held";
    if (!write->m_held)
        write->m_failure = write->whatItSaid(said);
    return write;
}

std::unique_ptr<HeldWrite> HeldWrite::byShell(const QString &path, const QStringList &statements)
{
    std::unique_ptr<HeldWrite> write(new HeldWrite);
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty()) {
        write->m_failure = QStringLiteral("the sqlite3 shell is missing (scripts/setup.sh)");
        return write;
    }
    write->m_process.start(shell, {path});
    if (!write->m_process.waitForStarted()) {
        write->m_failure = QStringLiteral("the sqlite3 shell did not start");
        return write;
    }
    // The shell reads on while its input stays open: the transaction stays.
    const QString script = QStringLiteral("PRAGMA cache_size = 10;\nBEGIN IMMEDIATE;\n")
            + statements.join(QStringLiteral(";\n")) + QStringLiteral(";\nSELECT 'held';\n");
    write->m_process.write(script.toUtf8());
    write->m_process.waitForReadyRead(10000);
    const QByteArray said = write->m_process.readLine().trimmed();
    write->m_held = said == "held";
    if (!write->m_held)
        write->m_failure = write->whatItSaid(said);
    return write;
}

QString HeldWrite::whatItSaid(const QByteArray &line)
{
    return QString::fromLocal8Bit(line + ' ' + m_process.readAllStandardError());
}

HeldWrite::~HeldWrite()
{
    kill();
}

void HeldWrite::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished();
}

bool HeldWrite::commit()
{
    m_process.write("COMMIT;\nSELECT 'committed';\n");
    m_process.waitForReadyRead(10000);
    const bool committed = m_process.readLine().trimmed() == "committed";
    m_process.closeWriteChannel();
    m_process.waitForFinished();
    return committed;
}

namespace {

// Makes the trigger's event, inside the store's next write, say "held" and
// wait to be killed.
void holdAt(RecordStore &store, const QString &triggerEvent)
{
    QSqlDatabase db = QSqlDatabase::database(store.connectionName(), false);
    sqlite3 *handle = *static_cast<sqlite3 *const *>(db.driver()->handle().constData());
    sqlite3_create_function(
            handle, "orvane_hold", 0, SQLITE_UTF8, nullptr,
            [](sqlite3_context *, int, sqlite3_value **) { answerAndWaitToBeKilled(true); },
            nullptr, nullptr);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA cache_size = 10"))
        || !query.exec(QStringLiteral("CREATE TEMP TRIGGER orvane_hold %1 "
                                      "BEGIN SELECT orvane_hold(); END")
                               .arg(triggerEvent)))
        answerAndWaitToBeKilled(false);
}

} // namespace

void holdDelete(const QString &path, qint64 key, const QString &step)
{
    RecordStore store;
    if (store.open(path) != RecordStore::OpenResult::Opened)
        answerAndWaitToBeKilled(false);
    const std::optional<DowsingRecord> shown = store.find(key);
    if (!shown)
        answerAndWaitToBeKilled(false);
    holdAt(store, step == QLatin1String("copy")
                   ? QStringLiteral("AFTER INSERT ON main.DeletedRecords")
                   : QStringLiteral("AFTER DELETE ON main.Details"));
    store.remove(*shown, QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
    answerAndWaitToBeKilled(false);
}

void holdImport(const QString &path, int records)
{
    RecordStore store;
    if (store.open(path) != RecordStore::OpenResult::Opened)
        answerAndWaitToBeKilled(false);
    // Called by the last record's insert, inside the import's transaction.
    holdAt(store, QStringLiteral("AFTER INSERT ON main.Details WHEN new.Name = 'HOLD'"));
    QVector<DowsingRecord> imported(records + 1);
    for (int i = 0; i <= records; ++i) {
        imported[i].Date = QDate(2026, 12, 8);
        imported[i].Name = i < records ? QStringLiteral("IMPORTED %1").arg(i)
                                       : QStringLiteral("HOLD");
        imported[i].Notes = QString(300, QLatin1Char('i'));
    }
    store.addAll(imported);
    answerAndWaitToBeKilled(false);
}

} // namespace Orvane::Testing
