#include "frmMain.h"

#include "widgets/FieldFilters.h"
#include "widgets/FilteredLineEdit.h"
#include "HintLine.h"
#include "Selectors.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
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

frmMain::frmMain(QWidget *parent)
    : ChildForm(parent)
    , m_entryRecords(std::make_unique<RecordStore>())
{
    setObjectName(QStringLiteral("frmMain"));
    buildControls();
    buildMenus();
    connectControls();
}

frmMain::~frmMain() = default;

void frmMain::connectControls()
{
    connect(cmAddNewRecord, &QPushButton::clicked, this, [this] { cmAddNewRecord_Click(); });
    connect(cmdViewAllrecords, &QPushButton::clicked, this,
            [this] { cmdViewAllrecords_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    connect(m_hintLine, &HintLine::label1Clicked, this, [this] { Label1_Click(); });

    connect(cmdCustomersDetailsNext, &QPushButton::clicked, this,
            [this] { cmdCustomersDetailsNext_Click(); });
    connect(cmdToolsBack, &QPushButton::clicked, this, [this] { cmdToolsBack_Click(); });
    connect(cmdToolsNext, &QPushButton::clicked, this, [this] { cmdToolsNext_Click(); });
    connect(cmdNotesBack, &QPushButton::clicked, this, [this] { cmdNotesBack_Click(); });
    connect(cmdadd, &QPushButton::clicked, this, [this] { cmdadd_Click(); });

    // A selection runs the handler whether the program or the user made it;
    // choosing the entry that is already selected (from the drop-down or
    // the keyboard) runs it too. A user's change raises both signals: the
    // handlers give the same result when run twice.
    connect(cmbDowsingTool, &QComboBox::currentIndexChanged, this,
            [this] { cmbDowsingTool_Click(); });
    connect(cmbDowsingTool, &QComboBox::activated, this, [this] { cmbDowsingTool_Click(); });
    connect(cmbItemDowsingFor, &QComboBox::currentIndexChanged, this,
            [this] { cmbItemDowsingFor_Click(); });
    connect(cmbItemDowsingFor, &QComboBox::activated, this,
            [this] { cmbItemDowsingFor_Click(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdOkItemDowsing, &QPushButton::clicked, this, [this] { cmdOkItemDowsing_Click(); });
    connect(cmdCancelItemDowsing, &QPushButton::clicked, this,
            [this] { cmdCancelItemDowsing_Click(); });

    connect(m_menus.mnuAddNewRecor, &QAction::triggered, this, [this] { mnuAddNewRecor_Click(); });
    connect(m_menus.mnuViewAll, &QAction::triggered, this, [this] { mnuViewAll_Click(); });
    connect(m_menus.mnuExit, &QAction::triggered, this, [this] { mnuExit_Click(); });
    connect(m_menus.mnuOnline, &QAction::triggered, this, [this] { mnuOnline_Click(); });
    connect(m_menus.mnuVisit, &QAction::triggered, this, [this] { mnuVisit_Click(); });
    connect(m_menus.mnuUpdate, &QAction::triggered, this, [this] { mnuUpdate_Click(); });
    connect(m_menus.mnuAbout, &QAction::triggered, this, [this] { mnuAbout_Click(); });
    connect(m_menus.mnuDonate, &QAction::triggered, this, [this] { mnuDonate_Click(); });
    connect(m_menus.mnumakemoney, &QAction::triggered, this, [this] { mnumakemoney_Click(); });
}

QList<QMenu *> frmMain::menus() const
{
    return m_menus.titles();
}

// --- Load and unload -------------------------------------------------------

bool frmMain::Form_Load()
{
    const QString path = RecordStore::databasePath(platform().programFolder);
    QString problem;
    if (!RecordStore::isPresent(path)) {
        problem = QStringLiteral("Required File Is Missing\rPlease Reinstall Software");
    } else {
        switch (m_entryRecords->open(path)) {
        case RecordStore::OpenResult::Opened:
            break;
        case RecordStore::OpenResult::Missing:
            problem = QStringLiteral("Required File Is Missing\rPlease Reinstall Software");
            break;
        case RecordStore::OpenResult::Unusable:
            problem = QStringLiteral("Required File Cannot Be Opened\r")
                    + m_entryRecords->errorText();
            break;
        }
    }
    if (!problem.isEmpty()) {
        say(this, problem, MessageBoxes::Icon::Critical);
        return false;
    }
    watchFileCheck();

    fillSelectors();
    selectFirstEntries();
    bringToFront(fraCustomersDetails);
    lockPages();
    markEntrySaved();
    return true;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    emit unloaded();
}

// --- Selectors ----------------------------------------------------------

void frmMain::fillSelectors()
{
    for (QComboBox *list : {cmbHour, cmbMinute, cmbMonth, cmbDate, cmbYear})
        list->clear();
    cmbHour->addItems(Selectors::hours());
    cmbMinute->addItems(Selectors::minutes());
    cmbMonth->addItems(Selectors::months());
    cmbDate->addItems(Selectors::days());
    cmbYear->addItems(Selectors::years());
}

void frmMain::selectFirstEntries()
{
    cmbMonth->setCurrentIndex(0);
    cmbDate->setCurrentIndex(0);
    cmbYear->setCurrentIndex(0);
    cmbHour->setCurrentIndex(0);
    cmbMinute->setCurrentIndex(0);
    selectTool(0);
    selectItem(0);
    cmbAMPM->setCurrentIndex(0);
}

void frmMain::selectTool(int index)
{
    const bool same = cmbDowsingTool->currentIndex() == index;
    cmbDowsingTool->setCurrentIndex(index);
    // The list's text may have been typed over while the entry stayed
    // selected: selecting shows the entry again.
    cmbDowsingTool->setEditText(cmbDowsingTool->itemText(index));
    if (same)
        cmbDowsingTool_Click();
}

void frmMain::selectItem(int index)
{
    const bool same = cmbItemDowsingFor->currentIndex() == index;
    cmbItemDowsingFor->setCurrentIndex(index);
    cmbItemDowsingFor->setEditText(cmbItemDowsingFor->itemText(index));
    if (same)
        cmbItemDowsingFor_Click();
}

void frmMain::cmbDowsingTool_Click()
{
    fraItemDowsing->hide();
    if (cmbDowsingTool->currentIndex() == Selectors::kOtherToolIndex) {
        fraDowsingTool->show();
        fraDowsingTool->raise();
        txtDowsingTool->setFocus();
    }
}

void frmMain::cmbItemDowsingFor_Click()
{
    fraDowsingTool->hide();
    if (cmbItemDowsingFor->currentIndex() == Selectors::kOtherItemIndex) {
        fraItemDowsing->show();
        fraItemDowsing->raise();
        txtItemDowsing->setFocus();
    }
}

void frmMain::cmdOk_Click()
{
    if (FieldFilters::nameIsEmpty(txtDowsingTool->text())) {
        say(this, QStringLiteral("Please Enter Dowsing Tool !"));
        txtDowsingTool->setFocus();
        return;
    }
    // Shown, not added to the list's entries.
    cmbDowsingTool->setEditText(txtDowsingTool->text());
    fraDowsingTool->hide();
    cmbDowsingTool->setFocus();
}

void frmMain::cmdCancel_Click()
{
    fraDowsingTool->hide();
    selectTool(0);
    cmbDowsingTool->setFocus();
}

void frmMain::cmdOkItemDowsing_Click()
{
    if (FieldFilters::nameIsEmpty(txtItemDowsing->text())) {
        say(this, QStringLiteral("Please Enter Dowsing Item !"));
        txtItemDowsing->setFocus();
        return;
    }
    cmbItemDowsingFor->setEditText(txtItemDowsing->text());
    fraItemDowsing->hide();
    cmbItemDowsingFor->setFocus();
}

void frmMain::cmdCancelItemDowsing_Click()
{
    fraItemDowsing->hide();
    selectItem(0);
    cmbItemDowsingFor->setFocus();
}

// --- Pages -------------------------------------------------------------

void frmMain::bringToFront(QGroupBox *page)
{
    m_pages->setCurrentWidget(page);
}

void frmMain::lockPages()
{
    fraTools->setEnabled(false);
    fraNotes->setEnabled(false);
    fraCustomersDetails->setEnabled(false);
}

void frmMain::setPagesEnabled(bool enabled)
{
    fraCustomersDetails->setEnabled(enabled);
    fraTools->setEnabled(enabled);
    fraNotes->setEnabled(enabled);
}

void frmMain::showMode()
{
    cmdadd->setText(isUpdateMode() ? kUpdateCaption : kAddCaption);
    cmAddNewRecord->setVisible(!isUpdateMode());
    m_menus.mnuAddNewRecor->setVisible(!isUpdateMode());
}

void frmMain::cmAddNewRecord_Click()
{
    // Hidden in update mode; should it be reached all the same, a new
    // record starts on an empty form, never over the record being edited.
    if (isUpdateMode()) {
        if (!confirmDiscardingEntry(QStringLiteral("Do You Want To Start A New Record Anyway ?")))
            return;
        ClearEntryForm();
        leaveUpdateMode();
        markEntrySaved();
    }
    bringToFront(fraCustomersDetails);
    setPagesEnabled(true);
    txtName->setFocus();
}

void frmMain::cmdCustomersDetailsNext_Click()
{
    if (!FieldFilters::emailPasses(txtEmail->text())) {
        say(this, FieldFilters::emailMessage());
        bringToFront(fraCustomersDetails);
        txtEmail->setFocus();
        return;
    }
    bringToFront(fraTools);
}

void frmMain::cmdToolsBack_Click()
{
    bringToFront(fraCustomersDetails);
}

void frmMain::cmdToolsNext_Click()
{
    bringToFront(fraNotes);
}

void frmMain::cmdNotesBack_Click()
{
    bringToFront(fraTools);
}

void frmMain::ClearEntryForm()
{
    dropStoredValues();
    cmbDate->setCurrentIndex(0);
    cmbMonth->setCurrentIndex(0);
    cmbYear->setCurrentIndex(0);
    for (QLineEdit *box : {static_cast<QLineEdit *>(txtName), static_cast<QLineEdit *>(txtCity),
                           static_cast<QLineEdit *>(txtState), txtPin,
                           static_cast<QLineEdit *>(txtPhNo), txtEmail})
        box->clear();
    txtAddress->clear();
    cmbHour->setCurrentIndex(0);
    cmbMinute->setCurrentIndex(0);
    selectTool(0);
    selectItem(0);
    txtLocationDowsingFor->clear();
    txtNotes->clear();
}

// --- Windows and menus ------------------------------------------------------

void frmMain::cmdViewAllrecords_Click()
{
    emit allRecordsRequested();
}

void frmMain::cmdExit_Click()
{
    if (confirmLeaving())
        emit exitRequested();
}

void frmMain::Label1_Click()
{
    emit webPageRequested(QStringLiteral("co-brand"));
}

void frmMain::mnuAddNewRecor_Click()
{
    cmAddNewRecord_Click();
}

void frmMain::mnuViewAll_Click()
{
    cmdViewAllrecords_Click();
}

void frmMain::mnuExit_Click()
{
    cmdExit_Click();
}

void frmMain::mnuOnline_Click()
{
    emit webPageRequested(QStringLiteral("help-web-page"));
}

void frmMain::mnuVisit_Click()
{
    emit webPageRequested(QStringLiteral("home-page"));
}

void frmMain::mnuUpdate_Click()
{
    emit webPageRequested(QStringLiteral("download-web-page"));
}

void frmMain::mnuAbout_Click()
{
    emit aboutRequested();
}

void frmMain::mnuDonate_Click()
{
    emit webPageRequested(QStringLiteral("donate"));
}

void frmMain::mnumakemoney_Click()
{
    emit webPageRequested(QStringLiteral("fully-branded"));
}

// --- Saving -------------------------------------------------------------

std::optional<qint64> frmMain::updateIdNumber() const
{
    if (!m_edit)
        return std::nullopt;
    return m_edit->idNumber;
}

// --- Unsaved input ------------------------------------------------------------

QStringList frmMain::entryTexts() const
{
    const DowsingRecord r = formRecord();
    // The date by its parts, as it may not be a calendar date yet.
    return {cmbMonth->currentText(), cmbDate->currentText(), cmbYear->currentText(),
            r.Name, r.Address, r.City, r.State, r.Pin, r.Phone_No, r.Email,
            r.Time_Dowsing_Occured, r.Dowsing_Tool, r.Item_Dowsing_For,
            r.Location_Dowsing_Occured, r.Notes};
}

void frmMain::markEntrySaved()
{
    m_savedEntry = entryTexts();
}

bool frmMain::hasUnsavedEntry() const
{
    return entryTexts() != m_savedEntry;
}

bool frmMain::confirmDiscardingEntry(const QString &question)
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

bool frmMain::confirmLeaving()
{
    if (!m_leavingAgreed)
        m_leavingAgreed = confirmDiscardingEntry(QStringLiteral("Do You Want To Exit Anyway ?"));
    return m_leavingAgreed;
}

DowsingRecord frmMain::formRecord() const
{
    DowsingRecord r;
    r.Date = Selectors::composeDate(cmbMonth->currentIndex() + 1, cmbDate->currentText(),
                                    cmbYear->currentText());
    r.Name = txtName->text();
    r.Address = txtAddress->toPlainText();
    r.City = txtCity->text();
    r.State = txtState->text();
    r.Pin = txtPin->text();
    r.Phone_No = txtPhNo->text();
    r.Email = txtEmail->text();
    r.Time_Dowsing_Occured = Selectors::composeTime(cmbHour->currentText(),
                                                    cmbMinute->currentText());
    r.Dowsing_Tool = cmbDowsingTool->currentText();
    r.Item_Dowsing_For = cmbItemDowsingFor->currentText();
    r.Location_Dowsing_Occured = txtLocationDowsingFor->text();
    r.Notes = txtNotes->toPlainText();
    return r;
}

bool frmMain::load(QString *reason)
{
    DowsingRecord record = formRecord();
    if (isUpdateMode()) {
        // A date or time the user left alone is written as stored, even
        // where the selectors could not show it exactly.
        if (dateSelection() == m_edit->dateShown)
            record.Date = m_edit->storedDate;
        if (timeSelection() == m_edit->timeShown)
            record.Time_Dowsing_Occured = m_edit->storedTime;
    }
    QString why;
    bool written = false;
    if (!record.Date.isValid()) {
        why = QStringLiteral("The Date Is Not A Valid Calendar Date");
    } else if (isUpdateMode()) {
        record.IdNumber = m_edit->idNumber;
        written = m_entryRecords->update(record);
    } else {
        written = m_entryRecords->add(record);
    }
    if (!written && why.isEmpty())
        why = m_entryRecords->errorText();
    if (reason)
        *reason = why;
    return written;
}

void frmMain::refuseSave(const QString &reason)
{
    say(this, QStringLiteral("Record Not Saved !\r") + reason, MessageBoxes::Icon::Critical);
}

void frmMain::cmdadd_Click()
{
    if (isUpdateMode())
        updateRecord();
    else
        addRecord();
}

void frmMain::addRecord()
{
    QString reason;
    if (!load(&reason)) {
        // The form, its page and its mode stay as they are.
        refuseSave(reason);
        return;
    }
    say(this, QStringLiteral("Record Saved Succesfully !"));
    ClearEntryForm();
    markEntrySaved();
    bringToFront(fraCustomersDetails);
    lockPages();
}

void frmMain::updateRecord()
{
    QString reason;
    if (!load(&reason)) {
        const qint64 id = m_edit->idNumber;
        if (m_entryRecords->find(id) || !m_entryRecords->errorText().isEmpty()) {
            // The changes and update mode stay, to be saved again or left.
            refuseSave(reason);
            return;
        }
        // The record is gone (removed meanwhile): there is nothing left to
        // update, so the form goes back to add mode with what the user
        // entered, which can be saved as a new record or cleared.
        leaveUpdateMode();
        refuseSave(reason
                   + QStringLiteral("\rWhat you entered is kept: press Add to save it as a new "
                                    "record."));
        return;
    }
    say(this, QStringLiteral("Record Edited Succesfully !"));
    ClearEntryForm();
    leaveUpdateMode();
    markEntrySaved();
    bringToFront(fraCustomersDetails);
    fraCustomersDetails->setEnabled(false);
    fraTools->setEnabled(false);
    fraNotes->setEnabled(false);

    emit recordUpdated();
}

void frmMain::leaveUpdateMode()
{
    // Entries added for the stored values stay until the form is cleared:
    // the form may still show them.
    m_edit.reset();
    showMode();
}

void frmMain::beginEdit(const DowsingRecord &record, const QString &dateText,
                        const QString &timeText)
{
    dropStoredValues();
    setPagesEnabled(true);

    // Stored values outside the selectors' entries are offered for this
    // edit, so that the form shows the record as it is stored.
    const Selectors::DateParts date = Selectors::splitListedDate(dateText);
    if (!date.year.isEmpty())
        offerStoredValue(cmbYear, date.year);
    const Selectors::TimeParts time = Selectors::splitListedTime(timeText);
    offerStoredValue(cmbHour, time.hour);
    offerStoredValue(cmbMinute, time.minute);
    showRecord(record, dateText, timeText);

    // The date and time as listed are what the form shows of the record.
    const QDate listed = Selectors::composeDate(Selectors::numberIn(date.month).value_or(0),
                                                date.day, date.year);
    m_edit = Edit{record.IdNumber.value_or(0), listed.isValid() ? listed : record.Date, timeText,
                  dateSelection(), timeSelection()};
    showMode();
    markEntrySaved();
}

void frmMain::offerStoredValue(QComboBox *list, const QString &text)
{
    if (list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        return;
    // Years keep their order; an odd hour or minute goes last.
    int at = list->count();
    const auto number = Selectors::numberIn(text);
    const auto first = Selectors::numberIn(list->itemText(0));
    if (list == cmbYear && number && first && *number < *first)
        at = 0;
    list->insertItem(at, text);
    m_storedValueEntries.append({list, at});
}

void frmMain::dropStoredValues()
{
    // Latest first, so that each recorded position is still right.
    while (!m_storedValueEntries.isEmpty()) {
        const auto [list, at] = m_storedValueEntries.takeLast();
        list->removeItem(at);
    }
}

QStringList frmMain::dateSelection() const
{
    return {cmbMonth->currentText(), cmbDate->currentText(), cmbYear->currentText()};
}

QStringList frmMain::timeSelection() const
{
    return {cmbHour->currentText(), cmbMinute->currentText()};
}

// --- Showing a stored record ----------------------------------------------

void frmMain::showRecord(const DowsingRecord &record, const QString &dateText,
                         const QString &timeText)
{
    const Selectors::DateParts date = Selectors::splitListedDate(dateText);
    selectNumbered(cmbMonth, date.month);
    const Selectors::TimeParts time = Selectors::splitListedTime(timeText);
    selectNumbered(cmbDate, date.day);
    selectText(cmbYear, date.year);
    selectText(cmbHour, time.hour);
    selectText(cmbMinute, time.minute);

    // Put in as stored: the typing filters do not apply.
    txtName->setText(record.Name);
    txtAddress->setPlainText(record.Address);
    txtCity->setText(record.City);
    txtState->setText(record.State);
    txtPin->setText(record.Pin);
    txtPhNo->setText(record.Phone_No);
    txtEmail->setText(record.Email);
    cmbDowsingTool->setEditText(record.Dowsing_Tool);
    cmbItemDowsingFor->setEditText(record.Item_Dowsing_For);
    txtLocationDowsingFor->setText(record.Location_Dowsing_Occured);
    txtNotes->setPlainText(record.Notes);

    cmbAMPM->setCurrentIndex(cmbHour->currentIndex() >= Selectors::kFirstPmHourIndex ? 1 : 0);
}

} // namespace Orvane
