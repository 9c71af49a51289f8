#pragma once

#include "EntryFields.h"
#include "EntryMenus.h"
#include "EntryRecords.h"
#include "PageFocus.h"
#include "widgets/MdiChild.h"
#include "store/DowsingRecord.h"

#include <optional>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QStackedWidget;

namespace Orvane {

class HintLine;

// The record-entry window: a left panel with its three buttons and three
// stacked pages (customer details, tools and time, notes) sharing one lock
// state, in add mode or in update mode (editing a stored record). The pages'
// boxes and selectors are an EntryFields; adding and updating records in
// the file, with what is said to the user, is EntryRecords'.
class EntryWindow : public MdiChild
{
    Q_OBJECT

public:
    explicit EntryWindow(QWidget *parent = nullptr);
    ~EntryWindow() override;

    // The load sequence. False when the database could not be used: the
    // message was shown, and the window is to be unloaded.
    bool start();

    QList<QMenu *> menus() const override;

    // Asks for the list of every record in place of this window.
    void showAllRecords();
    // Asks to end the program, once unsaved input may be thrown away.
    void exitProgram();

    // Puts a stored record into the form and switches to update mode: the
    // pages unlocked, "Add New Record" (button and menu entry) hidden. The
    // update writes the record with this key, whatever the list shows
    // meanwhile. Values the selectors do not offer (a year outside the
    // list, a time such as "25:99") are added to them for this edit, and a
    // date or time the user leaves alone is written back as stored.
    void beginEdit(const DowsingRecord &record, const QString &dateText,
                   const QString &timeText);
    // Fills the boxes and selectors from a stored record; what a selector
    // cannot show leaves it where it was.
    void showRecord(const DowsingRecord &record, const QString &dateText,
                    const QString &timeText);

    bool isUpdateMode() const { return m_edit.has_value(); }
    // The record that the form is filled from, while in update mode.
    std::optional<qint64> updateIdNumber() const;

    // True when the form holds what the user typed or changed since it was
    // last cleared, saved or filled from a stored record.
    bool hasUnsavedEntry() const;
    // Before the form's contents are thrown away: true when nothing unsaved
    // is there, or the user answers Yes to the question that follows the
    // notice. Once leaving was agreed to, it is not asked again.
    bool confirmDiscardingEntry(const QString &question);
    bool confirmLeaving();
    // The program ends without asking (a session's end): leaving counts as
    // agreed to.
    void agreeToLeave() { m_leavingAgreed = true; }

    // What the form holds and was not saved, as text kept across the
    // program's end; empty when nothing is unsaved (EntryWindowKept.cpp).
    QString unsavedEntryText() const;
    // Asks whether input kept at the last end is to come back, and puts it
    // into the form (in update mode for a kept edit) when the user agrees.
    // False when it did not come back.
    bool offerKeptEntry(const QString &text);

signals:
    void allRecordsRequested();
    // File > Find Records: the list, with its find bar on show and focused.
    void findRecordsRequested();
    // File > Customers and File > Statistics (of every record).
    void customersRequested();
    void statisticsRequested();
    // File > Export, Import and Back Up: the app layer does the work.
    void exportRequested();
    void importRequested();
    void backUpRequested();
    void exitRequested();
    // A record was rewritten: the list is to be read afresh.
    void recordUpdated();
    void webPageRequested(const QString &pageKey);
    void aboutRequested();
    // The database file proved damaged after the window was shown; the
    // user was told. The program is to end as it does for such a file at
    // start.
    void databaseRefused();
    // The check of every page found only the find index damaged.
    void findIndexDamaged();
    // Emitted when the window is unloaded, whatever unloads it.
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Building the controls (EntryWindowControls.cpp; the tools page in
    // EntryWindowToolsPage.cpp).
    void buildControls();
    QWidget *buildLeftPanel();
    QGroupBox *buildCustomerPage();
    QGroupBox *buildToolsPage();
    QGroupBox *buildNotesPage();
    QWidget *buildTimeAndDate(QWidget *parent);
    void buildMenus();
    void connectControls();
    // The captions of the buttons that walk the pages, and of m_cmdadd in
    // add mode.
    static QString nextCaption();
    static QString backCaption();
    static QString addCaption();

    void Form_Unload();
    // A large database file is read whole on a second thread while the
    // window is in use (EntryWindowFileCheck.cpp); a damaged one ends the
    // program as a damaged file does at start.
    void watchFileCheck();
    void fileCheckFinished(const QString &reason, bool indexOnly);
    void clearForm();
    void bringToFront(QGroupBox *page);
    void setPagesEnabled(bool enabled);
    // Shows the mode: the caption of m_cmdadd, and "Add New Record" (button
    // and menu entry) exactly while in add mode.
    void showMode();
    void leaveUpdateMode();
    // The form as an update writes it.
    DowsingRecord recordToUpdate() const;
    void addRecord();
    void updateRecord();
    // After a record was added or updated: an empty, locked form.
    void finishSaving();

    // Handlers.
    void startNewRecord();
    void nextFromCustomerPage();
    void backToCustomerPage();
    void nextToNotesPage();
    void backToToolsPage();
    void saveEntry();
    void openCoBrandPage();

    EntryRecords m_records;
    // The record being edited, while in update mode: as it was stored when
    // the edit began, as the form gave it back once filled, its time as
    // listed, and what the selectors showed of its date and time then. What
    // the user leaves alone is written as the record stores it.
    struct Edit
    {
        DowsingRecord original;
        DowsingRecord formShown;
        QString storedTime;
        // The date as the list showed it, from which the form was filled.
        QString listedDate;
        QStringList dateShown;
        QStringList timeShown;
    };
    std::optional<Edit> m_edit;
    // The stored fields as the form showed them when last cleared, saved or
    // filled; the form holds unsaved input while it differs.
    void markEntrySaved();
    QStringList m_savedEntry;
    bool m_leavingAgreed = false;
    EntryMenus m_menus;
    PageFocus m_pageFocus;
    // The boxes and selectors of the three pages.
    EntryFields m_fields;

    // Left panel.
    QFrame *m_Frame1 = nullptr;
    QLabel *m_Label3 = nullptr;
    QLabel *m_Label10 = nullptr;
    HintLine *m_hintLine = nullptr;
    QPushButton *m_cmAddNewRecord = nullptr;
    QPushButton *m_cmdViewAllrecords = nullptr;
    QPushButton *m_cmdExit = nullptr;

    // The stacked pages and their buttons.
    QStackedWidget *m_pages = nullptr;
    QGroupBox *m_fraCustomersDetails = nullptr;
    QGroupBox *m_fraTools = nullptr;
    QGroupBox *m_fraNotes = nullptr;
    QPushButton *m_cmdCustomersDetailsNext = nullptr;
    QPushButton *m_cmdToolsBack = nullptr;
    QPushButton *m_cmdToolsNext = nullptr;
    QPushButton *m_cmdNotesBack = nullptr;
    QPushButton *m_cmdadd = nullptr;
};

} // namespace Orvane
