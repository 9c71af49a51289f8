#pragma once

#include "store/CustomerTally.h"
#include "store/DowsingRecord.h"

#include <QAbstractTableModel>
#include "StoredRows.h"

#include <memory>
#include <optional>

namespace Orvane {

class RecordStore;

// The rows of the customers window: a CustomerTable (every customer, ten
// bytes each as a rule), or the customers a find left of it (four bytes
// more each). A row's name, phone number and city are those of the
// customer's latest record, read by its key only when a view asks for them;
// the most recently read are kept.
class CustomerModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kColumnCount = CustomerTally::ColumnCount;

    explicit CustomerModel(RecordStore &store, QObject *parent = nullptr);

    // Shows the table's customers, or only those at the found places.
    void show(std::shared_ptr<const CustomerTable> table,
              std::optional<QVector<quint32>> found = std::nullopt);
    const std::shared_ptr<const CustomerTable> &table() const { return m_table; }
    // Every customer, found or not.
    qint64 customerCount() const { return m_table ? m_table->size() : 0; }
    // The row of the customer whose latest record has this key, or -1.
    int rowOf(qint64 key) const;
    // The key of a row's latest record; -1 outside the rows.
    qint64 keyAt(int row) const;
    // A row's latest record; nullopt when it is gone or could not be read
    // (the store's errorText() tells which).
    std::optional<DowsingRecord> record(int row) const;
    // What the bytes the model holds come to.
    qsizetype bytes() const;

    static QStringList captions();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    // The row's place in the table.
    qsizetype placeOf(int row) const;

    std::shared_ptr<const CustomerTable> m_table;
    std::optional<QVector<quint32>> m_found;
    mutable StoredRows m_rows;
};

} // namespace Orvane
