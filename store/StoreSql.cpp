#include "StoreSql.h"

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

QString recordAssignments()
{
    static const QString assignments = [] {
        QStringList parts;
        for (int i = 0; i < DowsingRecord::kStoredFields; ++i)
            parts.append(QLatin1String(DowsingRecord::fields()[i].column) + QStringLiteral("=?"));
        return parts.join(QStringLiteral(", "));
    }();
    return assignments;
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
    const auto text = [](const QString &value) {
        return value.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(value);
    };
    query.bindValue(first, r.Date.toString(Qt::ISODate));
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
        return QStringLiteral("The file is damaged: %1").arg(reason);
    return reason;
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace Orvane
