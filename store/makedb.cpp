// Build tool: makes the shipped record database from the schema text.
//
//   orvane-makedb SCHEMA.sql TARGET
//
// A TARGET that holds records, or that cannot be read, is never touched. An
// empty one is made again, so that schema changes reach development builds.

#include "DeletedRecords.h"
#include "FindIndex.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QUrl>

#include <cstdio>

namespace {

void say(const QString &text)
{
    std::fprintf(stderr, "orvane-makedb: %s\n", qPrintable(text));
}

// -1 when the file cannot be read as a record database.
qint64 recordCount(const QString &path)
{
    qint64 count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("probe"));
        // Read-write, so that SQLite tidies its side files away on close;
        // mode=rw never creates the file.
        QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        uri.setQuery(QStringLiteral("mode=rw"));
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("SELECT count(*) FROM Details")) && query.next())
                count = query.value(0).toLongLong();
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("probe"));
    return count;
}

bool create(const QString &schemaPath, const QString &target)
{
    QFile schemaFile(schemaPath);
    if (!schemaFile.open(QIODevice::ReadOnly | QIODevice::Text)) {
        say(QStringLiteral("cannot read %1: %2").arg(schemaPath, schemaFile.errorString()));
        return false;
    }
    QString schema = QString::fromUtf8(schemaFile.readAll());
    schema.remove(QRegularExpression(QStringLiteral("--[^\n]*")));

    const QString temp = target + QStringLiteral(".new");
    QFile::remove(temp);
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
        db.setDatabaseName(temp);
        ok = db.open();
        if (!ok)
            say(QStringLiteral("cannot create %1: %2").arg(temp, db.lastError().text()));
        QSqlQuery query(db);
        const QStringList statements = schema.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString &statement : statements) {
            if (!ok || statement.trimmed().isEmpty())
                continue;
            if (!query.exec(statement)) {
                say(QStringLiteral("schema statement failed: %1").arg(query.lastError().text()));
                ok = false;
            }
        }
        // The find index's tables and triggers, from the store's own
        // definition of them.
        QString error;
        if (ok && !Orvane::FindIndex::create(db, [](qint64, qint64) { return true; }, error)) {
            say(QStringLiteral("find index failed: %1").arg(error));
            ok = false;
        }
        // The table that keeps deleted records, so that a delete can be
        // undone.
        if (ok && !Orvane::DeletedRecords::create(db, error)) {
            say(QStringLiteral("deleted records' table failed: %1").arg(error));
            ok = false;
        }
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make"));
    if (ok) {
        QFile::remove(target);
        ok = QFile::rename(temp, target);
        if (!ok)
            say(QStringLiteral("cannot move %1 to %2").arg(temp, target));
    }
    QFile::remove(temp);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        say(QStringLiteral("usage: orvane-makedb SCHEMA.sql TARGET"));
        return 2;
    }
    const QString schema = args.at(1);
    const QString target = args.at(2);
    if (QFileInfo::exists(target)) {
        const qint64 count = recordCount(target);
        if (count > 0) {
            say(QStringLiteral("%1 holds %2 records; kept as it is").arg(target).arg(count));
            return 0;
        }
        if (count < 0) {
            say(QStringLiteral("%1 exists but cannot be read; kept as it is").arg(target));
            return 0;
        }
    }
    QDir().mkpath(QFileInfo(target).absolutePath());
    return create(schema, target) ? 0 : 1;
}
