#include "EntryWindow.h"

#include "widgets/FieldFilters.h"
#include "widgets/FilteredLineEdit.h"
#include "HintLine.h"
#include "widgets/Refusals.h"
#include "OtherChooser.h"
#include "Selectors.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "store/RecordDifference.h"
#include "store/RecordStore.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace Orvane {

namespace {

const QString kAddCaption = QStringLiteral("&Add");
const QString kUpdateCaption = QStringLiteral("&Update");

void say(QWidget *parent, const QString &text,
         MessageBoxes::Icon icon = MessageBoxes::Icon::Information)
{
    platform().messages->show(parent, text, icon);
}

// Selects the entry whose text is exactly this; leaves the list as it was
// when there is none.
void selectText(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

// Selects entry number-1 when the text is a number from 1 to the list's
// length; otherwise leaves the list as it was.
void selectNumbered(QComboBox *combo, const QString &text)
{
    const auto number = Selectors::numberIn(text);
    if (number && *number >= 1 && *number <= combo->count())
        combo->setCurrentIndex(*number - 1);
}

} // namespace

EntryWindow::EntryWindow(QWidget *parent)
    : MdiChild(parent)
    , m_entryRecords(std::make_unique<RecordStore>())
{
    setObjectName(QStringLiteral("frmMain"));
    buildControls();
    buildMenus();
    connectControls();
}

EntryWindow::~EntryWindow() = default;

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
    connect(m_tool, &OtherChooser::selectionMade, m_item, &OtherChooser::hidePopup);
    connect(m_item, &OtherChooser::selectionMade, m_tool, &OtherChooser::hidePopup);

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
    const QString path = RecordStore::databasePath(platform().programFolder);
    QString problem;
    if (!RecordStore::isPresent(path)) {
        problem = Refusals::fileMissing();
    } else {
        switch (m_entryRecords->open(path)) {
        case RecordStore::OpenResult::Opened:
            break;
        case RecordStore::OpenResult::Missing:
            problem = Refusals::fileMissing();
            break;
        case RecordStore::OpenResult::Unusable:
            problem = Refusals::fileUnusable(m_entryRecords->errorText());
            break;
        }
    }
    if (!problem.isEmpty()) {
        Refusals::show(this, problem);
        return false;
    }
    if (const QString notice = m_entryRecords->notice(); !notice.isEmpty())
        platform().messages->show(this, notice, MessageBoxes::Icon::Information);
    watchFileCheck();

    fillSelectors();
    selectFirstEntries();
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

// --- Selectors ----------------------------------------------------------

void EntryWindow::fillSelectors()
{
    for (QComboBox *list : {m_cmbHour, m_cmbMinute, m_cmbMonth, m_cmbDate, m_cmbYear})
        list->clear();
    m_cmbHour->addItems(Selectors::hours());
    m_cmbMinute->addItems(Selectors::minutes());
    m_cmbMonth->addItems(Selectors::months());
    m_cmbDate->addItems(Selectors::days());
    m_cmbYear->addItems(Selectors::years());
}

void EntryWindow::selectFirstEntries()
{
    m_cmbMonth->setCurrentIndex(0);
    m_cmbDate->setCurrentIndex(0);
    m_cmbYear->setCurrentIndex(0);
    m_cmbHour->setCurrentIndex(0);
    m_cmbMinute->setCurrentIndex(0);
    m_tool->select(0);
    m_item->select(0);
    m_cmbAMPM->setCurrentIndex(0);
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
    m_cmdadd->setText(isUpdateMode() ? kUpdateCaption : kAddCaption);
    m_cmAddNewRecord->setVisible(!isUpdateMode());
    m_menus.addNewRecord->setVisible(!isUpdateMode());
}

void EntryWindow::startNewRecord()
{
    // Hidden in update mode; should it be reached all the same, a new
    // record starts on an empty form, never over the record being edited.
    if (isUpdateMode()) {
        if (!confirmDiscardingEntry(QStringLiteral("Do You Want To Start A New Record Anyway ?")))
            return;
        clearForm();
        leaveUpdateMode();
        markEntrySaved();
    }
    bringToFront(m_fraCustomersDetails);
    setPagesEnabled(true);
    m_txtName->setFocus();
}

void EntryWindow::nextFromCustomerPage()
{
    if (!FieldFilters::emailPasses(m_txtEmail->text())) {
        say(this, FieldFilters::emailMessage());
        bringToFront(m_fraCustomersDetails);
        m_txtEmail->setFocus();
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
    dropStoredValues();
    m_cmbDate->setCurrentIndex(0);
    m_cmbMonth->setCurrentIndex(0);
    m_cmbYear->setCurrentIndex(0);
    for (QLineEdit *box : {static_cast<QLineEdit *>(m_txtName), static_cast<QLineEdit *>(m_txtCity),
                           static_cast<QLineEdit *>(m_txtState), m_txtPin,
                           static_cast<QLineEdit *>(m_txtPhNo), m_txtEmail})
        box->clear();
    m_txtAddress->clear();
    m_cmbHour->setCurrentIndex(0);
    m_cmbMinute->setCurrentIndex(0);
    m_tool->select(0);
    m_item->select(0);
    m_txtLocationDowsingFor->clear();
    m_txtNotes->clear();
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

// --- Saving -------------------------------------------------------------

std::optional<qint64> EntryWindow::updateIdNumber() const
{
    if (!m_edit)
        return std::nullopt;
    return m_edit->original.IdNumber;
}

// --- Unsaved input ------------------------------------------------------------

QStringList EntryWindow::entryTexts() const
{
    const DowsingRecord r = formRecord();
    // The date by its parts, as it may not be a calendar date yet.
    QStringList texts{m_cmbMonth->currentText(), m_cmbDate->currentText(),
                      m_cmbYear->currentText()};
    for (const DowsingRecord::Field &field : DowsingRecord::textFields())
        texts.append(r.*field.member);
    return texts;
}

void EntryWindow::markEntrySaved()
{
    m_savedEntry = entryTexts();
}

bool EntryWindow::hasUnsavedEntry() const
{
    return entryTexts() != m_savedEntry;
}

bool EntryWindow::confirmDiscardingEntry(const QString &question)
{
    if (!hasUnsavedEntry())
        return true;
    const QString notice = isUpdateMode()
            ? QStringLiteral("The Changes To This Record Have Not Been Updated !\r")
            : QStringLiteral("The Record You Are Entering Has Not Been Saved !\r");
    return platform().messages->show(this, notice + question, MessageBoxes::Icon::Information,
                                     MessageBoxes::Buttons::YesNo, MessageBoxes::Answer::No)
            == MessageBoxes::Answer::Yes;
}

bool EntryWindow::confirmLeaving()
{
    if (!m_leavingAgreed)
        m_leavingAgreed = confirmDiscardingEntry(QStringLiteral("Do You Want To Exit Anyway ?"));
    return m_leavingAgreed;
}

DowsingRecord EntryWindow::formRecord() const
{
    DowsingRecord r;
    r.Date = Selectors::composeDate(m_cmbMonth->currentIndex() + 1, m_cmbDate->currentText(),
                                    m_cmbYear->currentText());
    for (const TextBox &box : textBoxes())
        r.*box.member = box.line ? box.line->text() : box.lines->toPlainText();
    r.Time_Dowsing_Occured = Selectors::composeTime(m_cmbHour->currentText(),
                                                    m_cmbMinute->currentText());
    r.Dowsing_Tool = m_tool->list()->currentText();
    r.Item_Dowsing_For = m_item->list()->currentText();
    return r;
}

QVector<EntryWindow::TextBox> EntryWindow::textBoxes() const
{
    return {{&DowsingRecord::Name, m_txtName, nullptr},
            {&DowsingRecord::Address, nullptr, m_txtAddress},
            {&DowsingRecord::City, m_txtCity, nullptr},
            {&DowsingRecord::State, m_txtState, nullptr},
            {&DowsingRecord::Pin, m_txtPin, nullptr},
            {&DowsingRecord::Phone_No, m_txtPhNo, nullptr},
            {&DowsingRecord::Email, m_txtEmail, nullptr},
            {&DowsingRecord::Location_Dowsing_Occured, m_txtLocationDowsingFor, nullptr},
            {&DowsingRecord::Notes, nullptr, m_txtNotes}};
}

DowsingRecord EntryWindow::recordToUpdate() const
{
    DowsingRecord record = formRecord();
    // A date or time the user left alone is written as stored, even where
    // the selectors could not show it exactly.
    if (dateSelection() == m_edit->dateShown)
        record.Date = m_edit->storedDate;
    if (timeSelection() == m_edit->timeShown)
        record.Time_Dowsing_Occured = m_edit->storedTime;
    return record;
}

void EntryWindow::refuseSave(const QString &reason)
{
    Refusals::show(this, Refusals::recordNotSaved(reason));
}

void EntryWindow::saveEntry()
{
    if (isUpdateMode())
        updateRecord();
    else
        addRecord();
}

void EntryWindow::addRecord()
{
    DowsingRecord record = formRecord();
    if (!record.Date.isValid() || !m_entryRecords->add(record)) {
        // The form, its page and its mode stay as they are.
        refuseSave(record.Date.isValid() ? m_entryRecords->errorText() : invalidDateReason());
        return;
    }
    say(this, m_entryRecords->withNotice(QStringLiteral("Record Saved Succesfully !")));
    clearForm();
    markEntrySaved();
    bringToFront(m_fraCustomersDetails);
    setPagesEnabled(false);
}

void EntryWindow::updateRecord()
{
    DowsingRecord record = recordToUpdate();
    if (!record.Date.isValid()) {
        refuseSave(invalidDateReason());
        return;
    }
    for (;;) {
        switch (m_entryRecords->update(m_edit->original, record)) {
        case RecordStore::ChangeResult::Done:
            say(this, m_entryRecords->withNotice(QStringLiteral("Record Edited Succesfully !")));
            clearForm();
            leaveUpdateMode();
            markEntrySaved();
            bringToFront(m_fraCustomersDetails);
            setPagesEnabled(false);
            emit recordUpdated();
            return;
        case RecordStore::ChangeResult::Failed:
            // The changes and update mode stay, to be saved again or left.
            refuseSave(m_entryRecords->errorText());
            return;
        case RecordStore::ChangeResult::Gone:
            // Removed meanwhile: there is nothing left to update, so the
            // form goes back to add mode with what the user entered, which
            // can be saved as a new record or cleared.
            leaveUpdateMode();
            refuseSave(m_entryRecords->errorText()
                       + QStringLiteral("\rWhat you entered is kept: press Add to save it as "
                                        "a new record."));
            return;
        case RecordStore::ChangeResult::ChangedElsewhere: {
            const DowsingRecord now = *m_entryRecords->storedNow();
            if (!confirmWritingOver(now))
                return;
            // Only what the user changed goes over what the record holds
            // now; the rest keeps the other program's values.
            record = RecordDifference::merge(m_edit->original, record, now);
            m_edit->original = now;
            break;
        }
        }
    }
}

bool EntryWindow::confirmWritingOver(const DowsingRecord &now)
{
    return platform().messages->show(
                   this,
                   RecordDifference::changedHeading()
                           + QStringLiteral(", So Your Changes Have Not Been Written Yet.\r\r")
                           + RecordDifference::describe(m_edit->original, now)
                           + QStringLiteral("\rWrite Your Changes Into It ? The Fields You Did "
                                            "Not Change Keep What It Holds Now."),
                   MessageBoxes::Icon::Information, MessageBoxes::Buttons::YesNo,
                   MessageBoxes::Answer::No)
            == MessageBoxes::Answer::Yes;
}

QString EntryWindow::invalidDateReason()
{
    return QStringLiteral("The Date Is Not A Valid Calendar Date");
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
    dropStoredValues();
    setPagesEnabled(true);

    // Stored values outside the selectors' entries are offered for this
    // edit, so that the form shows the record as it is stored.
    const Selectors::DateParts date = Selectors::splitListedDate(dateText);
    if (!date.year.isEmpty())
        offerStoredValue(m_cmbYear, date.year);
    const Selectors::TimeParts time = Selectors::splitListedTime(timeText);
    offerStoredValue(m_cmbHour, time.hour);
    offerStoredValue(m_cmbMinute, time.minute);
    showRecord(record, dateText, timeText);
    // The edit begins at the record's first field, whatever page was in
    // front and wherever the keyboard was in the window that asked for it.
    bringToFront(m_fraCustomersDetails);
    m_txtName->setFocus(Qt::OtherFocusReason);

    // The date and time as listed are what the form shows of the record.
    const QDate listed = Selectors::composeDate(Selectors::numberIn(date.month).value_or(0),
                                                date.day, date.year);
    m_edit = Edit{record, listed.isValid() ? listed : record.Date, timeText, dateSelection(),
                  timeSelection()};
    showMode();
    markEntrySaved();
}

void EntryWindow::offerStoredValue(QComboBox *list, const QString &text)
{
    if (list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        return;
    // Years keep their order; an odd hour or minute goes last.
    int at = list->count();
    const auto number = Selectors::numberIn(text);
    const auto first = Selectors::numberIn(list->itemText(0));
    if (list == m_cmbYear && number && first && *number < *first)
        at = 0;
    list->insertItem(at, text);
    m_storedValueEntries.append({list, at});
}

void EntryWindow::dropStoredValues()
{
    // Latest first, so that each recorded position is still right.
    while (!m_storedValueEntries.isEmpty()) {
        const auto [list, at] = m_storedValueEntries.takeLast();
        list->removeItem(at);
    }
}

QStringList EntryWindow::dateSelection() const
{
    return {m_cmbMonth->currentText(), m_cmbDate->currentText(), m_cmbYear->currentText()};
}

QStringList EntryWindow::timeSelection() const
{
    return {m_cmbHour->currentText(), m_cmbMinute->currentText()};
}

// --- Showing a stored record ----------------------------------------------

void EntryWindow::showRecord(const DowsingRecord &record, const QString &dateText,
                         const QString &timeText)
{
    const Selectors::DateParts date = Selectors::splitListedDate(dateText);
    selectNumbered(m_cmbMonth, date.month);
    const Selectors::TimeParts time = Selectors::splitListedTime(timeText);
    selectNumbered(m_cmbDate, date.day);
    selectText(m_cmbYear, date.year);
    selectText(m_cmbHour, time.hour);
    selectText(m_cmbMinute, time.minute);

    // Put in as stored: the typing filters do not apply.
    for (const TextBox &box : textBoxes()) {
        if (box.line)
            box.line->setText(record.*box.member);
        else
            box.lines->setPlainText(record.*box.member);
    }
    m_tool->list()->setEditText(record.Dowsing_Tool);
    m_item->list()->setEditText(record.Item_Dowsing_For);

    m_cmbAMPM->setCurrentIndex(m_cmbHour->currentIndex() >= Selectors::kFirstPmHourIndex ? 1 : 0);
}

} // namespace Orvane
