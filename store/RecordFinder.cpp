#include "RecordFinder.h"

#include "DowsingRecord.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace Orvane {

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("finder-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

// A plain reading of every record. Correct but slow; to be replaced.
struct RecordFinder::Engine
{
    QString connection = nextConnectionName();
    ~Engine() { QSqlDatabase::removeDatabase(connection); }
};

RecordFinder::RecordFinder(const QString &databasePath)
    : m_path(databasePath)
{
}

RecordFinder::~RecordFinder() = default;

FindResult RecordFinder::run(const FindRequest &request, const std::function<bool()> &shouldStop)
{
    FindResult result;
    if (!m_engine) {
        m_engine = std::make_unique<Engine>();
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_engine->connection);
        db.setDatabaseName(m_path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            result.error = db.lastError().text();
            return result;
        }
    }
    QSqlQuery query(QSqlDatabase::database(m_engine->connection, false));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral(
                "SELECT Date, Name, Address, City, State, Pin, Phone_No, Email, "
                "Time_Dowsing_Occured, Dowsing_Tool, Item_Dowsing_For, "
                "Location_Dowsing_Occured, Notes, IdNumber FROM Details ORDER BY IdNumber"))) {
        result.error = query.lastError().text();
        return result;
    }
    struct Row
    {
        QString sortText;
        qint64 key;
    };
    QVector<Row> rows;
    int n = 0;
    while (query.next()) {
        if ((++n & 1023) == 0 && shouldStop()) {
            result.stopped = true;
            return result;
        }
        DowsingRecord r;
        r.Date = QDate::fromString(query.value(0).toString(), Qt::ISODate);
        QStringList fields;
        fields << r.listedDateText();
        for (int c = 1; c <= 12; ++c)
            fields << query.value(c).toString();
        const qint64 key = query.value(13).toLongLong();
        bool found = request.text.isEmpty();
        for (const QString &f : std::as_const(fields))
            found = found || f.contains(request.text, Qt::CaseInsensitive);
        if (!found)
            continue;
        QString sortText;
        if (request.sortColumn == 0)
            sortText = query.value(0).toString();
        else if (request.sortColumn > 0 && request.sortColumn < 13)
            sortText = fields.at(request.sortColumn).toCaseFolded();
        rows.append({sortText, key});
    }
    if (request.sortColumn >= 0 && request.sortColumn < 13) {
        std::stable_sort(rows.begin(), rows.end(), [&](const Row &a, const Row &b) {
            return request.descending ? b.sortText < a.sortText : a.sortText < b.sortText;
        });
    } else if (request.sortColumn == 13 && request.descending) {
        std::reverse(rows.begin(), rows.end());
    }
    result.keys.reserve(rows.size());
    for (const Row &row : std::as_const(rows))
        result.keys.append(row.key);
    return result;
}

} // namespace Orvane
