// Finding and sorting through the find index: results against a reference
// the test computes from the stored records, through every kind of write,
// a write made behind the program's back, and a file made before the index.

#include "support/FakePlatform.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"

#include "store/RecordFinder.h"
#include "store/TextSearch.h"
#include "store/RecordStore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

// Records over several index blocks, with accents, other scripts, mixed
// case and dates whose text order is not their calendar order.
QList<DowsingRecord> seedRecords(int count)
{
    const QStringList names = {QStringLiteral("Ægir Ødegård"), QStringLiteral("ΣΩΚΡΆΤΗΣ"),
                               QStringLiteral("Дмитрий"),      QStringLiteral("o'brien, mary"),
                               QStringLiteral("ANNA \"Quoted\""), QStringLiteral("zoë"),
                               QStringLiteral("Bartholomew Featherstonehaugh ")};
    QList<DowsingRecord> records;
    for (int i = 0; i < count; ++i) {
        DowsingRecord r;
        r.Date = QDate(1999 + i % 23, 1 + i % 12, 1 + i % 28);
        r.Name = names.at(i % names.size()) + QString::number(i);
        r.City = i % 3 ? QStringLiteral("Bath") : QStringLiteral("BATHAMPTON");
        r.Phone_No = QStringLiteral("01225 %1").arg(700000 + i * 7);
        r.Email = QStringLiteral("Person%1@Example.org").arg(i);
        r.Time_Dowsing_Occured = QStringLiteral("%1:%2").arg(i % 24, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0'));
        r.Dowsing_Tool = i % 2 ? QStringLiteral("Pendulam") : QStringLiteral("Rods");
        r.Notes = i % 5 ? QStringLiteral("line one\nline two") : QStringLiteral("σοφία");
        records.append(r);
    }
    return records;
}

// Adds the records in one transaction of the test's own, which leaves their
// blocks noted stale, then has the store write once, which rewrites them.
QVector<qint64> seed(const QString &path, const QList<DowsingRecord> &records)
{
    {
        RawDatabase raw(path);
        QSqlDatabase db = raw.db();
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral(
                "INSERT INTO Details (Date, Name, Address, City, State, Pin, Phone_No, Email, "
                "Time_Dowsing_Occured, Dowsing_Tool, Item_Dowsing_For, "
                "Location_Dowsing_Occured, Notes) VALUES (?,?,'',?,'','',?,?,?,?,'','',?)"));
        for (const DowsingRecord &r : records) {
            for (const QString &value : {r.Date.storedText(), r.Name, r.City,
                                         r.Phone_No, r.Email, r.Time_Dowsing_Occured,
                                         r.Dowsing_Tool, r.Notes})
                insert.addBindValue(value);
            if (!insert.exec())
                qFatal("seed: %s", qPrintable(insert.lastError().text()));
        }
        db.commit();
    }
    RecordStore store;
    DowsingRecord extra = records.first();
    if (store.open(path) != RecordStore::OpenResult::Opened || !store.add(extra)
        || !removeStored(store, *extra.IdNumber))
        qFatal("seed: %s", qPrintable(store.errorText()));
    return keysIn(path);
}

QString listedDate(const QDate &date)
{
    return QStringLiteral("%1/%2/%3").arg(date.month()).arg(date.day()).arg(date.year());
}

QVector<qint64> expectedKeys(const QList<DowsingRecord> &stored, const QString &text)
{
    QVector<qint64> keys;
    for (const DowsingRecord &r : stored) {
        const QStringList fields = {listedDate(r.Date.calendarDate()), r.Name, r.Address, r.City, r.State,
                                    r.Pin, r.Phone_No, r.Email, r.Time_Dowsing_Occured,
                                    r.Dowsing_Tool, r.Item_Dowsing_For,
                                    r.Location_Dowsing_Occured, r.Notes};
        for (const QString &field : fields) {
            if (field.contains(text, Qt::CaseInsensitive)) {
                keys.append(*r.IdNumber);
                break;
            }
        }
    }
    return keys;
}

QVector<qint64> found(const QString &path, const FindRequest &request)
{
    const FindResult result = RecordFinder(path).run(request, [] { return false; });
    if (!result.error.isEmpty())
        qWarning("%s", qPrintable(result.error));
    return result.keys.toVector();
}

const QStringList kTexts = {QString(), QStringLiteral("bath"), QStringLiteral("ΣΏΚΡΆ"),
                            QStringLiteral("σωκρά"), QStringLiteral("дмит"),
                            QStringLiteral("ØDEGÅRD"), QStringLiteral("\"quoted\""),
                            QStringLiteral("7/"), QStringLiteral("line one"),
                            QStringLiteral("PERSON1@"), QStringLiteral("nothing like it")};

void compareEveryText(const QString &path)
{
    const QList<DowsingRecord> stored = storedRecords(path);
    for (const QString &text : kTexts)
        QCOMPARE(found(path, {text, std::nullopt, false}), expectedKeys(stored, text));
}

} // namespace

class TestFindIndex : public QObject
{
    Q_OBJECT

private slots:
    void findMatchesEveryFieldInAnyCaseAndScript();
    void sortsByTextAndCalendarWithTiesInOrderOfAddition();
    void indexFollowsEveryWriteAndWritesBehindItsBack();
    void fileWithoutIndexIsFoundAndUpgradedOnlyWhenAsked();
    void stoppedSearchGivesNoResult();
    void aSearchSharedAmongThreadsKeepsItsOrder();
    void textSearchAgreesWithAPlainSearchAtEveryPlace();
};

void TestFindIndex::findMatchesEveryFieldInAnyCaseAndScript()
{
    TestEnvironment env;
    seed(env.databasePath(), seedRecords(700));
    compareEveryText(env.databasePath());
}

void TestFindIndex::sortsByTextAndCalendarWithTiesInOrderOfAddition()
{
    TestEnvironment env;
    const QString path = env.databasePath();
    seed(path, seedRecords(300));
    QList<DowsingRecord> stored = storedRecords(path);
    const auto keysOf = [](const QList<DowsingRecord> &records) {
        QVector<qint64> keys;
        for (const DowsingRecord &r : records)
            keys.append(*r.IdNumber);
        return keys;
    };

    // Names fold to one case; equal tools keep the order of addition both ways.
    auto byName = stored;
    std::stable_sort(byName.begin(), byName.end(), [](const auto &a, const auto &b) {
        return a.Name.toCaseFolded().toUtf8() < b.Name.toCaseFolded().toUtf8();
    });
    QCOMPARE(found(path, {QString(), DowsingRecord::FieldId::Name, false}), keysOf(byName));
    auto byToolDown = stored;
    std::stable_sort(byToolDown.begin(), byToolDown.end(), [](const auto &a, const auto &b) {
        return a.Dowsing_Tool > b.Dowsing_Tool;
    });
    QCOMPARE(found(path, {QString(), DowsingRecord::FieldId::Dowsing_Tool, true}), keysOf(byToolDown));

    // "12/1/2020" comes before "2/1/2021" by the calendar.
    auto byDate = stored;
    std::stable_sort(byDate.begin(), byDate.end(),
                     [](const auto &a, const auto &b) { return a.Date.calendarDate() < b.Date.calendarDate(); });
    QCOMPARE(found(path, {QString(), DowsingRecord::FieldId::Date, false}), keysOf(byDate));

    // A sort of found records sorts only those.
    const QVector<qint64> bath = found(path, {QStringLiteral("bathampton"), std::nullopt, false});
    QVector<qint64> bathByDate;
    for (const DowsingRecord &r : std::as_const(byDate))
        if (bath.contains(*r.IdNumber))
            bathByDate.append(*r.IdNumber);
    QCOMPARE(found(path, {QStringLiteral("bathampton"), DowsingRecord::FieldId::Date, false}), bathByDate);
    auto reversed = keysOf(stored);
    std::reverse(reversed.begin(), reversed.end());
    QCOMPARE(found(path, {QString(), DowsingRecord::FieldId::IdNumber, true}), reversed);
}

void TestFindIndex::indexFollowsEveryWriteAndWritesBehindItsBack()
{
    TestEnvironment env;
    const QString path = env.databasePath();
    const QVector<qint64> keys = seed(path, seedRecords(600));
    RecordStore store;
    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    auto changed = store.find(keys.at(300));
    QVERIFY(changed);
    changed->Name = QStringLiteral("Renamed ΣΩΚΡΆΤΗΣ");
    QVERIFY(updateStored(store, *changed));
    QVERIFY(removeStored(store, keys.at(5)));
    QVERIFY(removeStored(store, keys.at(599)));
    compareEveryText(path);

    // Another program's write: found at once, and the next save of ours
    // brings the index back in step.
    QVERIFY(runSql(path, {QStringLiteral("UPDATE Details SET City = 'Дмитров' WHERE IdNumber = %1")
                                  .arg(keys.at(10)),
                          QStringLiteral("DELETE FROM Details WHERE IdNumber = %1").arg(keys.at(400))}));
    compareEveryText(path);
    DowsingRecord added = seedRecords(1).first();
    QVERIFY(store.add(added));
    RawDatabase raw(path);
    QSqlQuery stale(raw.db());
    QVERIFY(stale.exec(QStringLiteral("SELECT count(*) FROM FindStale")) && stale.next());
    QCOMPARE(stale.value(0).toInt(), 0);
    compareEveryText(path);
}

void TestFindIndex::fileWithoutIndexIsFoundAndUpgradedOnlyWhenAsked()
{
    TestEnvironment env;
    const QString path = env.databasePath();
    seed(path, seedRecords(400));
    QVERIFY(runSql(path, {QStringLiteral("DROP TRIGGER FindStaleAfterInsert"),
                          QStringLiteral("DROP TRIGGER FindStaleAfterUpdate"),
                          QStringLiteral("DROP TRIGGER FindStaleAfterDelete"),
                          QStringLiteral("DROP TABLE FindText"),
                          QStringLiteral("DROP TABLE FindStale")}));
    compareEveryText(path);
    const QByteArray before = digestOf(path);

    RecordStore store;
    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    QVERIFY(!store.hasFindIndex());
    qint64 told = 0;
    QVERIFY(!store.addFindIndex([&](qint64 done, qint64 total) {
        told = total;
        return done < 200;
    }));
    QCOMPARE(told, qint64(400));
    QVERIFY(!store.hasFindIndex());
    store.close();
    QCOMPARE(digestOf(path), before);
    // Such a file still takes records.
    DowsingRecord added = seedRecords(1).first();
    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    QVERIFY2(store.add(added), qPrintable(store.errorText()));
    store.close();

    QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
    QVERIFY(store.addFindIndex([](qint64, qint64) { return true; }));
    QVERIFY(store.hasFindIndex());
    compareEveryText(path);

    // An index that lost a trigger is no index, and is built again whole.
    QVERIFY(runSql(path, {QStringLiteral("DROP TRIGGER FindStaleAfterUpdate")}));
    QVERIFY(!store.hasFindIndex());
    QVERIFY2(store.addFindIndex([](qint64, qint64) { return true; }), qPrintable(store.errorText()));
    QVERIFY(store.hasFindIndex());
    DowsingRecord changed = storedRecords(path).at(7);
    changed.Name = QStringLiteral("Ωmega");
    QVERIFY(updateStored(store, changed));
    compareEveryText(path);
}

void TestFindIndex::stoppedSearchGivesNoResult()
{
    TestEnvironment env;
    seed(env.databasePath(), seedRecords(600));
    const FindResult result = RecordFinder(env.databasePath()).run({}, [] { return true; });
    QVERIFY(result.stopped);
    QVERIFY(result.keys.isEmpty());
}

// Many batches of blocks, each shared out among threads: the result is the
// one a single thread gives, in the same order, and a stop ends it.
void TestFindIndex::aSearchSharedAmongThreadsKeepsItsOrder()
{
    TestEnvironment env;
    const QString path = env.databasePath();
    QVERIFY(runSql(path, {QStringLiteral(
            "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 60000) "
            "INSERT INTO Details (Date, Name, Notes) SELECT date('2000-01-01', '+' || "
            "(x * 7919 % 9000) || ' days'), 'N' || (x * 104729 % 60000), 'note ' || x FROM n")}));
    {
        RecordStore store;
        QCOMPARE(store.open(path), RecordStore::OpenResult::Opened);
        QVERIFY(store.addFindIndex([](qint64, qint64) { return true; }));
    }
    RecordFinder alone(path, 1);
    RecordFinder shared(path, 3);
    const auto never = [] { return false; };
    for (const FindRequest &request : {FindRequest{QStringLiteral("7"), std::nullopt, false},
                                       FindRequest{QString(), DowsingRecord::FieldId::Name, false},
                                       FindRequest{QStringLiteral("note 1"), DowsingRecord::FieldId::Date, true}}) {
        const FindResult one = alone.run(request, never);
        const FindResult many = shared.run(request, never);
        QVERIFY(!one.keys.isEmpty());
        QCOMPARE(many.keys.toVector(), one.keys.toVector());
        QCOMPARE(many.table, one.table);
        QCOMPARE(many.table.count, 60000);
    }
    int asked = 0;
    const FindResult stopped =
            shared.run({QStringLiteral("n"), std::nullopt, false}, [&] { return ++asked > 2; });
    QVERIFY(stopped.stopped);
    QVERIFY(stopped.keys.isEmpty());
}

void TestFindIndex::textSearchAgreesWithAPlainSearchAtEveryPlace()
{
    // Few letters, so that most places hold part of the needle; every
    // length up to past two of the sixteen-byte steps, and every needle
    // that ends a text (the search's last whole step and its tail).
    QRandomGenerator random(7);
    for (int size = 0; size <= 70; ++size) {
        for (int round = 0; round < 20; ++round) {
            QByteArray text(size, 'a');
            for (char &c : text)
                c = "aab"[random.bounded(3)];
            const int length = 1 + random.bounded(20);
            const int from = size ? random.bounded(size) : 0;
            QByteArrayList needles = {text.mid(from, length), text.right(length),
                                      text.right(length) + 'c', QByteArray(length, 'b')};
            for (const QByteArray &needle : needles) {
                if (needle.isEmpty())
                    continue;
                const auto hit = std::search(text.cbegin(), text.cend(), needle.cbegin(),
                                             needle.cend());
                const qsizetype expected = hit == text.cend() ? -1 : hit - text.cbegin();
                QVERIFY2(TextSearch::indexOf(text, needle) == expected,
                         qPrintable(QStringLiteral("%1 in %2").arg(needle, text)));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestFindIndex)
#include "tst_findindex.moc"
