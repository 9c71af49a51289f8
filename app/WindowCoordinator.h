#pragma once

#include "platform/MessageBoxes.h"
#include "store/DeletedRecords.h"
#include "store/DowsingRecord.h"
#include "widgets/SelectedRecord.h"

#include <QObject>
#include <QPointer>

namespace Orvane {

class FrameWindow;
class RecordListWindow;
class EntryWindow;
class RecordViewWindow;
class RecordTransfer;
class CustomersWindow;
class StatisticsWindow;
struct CustomerId;
struct FindRequest;
class DailyBackup;

// Holds the frame's three child windows and the record chosen in the list,
// and carries out every hand-over between the windows: the windows only say
// what the user asked for, and never show, hide or call one another.
//
// Exactly one child is on show at a time. The list is loaded on first use
// and unloaded whenever the user leaves it for the entry window, so that it
// reads the table afresh the next time; the record view is loaded on first
// use and then only hidden. When the list is read afresh after an update or
// a delete, the coordinator carries its ListState (find text, sort, find bar,
// current record) over to the new list.
class WindowCoordinator : public QObject
{
    Q_OBJECT

public:
    explicit WindowCoordinator(FrameWindow &frame);
    ~WindowCoordinator() override;

    // Runs the update reminder, then loads the entry window and shows it.
    // False when the database cannot be used: the entry window said why and
    // is unloaded (which shows the exit screen).
    bool loadEntryWindow();

    // The entry window while it is loaded, else null.
    EntryWindow *entryWindow() const;
    // The list window, loaded (and its table read) on first use.
    RecordListWindow *listWindow();
    bool isListLoaded() const { return !m_list.isNull(); }
    // The record view window, loaded on first use.
    RecordViewWindow *recordView();
    bool isRecordViewLoaded() const { return !m_view.isNull(); }
    const SelectedRecord &selectedRecord() const { return m_selected; }

    // True when nothing typed into the entry window would be lost, or the
    // user agreed to leave it.
    bool confirmLeaving();
    void unloadEntryWindow();
    void unloadListWindow();

    // The entry window hides; the list shows (read afresh when it was not
    // loaded).
    void showAllRecords();
    // As showAllRecords(), with the list's find bar on show and focused.
    void showFindRecords();
    // The entry window shows; the list is unloaded.
    void backToEntry();
    // The chosen record's report replaces the list.
    void showReport(const DowsingRecord &record, const QString &listedDate);
    // The list shows again as it was left.
    void backToList();
    // The record goes into the entry window in update mode, after asking
    // before anything typed there is replaced.
    void startEdit(const DowsingRecord &record, const QString &dateText,
                    const QString &timeText);
    // The entry window shows as it was, with the message.
    void refuseEdit(const QString &message, MessageBoxes::Icon icon);
    // After a record was changed or removed: the list, read afresh, with the
    // find text, sort and find bar it had. currentKey: the record to make
    // current (the first row when it is not shown); -1 keeps the one that
    // was current.
    void showFreshList(qint64 currentKey = -1);
    // After the update of the selected record: it stays current.
    void showListAfterUpdate();
    // After the selected record was deleted: the record that followed it
    // in the list is current, else the one before.
    void showListAfterDelete();
    // The list's File > Deleted Records: the kept deleted records, over
    // the list; what was put back is current in the list read afresh.
    void showDeletedRecords();
    // The list's File > Undo Delete: the record this run deleted last put
    // back (or, where none, the one the file kept last, once the user
    // agreed), current in the list read afresh.
    void undoDelete();
    // File > Customers, from the entry window or the list: the customers
    // window, read afresh, replaces from; its Back shows from again.
    void showCustomers(QWidget *from);
    // A customer chosen there: the list (read afresh when it was not
    // loaded) with only their records.
    void showCustomerRecords(const CustomerId &customer);
    // File > Statistics: the statistics of the records request finds,
    // replacing from, whose Back shows from again.
    void showStatistics(QWidget *from, const FindRequest &request, const QString &scope);
    CustomersWindow *customersWindow() const;
    StatisticsWindow *statisticsWindow() const;
    // Shows the exit screen and closes the frame with its windows.
    void exitProgram();
    // F1: the user guide in a window of its own, brought to the front when
    // it is open already.
    void showUserGuide();
    QWidget *userGuide() const { return m_guide; }
    // File > Export, Import and Back Up, over the program's database.
    RecordTransfer &transfer();
    // Today's automatic back-up, begun once the frame first painted; null
    // before the entry window loaded.
    DailyBackup *dailyBackup() const { return m_backup; }

private:
    void connectEntryWindow();
    // The window a Back shows: from while it is loaded, else the entry
    // window.
    QWidget *returnTo(QWidget *from) const;
    void unloadCustomers();
    void unloadStatistics();

    FrameWindow &m_frame;
    QPointer<EntryWindow> m_entry;
    QPointer<RecordListWindow> m_list;
    QPointer<RecordViewWindow> m_view;
    // Loaded for each showing, unloaded by their Back.
    QPointer<CustomersWindow> m_customers;
    QPointer<StatisticsWindow> m_statistics;
    // The windows their Back shows again.
    QPointer<QWidget> m_customersFrom;
    QPointer<QWidget> m_statisticsFrom;
    QPointer<QWidget> m_guide;
    SelectedRecord m_selected;
    RecordTransfer *m_transfer = nullptr;
    DailyBackup *m_backup = nullptr;
    // The list shows records as they were before another program changed
    // them: it is read afresh before it shows again.
    bool m_listOutdated = false;
    // The records this run deleted, the last at the back, as the file
    // keeps them: File > Undo Delete puts back exactly these.
    QVector<DeletedRecord> m_deletedHere;
    // A file without the find index is offered it once a run.
    bool m_findIndexOffered = false;
};

} // namespace Orvane
