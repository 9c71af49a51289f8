#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace Orvane {

class RecordStore;

// File > Deleted Records in the list: the deleted records the file keeps,
// the one deleted last first (when deleted, the record's date, name and
// tool), with "Restore", which puts the chosen one back among the records,
// and "Delete for Good", which removes it from the file after its own
// question, for a customer whose data must go.
//
// It reads and writes through a connection of its own. What it put back is
// shown by the list once it closes (restoredKey()).
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

    void restoreChosen();
    void deleteChosenForGood();

private:
    qint64 chosenNumber() const;
    void updateButtons();

    std::unique_ptr<RecordStore> m_keptRecords;
    qint64 m_restoredKey = -1;

    QLabel *m_lblDeletedRecords = nullptr;
    QTreeWidget *m_lstDeletedRecords = nullptr;
    QPushButton *m_cmdRestore = nullptr;
    QPushButton *m_cmdDeleteForGood = nullptr;
    QPushButton *m_cmdClose = nullptr;
};

} // namespace Orvane
