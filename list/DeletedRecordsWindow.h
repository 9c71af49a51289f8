#pragma once

#include <QDialog>
#include <QSet>

#include <memory>

class QLabel;
class QPushButton;

namespace Orvane {

class DeletedRecordsModel;
class GridView;
class RecordStore;

// File > Deleted Records in the list: the deleted records the file keeps,
// the one deleted last first (when deleted, the record's date, name and
// tool), with "Restore", which puts the chosen one back among the records,
// and "Delete for Good", which removes it from the file after its own
// question, for a customer whose data must go. Both act only while the file
// still keeps the chosen record as the window shows it; otherwise nothing is
// written and the window shows the kept records as they are now.
//
// It reads and writes through a connection of its own, and reads each row as
// it is shown (DeletedRecordsModel). What it put back is shown by the list
// once it closes (restoredKey()).
class DeletedRecordsWindow : public QDialog
{
    Q_OBJECT

public:
    explicit DeletedRecordsWindow(QWidget *parent = nullptr);
    ~DeletedRecordsWindow() override;

    // Reads the kept records; false when the file could not be read (the
    // user was told why, and the window shows none).
    bool readRecords();
    // The key of the record put back last while the window was open, or -1.
    qint64 restoredKey() const { return m_restoredKey; }
    // The numbers of the kept records this window put back or deleted for
    // good: no longer kept.
    const QSet<qint64> &keptNumbersGone() const { return m_keptNumbersGone; }

    void restoreChosen();
    void deleteChosenForGood();

private:
    // The row chosen, -1 for none.
    int chosenRow() const;
    // Reads the kept records again, the current row kept where it was.
    void readAgain();
    void updateButtons();

    std::unique_ptr<RecordStore> m_keptRecords;
    DeletedRecordsModel *m_model = nullptr;
    qint64 m_restoredKey = -1;
    QSet<qint64> m_keptNumbersGone;

    QLabel *m_listLabel = nullptr;
    GridView *m_keptList = nullptr;
    QPushButton *m_restoreButton = nullptr;
    QPushButton *m_deleteForGoodButton = nullptr;
    QPushButton *m_closeButton = nullptr;
};

} // namespace Orvane
