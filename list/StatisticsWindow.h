#pragma once

#include "store/RecordFinder.h"
#include "store/RecordStatistics.h"
#include "widgets/MdiChild.h"

#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;

namespace Orvane {

class AnnouncedLabel;
class ChartPage;
class FinderThread;
class RecordStore;

// What a set of records adds up to (RecordStatistics): how many, of how
// many customers, over which dates; records per month over the whole span,
// by tool, by item, and the ten most frequent cities. Each chart is a page
// with its numbers in a table beside it, and can be saved as PNG and
// printed.
//
// The numbers are counted on a thread of their own, with a busy cursor
// meanwhile, so that the window shows at once.
class StatisticsWindow : public MdiChild
{
    Q_OBJECT

public:
    // More values of a tool or an item than this are shown as the most
    // frequent ones and one bar of all the others.
    static constexpr int kMostValues = 20;

    explicit StatisticsWindow(QWidget *parent = nullptr);
    ~StatisticsWindow() override;

    // Counts the records request finds (its sort aside); scope says which
    // they are ("All records", "Customer: JOHN SMITH, 0123.456").
    void readStatistics(const FindRequest &request, const QString &scope);
    bool isBusy() const;
    const RecordStatistics &statistics() const { return m_statistics; }
    ChartPage *page(int index) const;
    int pageCount() const;
    QList<QMenu *> menus() const override;

signals:
    void backRequested();
    // The numbers are on show.
    void resultShown();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    void buildMenus();
    void showStatistics(const RecordStatistics &statistics);
    void showShares(ChartPage *page, const QVector<RecordStatistics::Share> &shares,
                    qint64 othersRecords);
    void setBusy(bool busy);
    ChartPage *currentPage() const;

    std::unique_ptr<RecordStore> m_connection;
    std::unique_ptr<FinderThread> m_thread;
    RecordStatistics m_statistics;

    QLabel *m_lblTitle = nullptr;
    QLabel *m_lblScope = nullptr;
    AnnouncedLabel *m_lblSummary = nullptr;
    QTabWidget *m_tabs = nullptr;
    ChartPage *m_months = nullptr;
    ChartPage *m_tools = nullptr;
    ChartPage *m_items = nullptr;
    ChartPage *m_cities = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QPushButton *m_cmdPrint = nullptr;
    QPushButton *m_cmdBack = nullptr;
    QMenu *m_mnuFile = nullptr;
};

} // namespace Orvane
