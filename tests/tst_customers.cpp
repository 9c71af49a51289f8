// Customers and statistics against references the test computes from the
// records as stored (read with SQL of its own), never from the program's
// own counts: customers told apart by name and phone number whatever their
// case, records without either, odd dates and empty fields, over many
// index blocks, for every record, a find and one customer.

#include "support/FakePlatform.h"
#include "support/TestDatabase.h"

#include "store/CustomerTally.h"
#include "store/RecordFinder.h"
#include "store/RecordStatistics.h"
#include "store/RecordStore.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QtTest>

#include <map>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

struct Stored
{
    qint64 key;
    QString date; // as the file holds it
    QString name, phone, city, tool, item;
};

QList<Stored> storedRows(const QString &path)
{
    RawDatabase raw(path);
    QSqlQuery q(raw.db());
    q.exec(QStringLiteral("SELECT IdNumber, Date, Name, Phone_No, City, Dowsing_Tool, "
                          "Item_Dowsing_For FROM Details ORDER BY IdNumber"));
    QList<Stored> rows;
    while (q.next())
        rows.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(),
                     q.value(3).toString(), q.value(4).toString(), q.value(5).toString(),
                     q.value(6).toString()});
    return rows;
}

// The calendar date a stored date text names: yyyy-MM-dd, in years 1 to
// 9999; none for anything else ("0000-01-01" names no day).
QDate dateOf(const QString &text)
{
    const QStringList parts = text.left(10).split(QLatin1Char('-'));
    if (parts.size() != 3)
        return {};
    return QDate(parts[0].toInt(), parts[1].toInt(), parts[2].toInt());
}

QByteArray folded(const QString &text)
{
    return text.toCaseFolded().toUtf8();
}

// Who a record's customer is: its folded name and phone number, or its key
// when it has neither.
QString customerOf(const Stored &r)
{
    if (r.name.isEmpty() && r.phone.isEmpty())
        return QStringLiteral("#%1").arg(r.key);
    return QString::fromUtf8(folded(r.name) + '\0' + folded(r.phone));
}

struct RefCustomer
{
    qint64 latestKey = 0;
    qint64 records = 0;
    QDate first, last;
};

std::map<QString, RefCustomer> referenceCustomers(const QList<Stored> &rows)
{
    std::map<QString, RefCustomer> customers;
    for (const Stored &r : rows) {
        RefCustomer &c = customers[customerOf(r)];
        c.latestKey = std::max(c.latestKey, r.key);
        ++c.records;
        const QDate d = dateOf(r.date);
        if (d.isValid()) {
            c.first = c.first.isValid() ? std::min(c.first, d) : d;
            c.last = c.last.isValid() ? std::max(c.last, d) : d;
        }
    }
    return customers;
}

// Records in one transaction of the test's own, through SQL, as another
// program or an import may store them.
void insertRows(const QString &path, const QList<QStringList> &rows)
{
    RawDatabase raw(path);
    QSqlDatabase db = raw.db();
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral(
            "INSERT INTO Details (Date, Name, Phone_No, City, Dowsing_Tool, Item_Dowsing_For, "
            "Address, State, Pin, Email, Time_Dowsing_Occured, Location_Dowsing_Occured, Notes) "
            "VALUES (?,?,?,?,?,?,'','','','','','','')"));
    for (const QStringList &row : rows) {
        // An empty field is stored empty, never NULL.
        for (const QString &value : row)
            insert.addBindValue(value.isNull() ? QString(QLatin1String("")) : value);
        if (!insert.exec())
            qFatal("insert: %s", qPrintable(insert.lastQuery()));
    }
    db.commit();
    // One write of the store's own rewrites the index blocks the raw
    // writes noted stale.
    RecordStore store;
    DowsingRecord extra = customerRecord(QStringLiteral("TEMPORARY"));
    if (store.open(path) != RecordStore::OpenResult::Opened || !store.add(extra)
        || !removeStored(store, *extra.IdNumber))
        qFatal("store: %s", qPrintable(store.errorText()));
}

// Sets of records, each a kind of trouble. Fields: date, name, phone,
// city, tool, item.
QList<QStringList> recordSet(const QString &kind)
{
    if (kind == QLatin1String("case and spacing"))
        return {{"2009-03-05", "JOHN SMITH", "0123.456", "BATH", "Rods", "water"},
                {"2011-06-07", "John Smith", "0123.456", "bath", "rods", "Water"},
                {"2012-08-09", "JOHN  SMITH", "0123.456", "BATH", "Rods", "Oil"},
                {"2013-01-01", "JOHN SMITH", "0123.456 ", "YORK", "Branch", "water"},
                {"2014-04-04", "ÆGIR ØDEGÅRD", "1", "ÅS", "Pendulam", "Treasure"},
                {"2015-05-05", "ægir ødegård", "1", "ås", "PENDULAM", "treasure"}};
    if (kind == QLatin1String("empty fields"))
        return {{"2009-01-01", "", "", "", "", ""},
                {"2009-01-02", "", "", "", "", ""},
                {"2009-01-03", "ANNA", "", "", "Rods", ""},
                {"2009-01-04", "anna", "", "LEEDS", "", "Oil"},
                {"2009-01-05", "", "555", "", "", ""},
                {"2009-01-06", "", "555", "LEEDS", "Rods", ""}};
    if (kind == QLatin1String("odd dates"))
        return {{"0000-01-01", "NO DAY", "1", "A", "Rods", "water"},
                {"0001-01-01", "EARLIEST", "2", "B", "Rods", "water"},
                {"0099-12-31", "TWO DIGIT YEAR", "3", "C", "Rods", "water"},
                {"2000-02-29", "LEAP DAY", "4", "D", "Rods", "water"},
                {"9999-12-31", "LATEST", "5", "E", "Rods", "water"},
                {"1900-01-01", "EARLIEST", "2", "B", "Rods", "water"},
                // Leap years by the century rules, and the calendar's reform.
                {"1600-02-29", "CENTURIES", "6", "F", "Rods", "water"},
                {"1700-03-01", "CENTURIES", "6", "F", "Rods", "water"},
                {"1582-10-10", "REFORM", "7", "G", "Rods", "water"},
                {"2100-02-28", "REFORM", "7", "G", "Rods", "water"}};
    // Many blocks: customers coming back in any case, a third without a
    // phone number, some without either.
    QRandomGenerator random(22);
    const QStringList cities = {"BATH", "Bath", "WELLS", "YORK", "LEEDS", "ÅS", "Όλυμπος",
                                "PERTH", "", "DOVER", "ELY", "RYE", "HULL"};
    QList<QStringList> rows;
    for (int i = 0; i < 1800; ++i) {
        const int who = int(random.bounded(400));
        QString name = who % 37 == 0 ? QString() : QStringLiteral("Customer %1").arg(who);
        if (random.bounded(2))
            name = name.toUpper();
        const QString phone = who % 3 == 0 ? QString() : QStringLiteral("01%1").arg(who % 250);
        const QDate date = QDate(1998, 1, 1).addDays(random.bounded(9000));
        rows.append({date.toString(Qt::ISODate), name, phone, cities.at(random.bounded(cities.size())),
                     QStringLiteral("Tool %1").arg(random.bounded(25)),
                     random.bounded(5) ? QStringLiteral("water") : QStringLiteral("WATER")});
    }
    return rows;
}

// The keys of the customers' latest records in the order the customers
// window shows them, sorted by column and found by text, worked out from
// the records as stored.
QVector<qint64> expectedCustomers(const QString &path, int column, bool descending,
                                  const QString &text)
{
    const QList<Stored> rows = storedRows(path);
    const auto customers = referenceCustomers(rows);
    std::map<qint64, Stored> byKey;
    for (const Stored &r : rows)
        byKey[r.key] = r;
    struct Row
    {
        qint64 key;
        RefCustomer c;
    };
    QVector<Row> expected;
    for (const auto &[id, c] : customers)
        expected.append({c.latestKey, c});
    std::sort(expected.begin(), expected.end(),
              [](const Row &a, const Row &b) { return a.key < b.key; });
    const auto textOf = [&](const Row &r) -> QByteArray {
        const Stored &s = byKey[r.key];
        return folded(column == CustomerTally::Name ? s.name
                              : column == CustomerTally::Phone ? s.phone : s.city);
    };
    const auto numberOf = [&](const Row &r) -> qint64 {
        return column == CustomerTally::Records ? r.c.records
                : column == CustomerTally::FirstDate
                ? (r.c.first.isValid() ? r.c.first.toJulianDay() : LLONG_MIN)
                : (r.c.last.isValid() ? r.c.last.toJulianDay() : LLONG_MIN);
    };
    if (column >= 0)
        std::stable_sort(expected.begin(), expected.end(), [&](const Row &a, const Row &b) {
            if (column <= CustomerTally::City)
                return descending ? textOf(b) < textOf(a) : textOf(a) < textOf(b);
            return descending ? numberOf(b) < numberOf(a) : numberOf(a) < numberOf(b);
        });
    if (!text.isEmpty()) {
        const QByteArray wanted = folded(text);
        expected.erase(std::remove_if(expected.begin(), expected.end(), [&](const Row &r) {
            const Stored &s = byKey[r.key];
            return !folded(s.name).contains(wanted) && !folded(s.phone).contains(wanted)
                    && !folded(s.city).contains(wanted);
        }), expected.end());
    }

    QVector<qint64> keys;
    for (const Row &r : expected)
        keys.append(r.key);
    return keys;
}

// The keys of the latest records of the customers a view shows, in order.
QVector<qint64> shownKeys(const CustomerView &view)
{
    QVector<qint64> shown;
    const qsizetype count = view.found ? view.found->size() : view.table->size();
    for (qsizetype i = 0; i < count; ++i)
        shown.append(view.table->keyAt(view.found ? view.found->at(i) : i));
    return shown;
}

const QStringList kSets = {"case and spacing", "empty fields", "odd dates", "many blocks"};

const auto kNever = [] { return false; };

} // namespace

class TestCustomers : public QObject
{
    Q_OBJECT

private slots:
    void customersAreToldApartAndCounted_data();
    void customersAreToldApartAndCounted();
    void customersSortAndFind_data();
    void customersSortAndFind();
    void customersCountedAgainAfterAnotherProgramsWrite_data();
    void customersCountedAgainAfterAnotherProgramsWrite();
    void aCustomersRecordsAreExactlyTheirs_data();
    void aCustomersRecordsAreExactlyTheirs();
    void statisticsOfWhatTheListShows_data();
    void statisticsOfWhatTheListShows();
};

void TestCustomers::customersAreToldApartAndCounted_data()
{
    QTest::addColumn<QString>("set");
    for (const QString &set : kSets)
        QTest::newRow(qPrintable(set)) << set;
}

void TestCustomers::customersAreToldApartAndCounted()
{
    QFETCH(QString, set);
    TestEnvironment env;
    insertRows(env.databasePath(), recordSet(set));
    const auto expected = referenceCustomers(storedRows(env.databasePath()));

    RecordFinder finder(env.databasePath());
    const CustomerView view = CustomerTally::build(finder, kNever);
    QVERIFY2(view.error.isEmpty(), qPrintable(view.error));
    QCOMPARE(qsizetype(view.table->size()), qsizetype(expected.size()));
    // In the order in which their latest records were added.
    QVector<qint64> latest;
    for (const auto &[id, c] : expected)
        latest.append(c.latestKey);
    std::sort(latest.begin(), latest.end());
    for (qsizetype i = 0; i < view.table->size(); ++i) {
        QCOMPARE(view.table->keyAt(i), latest.at(i));
        const auto c = std::find_if(expected.begin(), expected.end(), [&](const auto &e) {
            return e.second.latestKey == latest.at(i);
        });
        QCOMPARE(qint64(view.table->recordsAt(i)), c->second.records);
        QCOMPARE(view.table->firstDateAt(i), c->second.first);
        QCOMPARE(view.table->lastDateAt(i), c->second.last);
    }
}

void TestCustomers::customersSortAndFind_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QString>("text");
    for (int column = -1; column < CustomerTally::ColumnCount; ++column) {
        for (bool descending : {false, true})
            QTest::addRow("column %d%s", column, descending ? " descending" : "")
                    << column << descending << QString();
    }
    QTest::newRow("found by name") << int(CustomerTally::Name) << false << QStringLiteral("customer 1");
    QTest::newRow("found by phone") << -1 << false << QStringLiteral("0112");
    QTest::newRow("found by city, any case") << int(CustomerTally::Records) << true << QStringLiteral("ΌΛΥΜ");
}

// Sorting by a text compares folded texts; ties (and equal numbers) keep
// the order in which the customers' latest records were added.
void TestCustomers::customersSortAndFind()
{
    QFETCH(int, column);
    QFETCH(bool, descending);
    QFETCH(QString, text);
    TestEnvironment env;
    insertRows(env.databasePath(), recordSet(QStringLiteral("many blocks")));
    const QVector<qint64> keys = expectedCustomers(env.databasePath(), column, descending, text);
    QVERIFY(!keys.isEmpty());

    RecordFinder finder(env.databasePath());
    const CustomerView all = CustomerTally::build(finder, kNever);
    CustomerRequest request;
    request.sortColumn = column;
    request.descending = descending;
    request.text = text;
    const CustomerView view = CustomerTally::arrange(finder, all, request, kNever);
    QVERIFY2(view.error.isEmpty(), qPrintable(view.error));
    QCOMPARE(shownKeys(view), keys);
}

void TestCustomers::customersCountedAgainAfterAnotherProgramsWrite_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    // A phone number picks records: "015" is customer 5's alone, "018"
    // customer 8's, "0110" customer 110's.
    const QString latestOf = QStringLiteral(
            "(SELECT max(IdNumber) FROM Details WHERE Phone_No = '%1')");
    QTest::newRow("latest record deleted, sorted by name")
            << QStringLiteral("DELETE FROM Details WHERE IdNumber = %1").arg(latestOf.arg("015"))
            << int(CustomerTally::Name) << QString();
    QTest::newRow("latest record renamed, found by its new name")
            << QStringLiteral("UPDATE Details SET Name = 'ZED NEWNAME' WHERE IdNumber = %1")
                       .arg(latestOf.arg("017"))
            << -1 << QStringLiteral("newname");
    QTest::newRow("record added, sorted by the number of records")
            << QStringLiteral("INSERT INTO Details (Date, Name, Phone_No, City) "
                              "VALUES ('2030-01-01', 'CUSTOMER 8', '018', 'WELLS')")
            << int(CustomerTally::Records) << QString();
    QTest::newRow("every record of a customer deleted, sorted by last date")
            << QStringLiteral("DELETE FROM Details WHERE Phone_No = '0110'")
            << int(CustomerTally::LastDate) << QString();
}

// The customers window counts once, then sorts and finds that count: after
// another program's write, a sort or find counts the customers again
// instead of dropping a customer whose latest record went, or finding one
// by text its rows no longer show.
void TestCustomers::customersCountedAgainAfterAnotherProgramsWrite()
{
    QFETCH(QString, change);
    QFETCH(int, column);
    QFETCH(QString, text);
    TestEnvironment env;
    insertRows(env.databasePath(), recordSet(QStringLiteral("many blocks")));

    RecordFinder finder(env.databasePath());
    const CustomerView before = CustomerTally::build(finder, kNever);
    QVERIFY2(before.error.isEmpty(), qPrintable(before.error));
    QVERIFY(runSql(env.databasePath(), {change}));
    const QVector<qint64> keys = expectedCustomers(env.databasePath(), column, false, text);
    QVERIFY(!keys.isEmpty());

    CustomerRequest request;
    request.sortColumn = column;
    request.text = text;
    const CustomerView view = CustomerTally::arrange(finder, before, request, kNever);
    QVERIFY2(view.error.isEmpty(), qPrintable(view.error));
    QCOMPARE(shownKeys(view), keys);
    // Every customer as the file stands now, with today's counts.
    const auto customers = referenceCustomers(storedRows(env.databasePath()));
    QCOMPARE(qsizetype(view.table->size()), qsizetype(customers.size()));
    for (const auto &[id, c] : customers) {
        qsizetype at = 0;
        while (at < view.table->size() && view.table->keyAt(at) != c.latestKey)
            ++at;
        QVERIFY2(at < view.table->size(), qPrintable(id));
        QCOMPARE(qint64(view.table->recordsAt(at)), c.records);
        QCOMPARE(view.table->lastDateAt(at), c.last);
    }
}

void TestCustomers::aCustomersRecordsAreExactlyTheirs_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("find");
    for (const QString &set : kSets)
        QTest::newRow(qPrintable(set)) << set << QString();
    QTest::newRow("found among them") << QStringLiteral("many blocks") << QStringLiteral("tool 1");
}

void TestCustomers::aCustomersRecordsAreExactlyTheirs()
{
    QFETCH(QString, set);
    QFETCH(QString, find);
    TestEnvironment env;
    insertRows(env.databasePath(), recordSet(set));
    const QList<Stored> rows = storedRows(env.databasePath());
    RecordFinder finder(env.databasePath());
    // Every customer, as the customers window offers them: a record stands
    // for its customer.
    for (const Stored &chosen : rows) {
        QVector<qint64> expected;
        for (const Stored &r : rows) {
            if (customerOf(r) == customerOf(chosen)
                && (find.isEmpty() || r.tool.contains(find, Qt::CaseInsensitive)))
                expected.append(r.key);
        }
        const FindResult result = finder.run(
                FindRequest(find, std::nullopt, false,
                            CustomerId{chosen.name, chosen.phone, chosen.key}),
                kNever);
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
        QCOMPARE(result.keys.toVector(), expected);
        if (set == QLatin1String("many blocks") && chosen.key > rows.first().key + 60)
            break; // a sample is enough over many blocks
    }
}

void TestCustomers::statisticsOfWhatTheListShows_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("find");
    QTest::addColumn<bool>("oneCustomer");
    for (const QString &set : kSets)
        QTest::newRow(qPrintable(set)) << set << QString() << false;
    QTest::newRow("a find") << QStringLiteral("many blocks") << QStringLiteral("bath") << false;
    QTest::newRow("one customer") << QStringLiteral("case and spacing") << QString() << true;
    QTest::newRow("a find matching nothing") << QStringLiteral("odd dates") << QStringLiteral("zzz") << false;
}

void TestCustomers::statisticsOfWhatTheListShows()
{
    QFETCH(QString, set);
    QFETCH(QString, find);
    QFETCH(bool, oneCustomer);
    TestEnvironment env;
    insertRows(env.databasePath(), recordSet(set));
    QList<Stored> rows = storedRows(env.databasePath());
    FindRequest request(find, DowsingRecord::FieldId::Name, true);
    if (oneCustomer) {
        const Stored &first = rows.first();
        request.customer = CustomerId{first.name, first.phone, first.key};
        const QString who = customerOf(first);
        rows.erase(std::remove_if(rows.begin(), rows.end(),
                                  [&](const Stored &r) { return customerOf(r) != who; }),
                   rows.end());
    }
    if (!find.isEmpty()) {
        // Every field this set fills is among the six read here.
        rows.erase(std::remove_if(rows.begin(), rows.end(), [&](const Stored &r) {
            const QDate d = dateOf(r.date);
            const QString listed = d.isValid() ? QStringLiteral("%1/%2/%3").arg(d.month()).arg(d.day()).arg(d.year()) : QString();
            for (const QString &f : {listed, r.name, r.phone, r.city, r.tool, r.item}) {
                if (folded(f).contains(folded(find)))
                    return false;
            }
            return true;
        }), rows.end());
    }

    qint64 undated = 0;
    QDate first, last;
    std::map<int, qint64> months; // year * 12 + month - 1
    std::map<QByteArray, qint64> tools, items, cities;
    for (const Stored &r : rows) {
        const QDate d = dateOf(r.date);
        if (d.isValid()) {
            first = first.isValid() ? std::min(first, d) : d;
            last = last.isValid() ? std::max(last, d) : d;
            ++months[d.year() * 12 + d.month() - 1];
        } else {
            ++undated;
        }
        ++tools[folded(r.tool)];
        ++items[folded(r.item)];
        ++cities[folded(r.city)];
    }
    const auto ranked = [](const std::map<QByteArray, qint64> &counts, qsizetype limit) {
        QVector<QPair<QByteArray, qint64>> out;
        for (const auto &[value, n] : counts)
            out.append({value, n});
        std::stable_sort(out.begin(), out.end(),
                         [](const auto &a, const auto &b) { return a.second > b.second; });
        if (out.size() > limit)
            out.resize(limit);
        return out;
    };
    const auto sharesOf = [](const QVector<RecordStatistics::Share> &shares) {
        QVector<QPair<QByteArray, qint64>> out;
        for (const RecordStatistics::Share &s : shares)
            out.append({s.folded, s.records});
        return out;
    };

    RecordFinder finder(env.databasePath());
    const RecordStatistics stats = RecordStatistics::tally(finder, request, kNever);
    QVERIFY2(stats.error.isEmpty(), qPrintable(stats.error));
    QCOMPARE(stats.records, qint64(rows.size()));
    QCOMPARE(stats.customers, qint64(referenceCustomers(rows).size()));
    QCOMPARE(stats.undated, undated);
    QCOMPARE(stats.firstDate, first);
    QCOMPARE(stats.lastDate, last);
    QVector<qint64> perMonth;
    if (first.isValid()) {
        for (int m = first.year() * 12 + first.month() - 1; m <= last.year() * 12 + last.month() - 1; ++m)
            perMonth.append(months.count(m) ? months[m] : 0);
    }
    QCOMPARE(stats.perMonth, perMonth);
    QCOMPARE(sharesOf(stats.tools), ranked(tools, 1 << 20));
    QCOMPARE(sharesOf(stats.items), ranked(items, 1 << 20));
    QCOMPARE(sharesOf(stats.cities), ranked(cities, RecordStatistics::kTopCities));
}

QTEST_GUILESS_MAIN(TestCustomers)
#include "tst_customers.moc"
