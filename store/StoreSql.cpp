#include "StoreSql.h"

#include "StoreTexts.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <iterator>

namespace Orvane {

QString recordColumns()
{
    static const QString columns = [] {
        QStringList names;
        for (int i = 0; i < DowsingRecord::kStoredFields; ++i)
            names.append(QLatin1String(DowsingRecord::fields()[i].column));
        return names.join(QStringLiteral(", "));
    }();
    return columns;
}

namespace {

// A place for one stored field. The driver hands text to the engine as
// UTF-16, and the engine drops a leading U+FEFF from UTF-16 as a byte-order
// mark: a field that begins with one would lose it. Bytes cast to text are
// taken as they are (see bindRecord()).
const QLatin1String kFieldPlace("CAST(? AS TEXT)");

} // namespace

QString recordAssignments()
{
    static const QString assignments = [] {
        QStringList parts;
        for (int i = 0; i < DowsingRecord::kStoredFields; ++i)
            parts.append(QLatin1String(DowsingRecord::fields()[i].column) + QLatin1Char('=')
                         + kFieldPlace);
        return parts.join(QStringLiteral(", "));
    }();
    return assignments;
}

QString recordPlaces()
{
    static const QString places = [] {
        QStringList parts;
        for (int i = 0; i < DowsingRecord::kStoredFields; ++i)
            parts.append(kFieldPlace);
        return parts.join(QStringLiteral(", "));
    }();
    return places;
}

DowsingRecord recordFrom(const QSqlQuery &q)
{
    DowsingRecord r;
    r.Date = QDate::fromString(q.value(0).toString().left(10), Qt::ISODate);
    int column = 1;
    for (const DowsingRecord::Field &field : DowsingRecord::textFields())
        r.*field.member = q.value(column++).toString();
    r.IdNumber = q.value(DowsingRecord::kStoredFields).toLongLong();
    return r;
}

void bindRecord(QSqlQuery &query, const DowsingRecord &r, int first)
{
    // UTF-8 bytes for the places of recordPlaces(); never NULL.
    const auto text = [](const QString &value) {
        QByteArray bytes = value.toUtf8();
        if (bytes.isNull())
            bytes = QByteArray("");
        return QVariant(bytes);
    };
    query.bindValue(first, text(r.Date.toString(Qt::ISODate)));
    int place = first + 1;
    for (const DowsingRecord::TextField &field : DowsingRecord::textFields())
        query.bindValue(place++, text(r.*field.member));
}

QString reasonOf(const QSqlError &error)
{
    const QString text = error.databaseText().trimmed();
    const QString reason = text.isEmpty() ? error.text().trimmed() : text;
    // The engine's word for a damaged page, whichever read met it first.
    if (error.nativeErrorCode() == QLatin1String("11"))
        return StoreTexts::damaged(reason);
    return reason;
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace Orvane
