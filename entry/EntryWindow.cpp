#include "EntryWindow.h"

#include "widgets/FieldFilters.h"
#include "widgets/FilteredLineEdit.h"
#include "HintLine.h"
#include "OtherChooser.h"
#include "Selectors.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace Orvane {

EntryWindow::EntryWindow(QWidget *parent)
    : MdiChild(parent)
    , m_records(this)
{
    setObjectName(QStringLiteral("frmMain"));
    buildControls();
    buildMenus();
    connectControls();
}

EntryWindow::~EntryWindow() = default;

QString EntryWindow::addCaption()
{
    return tr("&Add");
}

void EntryWindow::connectControls()
{
    connect(m_cmAddNewRecord, &QPushButton::clicked, this, [this] { startNewRecord(); });
    connect(m_cmdViewAllrecords, &QPushButton::clicked, this,
            [this] { showAllRecords(); });
    connect(m_cmdExit, &QPushButton::clicked, this, [this] { exitProgram(); });
    connect(m_hintLine, &HintLine::label1Clicked, this, [this] { openCoBrandPage(); });

    connect(m_cmdCustomersDetailsNext, &QPushButton::clicked, this,
            [this] { nextFromCustomerPage(); });
    connect(m_cmdToolsBack, &QPushButton::clicked, this, [this] { backToCustomerPage(); });
    connect(m_cmdToolsNext, &QPushButton::clicked, this, [this] { nextToNotesPage(); });
    connect(m_cmdNotesBack, &QPushButton::clicked, this, [this] { backToToolsPage(); });
    connect(m_cmdadd, &QPushButton::clicked, this, [this] { saveEntry(); });

    // At most one pop-up is open: any selection in one list closes the
    // other list's.
    connect(m_fields.tool, &OtherChooser::selectionMade, m_fields.item, &OtherChooser::hidePopup);
    connect(m_fields.item, &OtherChooser::selectionMade, m_fields.tool, &OtherChooser::hidePopup);

    // A menu entry that repeats a button runs the button's own slot.
    connect(m_menus.addNewRecord, &QAction::triggered, this, &EntryWindow::startNewRecord);
    connect(m_menus.viewAllRecords, &QAction::triggered, this, &EntryWindow::showAllRecords);
    connect(m_menus.findRecords, &QAction::triggered, this, &EntryWindow::findRecordsRequested);
    connect(m_menus.customers, &QAction::triggered, this, &EntryWindow::customersRequested);
    connect(m_menus.statistics, &QAction::triggered, this, &EntryWindow::statisticsRequested);
    connect(m_menus.exportRecords, &QAction::triggered, this, &EntryWindow::exportRequested);
    connect(m_menus.importRecords, &QAction::triggered, this, &EntryWindow::importRequested);
    connect(m_menus.backUpDatabase, &QAction::triggered, this, &EntryWindow::backUpRequested);
    connect(m_menus.exit, &QAction::triggered, this, &EntryWindow::exitProgram);
    const auto opens = [this](QAction *entry, const char *pageKey) {
        connect(entry, &QAction::triggered, this,
                [this, pageKey] { emit webPageRequested(QLatin1String(pageKey)); });
    };
    opens(m_menus.onlineHelp, "help-web-page");
    opens(m_menus.visitUsOnline, "home-page");
    opens(m_menus.checkForUpdate, "download-web-page");
    opens(m_menus.donate, "donate");
    opens(m_menus.makeMoneyOnline, "fully-branded");
    connect(m_menus.about, &QAction::triggered, this, &EntryWindow::aboutRequested);
}

QList<QMenu *> EntryWindow::menus() const
{
    return m_menus.titles();
}

// --- Load and unload -------------------------------------------------------

bool EntryWindow::start()
{
    if (!m_records.open())
        return false;
    watchFileCheck();

    m_fields.fillSelectors();
    m_fields.selectFirstEntries();
    bringToFront(m_fraCustomersDetails);
    setPagesEnabled(false);
    markEntrySaved();
    return true;
}

void EntryWindow::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void EntryWindow::Form_Unload()
{
    emit unloaded();
}

// --- Pages -------------------------------------------------------------

void EntryWindow::bringToFront(QGroupBox *page)
{
    m_pageFocus.bringToFront(page);
}

void EntryWindow::setPagesEnabled(bool enabled)
{
    // Locked pages take no keys: the keyboard goes to the button that
    // starts the next record, not wherever Qt's chain leads.
    if (!enabled && m_pageFocus.holdsFocus())
        (m_cmAddNewRecord->isVisible() ? m_cmAddNewRecord : m_cmdViewAllrecords)->setFocus();
    m_fraCustomersDetails->setEnabled(enabled);
    m_fraTools->setEnabled(enabled);
    m_fraNotes->setEnabled(enabled);
}

void EntryWindow::showMode()
{
    m_cmdadd->setText(isUpdateMode() ? tr("&Update") : addCaption());
    m_cmAddNewRecord->setVisible(!isUpdateMode());
    m_menus.addNewRecord->setVisible(!isUpdateMode());
}

void EntryWindow::startNewRecord()
{
    // Hidden in update mode; should it be reached all the same, a new
    // record starts on an empty form, never over the record being edited.
    if (isUpdateMode()) {
        if (!confirmDiscardingEntry(tr("Do You Want To Start A New Record Anyway ?")))
            return;
        clearForm();
        leaveUpdateMode();
        markEntrySaved();
    }
    bringToFront(m_fraCustomersDetails);
    setPagesEnabled(true);
    m_fields.txtName->setFocus();
}

void EntryWindow::nextFromCustomerPage()
{
    if (!FieldFilters::emailPasses(m_fields.txtEmail->text())) {
        platform().messages->show(this, FieldFilters::emailMessage(),
                                  MessageBoxes::Icon::Information);
        bringToFront(m_fraCustomersDetails);
        m_fields.txtEmail->setFocus();
        return;
    }
    bringToFront(m_fraTools);
}

void EntryWindow::backToCustomerPage()
{
    bringToFront(m_fraCustomersDetails);
}

void EntryWindow::nextToNotesPage()
{
    bringToFront(m_fraNotes);
}

void EntryWindow::backToToolsPage()
{
    bringToFront(m_fraTools);
}

void EntryWindow::clearForm()
{
    m_fields.clear();
}

// --- Windows and menus ------------------------------------------------------

void EntryWindow::showAllRecords()
{
    emit allRecordsRequested();
}

void EntryWindow::exitProgram()
{
    if (confirmLeaving())
        emit exitRequested();
}

void EntryWindow::openCoBrandPage()
{
    emit webPageRequested(QStringLiteral("co-brand"));
}

// --- Unsaved input ------------------------------------------------------------

void EntryWindow::markEntrySaved()
{
    m_savedEntry = m_fields.texts();
}

bool EntryWindow::hasUnsavedEntry() const
{
    return m_fields.texts() != m_savedEntry;
}

bool EntryWindow::confirmDiscardingEntry(const QString &question)
{
    if (!hasUnsavedEntry())
        return true;
    const QString text = isUpdateMode()
            ? tr("The Changes To This Record Have Not Been Updated !\r%1").arg(question)
            : tr("The Record You Are Entering Has Not Been Saved !\r%1").arg(question);
    return platform().messages->show(this, text, MessageBoxes::Icon::Information,
                                     MessageBoxes::Buttons::YesNo, MessageBoxes::Answer::No)
            == MessageBoxes::Answer::Yes;
}

bool EntryWindow::confirmLeaving()
{
    if (!m_leavingAgreed)
        m_leavingAgreed = confirmDiscardingEntry(tr("Do You Want To Exit Anyway ?"));
    return m_leavingAgreed;
}

// --- Saving -------------------------------------------------------------

void EntryWindow::saveEntry()
{
    if (isUpdateMode())
        updateRecord();
    else
        addRecord();
}

void EntryWindow::addRecord()
{
    // Refused, the form, its page and its mode stay as they are.
    if (m_records.add(m_fields.record()))
        finishSaving();
}

void EntryWindow::updateRecord()
{
    switch (m_records.update(m_edit->original, recordToUpdate())) {
    case EntryRecords::Update::Done:
        finishSaving();
        emit recordUpdated();
        return;
    case EntryRecords::Update::Kept:
        return;
    case EntryRecords::Update::Gone:
        // Removed meanwhile: the form goes back to add mode with what the
        // user entered.
        leaveUpdateMode();
        m_records.tellGone();
        return;
    }
}

void EntryWindow::finishSaving()
{
    clearForm();
    if (isUpdateMode())
        leaveUpdateMode();
    markEntrySaved();
    bringToFront(m_fraCustomersDetails);
    setPagesEnabled(false);
}

DowsingRecord EntryWindow::recordToUpdate() const
{
    DowsingRecord record = m_fields.record();
    // A date, time or text the user left alone is written as stored, even
    // where the form could not show it exactly: the selectors lack the date
    // or time, a box gives back a line break or a control character in a
    // form of its own.
    for (const DowsingRecord::TextField &field : DowsingRecord::textFields()) {
        if (record.*field.member == m_edit->formShown.*field.member)
            record.*field.member = m_edit->original.*field.member;
    }
    if (m_fields.dateSelection() == m_edit->dateShown)
        record.Date = m_edit->original.Date;
    if (m_fields.timeSelection() == m_edit->timeShown)
        record.Time_Dowsing_Occured = m_edit->storedTime;
    return record;
}

// --- Update mode ------------------------------------------------------------

std::optional<qint64> EntryWindow::updateIdNumber() const
{
    if (!m_edit)
        return std::nullopt;
    return m_edit->original.IdNumber;
}

void EntryWindow::leaveUpdateMode()
{
    // Entries added for the stored values stay until the form is cleared:
    // the form may still show them.
    m_edit.reset();
    showMode();
}

void EntryWindow::beginEdit(const DowsingRecord &record, const QString &dateText,
                            const QString &timeText)
{
    m_fields.dropStoredValues();
    setPagesEnabled(true);

    // Stored values outside the selectors' entries are offered for this
    // edit, so that the form shows the record as it is stored.
    m_fields.offerStoredValues(dateText, timeText);
    showRecord(record, dateText, timeText);
    // The edit begins at the record's first field, whatever page was in
    // front and wherever the keyboard was in the window that asked for it.
    bringToFront(m_fraCustomersDetails);
    m_fields.txtName->setFocus(Qt::OtherFocusReason);

    m_edit = Edit{record, m_fields.record(), timeText, dateText, m_fields.dateSelection(),
                  m_fields.timeSelection()};
    showMode();
    markEntrySaved();
}

void EntryWindow::showRecord(const DowsingRecord &record, const QString &dateText,
                             const QString &timeText)
{
    m_fields.show(record, dateText, timeText);
}

} // namespace Orvane
