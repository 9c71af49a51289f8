#include "WindowCoordinator.h"

#include "FrameWindow.h"
#include "AboutBox.h"
#include "AfterFirstPaint.h"
#include "DailyBackup.h"
#include "WebPages.h"
#include "UpdateReminder.h"
#include "ProgramEnd.h"
#include "FindIndexUpgrade.h"
#include "KeptEntry.h"
#include "RecordTransfer.h"
#include "UserGuide.h"

#include "entry/EntryWindow.h"
#include "list/RecordListWindow.h"
#include "platform/Platform.h"
#include "store/RecordStore.h"
#include "view/RecordViewWindow.h"

#include <QTimer>

namespace Orvane {

namespace {

// What statistics of every record say they count.
QString allRecords()
{
    return WindowCoordinator::tr("All records");
}

} // namespace

WindowCoordinator::WindowCoordinator(FrameWindow &frame)
    : QObject(&frame)
    , m_frame(frame)
    , m_transfer(new RecordTransfer(this))
{
}

RecordTransfer &WindowCoordinator::transfer()
{
    return *m_transfer;
}

WindowCoordinator::~WindowCoordinator() = default;

bool WindowCoordinator::loadEntryWindow()
{
    // Run again as the entry window loads; after the start-up's run it
    // neither asks nor writes.
    UpdateReminder::run();
    m_entry = new EntryWindow;
    m_frame.addChild(m_entry);
    connectEntryWindow();
    if (!m_entry->start()) {
        unloadEntryWindow();
        return false;
    }
    m_frame.showChild(m_entry);
    if (!m_findIndexOffered) {
        m_findIndexOffered = true;
        // Once the frame has painted, so that the progress has a window to
        // stand over and the first frame does not wait for the check.
        afterFirstPaint(&m_frame, this, [this] {
            // What a session's end kept aside comes back first, before
            // anything else may ask.
            if (m_entry && !KeptEntry::kept().isEmpty()) {
                m_entry->offerKeptEntry(KeptEntry::kept());
                KeptEntry::forget();
            }
            if (m_entry)
                FindIndexUpgrade::run(m_entry, RecordStore::databasePath(platform().dataFolder));
        });
    }
    if (!m_backup) {
        // Beside the first window, never before it: it starts once the
        // frame has painted, and copies on a thread of its own.
        m_backup = new DailyBackup(this);
        connect(m_backup, &DailyBackup::finished, this,
                [this](DailyBackup::Outcome, const QString &notice) {
                    if (!notice.isEmpty())
                        m_frame.showNotice(notice);
                });
        m_backup->startAfterFirstPaint(&m_frame);
    }
    return true;
}

void WindowCoordinator::connectEntryWindow()
{
    connect(m_entry, &EntryWindow::allRecordsRequested, this, &WindowCoordinator::showAllRecords);
    connect(m_entry, &EntryWindow::findRecordsRequested, this,
            &WindowCoordinator::showFindRecords);
    connect(m_entry, &EntryWindow::customersRequested, this,
            [this] { showCustomers(m_entry); });
    // From the entry window, every record's statistics.
    connect(m_entry, &EntryWindow::statisticsRequested, this,
            [this] { showStatistics(m_entry, FindRequest(), allRecords()); });
    connect(m_entry, &EntryWindow::recordUpdated, this, &WindowCoordinator::showListAfterUpdate);
    // From the entry window every record goes out, in order of addition.
    connect(m_entry, &EntryWindow::exportRequested, this,
            [this] { m_transfer->exportRecords(m_entry, std::nullopt); });
    connect(m_entry, &EntryWindow::importRequested, this,
            [this] { m_transfer->importRecords(m_entry); });
    connect(m_entry, &EntryWindow::backUpRequested, this,
            [this] { m_transfer->backUpDatabase(m_entry); });
    connect(m_entry, &EntryWindow::exitRequested, this, &WindowCoordinator::exitProgram);
    connect(m_entry, &EntryWindow::webPageRequested, this,
            [](const QString &pageKey) { WebPages::open(pageKey); });
    connect(m_entry, &EntryWindow::aboutRequested, this, [this] {
        AboutBox box(m_entry);
        box.exec();
    });
    // However the entry window goes, the exit screen follows; closing it
    // ends the program.
    connect(m_entry, &EntryWindow::unloaded, this, [] { ProgramEnd::showExitScreen(); });
    connect(m_entry, &EntryWindow::findIndexDamaged, this, [this] {
        FindIndexUpgrade::rebuild(m_entry, RecordStore::databasePath(platform().dataFolder));
    });
    connect(m_entry, &EntryWindow::databaseRefused, this, [this] {
        // As at start: the frame goes, and the exit screen follows.
        m_frame.hide();
        unloadEntryWindow();
    });
}

EntryWindow *WindowCoordinator::entryWindow() const
{
    return m_entry;
}

RecordListWindow *WindowCoordinator::listWindow()
{
    if (!m_list) {
        m_list = new RecordListWindow;
        m_frame.addChild(m_list);
        connect(m_list, &RecordListWindow::recordChosen, this, &WindowCoordinator::showReport);
        connect(m_list, &RecordListWindow::backRequested, this, &WindowCoordinator::backToEntry);
        // From the list, the records it shows, in its order.
        connect(m_list, &RecordListWindow::exportRequested, this,
                [this] { m_transfer->exportRecords(m_list, m_list->shownKeys()); });
        connect(m_list, &RecordListWindow::undoDeleteRequested, this,
                &WindowCoordinator::undoDelete);
        connect(m_list, &RecordListWindow::deletedRecordsRequested, this,
                &WindowCoordinator::showDeletedRecords);
        connect(m_list, &RecordListWindow::customersRequested, this,
                [this] { showCustomers(m_list); });
        // From the list, the statistics of the records it shows.
        connect(m_list, &RecordListWindow::statisticsRequested, this, [this] {
            const FindRequest request = m_list->request();
            QString scope = request.customer ? RecordListWindow::captionOf(*request.customer)
                                             : allRecords();
            if (!request.text.isEmpty())
                scope = tr("%1 holding \"%2\"").arg(scope, request.text);
            showStatistics(m_list, request, scope);
        });
        // After the result that found it is on show, never in the middle of
        // a search.
        connect(m_list, &RecordListWindow::findIndexUnsound, this, [this] {
            QTimer::singleShot(0, this, [this] {
                if (!m_list)
                    return;
                m_list->stopSearch();
                FindIndexUpgrade::rebuild(m_list, RecordStore::databasePath(platform().dataFolder));
                if (m_list)
                    m_list->searchAgain();
            });
        });
        m_list->readRecords();
    }
    return m_list;
}

RecordViewWindow *WindowCoordinator::recordView()
{
    if (!m_view) {
        m_view = new RecordViewWindow;
        m_frame.addChild(m_view);
        connect(m_view, &RecordViewWindow::backRequested, this, &WindowCoordinator::backToList);
        connect(m_view, &RecordViewWindow::editRequested, this, &WindowCoordinator::startEdit);
        connect(m_view, &RecordViewWindow::editRefused, this, &WindowCoordinator::refuseEdit);
        connect(m_view, &RecordViewWindow::recordDeleted, this,
                [this](const DeletedRecord &kept) { m_deletedHere.append(kept); });
        connect(m_view, &RecordViewWindow::deleteDone, this,
                &WindowCoordinator::showListAfterDelete);
        connect(m_view, &RecordViewWindow::changedElsewhere, this,
                [this] { m_listOutdated = true; });
    }
    return m_view;
}

bool WindowCoordinator::confirmLeaving()
{
    return !m_entry || m_entry->confirmLeaving();
}

void WindowCoordinator::unloadEntryWindow()
{
    // The entry window goes only as the program ends: a copy under way
    // stops at its next step and removes its temporary file.
    if (m_backup)
        m_backup->cancel();
    QWidget *entry = m_entry;
    m_entry = nullptr;
    m_frame.unloadChild(entry);
}

void WindowCoordinator::unloadListWindow()
{
    QWidget *list = m_list;
    m_list = nullptr;
    m_listOutdated = false;
    m_frame.unloadChild(list);
}

void WindowCoordinator::showAllRecords()
{
    m_frame.hideChild(m_entry);
    m_frame.showChild(listWindow());
}

void WindowCoordinator::showFindRecords()
{
    showAllRecords();
    if (m_list)
        m_list->showFindBar();
}

void WindowCoordinator::backToEntry()
{
    if (m_entry)
        m_frame.showChild(m_entry);
    unloadListWindow();
}

void WindowCoordinator::showReport(const DowsingRecord &record, const QString &listedDate)
{
    m_selected.choose(listedDate, record.Time_Dowsing_Occured, record.IdNumber.value_or(0));
    RecordViewWindow *view = recordView();
    view->showReport(record, m_selected);
    m_frame.hideChild(m_list);
    m_frame.showChild(view);
}

void WindowCoordinator::backToList()
{
    if (m_listOutdated) {
        showFreshList(m_selected.idNumber);
        return;
    }
    m_frame.hideChild(m_view);
    m_frame.showChild(listWindow());
}

void WindowCoordinator::startEdit(const DowsingRecord &record, const QString &dateText,
                                   const QString &timeText)
{
    if (!m_entry
        || !m_entry->confirmDiscardingEntry(
                tr("Do You Want To Replace It With This Dowsing Record ?")))
        return;
    m_frame.showChild(m_entry);
    m_frame.hideChild(m_view);
    m_entry->beginEdit(record, dateText, timeText);
}

void WindowCoordinator::refuseEdit(const QString &message, MessageBoxes::Icon icon)
{
    if (!m_entry)
        return;
    // No edit began: the entry window keeps the mode and the form it had.
    m_frame.showChild(m_entry);
    m_frame.hideChild(m_view);
    platform().messages->show(m_entry, message, icon);
}

void WindowCoordinator::showFreshList(qint64 currentKey)
{
    // The list's state outlives the list: the new one reads the table
    // afresh and puts it back.
    ListState state = m_list ? m_list->state() : ListState{};
    if (currentKey >= 0)
        state.currentKey = currentKey;
    m_frame.hideChild(m_entry);
    m_frame.hideChild(m_view);
    unloadListWindow();
    RecordListWindow *list = listWindow();
    list->applyState(state);
    m_frame.showChild(list);
}

void WindowCoordinator::showListAfterUpdate()
{
    showFreshList(m_selected.idNumber);
}

void WindowCoordinator::showListAfterDelete()
{
    const qint64 next = m_list ? m_list->neighbourOf(m_selected.idNumber) : -1;
    showFreshList(next);
}

void WindowCoordinator::showUserGuide()
{
    if (!m_guide) {
        // A window of its own, left open beside the frame; the program's end
        // unloads it with every other window.
        m_guide = new UserGuide;
        m_guide->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_guide->show();
    m_guide->raise();
    m_guide->activateWindow();
}

void WindowCoordinator::exitProgram()
{
    ProgramEnd::showExitScreen();
    // The frame's unload unloads the entry window with its other children.
    m_frame.close();
    unloadEntryWindow();
}

} // namespace Orvane
