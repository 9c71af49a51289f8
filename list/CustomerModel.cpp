#include "CustomerModel.h"

#include "store/RecordStore.h"
#include "store/ShownText.h"

#include <QLocale>

namespace Orvane {

namespace {

// The caption the list heads a field with.
QString captionOf(QString DowsingRecord::*member)
{
    for (const DowsingRecord::TextField &field : DowsingRecord::textFields()) {
        if (field.member == member)
            return DowsingRecord::shownCaption(field);
    }
    return {};
}

QString listedDate(const QDate &date)
{
    DowsingRecord record;
    record.Date = date;
    return record.listedDateText();
}

} // namespace

CustomerModel::CustomerModel(RecordStore &store, QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows(store)
{
}

QStringList CustomerModel::captions()
{
    return {captionOf(&DowsingRecord::Name), captionOf(&DowsingRecord::Phone_No),
            captionOf(&DowsingRecord::City), tr("Records"), tr("First Date"), tr("Last Date")};
}

void CustomerModel::show(std::shared_ptr<const CustomerTable> table,
                         std::optional<QVector<quint32>> found)
{
    beginResetModel();
    m_table = std::move(table);
    m_found = std::move(found);
    // A sort or find may follow another program's change (and count the
    // customers again): names are read afresh.
    m_rows.clear();
    if (m_found)
        m_found->squeeze();
    endResetModel();
}

qsizetype CustomerModel::placeOf(int row) const
{
    if (!m_table || row < 0 || row >= rowCount())
        return -1;
    return m_found ? qsizetype(m_found->at(row)) : row;
}

int CustomerModel::rowOf(qint64 key) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (m_table->keyAt(placeOf(row)) == key)
            return row;
    }
    return -1;
}

qint64 CustomerModel::keyAt(int row) const
{
    const qsizetype place = placeOf(row);
    return place < 0 ? -1 : m_table->keyAt(place);
}

std::optional<DowsingRecord> CustomerModel::record(int row) const
{
    // By the row, not the key, which may be below zero in a file another
    // program wrote.
    const qsizetype place = placeOf(row);
    if (place < 0)
        return std::nullopt;
    return m_rows.record(m_table->keyAt(place));
}

qsizetype CustomerModel::bytes() const
{
    return (m_table ? m_table->bytes() : 0) + (m_found ? m_found->capacity() * 4 : 0);
}

int CustomerModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_table)
        return 0;
    return int(m_found ? m_found->size() : m_table->size());
}

int CustomerModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CustomerModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int column = index.column();
    const bool number = column == CustomerTally::Records;
    if (role == Qt::TextAlignmentRole)
        return int((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const qsizetype place = placeOf(index.row());
    if (place < 0)
        return {};
    switch (column) {
    case CustomerTally::Records:
        return QLocale().toString(qulonglong(m_table->recordsAt(place)));
    case CustomerTally::FirstDate:
        return listedDate(m_table->firstDateAt(place));
    case CustomerTally::LastDate:
        return listedDate(m_table->lastDateAt(place));
    default:
        break;
    }
    const auto r = record(index.row());
    if (!r)
        return {};
    switch (column) {
    case CustomerTally::Name:
        return ShownText::cell(r->Name);
    case CustomerTally::Phone:
        return ShownText::cell(r->Phone_No);
    case CustomerTally::City:
        return ShownText::cell(r->City);
    default:
        return {};
    }
}

QVariant CustomerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return captions().value(section);
}

Qt::ItemFlags CustomerModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace Orvane
