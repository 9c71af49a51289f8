// The list's key index: runs of consecutive keys that give the key of any
// row, built by the store from the table, and the list's model over a table
// that lost records here and there.

#include "support/FakePlatform.h"
#include "support/TestDatabase.h"

#include "list/RecordListModel.h"
#include "store/KeyIndex.h"
#include "store/RecordFinder.h"
#include "store/RecordStore.h"

#include <QtTest>

#include <limits>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

using Keys = QList<qint64>;

KeyIndex indexOf(const Keys &keys)
{
    KeyIndex index;
    for (const qint64 key : keys) {
        if (!index.append(key))
            qFatal("key %lld refused", key);
    }
    return index;
}

// Fills the table with rows records named "N<key>" in one statement, then
// removes those the condition picks; the store only ever sees the result.
bool fillTable(const QString &path, int rows, const QString &removed)
{
    QStringList statements{QStringLiteral(
            "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
            "INSERT INTO Details (Date, Name) SELECT '2009-03-07', 'N' || x FROM n "
            "WHERE x <= %1").arg(rows)};
    if (!removed.isEmpty())
        statements.append(QStringLiteral("DELETE FROM Details WHERE ") + removed);
    return runSql(path, statements);
}

} // namespace

class TestKeyIndex : public QObject
{
    Q_OBJECT

private slots:
    void everyRowGivesItsKey_data();
    void everyRowGivesItsKey();
    void keysOutOfOrderAreRefused();
    void storeIndexMatchesTheKeyList_data();
    void storeIndexMatchesTheKeyList();
    void keysBeyond32BitsFromTheStore();
    void closedStoreGivesAnEmptyIndexAndAReason();
    void listShowsEachRowsRecordAcrossGaps();
};

void TestKeyIndex::everyRowGivesItsKey_data()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<int>("runs");

    const qint64 max = std::numeric_limits<qint64>::max();
    QTest::newRow("empty") << Keys{} << 0;
    QTest::newRow("one key") << Keys{7} << 1;
    QTest::newRow("one run") << Keys{1, 2, 3, 4, 5} << 1;
    QTest::newRow("gap at the start") << Keys{4, 5, 6, 7} << 1;
    QTest::newRow("gap in the middle") << Keys{1, 2, 3, 7, 8} << 2;
    QTest::newRow("gap before the last") << Keys{1, 2, 3, 10} << 2;
    QTest::newRow("gaps everywhere") << Keys{3, 4, 6, 9, 10, 11, 20} << 4;
    QTest::newRow("every other key") << Keys{1, 3, 5, 7, 9} << 5;
    QTest::newRow("across 31 and 32 bits")
            << Keys{2147483646, 2147483647, 2147483648, 4294967295, 4294967296, 5000000001}
            << 3;
    QTest::newRow("up to the greatest key") << Keys{max - 3, max - 1, max} << 2;
}

// Every row, so the first and last row of each run, and rows outside.
void TestKeyIndex::everyRowGivesItsKey()
{
    QFETCH(Keys, keys);
    QFETCH(int, runs);
    const KeyIndex index = indexOf(keys);
    QCOMPARE(index.rowCount(), keys.size());
    QCOMPARE(index.isEmpty(), keys.isEmpty());
    QCOMPARE(index.runCount(), runs);
    for (int row = 0; row < keys.size(); ++row) {
        QCOMPARE(index.keyAt(row), keys.at(row));
        QCOMPARE(index.rowOf(keys.at(row)), row);
        // The keys in the gaps are not held.
        if (!keys.contains(keys.at(row) + 1))
            QCOMPARE(index.rowOf(keys.at(row) + 1), -1);
        if (!keys.contains(keys.at(row) - 1))
            QCOMPARE(index.rowOf(keys.at(row) - 1), -1);
    }
    QCOMPARE(index.rowOf(std::numeric_limits<qint64>::min()), -1);
    QCOMPARE(index.keyAt(-1), -1);
    QCOMPARE(index.keyAt(keys.size()), -1);
    QCOMPARE(index.keyAt(std::numeric_limits<qint64>::max()), -1);
    QCOMPARE(index.toList(), keys);
}

void TestKeyIndex::keysOutOfOrderAreRefused()
{
    KeyIndex index = indexOf({5, 7});
    QVERIFY(!index.append(7));
    QVERIFY(!index.append(6));
    QVERIFY(!index.append(1));
    QCOMPARE(index.toList(), Keys({5, 7}));
    QCOMPARE(index.runCount(), 2);
    QVERIFY(index.append(8));
    QCOMPARE(index.toList(), Keys({5, 7, 8}));
    QCOMPARE(index.runCount(), 2);
}

void TestKeyIndex::storeIndexMatchesTheKeyList_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("removed");
    QTest::addColumn<int>("runs");

    QTest::newRow("empty table") << 0 << QString() << 0;
    QTest::newRow("nothing removed") << 1000 << QString() << 1;
    QTest::newRow("first and last removed")
            << 1000 << QStringLiteral("IdNumber IN (1, 2, 3, 1000)") << 1;
    QTest::newRow("a block in the middle")
            << 1000 << QStringLiteral("IdNumber BETWEEN 400 AND 599") << 2;
    QTest::newRow("every tenth") << 1000 << QStringLiteral("IdNumber % 10 = 0") << 100;
    QTest::newRow("every other") << 1000 << QStringLiteral("IdNumber % 2 = 0") << 500;
    QTest::newRow("many, unevenly")
            << 3000
            << QStringLiteral("IdNumber % 7 = 0 OR IdNumber % 11 = 3 OR IdNumber < 5 "
                              "OR IdNumber BETWEEN 1500 AND 1710 OR IdNumber > 2990")
            << -1;
    QTest::newRow("all removed") << 100 << QStringLiteral("1") << 0;
}

// The index read from the table holds exactly the keys the plain read gives.
void TestKeyIndex::storeIndexMatchesTheKeyList()
{
    QFETCH(int, rows);
    QFETCH(QString, removed);
    QFETCH(int, runs);
    TestEnvironment env;
    QVERIFY(fillTable(env.databasePath(), rows, removed));
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);

    const QVector<qint64> keys = store.keyIndex().toList();
    QVERIFY(store.errorText().isEmpty());
    const KeyIndex index = store.keyIndex();
    QVERIFY2(store.errorText().isEmpty(), qPrintable(store.errorText()));
    QCOMPARE(index.rowCount(), keys.size());
    QCOMPARE(index.toList(), keys);
    for (int row = 0; row < keys.size(); ++row)
        QCOMPARE(index.keyAt(row), keys.at(row));
    if (runs >= 0)
        QCOMPARE(index.runCount(), runs);
    else
        QVERIFY(index.runCount() > 100);
}

void TestKeyIndex::keysBeyond32BitsFromTheStore()
{
    TestEnvironment env;
    QVERIFY(fillTable(env.databasePath(), 3, QString()));
    QVERIFY(runSql(env.databasePath(),
                   {QStringLiteral("UPDATE sqlite_sequence SET seq = 4294967294 "
                                   "WHERE name = 'Details'")}));

    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);
    for (int i = 0; i < 3; ++i) {
        DowsingRecord r;
        r.Date = QDate(2009, 3, 7);
        QVERIFY2(store.add(r), qPrintable(store.errorText()));
    }
    const KeyIndex index = store.keyIndex();
    QVERIFY(store.errorText().isEmpty());
    QCOMPARE(index.toList(), Keys({1, 2, 3, 4294967295, 4294967296, 4294967297}));
    QCOMPARE(index.runCount(), 2);
    QCOMPARE(index.keyAt(4), Q_INT64_C(4294967296));
    // A found or sorted list keeps such keys whole.
    const FindResult sorted =
            RecordFinder(env.databasePath()).run({QString(), DowsingRecord::FieldId::IdNumber, true}, [] { return false; });
    QCOMPARE(sorted.keys.toVector(), Keys({4294967297, 4294967296, 4294967295, 3, 2, 1}));
    QCOMPARE(sorted.keys.indexOf(Q_INT64_C(4294967296)), 1);
}

void TestKeyIndex::closedStoreGivesAnEmptyIndexAndAReason()
{
    TestEnvironment env;
    QVERIFY(fillTable(env.databasePath(), 10, QString()));
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);
    QCOMPARE(store.keyIndex().rowCount(), 10);
    store.close();
    QVERIFY(store.keyIndex().isEmpty());
    QVERIFY(!store.errorText().isEmpty());
}

// The list's model reads each row's record by the key the index gives.
void TestKeyIndex::listShowsEachRowsRecordAcrossGaps()
{
    TestEnvironment env;
    QVERIFY(fillTable(env.databasePath(), 50,
                      QStringLiteral("IdNumber IN (1, 2, 10, 11, 12, 30, 49, 50) "
                                     "OR IdNumber % 5 = 4")));
    RecordStore store;
    QCOMPARE(store.open(env.databasePath()), RecordStore::OpenResult::Opened);
    const QVector<qint64> keys = store.keyIndex().toList();
    RecordListModel model(store);
    QVERIFY(model.load());
    QCOMPARE(model.rowCount(), keys.size());
    for (int row = 0; row < keys.size(); ++row) {
        QCOMPARE(model.idNumber(row), keys.at(row));
        const auto record = model.record(row);
        QVERIFY(record.has_value());
        QCOMPARE(record->Name, QStringLiteral("N%1").arg(keys.at(row)));
        QCOMPARE(model.data(model.index(row, RecordListModel::kIdNumberColumn)).toString(),
                 QString::number(keys.at(row)));
    }
    QCOMPARE(model.idNumber(keys.size()), -1);
    QVERIFY(!model.record(keys.size()).has_value());
}

QTEST_MAIN(TestKeyIndex)
#include "tst_keyindex.moc"
