#include "BenchDatabase.h"

#include "support/FakePlatform.h"

#include "store/RecordStore.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace Orvane::Testing {

// Copies the shipped database into folder and fills it with records of a
// realistic size, in one transaction, so that rows records remain after
// every step-th record added is removed (none with step 0 or 1).
bool makeDatabase(const QString &folder, qint64 rows, qint64 step, bool findIndex)
{
    const qint64 removed = step > 1 ? (rows - 1) / (step - 1) : 0;
    const qint64 added = rows + removed;
    const QString path = RecordStore::databasePath(folder);
    QFile::remove(path);
    if (!TestEnvironment::copyShippedDatabase(path))
        return false;
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        // Filled as a file written before the find index existed; the index
        // is built afterwards as the program builds it for such a file.
        for (const char *drop : {"DROP TRIGGER FindStaleAfterInsert", "DROP TRIGGER FindStaleAfterUpdate",
                                 "DROP TRIGGER FindStaleAfterDelete", "DROP TABLE FindText",
                                 "DROP TABLE FindStale"})
            ok = ok && q.exec(QLatin1String(drop));
        ok = ok && q.exec(QStringLiteral("BEGIN"));
        ok = ok && q.prepare(QStringLiteral(
                "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < ?) "
                "INSERT INTO Details (Date, Name, Address, City, State, Pin, Phone_No, Email, "
                "Time_Dowsing_Occured, Dowsing_Tool, Item_Dowsing_For, "
                "Location_Dowsing_Occured, Notes) "
                "SELECT date('2000-01-01', '+' || (x % 9000) || ' days'), "
                "'CUSTOMER NUMBER ' || x, x || ' Long Meadow Road' || char(10) || 'Upper Ward', "
                "'BATH', 'SOMERSET', 'BA' || (x % 90), '01225.' || x, "
                "'customer' || x || '@example.org', "
                "printf('%02d:%02d', x % 24, x % 60), "
                "CASE x % 4 WHEN 0 THEN 'Rods' WHEN 1 THEN 'Hazel Branch' WHEN 2 THEN 'Pendulam' "
                "ELSE 'Forked Hazel' END, "
                "CASE x % 3 WHEN 0 THEN 'water' WHEN 1 THEN 'Oil' ELSE 'Treasure' END, "
                "'NORTH FIELD BY THE OLD MILL ' || x, "
                "'Strong pull near the hedge, weaker by the gate.' || char(10) || "
                "'Second visit planned for the spring; bring the long rods.' "
                "FROM n"));
        q.addBindValue(added);
        ok = ok && q.exec();
        if (ok && removed > 0) {
            ok = q.prepare(QStringLiteral("DELETE FROM Details WHERE IdNumber % ? = 0"));
            q.addBindValue(step);
            ok = ok && q.exec();
        }
        if (!ok)
            qWarning("fill failed: %s", qPrintable(q.lastError().text()));
        ok = ok && q.exec(QStringLiteral("COMMIT"));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    if (ok && findIndex) {
        RecordStore store;
        ok = store.open(path) == RecordStore::OpenResult::Opened
                && store.addFindIndex([](qint64, qint64) { return true; });
        if (!ok)
            qWarning("find index failed: %s", qPrintable(store.errorText()));
    }
    return ok;
}

} // namespace Orvane::Testing
