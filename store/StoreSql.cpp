#include "StoreSql.h"

#include "StoreTexts.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QVector>

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

// A stored field's text: the date's as stored, or a text field's.
const QString &storedValue(const DowsingRecord &r, int field)
{
    if (field == 0)
        return r.Date.storedText();
    return r.*DowsingRecord::fields()[size_t(field)].member;
}

// UTF-8 bytes for a place of kFieldPlace; never NULL.
QVariant placeValue(const QString &value)
{
    QByteArray bytes = value.toUtf8();
    if (bytes.isNull())
        bytes = QByteArray("");
    return QVariant(bytes);
}

} // namespace

QVector<int> changedFields(const DowsingRecord &from, const DowsingRecord &to)
{
    QVector<int> changed;
    for (int i = 0; i < DowsingRecord::kStoredFields; ++i) {
        if (storedValue(from, i) != storedValue(to, i))
            changed.append(i);
    }
    return changed;
}

QString assignmentsOf(const QVector<int> &fields)
{
    QStringList parts;
    for (int i : fields)
        parts.append(QLatin1String(DowsingRecord::fields()[size_t(i)].column) + QLatin1Char('=')
                     + kFieldPlace);
    return parts.join(QStringLiteral(", "));
}

void bindFields(QSqlQuery &query, const DowsingRecord &r, const QVector<int> &fields)
{
    int place = 0;
    for (int i : fields)
        query.bindValue(place++, placeValue(storedValue(r, i)));
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
    r.Date = RecordDate::fromStored(q.value(0).toString());
    int column = 1;
    for (const DowsingRecord::Field &field : DowsingRecord::textFields())
        r.*field.member = q.value(column++).toString();
    r.IdNumber = q.value(DowsingRecord::kStoredFields).toLongLong();
    return r;
}

void bindRecord(QSqlQuery &query, const DowsingRecord &r, int first)
{
    for (int i = 0; i < DowsingRecord::kStoredFields; ++i)
        query.bindValue(first + i, placeValue(storedValue(r, i)));
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
