#include "BenchDatabase.h"

#include "support/FakePlatform.h"

#include "store/RecordStore.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace Orvane::Testing {

namespace {

// Records as varied as a real diary's, about 300 bytes each: a search or a
// sort over repeated text, or an index over it, would flatter the figures.
const QStringList kFirstNames = {
        "MARY", "JOHN", "ANNE", "PETER", "SUSAN", "DAVID", "MARGARET", "JAMES", "ELIZABETH",
        "ROBERT", "JANE", "WILLIAM", "PATRICIA", "THOMAS", "LINDA", "RICHARD", "BARBARA",
        "CHARLES", "SARAH", "GEORGE", "KAREN", "EDWARD", "HELEN", "HENRY", "RUTH", "ARTHUR",
        "JOAN", "FRANK", "DOROTHY", "WALTER", "ALICE", "ALBERT", "EDITH", "HAROLD", "FLORENCE",
        "ERNEST", "ELSIE", "FREDERICK", "IVY", "SAMUEL", "ROSE", "JOSEPH", "HAZEL", "ALFRED",
        "VIOLET", "ZOE", "OWEN", "IONA", "RHYS", "CERYS", "NIAMH", "SEAN", "AOIFE", "PIOTR",
        "AGNIESZKA"};
const QStringList kSurnames = {
        "SMITH", "JONES", "TAYLOR", "BROWN", "WILLIAMS", "WILSON", "JOHNSON", "DAVIES",
        "ROBINSON", "WRIGHT", "THOMPSON", "EVANS", "WALKER", "WHITE", "ROBERTS", "GREEN",
        "HALL", "WOOD", "JACKSON", "CLARKE", "PATEL", "HILL", "COOPER", "WARD", "MORRIS",
        "KING", "HARRIS", "BAKER", "TURNER", "PARKER", "COLLINS", "EDWARDS", "STEWART",
        "MORGAN", "MURPHY", "PRICE", "BENNETT", "GRIFFITHS", "LLOYD", "OWEN", "HUGHES",
        "FISHER", "MASON", "REID", "CAMPBELL", "BROOK", "FLETCHER", "MILLER", "KOWALSKI",
        "O'BRIEN", "MACLEOD", "PRITCHARD", "ASHWORTH", "WHITTAKER", "NOWAK"};
const QStringList kStreets = {
        "Mill Lane", "Church Street", "High Street", "Station Road", "Well Row",
        "Long Meadow Road", "Orchard Close", "Spring Gardens", "Quarry Hill", "Brook Side",
        "Hazel Grove", "The Green", "Castle Walk", "Water Lane", "Fountain Court",
        "Chapel Row", "Ash Tree Drive", "Kingsway", "Marsh Road", "Vicarage Lane"};
const QStringList kTowns = {
        "BATH", "WELLS", "FROME", "YEOVIL", "TAUNTON", "BRIDGWATER", "GLASTONBURY", "STREET",
        "SHEPTON MALLET", "CHARD", "CREWKERNE", "WIVELISCOMBE", "MINEHEAD", "WATCHET",
        "KEYNSHAM", "RADSTOCK", "MIDSOMER NORTON", "CHEDDAR", "AXBRIDGE", "BRUTON", "CASTLE CARY",
        "WINCANTON", "LANGPORT", "ILMINSTER", "WELLINGTON", "DULVERTON", "PORLOCK",
        "NAILSEA", "CLEVEDON", "PORTISHEAD"};
const QStringList kStates = {"SOMERSET", "WILTSHIRE", "DORSET", "DEVON", "GLOUCESTERSHIRE"};
const QStringList kTools = {"Rods", "Hazel Branch", "Pendulam", "Forked Hazel"};
const QStringList kItems = {"water", "Oil", "Treasure", "Missing Person", "Lost Ring"};
const QStringList kPlaces = {"NORTH FIELD", "OLD ORCHARD", "LOWER PASTURE", "MILL POND",
                             "CHURCHYARD", "BACK GARDEN", "TOP PADDOCK", "SPRING MEADOW",
                             "QUARRY EDGE", "RIVERBANK"};
const QStringList kSentences = {
        "Strong pull near the hedge, weaker by the gate.",
        "Second visit planned for the spring; bring the long rods.",
        "Water found at about three metres.",
        "The customer had tried a borehole before without luck.",
        "Rods crossed twice over the old drain.",
        "Nothing found on the east side.",
        "Pendulum swung hard over the corner stone.",
        "Ground very dry after the summer.",
        "The ring was found under the kitchen window.",
        "Neighbour reported a spring there in his father's time.",
        "Soil heavy with clay; digging will be slow.",
        "A faint line runs towards the river.",
        "Customer asked for a written report.",
        "Met the surveyor on site.",
        "Reading repeated at dusk with the same result.",
        "Old maps show a well near the barn.",
        "The dog followed the same line as the rods.",
        "Paid in cash; receipt sent by post.",
        "Weather cold and wet; readings uncertain.",
        "Follow-up call booked for next month."};

QString pick(const QStringList &list, QRandomGenerator &random)
{
    return list.at(int(random.bounded(list.size())));
}

QString phoneNumber(QRandomGenerator &random)
{
    return QStringLiteral("0%1.%2")
            .arg(1000 + random.bounded(9000))
            .arg(100000 + random.bounded(900000));
}

} // namespace

// Copies the shipped database into folder and fills it with records of a
// realistic size and variety, seeded so that runs compare, in one
// transaction, so that rows records remain after every step-th record added
// is removed (none with step 0 or 1). Half the records name a hazel tool.
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
                "INSERT INTO Details (Date, Name, Address, City, State, Pin, Phone_No, Email, "
                "Time_Dowsing_Occured, Dowsing_Tool, Item_Dowsing_For, "
                "Location_Dowsing_Occured, Notes) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        QRandomGenerator random(20261208);
        const QDate first(2000, 1, 1);
        for (qint64 x = 1; ok && x <= added; ++x) {
            const QString firstName = pick(kFirstNames, random);
            const QString surname = pick(kSurnames, random);
            const QString town = pick(kTowns, random);
            QString notes = pick(kSentences, random);
            for (int n = int(random.bounded(5)); n > 0; --n)
                notes += (random.bounded(3) ? QLatin1Char(' ') : QLatin1Char('\n'))
                        + pick(kSentences, random);
            const QVariant values[] = {
                    first.addDays(random.bounded(9000)).toString(Qt::ISODate),
                    firstName + QLatin1Char(' ') + surname,
                    QStringLiteral("%1 %2\n%3").arg(1 + random.bounded(180))
                            .arg(pick(kStreets, random), town.left(1) + town.mid(1).toLower()),
                    town,
                    pick(kStates, random),
                    QStringLiteral("BA%1 %2XY").arg(1 + random.bounded(20)).arg(random.bounded(10)),
                    phoneNumber(random),
                    QStringLiteral("%1.%2%3@example.org")
                            .arg(firstName.toLower(), surname.toLower())
                            .arg(random.bounded(100)),
                    QStringLiteral("%1:%2")
                            .arg(random.bounded(24), 2, 10, QLatin1Char('0'))
                            .arg(random.bounded(60), 2, 10, QLatin1Char('0')),
                    // Half the records name a hazel tool.
                    kTools.at(int(x % 2 ? 1 + 2 * (x / 2 % 2) : 2 * (x / 2 % 2))),
                    pick(kItems, random),
                    pick(kPlaces, random) + QLatin1Char(' ') + QString::number(random.bounded(40)),
                    notes,
            };
            for (int i = 0; i < int(std::size(values)); ++i)
                q.bindValue(i, values[i]);
            ok = q.exec();
        }
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
