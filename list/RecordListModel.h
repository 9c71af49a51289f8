#pragma once

#include "store/DowsingRecord.h"
#include "store/KeyIndex.h"

#include <QAbstractTableModel>
#include <QCache>

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
// Fourteen columns, the table's fields in the list's order (Date to
// IdNumber), headed by the list's captions.
class RecordListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kColumnCount = 14;
    static constexpr int kIdNumberColumn = 13;
    // Rows kept after they were read.
    static constexpr int kCachedRows = 512;

    explicit RecordListModel(RecordStore &store, QObject *parent = nullptr);

    // Reads the keys. False when the read failed (the store's errorText()
    // says why); the model is then empty.
    bool load();

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

    // The captions of the fourteen columns, in order.
    static const QStringList &captions();

private:
    RecordStore &m_store;
    KeyIndex m_keys;
    // Keyed by IdNumber; a row that could not be read is kept as nullopt,
    // so that painting does not ask the store again and again.
    mutable QCache<qint64, std::optional<DowsingRecord>> m_rows;
};

} // namespace Orvane
