#pragma once

#include "platform/MessageBoxes.h"
#include "widgets/MdiChild.h"
#include "store/DeletedRecords.h"
#include "store/DowsingRecord.h"
#include "widgets/SelectedRecord.h"

#include <memory>
#include <optional>

class QPushButton;
class QTextEdit;

namespace Orvane {

class RecordStore;

// The record view window: one record's report and what can be done with it.
// The record it stands for is the one chosen in the list, never anything
// read back from the report text.
class RecordViewWindow : public MdiChild
{
    Q_OBJECT

public:
    explicit RecordViewWindow(QWidget *parent = nullptr);
    ~RecordViewWindow() override;

    QTextEdit *reportBox() const { return m_RTB; }
    // The report at its full size, 720 x 400, with the buttons below.
    QSize sizeHint() const override;
    // Writes the report of the chosen record in place of the one before.
    void showReport(const DowsingRecord &record, const SelectedRecord &chosen);
    const SelectedRecord &chosenRecord() const { return m_chosen; }

    // Reads the chosen record afresh and asks for it to be edited.
    void editRecord();
    // Asks, removes the chosen record and asks for the list read afresh.
    void deleteRecord();
    // Prints the report.
    void printReport();
    // Saves the report as a Rich Text file.
    void saveReport();
    // Asks for the list as it was left.
    void goBack();

signals:
    void backRequested();
    // The chosen record, read afresh, with its date and time as listed.
    void editRequested(const Orvane::DowsingRecord &record, const QString &dateText,
                       const QString &timeText);
    // There is no record to edit: the message says why.
    void editRefused(const QString &message, Orvane::MessageBoxes::Icon icon);
    // The record was deleted and is kept in the file as kept, for File >
    // Undo Delete. (deleteDone() follows.)
    void recordDeleted(const Orvane::DeletedRecord &kept);
    // A delete was answered: the list is to be read afresh.
    void deleteDone();
    // The record was found changed by another program: the list, read
    // before, shows it as it was and is to be read afresh.
    void changedElsewhere();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Every change of the report and every mouse event over it empties the
    // clipboard.
    static void emptyClipboard();

    // A fresh connection for one edit or delete, replacing the previous one.
    // False, with the reason shown, when the database cannot be opened.
    bool openViewRecords();
    std::optional<DowsingRecord> readChosenRecord(QString *problem, MessageBoxes::Icon *icon);
    // Why the entry form cannot take the record whole; empty when it can.
    static QString textTooLongForTheForm(const DowsingRecord &record);
    // Says that the record now holds other values than the report showed,
    // and shows it as it is stored now.
    void showChangedRecord(const DowsingRecord &now, const QString &consequence);

    SelectedRecord m_chosen;
    // The record as the report shows it: an edit or delete goes ahead only
    // while the stored record still holds exactly this.
    DowsingRecord m_shown;
    std::unique_ptr<RecordStore> m_viewRecords;
    QSize m_fullSize;

    QTextEdit *m_RTB = nullptr;
    QPushButton *m_cmddelete = nullptr;
    QPushButton *m_cmdedit = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QPushButton *m_cmdPrint = nullptr;
    QPushButton *m_cmdBack = nullptr;
};

} // namespace Orvane
