#pragma once

#include "store/CustomerId.h"
#include "store/CustomerTally.h"
#include "widgets/MdiChild.h"

#include <QVector>

#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;

namespace Orvane {

struct GridSorting;

class CustomerModel;
class FindBar;
class RecordStore;
class FinderThread;

// Every customer once (see CustomerTally for how customers are told
// apart): name, phone number and city from the customer's latest record,
// the number of records, the first and the last date. Found as you type and
// sorted by any column as the list is, with the list's find bar and keys;
// Enter or a double-click asks for the customer's records.
//
// The customers are counted, sorted and found on a thread of their own
// (FinderThread), with a busy cursor meanwhile, so that the window shows at
// once and typing never waits; only the result of the latest request is
// shown, with the same customer current when it is still there.
class CustomersWindow : public MdiChild
{
    Q_OBJECT

public:
    explicit CustomersWindow(QWidget *parent = nullptr);
    ~CustomersWindow() override;

    // Opens the window's connection and starts counting the customers.
    void readCustomers();
    // A count, sort, find or a customer's records are being read.
    bool isBusy() const;
    void goBack();
    // Reads the current customer's records and asks for them to be shown.
    void openCurrentCustomer();

    QList<QMenu *> menus() const override;

    void showFindBar();
    void closeFindBar();
    bool isFindBarShown() const { return m_barShown; }
    // Sorts by a column (CustomerTally::Column), or -1 for the order in
    // which the customers' latest records were added.
    void setSort(int column, bool descending = false);
    // A column's next sort: ascending, descending, the order of addition.
    void cycleSort(int column);
    const CustomerRequest &request() const { return m_request; }
    // The key of the current customer's latest record, or -1.
    qint64 currentKey() const;

signals:
    // The records of the chosen customer are to be shown.
    void customerChosen(const Orvane::CustomerId &customer);
    void backRequested();
    // The customers asked for are on show.
    void resultShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    void buildMenus();
    void runRequest();
    // last: no request follows, so a waiting Enter is for these rows.
    void showView(const CustomerView &view, bool last);
    void selectKey(qint64 key, int column);
    void updateCount();
    void updateSortIndicator();
    GridSorting sorting();
    int currentColumn() const;
    void refuse(const QString &reason);

    std::unique_ptr<RecordStore> m_connection;
    std::unique_ptr<CustomerModel> m_customers;
    std::unique_ptr<FinderThread> m_worker;
    CustomerRequest m_request;
    // What the rows on show were made for.
    CustomerRequest m_shown;
    bool m_counted = false;
    // The file's version the customers were counted at: a sort or find
    // over a file changed since counts them again.
    qint64 m_countedAt = -1;
    bool m_barShown = false;
    bool m_openWhenDone = false;
    qint64 m_wantedKey = -1;

    QGroupBox *m_frame = nullptr;
    QLabel *m_lblTitle = nullptr;
    QLabel *m_gridCaption = nullptr;
    QTableView *m_grid = nullptr;
    QLabel *m_lblHint = nullptr;
    QPushButton *m_cmdBack = nullptr;
    FindBar *m_findBar = nullptr;
    QMenu *m_mnuFile = nullptr;
    QAction *m_mnuFind = nullptr;
    QAction *m_mnuBack = nullptr;
};

} // namespace Orvane
