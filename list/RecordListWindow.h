#pragma once

#include "widgets/MdiChild.h"
#include "store/DowsingRecord.h"
#include "store/RecordFinder.h"

#include <QVector>

#include <memory>
#include <optional>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;

namespace Orvane {

class FindBar;
struct GridSorting;
class ListQuery;
class RecordListModel;
class RecordStore;

// What the user made of the list, kept while the window is unloaded and
// loaded again (after an update or a delete): the find text and sort, the
// find bar on show or not, and the record to make current (-1: the first).
struct ListState
{
    FindRequest request;
    bool barShown = false;
    qint64 currentKey = -1;
};

// The list of every stored record in a grid; a double-click asks for the
// record's report.
//
// A find bar (Ctrl+F, hidden at first) shows only the records holding the
// text typed; a click on a column's header sorts by it, ascending, then
// descending, then in the order of addition again. The ListQuery runs the
// finds and sorts on a thread of their own, so typing never waits; only the
// result of the latest request is shown, with the same record current when
// it is still in the list.
//
// The window reads the table once, when it is loaded, through a connection
// of its own, and never writes. It is unloaded when the user goes back, so
// the next showing reads the table afresh.
class RecordListWindow : public MdiChild
{
    Q_OBJECT

public:
    explicit RecordListWindow(QWidget *parent = nullptr);
    ~RecordListWindow() override;

    // Reads the table and fills the grid with the first row current. An
    // empty table is reported and leaves the grid disabled.
    void readRecords();
    // Asks to go back to the entry window and closes the list's connection.
    void goBack();
    // Reads the grid's current row afresh and hands it on as the chosen
    // record. Does nothing while the grid is disabled.
    void openCurrentRecord();

    QList<QMenu *> menus() const override;

    // Shows the find bar and puts the cursor in its box.
    void showFindBar();
    // Hides the find bar; every record shows again, in the same sort.
    void closeFindBar();
    // Shows only the customer's records, in the sort the list has, with
    // the find bar on show saying whose they are ("Customer: JOHN SMITH,
    // 0123.456"); the bar's text finds among them, and closing the bar
    // shows every record again.
    void showCustomer(const CustomerId &customer);
    // What the find bar says of a customer's records.
    static QString captionOf(const CustomerId &customer);
    bool isFindBarShown() const { return m_barShown; }
    // Sorts by a column (RecordListModel's numbers), or in the order of
    // addition for -1.
    void setSort(int column, bool descending = false);
    // A column's next sort: ascending, descending, order of addition.
    void cycleSort(int column);
    // What the list was last asked to show.
    const FindRequest &request() const;
    // A find or sort is running; its result is not shown yet.
    bool isSearching() const;
    // The keys shown in order, or nullopt when every record shows in the
    // order of addition.
    std::optional<QVector<qint64>> shownKeys() const;
    // The key of the current row, or -1.
    qint64 currentKey() const;
    // The shown record after this one, else the one before, else -1.
    qint64 neighbourOf(qint64 key) const;
    ListState state() const;
    // Puts the find text, sort and bar back, with the record to make
    // current; call after readRecords().
    void applyState(const ListState &state);
    // Stops the search under way, if any; its result is not shown.
    void stopSearch();
    // Finds and sorts again as last asked, with the record that is current.
    void searchAgain();

signals:
    // row: the record's position in the list; listedDate: its date as the
    // grid shows it.
    void recordChosen(const Orvane::DowsingRecord &record, const QString &listedDate);
    void backRequested();
    // File > Export Records: the shown records (shownKeys()) are to be
    // exported.
    void exportRequested();
    // File > Undo Delete: the record deleted last is to be put back.
    void undoDeleteRequested();
    // File > Deleted Records: the kept deleted records are to be shown.
    void deletedRecordsRequested();
    // File > Customers and File > Statistics (of the records shown).
    void customersRequested();
    void statisticsRequested();
    // A find's or sort's result is shown (or every record again).
    void resultShown();
    // The find index did not fit the table (another program wrote it, or
    // it is damaged): the search read the records instead, and the index
    // wants building anew.
    void findIndexUnsound();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    // The File menu (RecordListWindowMenus.cpp).
    void buildMenus();
    // Sorting from the header, its menu and the keyboard
    // (RecordListWindowSort.cpp).
    void buildSorting();
    void setUpColumns();
    void disableGrid();
    void buildFindBar();
    void connectQuery();
    // The model shows a result: the record with this key is made current.
    void showFound(qint64 key);
    void selectKey(qint64 key, int column);
    void updateCount();
    void updateSortIndicator();
    void showSortMenu(const QPoint &globalPos, int column);
    GridSorting sorting();
    int currentColumn() const;

    std::unique_ptr<RecordStore> m_listConnection;
    std::unique_ptr<RecordListModel> m_listRecords;
    // The find text and sort, their searches and results.
    std::unique_ptr<ListQuery> m_query;
    int m_columnBeforeReset = 0;
    bool m_barShown = false;
    bool m_focusFindOnShow = false;

    QGroupBox *m_frmFourItem = nullptr;
    QLabel *m_Label2 = nullptr;
    QLabel *m_gridCaption = nullptr;
    QTableView *m_DataGrid = nullptr;
    QLabel *m_Label1 = nullptr;
    QPushButton *m_cmdBack = nullptr;
    QMenu *m_mnuFile = nullptr;
    QAction *m_mnuPrint = nullptr;
    QAction *m_mnuBack = nullptr;
    QAction *m_mnuFindRecords = nullptr;
    QAction *m_mnuExportShown = nullptr;
    QAction *m_mnuUndoDelete = nullptr;
    QAction *m_mnuDeletedRecords = nullptr;
    QAction *m_mnuCustomers = nullptr;
    QAction *m_mnuStatistics = nullptr;
    FindBar *m_findBar = nullptr;
};

} // namespace Orvane
