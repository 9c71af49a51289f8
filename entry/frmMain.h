#pragma once

#include "EntryMenus.h"
#include "shell/ChildForm.h"
#include "store/DowsingRecord.h"

#include <memory>
#include <optional>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace Orvane {

class FilteredLineEdit;
class HintLine;
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

    // Writes the form into the store: a new record in add mode, the record
    // being edited in update mode. False, with the reason, when nothing was
    // written (the date is not a calendar date, or the store refused).
    bool load(QString *reason = nullptr);

    // Update mode, read from the caption of cmdadd ("&Update", any case).
    bool isUpdateMode() const;
    // The record that the form is filled from, while in update mode.
    std::optional<qint64> updateIdNumber() const { return m_updateIdNumber; }

    // True when the form holds what the user typed or changed since it was
    // last cleared, saved or filled from a stored record.
    bool hasUnsavedEntry() const;
    // Before the form's contents are thrown away: true when nothing unsaved
    // is there, or the user answers Yes to the question that follows the
    // notice. Once leaving was agreed to, it is not asked again.
    bool confirmDiscardingEntry(const QString &question);
    bool confirmLeaving();

signals:
    // Emitted when the window is unloaded, whatever unloads it.
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Building the controls (frmMainControls.cpp).
    void buildControls();
    QWidget *buildLeftPanel();
    QGroupBox *buildCustomerPage();
    QGroupBox *buildToolsPage();
    QGroupBox *buildNotesPage();
    void buildToolChooser(QGroupBox *Frame2);
    void buildItemChooser(QGroupBox *Frame4);
    QWidget *buildTimeAndDate(QWidget *parent);
    void buildMenus();
    void connectControls();

    void Form_Unload();
    // A large database file is read whole on a second thread while the
    // window is in use (frmMainFileCheck.cpp); a damaged one ends the
    // program as a damaged file does at start.
    void watchFileCheck();
    void fileCheckFinished(const QString &reason);
    void fillSelectors();
    void selectFirstEntries();
    void ClearEntryForm();
    void bringToFront(QGroupBox *page);
    void lockPages();
    // Selects an entry of a selector whose selection handler must run even
    // when the entry was already selected.
    void selectTool(int index);
    void selectItem(int index);
    DowsingRecord formRecord() const;
    void refuseSave(const QString &reason);
    void addRecord();
    void updateRecord();
    void leaveUpdateMode();

    // Handlers.
    void cmAddNewRecord_Click();
    void cmdCustomersDetailsNext_Click();
    void cmdToolsBack_Click();
    void cmdToolsNext_Click();
    void cmdNotesBack_Click();
    void cmdadd_Click();
    void Label1_Click();
    void cmbDowsingTool_Click();
    void cmbItemDowsingFor_Click();
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdOkItemDowsing_Click();
    void cmdCancelItemDowsing_Click();
    void mnuAddNewRecor_Click();
    void mnuViewAll_Click();
    void mnuExit_Click();
    void mnuOnline_Click();
    void mnuVisit_Click();
    void mnuUpdate_Click();
    void mnuAbout_Click();
    void mnuDonate_Click();
    void mnumakemoney_Click();

    MDIForm1 &m_frame;
    std::unique_ptr<RecordStore> m_entryRecords;
    std::optional<qint64> m_updateIdNumber;
    // The stored fields as the form showed them when last cleared, saved or
    // filled; the form holds unsaved input while it differs.
    QStringList entryTexts() const;
    void markEntrySaved();
    QStringList m_savedEntry;
    bool m_leavingAgreed = false;
    EntryMenus m_menus;

    // Left panel.
    QFrame *Frame1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label10 = nullptr;
    HintLine *m_hintLine = nullptr;
    QPushButton *cmAddNewRecord = nullptr;
    QPushButton *cmdViewAllrecords = nullptr;
    QPushButton *cmdExit = nullptr;

    // The stacked pages.
    QStackedWidget *m_pages = nullptr;
    QGroupBox *fraCustomersDetails = nullptr;
    QGroupBox *fraTools = nullptr;
    QGroupBox *fraNotes = nullptr;

    // Customer page.
    FilteredLineEdit *txtName = nullptr;
    QPlainTextEdit *txtAddress = nullptr;
    FilteredLineEdit *txtCity = nullptr;
    FilteredLineEdit *txtState = nullptr;
    QLineEdit *txtPin = nullptr;
    FilteredLineEdit *txtPhNo = nullptr;
    QLineEdit *txtEmail = nullptr;
    FilteredLineEdit *txtLocationDowsingFor = nullptr;
    QPushButton *cmdCustomersDetailsNext = nullptr;

    // Tools page.
    QComboBox *cmbDowsingTool = nullptr;
    QFrame *fraDowsingTool = nullptr;
    QLineEdit *txtDowsingTool = nullptr;
    QPushButton *cmdOk = nullptr;
    QPushButton *cmdCancel = nullptr;
    QComboBox *cmbItemDowsingFor = nullptr;
    QFrame *fraItemDowsing = nullptr;
    QLineEdit *txtItemDowsing = nullptr;
    QPushButton *cmdOkItemDowsing = nullptr;
    QPushButton *cmdCancelItemDowsing = nullptr;
    QComboBox *cmbHour = nullptr;
    QComboBox *cmbMinute = nullptr;
    QComboBox *cmbAMPM = nullptr;
    QComboBox *cmbMonth = nullptr;
    QComboBox *cmbDate = nullptr;
    QComboBox *cmbYear = nullptr;
    QPushButton *cmdToolsBack = nullptr;
    QPushButton *cmdToolsNext = nullptr;

    // Notes page.
    QPlainTextEdit *txtNotes = nullptr;
    QPushButton *cmdNotesBack = nullptr;
    QPushButton *cmdadd = nullptr;
};

} // namespace Orvane
