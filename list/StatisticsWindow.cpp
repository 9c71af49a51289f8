#include "StatisticsWindow.h"

#include "ListLooks.h"
#include "platform/Platform.h"
#include "store/FinderThread.h"
#include "store/RecordStore.h"
#include "store/ShownText.h"
#include "widgets/AnnouncedLabel.h"
#include "widgets/ChartPage.h"
#include "widgets/Refusals.h"
#include "widgets/SharedTexts.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace Orvane {

using ListLooks::verdana;

namespace {

QString listedDate(const QDate &date)
{
    DowsingRecord record;
    record.Date = date;
    return record.listedDateText();
}

// "23.4 %" of the whole, in the user's decimal mark.
QString shareOf(qint64 part, qint64 whole)
{
    return QLocale().toString(whole > 0 ? 100.0 * double(part) / double(whole) : 0.0, 'f', 1)
            + QStringLiteral(" %");
}

} // namespace

StatisticsWindow::StatisticsWindow(QWidget *parent)
    : MdiChild(parent)
{
    setObjectName(QStringLiteral("frmStatistics"));
    setWindowTitle(tr("Statistics"));
    buildLayout();
    buildMenus();
}

StatisticsWindow::~StatisticsWindow() = default;

void StatisticsWindow::buildLayout()
{
    m_lblTitle = new QLabel(tr("Dowsing Statistics"), this);
    m_lblTitle->setObjectName(QStringLiteral("lblStatisticsTitle"));
    m_lblTitle->setFont(verdana(12, true));
    m_lblTitle->setAlignment(Qt::AlignCenter);

    m_lblScope = new QLabel(this);
    m_lblScope->setObjectName(QStringLiteral("lblStatisticsScope"));
    m_lblScope->setFont(verdana(8.25, true));
    m_lblScope->setTextFormat(Qt::PlainText);
    m_lblScope->setAlignment(Qt::AlignCenter);

    // Reached with Tab and read by screen readers, and spoken when the
    // numbers come.
    m_lblSummary = new AnnouncedLabel(this);
    m_lblSummary->setObjectName(QStringLiteral("lblStatisticsSummary"));
    m_lblSummary->setFont(verdana(8.25, false));
    m_lblSummary->setTextFormat(Qt::PlainText);
    m_lblSummary->setWordWrap(true);
    m_lblSummary->setTextInteractionFlags(Qt::TextSelectableByKeyboard
                                          | Qt::TextSelectableByMouse);
    m_lblSummary->setFocusPolicy(Qt::StrongFocus);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabStatistics"));
    m_months = new ChartPage(BarChart::Direction::Columns, tr("Records per month"),
                             {tr("Month"), tr("Records")}, m_tabs);
    m_tools = new ChartPage(BarChart::Direction::Rows, tr("Records by tool"),
                            {tr("Tool"), tr("Records"), tr("Share")}, m_tabs);
    m_items = new ChartPage(BarChart::Direction::Rows, tr("Records by item"),
                            {tr("Item"), tr("Records"), tr("Share")}, m_tabs);
    m_cities = new ChartPage(BarChart::Direction::Rows, tr("The ten most frequent cities"),
                             {tr("City"), tr("Records"), tr("Share")}, m_tabs);
    m_months->setObjectName(QStringLiteral("pageMonths"));
    m_tools->setObjectName(QStringLiteral("pageTools"));
    m_items->setObjectName(QStringLiteral("pageItems"));
    m_cities->setObjectName(QStringLiteral("pageCities"));
    m_tabs->addTab(m_months, tr("&Months"));
    m_tabs->addTab(m_tools, tr("T&ools"));
    m_tabs->addTab(m_items, tr("&Items"));
    m_tabs->addTab(m_cities, tr("&Cities"));
    for (ChartPage *page : {m_months, m_tools, m_items, m_cities}) {
        page->chart()->setFont(verdana(8.25, false));
        page->table()->setFont(verdana(8.25, false));
    }
    // A page's chart takes the keyboard when its tab is chosen by its key.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        if (m_tabs->hasFocus())
            return;
        if (ChartPage *page = currentPage())
            page->chart()->setFocus();
    });

    m_cmdSave = new QPushButton(tr("&Save Chart..."), this);
    m_cmdSave->setObjectName(QStringLiteral("cmdSaveChart"));
    connect(m_cmdSave, &QPushButton::clicked, this, [this] { currentPage()->saveImage(); });
    m_cmdPrint = new QPushButton(tr("&Print Chart..."), this);
    m_cmdPrint->setObjectName(QStringLiteral("cmdPrintChart"));
    connect(m_cmdPrint, &QPushButton::clicked, this, [this] { currentPage()->print(); });
    m_cmdBack = new QPushButton(SharedTexts::back(), this);
    m_cmdBack->setObjectName(QStringLiteral("cmdStatisticsBack"));
    connect(m_cmdBack, &QPushButton::clicked, this, &StatisticsWindow::backRequested);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdSave);
    buttons->addWidget(m_cmdPrint);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdBack);

    auto *column = new QVBoxLayout(this);
    column->addWidget(m_lblTitle);
    column->addWidget(m_lblScope);
    column->addWidget(m_lblSummary);
    column->addWidget(m_tabs, 1);
    column->addLayout(buttons);
    setMinimumSize(760, 460);
}

void StatisticsWindow::buildMenus()
{
    m_mnuFile = new QMenu(SharedTexts::fileMenu(), this);
    m_mnuFile->setObjectName(QStringLiteral("mnuStatisticsFile"));
    QAction *save = m_mnuFile->addAction(tr("&Save Chart as PNG..."));
    save->setObjectName(QStringLiteral("mnuSaveChart"));
    connect(save, &QAction::triggered, this, [this] { currentPage()->saveImage(); });
    QAction *print = m_mnuFile->addAction(tr("&Print Chart..."));
    print->setObjectName(QStringLiteral("mnuPrintChart"));
    connect(print, &QAction::triggered, this, [this] { currentPage()->print(); });
    QAction *back = m_mnuFile->addAction(SharedTexts::back());
    back->setObjectName(QStringLiteral("mnuStatisticsBack"));
    connect(back, &QAction::triggered, this, &StatisticsWindow::backRequested);
}

QList<QMenu *> StatisticsWindow::menus() const
{
    return {m_mnuFile};
}

ChartPage *StatisticsWindow::page(int index) const
{
    return qobject_cast<ChartPage *>(m_tabs->widget(index));
}

int StatisticsWindow::pageCount() const
{
    return m_tabs->count();
}

ChartPage *StatisticsWindow::currentPage() const
{
    return qobject_cast<ChartPage *>(m_tabs->currentWidget());
}

bool StatisticsWindow::isBusy() const
{
    return m_thread && m_thread->isRunning();
}

void StatisticsWindow::setBusy(bool busy)
{
    if (busy)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
    m_cmdSave->setEnabled(!busy);
    m_cmdPrint->setEnabled(!busy);
    for (QAction *action : m_mnuFile->actions()) {
        if (action->objectName() != QLatin1String("mnuStatisticsBack"))
            action->setEnabled(!busy);
    }
}

void StatisticsWindow::readStatistics(const FindRequest &request, const QString &scope)
{
    const QString path = RecordStore::databasePath(platform().dataFolder);
    m_lblScope->setText(scope);
    m_lblSummary->setText(SharedTexts::counting());
    m_connection = std::make_unique<RecordStore>();
    if (m_connection->open(path) != RecordStore::OpenResult::Opened) {
        m_lblSummary->setText(QString());
        Refusals::show(this, Refusals::recordsNotRead(m_connection->errorText()));
        return;
    }
    m_thread = std::make_unique<FinderThread>(path);
    setBusy(true);
    m_thread->post<RecordStatistics>(
            [request](RecordFinder &finder, const std::function<bool()> &stop) {
                return RecordStatistics::tally(finder, request, stop);
            },
            [this](RecordStatistics statistics) {
                setBusy(false);
                if (!statistics.error.isEmpty()) {
                    m_lblSummary->setText(QString());
                    Refusals::show(this, Refusals::recordsNotRead(statistics.error));
                    return;
                }
                showStatistics(statistics);
            });
}

void StatisticsWindow::showStatistics(const RecordStatistics &statistics)
{
    m_statistics = statistics;
    const QLocale locale;
    // One sentence for each case, so that a translation orders it as its
    // language does.
    const QString records = locale.toString(statistics.records);
    const QString customers = locale.toString(statistics.customers);
    const QString undated = locale.toString(statistics.undated);
    QString summary;
    if (statistics.firstDate.isValid()) {
        const QString first = listedDate(statistics.firstDate);
        const QString last = listedDate(statistics.lastDate);
        summary = statistics.undated > 0
                ? tr("%1 records of %2 customers, from %3 to %4; %5 without a date.")
                          .arg(records, customers, first, last, undated)
                : tr("%1 records of %2 customers, from %3 to %4.")
                          .arg(records, customers, first, last);
    } else {
        summary = statistics.undated > 0
                ? tr("%1 records of %2 customers; %3 without a date.")
                          .arg(records, customers, undated)
                : tr("%1 records of %2 customers.").arg(records, customers);
    }
    m_lblSummary->announce(summary);

    QVector<BarChart::Bar> bars;
    QVector<QStringList> rows;
    bars.reserve(statistics.perMonth.size());
    rows.reserve(statistics.perMonth.size());
    QDate month = statistics.firstMonth();
    for (qsizetype i = 0; i < statistics.perMonth.size(); ++i, month = month.addMonths(1)) {
        BarChart::Bar bar;
        bar.label = locale.standaloneMonthName(month.month()) + QLatin1Char(' ')
                + QString::number(month.year());
        bar.shortLabel = locale.standaloneMonthName(month.month(), QLocale::NarrowFormat);
        if (i == 0 || month.month() == 1)
            bar.group = QString::number(month.year());
        bar.value = statistics.perMonth.at(i);
        bar.valueText = locale.toString(bar.value);
        rows.append({bar.label, bar.valueText});
        bars.append(bar);
    }
    m_months->setData(bars, rows);

    const auto othersOf = [&](const QVector<RecordStatistics::Share> &shares) {
        qint64 others = 0;
        for (qsizetype i = kMostValues; i < shares.size(); ++i)
            others += shares.at(i).records;
        return others;
    };
    showShares(m_tools, statistics.tools, othersOf(statistics.tools));
    showShares(m_items, statistics.items, othersOf(statistics.items));
    showShares(m_cities, statistics.cities, 0);
    emit resultShown();
}

void StatisticsWindow::showShares(ChartPage *page, const QVector<RecordStatistics::Share> &shares,
                                  qint64 othersRecords)
{
    const QLocale locale;
    QVector<BarChart::Bar> bars;
    QVector<QStringList> rows;
    const auto add = [&](const QString &label, qint64 records) {
        BarChart::Bar bar;
        bar.label = label;
        bar.value = records;
        const QString share = shareOf(records, m_statistics.records);
        bar.valueText = tr("%1 (%2)").arg(locale.toString(records), share);
        rows.append({label, locale.toString(records), share});
        bars.append(bar);
    };
    const int field = page == m_tools ? int(DowsingRecord::FieldId::Dowsing_Tool)
            : page == m_items         ? int(DowsingRecord::FieldId::Item_Dowsing_For)
                                      : int(DowsingRecord::FieldId::City);
    for (qsizetype i = 0; i < shares.size() && i < kMostValues; ++i) {
        // The value as one of its records stores it: the counts tell values
        // apart whatever their case. Only as much of it as a bar's label
        // shows is read: the record may hold megabytes.
        const auto stored = m_connection->fieldStart(shares.at(i).key,
                                                     DowsingRecord::FieldId(field),
                                                     int(ShownText::kCellCharacters));
        QString label = ShownText::cell(stored ? *stored : QString::fromUtf8(shares.at(i).folded));
        if (label.isEmpty())
            label = tr("(none)");
        add(label, shares.at(i).records);
    }
    if (othersRecords > 0)
        add(tr("%1 others").arg(locale.toString(shares.size() - kMostValues)), othersRecords);
    page->setData(bars, rows);
}

void StatisticsWindow::showEvent(QShowEvent *event)
{
    MdiChild::showEvent(event);
    if (ChartPage *page = currentPage())
        page->chart()->setFocus();
}

} // namespace Orvane
