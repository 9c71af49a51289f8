#include "EntryDraft.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace Orvane {

namespace {

// The text fields by their columns' names, which never change.
QJsonObject fieldsOf(const DowsingRecord &record)
{
    QJsonObject fields;
    for (const DowsingRecord::Field &field : DowsingRecord::textFields())
        fields.insert(QLatin1String(field.column), record.*field.member);
    return fields;
}

DowsingRecord recordOf(const QJsonObject &fields)
{
    DowsingRecord record;
    for (const DowsingRecord::Field &field : DowsingRecord::textFields())
        record.*field.member = fields.value(QLatin1String(field.column)).toString();
    return record;
}

} // namespace

QString EntryDraft::toText() const
{
    QJsonObject draft{{QStringLiteral("fields"), fieldsOf(typed)},
                      {QStringLiteral("date"), date},
                      {QStringLiteral("time"), time}};
    if (edit) {
        QJsonObject original = fieldsOf(edit->original);
        original.insert(QStringLiteral("Date"), edit->original.Date.storedText());
        original.insert(QStringLiteral("IdNumber"),
                        QString::number(edit->original.IdNumber.value_or(0)));
        draft.insert(QStringLiteral("edit"),
                     QJsonObject{{QStringLiteral("record"), original},
                                 {QStringLiteral("date"), edit->date},
                                 {QStringLiteral("time"), edit->time}});
    }
    return QString::fromUtf8(QJsonDocument(draft).toJson(QJsonDocument::Compact));
}

std::optional<EntryDraft> EntryDraft::fromText(const QString &text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    const QJsonObject draft = document.object();
    if (!draft.value(QStringLiteral("fields")).isObject())
        return std::nullopt;
    EntryDraft result;
    result.typed = recordOf(draft.value(QStringLiteral("fields")).toObject());
    result.date = draft.value(QStringLiteral("date")).toString();
    result.time = draft.value(QStringLiteral("time")).toString();
    if (draft.value(QStringLiteral("edit")).isObject()) {
        const QJsonObject edit = draft.value(QStringLiteral("edit")).toObject();
        const QJsonObject original = edit.value(QStringLiteral("record")).toObject();
        bool keyRead = false;
        const qint64 key = original.value(QStringLiteral("IdNumber")).toString().toLongLong(&keyRead);
        if (!keyRead)
            return std::nullopt;
        Edit kept{recordOf(original), edit.value(QStringLiteral("date")).toString(),
                  edit.value(QStringLiteral("time")).toString()};
        // The date as the record stored it, whatever its text.
        kept.original.Date =
                RecordDate::fromStored(original.value(QStringLiteral("Date")).toString());
        kept.original.IdNumber = key;
        result.edit = kept;
    }
    return result;
}

} // namespace Orvane
