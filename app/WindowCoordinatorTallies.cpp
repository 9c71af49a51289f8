// The windows the coordinator opens over the list or the entry window and
// closes again to go back where they came from: the deleted records (and
// File > Undo Delete), the customers and the statistics (the rest in
// WindowCoordinator.cpp).

#include "WindowCoordinator.h"

#include "FrameWindow.h"

#include "entry/EntryWindow.h"
#include "list/CustomersWindow.h"
#include "list/DeletedRecordsWindow.h"
#include "list/RecordRestorer.h"
#include "list/RecordListWindow.h"
#include "list/StatisticsWindow.h"

#include <algorithm>

namespace Orvane {

void WindowCoordinator::showDeletedRecords()
{
    if (!m_list)
        return;
    DeletedRecordsWindow window(m_list);
    window.readRecords();
    window.exec();
    // What the window put back or removed is no longer there to undo.
    m_deletedHere.erase(std::remove_if(m_deletedHere.begin(), m_deletedHere.end(),
                                       [&](const DeletedRecord &kept) {
                                           return window.keptNumbersGone().contains(
                                                   kept.keptNumber);
                                       }),
                        m_deletedHere.end());
    if (window.restoredKey() >= 0)
        showFreshList(window.restoredKey());
}

void WindowCoordinator::undoDelete()
{
    if (!m_list)
        return;
    const std::optional<DeletedRecord> last =
            m_deletedHere.isEmpty() ? std::nullopt : std::optional(m_deletedHere.last());
    qint64 key = -1;
    const RecordRestorer::Outcome outcome = RecordRestorer::undoDelete(m_list, last, &key);
    // Put back, or found no longer kept as it was deleted: either way not
    // to be undone again. A failed write may be tried again.
    if (last && outcome != RecordRestorer::Outcome::Failed)
        m_deletedHere.removeLast();
    if (outcome == RecordRestorer::Outcome::Done)
        showFreshList(key);
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
