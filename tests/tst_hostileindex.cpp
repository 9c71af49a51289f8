// A find index that another program wrote or a disk damaged. The index is
// derived from the records: whatever it holds, a search shows every record
// of the table at most once and nothing that is not in it, never sizes its
// work by what the index claims, and where the index does not fit the
// table, reads the table itself and says the index wants building anew;
// the customers and statistics counted over it are the table's.
//
// Built on the store alone, so that it also runs under the sanitizers.

#include "support/TestDatabase.h"

#include "store/CustomerTally.h"
#include "store/DowsingRecord.h"
#include "store/FindBlock.h"
#include "store/RecordFinder.h"
#include "store/RecordStatistics.h"
#include "store/RecordStore.h"

#include <QFile>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

const int kRecords = 600;

QList<DowsingRecord> fixtureRecords()
{
    const QStringList names = {QStringLiteral("Hazel Brook"), QStringLiteral("Ann Lee"),
                               QStringLiteral("Zoë Ward"), QStringLiteral("Bo Ek")};
    QList<DowsingRecord> records;
    for (int i = 0; i < kRecords; ++i) {
        DowsingRecord r = customerRecord(names.at(i % names.size()) + QString::number(i),
                                         1 + i % 28);
        r.Date = r.Date.calendarDate().addYears(i % 7);
        r.Dowsing_Tool = i % 5 ? QStringLiteral("Rods") : QStringLiteral("Forked Hazel");
        records.append(r);
    }
    return records;
}

// The summary of the table's keys, read as the list reads them.
KeySummary tableKeys(const QString &path)
{
    RawDatabase raw(path);
    QSqlQuery query(raw.db());
    KeySummary summary;
    query.exec(QStringLiteral("SELECT IdNumber FROM Details ORDER BY IdNumber"));
    while (query.next())
        summary.add(query.value(0).toLongLong());
    return summary;
}

bool putBlock(const QString &path, qint64 block, const FindBlock &text)
{
    RawDatabase raw(path);
    QSqlQuery query(raw.db());
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO FindText (Block, Data) VALUES (?, ?)"));
    query.addBindValue(block);
    query.addBindValue(text.toStored());
    return query.exec();
}

// The index's block 1 forged from its records, each made by make (which
// may drop a record by returning no key).
bool forgeBlockOne(const QString &path,
                   const std::function<std::optional<qint64>(qint64, DowsingRecord &)> &make)
{
    FindBlock forged;
    for (DowsingRecord r : storedRecords(path)) {
        if (FindBlock::blockOf(*r.IdNumber) != 1)
            continue;
        if (const auto key = make(*r.IdNumber, r))
            forged.append(*key, r);
    }
    return putBlock(path, 1, forged);
}

// What another program, or a failing disk, did to the index.
bool spoil(const QString &path, const QString &how)
{
    if (how == QLatin1String("more blocks than records"))
        return runSql(path, {QStringLiteral(
                "WITH RECURSIVE n(x) AS (SELECT 1000 UNION ALL SELECT x + 1 FROM n "
                "WHERE x < 300999) INSERT INTO FindText SELECT x, X'01' FROM n")});
    if (how == QLatin1String("stale block beyond any key"))
        return runSql(path, {QStringLiteral("INSERT INTO FindStale VALUES (4611686018427387904)")});
    if (how == QLatin1String("stale blocks below zero"))
        return runSql(path, {QStringLiteral("INSERT INTO FindStale VALUES (-1)"),
                             QStringLiteral("INSERT INTO FindStale VALUES (-9223372036854775808)")});
    if (how == QLatin1String("index block beyond any key"))
        return runSql(path, {QStringLiteral(
                "UPDATE FindText SET Block = 4611686018427387904 WHERE Block = 1")});
    if (how == QLatin1String("index block below zero"))
        return runSql(path, {QStringLiteral("UPDATE FindText SET Block = -3 WHERE Block = 1")});
    if (how == QLatin1String("block of fewer records"))
        return forgeBlockOne(path, [](qint64 key, DowsingRecord &) {
            return key % 3 ? std::optional<qint64>(key) : std::nullopt;
        });
    if (how == QLatin1String("block of keys not in the table")) {
        // Block 3 begins past the last key.
        FindBlock forged;
        for (qint64 key = 768; key < 773; ++key)
            forged.append(key, customerRecord(QStringLiteral("Hazel Nobody")));
        return putBlock(path, 3, forged);
    }
    if (how == QLatin1String("block of empty records"))
        return forgeBlockOne(path, [](qint64 key, DowsingRecord &r) {
            r = DowsingRecord();
            return std::optional<qint64>(key);
        });
    if (how == QLatin1String("written with a trigger dropped")) {
        RawDatabase raw(path);
        QSqlQuery query(raw.db());
        query.exec(QStringLiteral("SELECT sql FROM sqlite_master "
                                  "WHERE name = 'FindStaleAfterInsert'"));
        const QString trigger = query.next() ? query.value(0).toString() : QString();
        query.finish();
        return !trigger.isEmpty()
                && raw.exec(QStringLiteral("DROP TRIGGER FindStaleAfterInsert"))
                && raw.exec(QStringLiteral("INSERT INTO Details (Date, Name) "
                                           "VALUES ('2011-06-01', 'Hazel Behind')"))
                && raw.exec(trigger);
    }
    if (how == QLatin1String("a damaged page"))
        return spoilFindIndexPage(path);
    if (how == QLatin1String("a name holding a zero character"))
        return runSql(path, {QStringLiteral(
                "UPDATE Details SET Name = 'A' || char(0) || 'ZZZ' WHERE IdNumber = 5")});
    return how == QLatin1String("nothing");
}

// Checked against the keys the list read, or, as for a count without a
// list, against the table's keys read beside the blocks.
FindResult search(const QString &path, const FindRequest &request, bool listed = true)
{
    if (!listed)
        return RecordFinder(path).run(request, [] { return false; });
    return RecordFinder(path).run(request, [] { return false; }, tableKeys(path));
}

// A copy of the file in dir without an index, whose searches and counts
// read the table alone.
QString truthCopy(const QTemporaryDir &dir, const QString &path)
{
    const QString copy = dir.filePath(QStringLiteral("truth.dll"));
    // Without one of its triggers the index counts as none; dropping a
    // trigger reads no page of the index, damaged or not.
    if (!QFile::copy(path, copy)
        || !runSql(copy, {QStringLiteral("DROP TRIGGER FindStaleAfterDelete")}))
        return {};
    return copy;
}

// The same search over the table alone.
QVector<qint64> truth(const QString &path, const FindRequest &request)
{
    QTemporaryDir dir;
    const QString copy = truthCopy(dir, path);
    if (copy.isEmpty())
        return {};
    return RecordFinder(copy).run(request, [] { return false; }).keys.toVector();
}

// What the customers and statistics windows count over every record, in
// words to compare: they check the index against the table's own keys.
QStringList countsOf(const QString &path)
{
    const auto never = [] { return false; };
    RecordFinder finder(path);
    const RecordStatistics stats = RecordStatistics::tally(finder, FindRequest(), never);
    const CustomerView customers = CustomerTally::build(finder, never);
    if (!stats.error.isEmpty() || !customers.error.isEmpty() || !customers.table)
        return {stats.error, customers.error};
    QStringList counts = {QString::number(stats.records), QString::number(stats.customers),
                          QString::number(stats.undated), stats.firstDate.toString(),
                          stats.lastDate.toString()};
    for (qint64 month : stats.perMonth)
        counts << QString::number(month);
    for (qsizetype i = 0; i < customers.table->size(); ++i)
        counts << QStringLiteral("%1:%2").arg(customers.table->keyAt(i)).arg(customers.table->recordsAt(i));
    return counts;
}

const QList<FindRequest> kRequests = {
        {QStringLiteral("hazel"), std::nullopt, false},
        {QString(), DowsingRecord::FieldId::Name, false},
        {QStringLiteral("a"), DowsingRecord::FieldId::Date, true},
};

QList<std::pair<FindRequest, bool>> requestsEachWay()
{
    QList<std::pair<FindRequest, bool>> each;
    for (const FindRequest &request : kRequests)
        each << std::make_pair(request, true) << std::make_pair(request, false);
    return each;
}

} // namespace

class TestHostileIndex : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void searchesShowOnlyTheTablesRecords_data();
    void searchesShowOnlyTheTablesRecords();

private:
    QTemporaryDir m_dir;
    QString m_fixture;
};

void TestHostileIndex::initTestCase()
{
    m_fixture = m_dir.filePath(QStringLiteral("fixture.dll"));
    QVERIFY(QFile::copy(QStringLiteral(ORVANE_SHIPPED_DATABASE), m_fixture));
    QVERIFY(QFile::setPermissions(m_fixture, QFile::ReadOwner | QFile::WriteOwner));
    QCOMPARE(addRecords(m_fixture, fixtureRecords()).size(), kRecords);
}

void TestHostileIndex::searchesShowOnlyTheTablesRecords_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("unsound");
    // The index's keys fit the table but its text lies: nothing tells,
    // short of reading every record.
    QTest::addColumn<bool>("textMayLie");
    QTest::newRow("nothing") << QStringLiteral("nothing") << false << false;
    for (const char *how : {"more blocks than records", "index block beyond any key",
                            "index block below zero", "block of fewer records",
                            "block of keys not in the table", "written with a trigger dropped",
                            "a damaged page"})
        QTest::newRow(how) << QString::fromLatin1(how) << true << false;
    for (const char *how : {"stale block beyond any key", "stale blocks below zero",
                            "a name holding a zero character"})
        QTest::newRow(how) << QString::fromLatin1(how) << false << false;
    QTest::newRow("block of empty records")
            << QStringLiteral("block of empty records") << false << true;
}

void TestHostileIndex::searchesShowOnlyTheTablesRecords()
{
    QFETCH(QString, how);
    QFETCH(bool, unsound);
    QFETCH(bool, textMayLie);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dowsing.dll"));
    QVERIFY(QFile::copy(m_fixture, path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY2(spoil(path, how), qPrintable(how));
    const KeySummary table = tableKeys(path);
    QSet<qint64> tableKeySet;
    {
        RawDatabase raw(path);
        QSqlQuery query(raw.db());
        query.exec(QStringLiteral("SELECT IdNumber FROM Details"));
        while (query.next())
            tableKeySet.insert(query.value(0).toLongLong());
    }

    for (const auto &[request, listed] : requestsEachWay()) {
        const FindResult result = search(path, request, listed);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(result.indexUnsound, unsound);
        QCOMPARE(result.table, table);
        const QVector<qint64> keys = result.keys.toVector();
        QSet<qint64> shown;
        for (qint64 key : keys) {
            QVERIFY2(tableKeySet.contains(key), "a key shown that the table does not hold");
            QVERIFY2(!shown.contains(key), "a record shown twice");
            shown.insert(key);
        }
        if (!textMayLie)
            QCOMPARE(keys, truth(path, request));
    }

    // The counts over every record as well, but where the index's text
    // may lie unseen.
    if (!textMayLie) {
        QTemporaryDir truthDir;
        QCOMPARE(countsOf(path), countsOf(truthCopy(truthDir, path)));
    }

    if (how == QLatin1String("a name holding a zero character")) {
        // It sorts by its whole name, "AZZZ", not by what follows the zero.
        const QVector<qint64> byName = search(path, {QString(), DowsingRecord::FieldId::Name, false}).keys.toVector();
        const QList<DowsingRecord> stored = storedRecords(path);
        const auto nameOf = [&](qint64 key) {
            for (const DowsingRecord &r : stored)
                if (*r.IdNumber == key)
                    return r.Name;
            return QString();
        };
        const qsizetype at = byName.indexOf(5);
        QVERIFY(at > 0 && at + 1 < byName.size());
        QVERIFY(nameOf(byName.at(at - 1)).compare(QLatin1String("AZZZ"), Qt::CaseInsensitive) < 0);
        QVERIFY(nameOf(byName.at(at + 1)).compare(QLatin1String("AZZZ"), Qt::CaseInsensitive) > 0);
    }
}

QTEST_GUILESS_MAIN(TestHostileIndex)
#include "tst_hostileindex.moc"
