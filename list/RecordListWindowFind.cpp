#include "RecordListWindow.h"

#include "FindBar.h"
#include "ListLooks.h"
#include "ListQuery.h"
#include "RecordListModel.h"
#include "widgets/SharedTexts.h"

#include <QApplication>
#include <QGroupBox>
#include <QLocale>
#include <QPushButton>
#include <QTableView>

// The list's find bar: what it finds, one customer's records, and the
// count it shows.
namespace Orvane {

using ListLooks::verdana;

void RecordListWindow::buildFindBar()
{
    m_findBar = new FindBar(verdana(8.25, true), verdana(8.25, false), m_frmFourItem);
    connect(m_findBar, &FindBar::textChanged, this, [this](const QString &text) {
        if (m_query)
            m_query->setText(text);
    });
    connect(m_findBar, &FindBar::enterPressed, this, [this] {
        if (m_query)
            m_query->openCurrentWhenShown();
    });
    connect(m_findBar, &FindBar::closeRequested, this, &RecordListWindow::closeFindBar);
    m_findBar->hide();
}

void RecordListWindow::showFindBar()
{
    if (!m_barShown) {
        m_barShown = true;
        m_findBar->show();
        updateCount();
        fitSubWindow();
    }
    if (isVisible())
        m_findBar->focusBox();
    else
        m_focusFindOnShow = true;
}

void RecordListWindow::closeFindBar()
{
    const bool hadFocus = m_findBar->isAncestorOf(QApplication::focusWidget());
    m_barShown = false;
    m_focusFindOnShow = false;
    m_findBar->hide();
    fitSubWindow();
    m_findBar->setTextQuietly(QString());
    m_findBar->setCaption(QString());
    if (m_query)
        m_query->clearFind();
    if (hadFocus || isVisible())
        (m_DataGrid->isEnabled() ? static_cast<QWidget *>(m_DataGrid) : m_cmdBack)->setFocus();
}

QString RecordListWindow::captionOf(const CustomerId &customer)
{
    if (!customer.name.isEmpty() && !customer.phone.isEmpty())
        return tr("Customer: %1, %2").arg(customer.name, customer.phone);
    if (!customer.name.isEmpty() || !customer.phone.isEmpty())
        return tr("Customer: %1").arg(customer.name + customer.phone);
    return tr("Customer: a record without name or phone number");
}

void RecordListWindow::showCustomer(const CustomerId &customer)
{
    if (!m_query)
        return;
    m_findBar->setTextQuietly(QString());
    m_findBar->setCaption(captionOf(customer));
    m_query->setCustomer(customer);
    showFindBar();
    updateCount();
}

const FindRequest &RecordListWindow::request() const
{
    static const FindRequest none;
    return m_query ? m_query->request() : none;
}

bool RecordListWindow::isSearching() const
{
    return m_query && m_query->isSearching();
}

void RecordListWindow::stopSearch()
{
    if (m_query)
        m_query->stop();
}

void RecordListWindow::searchAgain()
{
    if (m_query)
        m_query->again();
}

void RecordListWindow::showFound(qint64 key)
{
    // A result resets the model: the column the grid had before it stays.
    const int column = m_DataGrid->currentIndex().isValid() ? currentColumn()
                                                            : m_columnBeforeReset;
    selectKey(key, column);
    updateCount();
    emit resultShown();
}

void RecordListWindow::selectKey(qint64 key, int column)
{
    const int rows = m_listRecords->rowCount();
    if (rows == 0)
        return;
    // Any key may be a record's, below zero too; one no row holds keeps
    // the first row.
    int row = m_listRecords->rowOf(key);
    if (row < 0)
        row = 0;
    m_DataGrid->setCurrentIndex(m_listRecords->index(row, column));
    m_DataGrid->scrollTo(m_DataGrid->currentIndex());
}

void RecordListWindow::updateCount()
{
    // Shown in the grid too, for a sort while the find bar is hidden.
    if (isSearching())
        m_DataGrid->viewport()->setCursor(Qt::BusyCursor);
    else
        m_DataGrid->viewport()->unsetCursor();
    QString text;
    if (isSearching()) {
        text = SharedTexts::searching();
    } else if (m_listRecords) {
        const qint64 total = m_listRecords->totalCount();
        // In the user's digit grouping: "250,000 of 1,000,000 records".
        const QLocale locale;
        text = FindBar::countText(locale.toString(m_listRecords->rowCount()),
                                  locale.toString(total));
    }
    m_findBar->setCount(text, !isSearching());
}

} // namespace Orvane
