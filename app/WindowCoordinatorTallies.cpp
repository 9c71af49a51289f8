// The windows the coordinator opens over the list or the entry window and
// closes again to go back where they came from: the deleted records, the
// customers and the statistics (the rest in WindowCoordinator.cpp).

#include "WindowCoordinator.h"

#include "FrameWindow.h"

#include "entry/EntryWindow.h"
#include "list/CustomersWindow.h"
#include "list/DeletedRecordsWindow.h"
#include "list/RecordListWindow.h"
#include "list/StatisticsWindow.h"

namespace Orvane {

void WindowCoordinator::showDeletedRecords()
{
    if (!m_list)
        return;
    DeletedRecordsWindow window(m_list);
    window.readRecords();
    window.exec();
    if (window.restoredKey() >= 0)
        showFreshList(window.restoredKey());
}

CustomersWindow *WindowCoordinator::customersWindow() const
{
    return m_customers;
}

StatisticsWindow *WindowCoordinator::statisticsWindow() const
{
    return m_statistics;
}

QWidget *WindowCoordinator::returnTo(QWidget *from) const
{
    return from ? from : static_cast<QWidget *>(m_entry.data());
}

void WindowCoordinator::showCustomers(QWidget *from)
{
    unloadCustomers();
    m_customersFrom = from;
    m_customers = new CustomersWindow;
    m_frame.addChild(m_customers);
    connect(m_customers, &CustomersWindow::backRequested, this, [this] {
        QWidget *back = returnTo(m_customersFrom);
        if (back == m_list)
            m_frame.showChild(listWindow());
        else if (back)
            m_frame.showChild(back);
        unloadCustomers();
    });
    connect(m_customers, &CustomersWindow::customerChosen, this,
            &WindowCoordinator::showCustomerRecords);
    m_frame.hideChild(from);
    // The count only begins here, on a thread of its own: the window
    // paints at once, sized for its grid, with a busy cursor, and the
    // customers follow.
    m_customers->readCustomers();
    m_frame.showChild(m_customers);
}

void WindowCoordinator::unloadCustomers()
{
    QWidget *customers = m_customers;
    m_customers = nullptr;
    if (customers)
        m_frame.unloadChild(customers);
}

void WindowCoordinator::showCustomerRecords(const CustomerId &customer)
{
    if (m_entry)
        m_frame.hideChild(m_entry);
    RecordListWindow *list = listWindow();
    list->showCustomer(customer);
    m_frame.showChild(list);
    // Its unload deletes it later: it may be what sent the signal.
    unloadCustomers();
}

void WindowCoordinator::showStatistics(QWidget *from, const FindRequest &request,
                                       const QString &scope)
{
    unloadStatistics();
    m_statisticsFrom = from;
    m_statistics = new StatisticsWindow;
    m_frame.addChild(m_statistics);
    connect(m_statistics, &StatisticsWindow::backRequested, this, [this] {
        if (QWidget *back = returnTo(m_statisticsFrom))
            m_frame.showChild(back);
        unloadStatistics();
    });
    m_frame.hideChild(from);
    m_frame.showChild(m_statistics);
    m_statistics->readStatistics(request, scope);
}

void WindowCoordinator::unloadStatistics()
{
    QWidget *statistics = m_statistics;
    m_statistics = nullptr;
    if (statistics)
        m_frame.unloadChild(statistics);
}

} // namespace Orvane
