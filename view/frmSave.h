#pragma once

#include "platform/MessageBoxes.h"
#include "shell/ChildForm.h"
#include "store/DowsingRecord.h"

#include <memory>
#include <optional>

class QPushButton;
class QTextEdit;

namespace Orvane {

class MDIForm1;
class frmMain;
class RecordStore;

// The record view window: one record's report and what can be done with it.
// The record it stands for is the one chosen in the list (modDowsing), never
// anything read back from the report text.
class frmSave : public ChildForm
{
    Q_OBJECT

public:
    explicit frmSave(MDIForm1 &frame, QWidget *parent = nullptr);
    ~frmSave() override;

    // The report box; the list writes each report into it.
    QTextEdit *reportBox() const { return m_RTB; }

    // Hands the chosen record to the entry window in update mode.
    void cmdedit_Click();
    // Asks, removes the chosen record and shows the list read afresh.
    void cmddelete_Click();
    // Prints the report.
    void cmdPrint_Click();
    // Saves the report as a Rich Text file.
    void cmdSave_Click();
    // Hides this window and shows the list as it was left.
    void cmdBack_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Every change of the report and every mouse event over it empties the
    // clipboard.
    void RTB_Change();
    void RTB_MouseDown();
    void RTB_MouseMove();
    void RTB_MouseUp();
    void RTB_Click();
    static void emptyClipboard();

    // A fresh connection for one edit or delete, replacing the previous one.
    // False, with the reason shown, when the database cannot be opened.
    bool openViewRecords();
    std::optional<DowsingRecord> chosenRecord(QString *problem, MessageBoxes::Icon *icon);

    MDIForm1 &m_frame;
    std::unique_ptr<RecordStore> m_viewRecords;

    QTextEdit *m_RTB = nullptr;
    QPushButton *m_cmddelete = nullptr;
    QPushButton *m_cmdedit = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QPushButton *m_cmdPrint = nullptr;
    QPushButton *m_cmdBack = nullptr;
};

} // namespace Orvane
