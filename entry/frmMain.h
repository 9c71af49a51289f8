#pragma once

#include "shell/ChildForm.h"
#include "store/DowsingRecord.h"

#include <memory>

namespace Orvane {

class MDIForm1;
class RecordStore;

// The record-entry window: a left panel with its three buttons and three
// stacked pages (customer details, tools and time, notes) sharing one lock
// state. Add or update mode is held in the caption of cmdadd.
class frmMain : public ChildForm
{
    Q_OBJECT

public:
    explicit frmMain(MDIForm1 &frame, QWidget *parent = nullptr);
    ~frmMain() override;

    // The load sequence. False when the database could not be used: the
    // message was shown and the window asked the frame to unload it.
    bool Form_Load();

    QList<QMenu *> menus() const override;

    // Hides this window and shows the list window at the top-left corner.
    void cmdViewAllrecords_Click();
    // Shows the exit screen and closes the frame window and this window.
    void cmdExit_Click();

    // The record view starts an edit through these, in this order: unlock
    // the pages, hide "Add New Record" (button and menu entry), fill the form
    // from the stored record, then switch to update mode. The update writes
    // the record with the key given here, whatever the list shows meanwhile.
    void setPagesEnabled(bool enabled);
    void setAddNewRecordVisible(bool visible);
    void showRecord(const DowsingRecord &record, const QString &dateText,
                    const QString &timeText);
    void setUpdateMode(qint64 idNumber);

signals:
    // Emitted when the window is unloaded, whatever unloads it.
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Unload();

    MDIForm1 &m_frame;
    std::unique_ptr<RecordStore> m_entryRecords;
};

} // namespace Orvane
