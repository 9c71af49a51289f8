#pragma once

#include "store/DeletedRecords.h"
#include "store/KeyIndex.h"

#include <QAbstractTableModel>
#include <QCache>

#include <optional>

namespace Orvane {

class RecordStore;

// The kept deleted records as the Deleted Records window lists them, the
// one deleted last first: when deleted, the record's date, name and tool.
// Like the list of records, it holds only the kept numbers, as runs (a few
// bytes a row, sixteen at worst), and reads a row's record by its number
// when a view asks for it, keeping the rows read most lately; so a file
// that keeps a million deleted records opens the window at once.
class DeletedRecordsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kColumnCount = 4;

    explicit DeletedRecordsModel(RecordStore &store, QObject *parent = nullptr);

    // Reads the kept numbers afresh. False when the read failed (the
    // store's errorText() says why); the model is then empty.
    bool load();

    // The kept record of a row as read for the view; nullopt outside the
    // rows, where another program removed it, or where the read failed
    // (the store's errorText() tells which).
    std::optional<DeletedRecord> kept(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    static constexpr int kCachedRows = 512;

    RecordStore &m_store;
    KeyIndex m_numbers;
    mutable QCache<qint64, std::optional<DeletedRecord>> m_rows;
};

} // namespace Orvane
