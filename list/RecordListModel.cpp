#include "RecordListModel.h"

#include "store/RecordStore.h"
#include "store/ShownText.h"

#include <algorithm>

namespace Orvane {

RecordListModel::RecordListModel(RecordStore &store, QObject *parent)
    : QAbstractTableModel(parent)
    , m_store(store)
    , m_rows(store)
{
}

QString RecordListModel::caption(int column)
{
    if (column < 0 || column >= DowsingRecord::kFieldCount)
        return {};
    return DowsingRecord::shownCaption(DowsingRecord::fields()[size_t(column)]);
}

bool RecordListModel::load()
{
    beginResetModel();
    m_rows.clear();
    m_found.clear();
    m_showsFound = false;
    const bool ok = readKeys();
    endResetModel();
    return ok;
}

bool RecordListModel::readKeys()
{
    m_keys = m_store.keyIndex();
    m_keysDropped = false;
    m_keysOutdated = false;
    const bool ok = m_store.errorText().isEmpty();
    if (!ok)
        m_keys.clear();
    m_total = m_keys.rowCount();
    m_table = m_keys.summary();
    return ok;
}

void RecordListModel::showKeys(const KeyList &keys, const KeySummary &table)
{
    beginResetModel();
    // Shared with the finder's result, which comes without spare room.
    m_found = keys;
    m_showsFound = true;
    // Another program changed the table since the keys were read: count
    // against the table the keys were found in, and read every key again
    // before they show.
    if (table != m_table) {
        m_table = table;
        m_total = table.count;
        m_keysOutdated = true;
    }
    // Sixteen bytes a run for every key beside at most eight a row shown.
    const qint64 bytes = 16 * qint64(m_keys.runCount()) + 8 * qint64(m_found.size());
    if (!m_keysDropped && bytes > 16 * std::max<qint64>(m_total, m_found.size())) {
        m_keys.clear();
        m_keys.squeeze();
        m_keysDropped = true;
    }
    endResetModel();
}

bool RecordListModel::showAll()
{
    if (!m_showsFound)
        return true;
    beginResetModel();
    m_found.clear();
    m_showsFound = false;
    bool ok = true;
    if (m_keysDropped || m_keysOutdated)
        ok = readKeys();
    endResetModel();
    return ok;
}

std::optional<DowsingRecord::FieldId> RecordListModel::fieldOf(int column)
{
    if (column < 0 || column >= kColumnCount)
        return std::nullopt;
    return DowsingRecord::FieldId(column);
}

int RecordListModel::columnOf(std::optional<DowsingRecord::FieldId> field)
{
    return field ? int(*field) : -1;
}

QString RecordListModel::errorText() const
{
    return m_store.errorText();
}

int RecordListModel::rowOf(qint64 key) const
{
    if (m_showsFound) {
        const qsizetype at = m_found.indexOf(key);
        return int(at);
    }
    return int(m_keys.rowOf(key));
}

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_showsFound ? int(m_found.size()) : int(m_keys.rowCount());
}

int RecordListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

qint64 RecordListModel::idNumber(int row) const
{
    if (m_showsFound)
        return row >= 0 && row < m_found.size() ? m_found.at(row) : -1;
    return m_keys.keyAt(row);
}

std::optional<DowsingRecord> RecordListModel::record(int row) const
{
    // By the row, not the key: another program may store a record under
    // any key, below zero too.
    if (row < 0 || row >= rowCount())
        return std::nullopt;
    return m_rows.record(idNumber(row));
}

QString RecordListModel::removedText()
{
    return tr("(removed by another program)");
}

QString RecordListModel::cellText(const DowsingRecord &r, int column)
{
    if (column == 0)
        return r.listedDateText();
    if (column == kIdNumberColumn)
        return r.IdNumber ? QString::number(*r.IdNumber) : QString();
    if (column > 0 && column < kIdNumberColumn)
        return r.*DowsingRecord::textFields()[column - 1].member;
    return {};
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    if (index.column() == kIdNumberColumn)
        return QString::number(idNumber(index.row()));
    const auto r = record(index.row());
    if (!r) {
        // Gone since the keys were read; a row that could not be read is
        // told when it is opened.
        const bool gone = m_rows.isKnownGone(idNumber(index.row()));
        return gone && index.column() == 1 ? removedText() : QVariant();
    }
    // A cell shows one line's start: the delegate would lay out the whole
    // text to elide it, for minutes where it offers no place to break.
    return ShownText::cell(cellText(*r, index.column()));
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return caption(section);
    return {};
}

Qt::ItemFlags RecordListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace Orvane
