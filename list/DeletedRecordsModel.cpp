#include "DeletedRecordsModel.h"

#include "RecordListModel.h"
#include "RecordRestorer.h"
#include "store/RecordStore.h"
#include "store/ShownText.h"

namespace Orvane {

DeletedRecordsModel::DeletedRecordsModel(RecordStore &store, QObject *parent)
    : QAbstractTableModel(parent)
    , m_store(store)
    , m_rows(kCachedRows)
{
}

bool DeletedRecordsModel::load()
{
    beginResetModel();
    m_rows.clear();
    m_numbers = m_store.keptNumbers();
    const bool read = m_store.errorText().isEmpty();
    if (!read)
        m_numbers.clear();
    endResetModel();
    return read;
}

std::optional<DeletedRecord> DeletedRecordsModel::kept(int row) const
{
    if (row < 0 || row >= rowCount())
        return std::nullopt;
    // The one deleted last first: numbers only grow.
    const qint64 number = m_numbers.keyAt(m_numbers.rowCount() - 1 - row);
    if (const auto *cached = m_rows.object(number))
        return *cached;
    auto found = m_store.keptRecord(number);
    // A failed read is not kept: the next look may succeed.
    if (found || m_store.errorText().isEmpty())
        m_rows.insert(number, new std::optional<DeletedRecord>(found));
    return found;
}

int DeletedRecordsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_numbers.rowCount());
}

int DeletedRecordsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant DeletedRecordsModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const std::optional<DeletedRecord> row = kept(index.row());
    if (!row)
        return index.column() == 2 ? RecordListModel::removedText() : QVariant();
    switch (index.column()) {
    case 0:
        return RecordRestorer::whenDeleted(*row);
    // As the list's cells: another program may have stored a text of
    // megabytes, or characters that do not show.
    case 1:
        return ShownText::cell(row->record.listedDateText());
    case 2:
        return ShownText::cell(row->record.Name);
    case 3:
        return ShownText::cell(row->record.Dowsing_Tool);
    }
    return {};
}

QVariant DeletedRecordsModel::headerData(int section, Qt::Orientation orientation,
                                         int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    using F = DowsingRecord::FieldId;
    switch (section) {
    case 0:
        return tr("Date Deleted");
    case 1:
        return DowsingRecord::shownCaption(DowsingRecord::field(F::Date));
    case 2:
        return DowsingRecord::shownCaption(DowsingRecord::field(F::Name));
    case 3:
        return DowsingRecord::shownCaption(DowsingRecord::field(F::Dowsing_Tool));
    }
    return {};
}

} // namespace Orvane
