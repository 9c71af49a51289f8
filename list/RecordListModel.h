#pragma once

#include "store/DowsingRecord.h"
#include "store/KeyIndex.h"
#include "store/KeyList.h"

#include <QAbstractTableModel>
#include "StoredRows.h"
#include <QVector>

#include <optional>

namespace Orvane {

class RecordStore;

// The rows of the list: every record's key, in order of addition, read once
// by load() into runs of consecutive keys; a row's fields are read by key
// only when a view asks for them, and the most recently read rows are kept.
// So a list of a million records holds a few bytes for its keys (sixteen a
// row at worst, where every other record was removed), and its first screen
// shows as soon as the keys are in.
//
// Instead of every key, the model can show a list of keys given in order
// (the result of a find or a sort, four bytes a row; see KeyList). The keys of every
// record are kept beside it only while both together stay within sixteen
// bytes a row; else they are read again when every record is shown again.
//
// Fourteen columns, the table's fields in the list's order (Date to
// IdNumber), headed by the list's captions.
class RecordListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The columns are the record's fields, in their order.
    static constexpr int kColumnCount = DowsingRecord::kFieldCount;
    static constexpr int kIdNumberColumn = int(DowsingRecord::FieldId::IdNumber);
    // The field a column shows (none outside the columns), and back (-1
    // for none).
    static std::optional<DowsingRecord::FieldId> fieldOf(int column);
    static int columnOf(std::optional<DowsingRecord::FieldId> field);

    explicit RecordListModel(RecordStore &store, QObject *parent = nullptr);

    // Reads the keys. False when the read failed (the store's errorText()
    // says why); the model is then empty.
    bool load();

    // Shows these keys, in this order, instead of every record; table: the
    // table's keys when they were found, which the count is of.
    void showKeys(const KeyList &keys, const KeySummary &table);
    // Shows every record in order of addition again. False when the keys had
    // to be read again and the read failed (the model is then empty).
    bool showAll();
    // Every record is shown, in order of addition.
    bool showsAll() const { return !m_showsFound; }
    // The keys shown, when they are not every record in order of addition.
    const KeyList &foundKeys() const { return m_found; }
    // Why the last read of the store failed.
    QString errorText() const;
    // The number of records in the table when the keys shown were read.
    qint64 totalCount() const { return m_total; }
    // The table's keys as last read, by load() or with the keys shown.
    const KeySummary &tableKeys() const { return m_table; }
    // The row that shows this key, or -1.
    int rowOf(qint64 key) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The key of a row, from the keys read by load(); -1 outside the rows.
    qint64 idNumber(int row) const;
    // The record of a row; nullopt when it is gone from the table or could
    // not be read (the store's errorText() tells which).
    std::optional<DowsingRecord> record(int row) const;
    // The text a cell shows: the date as month/day/year, the key in digits.
    static QString cellText(const DowsingRecord &record, int column);
    // What the row of a record another program removed says, in the name's
    // column.
    static QString removedText();

    // The caption of a column, in the user's language; empty past the
    // fourteenth.
    static QString caption(int column);

private:
    bool readKeys();

    RecordStore &m_store;
    KeyIndex m_keys;
    qint64 m_total = 0;
    // The keys shown instead of m_keys while m_showsFound.
    KeyList m_found;
    bool m_showsFound = false;
    KeySummary m_table;
    // m_keys was let go to keep within sixteen bytes a row, or another
    // program changed the table since it was read.
    bool m_keysDropped = false;
    bool m_keysOutdated = false;
    mutable StoredRows m_rows;
};

} // namespace Orvane
