#include "CustomersWindow.h"

#include "ListLooks.h"
#include "widgets/GridView.h"
#include "CustomerModel.h"
#include "FindBar.h"
#include "platform/Platform.h"
#include "store/RecordStore.h"
#include "store/FinderThread.h"
#include "widgets/Refusals.h"
#include "widgets/GridSorting.h"
#include "widgets/SharedTexts.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace Orvane {

using ListLooks::verdana;

namespace {

// Width of the six columns, in twips (1/1440 inch), as the list sizes its.
const int kColumnTwips[CustomerModel::kColumnCount] = {2385, 1800, 1800, 1100, 1400, 1400};
// Rows the grid shows without scrolling.
const int kVisibleRows = 14;

} // namespace

CustomersWindow::CustomersWindow(QWidget *parent)
    : MdiChild(parent)
{
    setObjectName(QStringLiteral("frmCustomers"));
    setWindowTitle(tr("Customers"));
    buildLayout();
    buildMenus();
}

CustomersWindow::~CustomersWindow()
{
    m_worker.reset();
    m_grid->setModel(nullptr);
}

void CustomersWindow::buildLayout()
{
    m_frame = new QGroupBox(this);
    m_frame->setObjectName(QStringLiteral("frmCustomersFrame"));

    m_lblTitle = new QLabel(tr("Dowsing Customers"), m_frame);
    m_lblTitle->setObjectName(QStringLiteral("lblCustomersTitle"));
    m_lblTitle->setFont(verdana(12, true));
    m_lblTitle->setAlignment(Qt::AlignCenter);

    m_gridCaption = ListLooks::gridCaption(tr("Customers"), QStringLiteral("CustomersGridCaption"),
                                           m_frame);

    // Before the grid, so that Tab reaches the bar first.
    m_findBar = new FindBar(verdana(8.25, true), verdana(8.25, false), m_frame);
    m_findBar->setAccessibleName(tr("Find customers"));
    m_findBar->box()->setAccessibleDescription(
            tr("Shows only the customers whose name, phone number or city holds this text"));
    if (auto *close = m_findBar->findChild<QPushButton *>(QStringLiteral("cmdCloseFind")))
        close->setAccessibleDescription(tr("Shows every customer again"));
    connect(m_findBar, &FindBar::textChanged, this, [this](const QString &text) {
        if (m_request.text == text)
            return;
        m_request.text = text;
        runRequest();
    });
    connect(m_findBar, &FindBar::enterPressed, this, &CustomersWindow::openCurrentCustomer);
    connect(m_findBar, &FindBar::closeRequested, this, &CustomersWindow::closeFindBar);
    m_findBar->hide();

    auto *grid = new GridView(m_frame);
    m_grid = grid;
    m_grid->setObjectName(QStringLiteral("CustomersGrid"));
    m_grid->setAccessibleName(tr("Customers"));
    ListLooks::setUpGrid(grid, m_gridCaption);
    m_grid->installEventFilter(this);
    connect(m_grid, &QTableView::doubleClicked, this, [this] { openCurrentCustomer(); });

    // Sorting as in the list: a header click, or the sort menu of the
    // header or the grid (Menu key, Shift+F10).
    sorting().attach(m_grid, this);

    m_lblHint = new QLabel(tr("To See A Customer's Records, Move the Arrow Up and Down to the "
                              "Customer and Press Enter or Double Click."),
                           m_frame);
    m_lblHint->setObjectName(QStringLiteral("lblCustomersHint"));
    m_lblHint->setFont(verdana(8.25, true));
    m_lblHint->setWordWrap(true);

    m_cmdBack = new QPushButton(SharedTexts::back(), m_frame);
    m_cmdBack->setObjectName(QStringLiteral("cmdCustomersBack"));
    m_cmdBack->setMinimumWidth(100);
    connect(m_cmdBack, &QPushButton::clicked, this, [this] { goBack(); });

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_lblHint, 1);
    bottom->addSpacing(12);
    bottom->addWidget(m_cmdBack, 0, Qt::AlignVCenter);

    auto *inner = new QVBoxLayout(m_frame);
    inner->addWidget(m_lblTitle);
    inner->addSpacing(6);
    inner->setSpacing(0);
    inner->addWidget(m_findBar);
    inner->addWidget(m_gridCaption);
    inner->addWidget(m_grid, 1);
    inner->addSpacing(8);
    inner->addLayout(bottom);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(m_frame);
}

void CustomersWindow::buildMenus()
{
    m_mnuFile = new QMenu(SharedTexts::fileMenu(), this);
    m_mnuFile->setObjectName(QStringLiteral("mnuCustomersFile"));
    m_mnuFind = m_mnuFile->addAction(tr("&Find Customers..."));
    m_mnuFind->setObjectName(QStringLiteral("mnuFindCustomers"));
    m_mnuFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(m_mnuFind, &QAction::triggered, this, &CustomersWindow::showFindBar);
    m_mnuBack = m_mnuFile->addAction(SharedTexts::back());
    m_mnuBack->setObjectName(QStringLiteral("mnuCustomersBack"));
    connect(m_mnuBack, &QAction::triggered, this, &CustomersWindow::goBack);
}

QList<QMenu *> CustomersWindow::menus() const
{
    return {m_mnuFile};
}

void CustomersWindow::readCustomers()
{
    const QString path = RecordStore::databasePath(platform().dataFolder);
    m_connection = std::make_unique<RecordStore>();
    m_customers = std::make_unique<CustomerModel>(*m_connection);
    m_grid->setModel(m_customers.get());
    const int dpi = m_grid->logicalDpiX();
    int width = 0;
    for (int column = 0; column < CustomerModel::kColumnCount; ++column) {
        const int w = (kColumnTwips[column] * dpi + 720) / 1440;
        m_grid->horizontalHeader()->resizeSection(column, w);
        width += w;
    }
    const int frame = 2 * m_grid->frameWidth();
    m_grid->setMinimumWidth(width + frame + m_grid->verticalScrollBar()->sizeHint().width());
    m_grid->setMinimumHeight(m_grid->horizontalHeader()->sizeHint().height() + frame
                             + kVisibleRows * m_grid->verticalHeader()->defaultSectionSize());
    if (m_connection->open(path) != RecordStore::OpenResult::Opened) {
        refuse(m_connection->errorText());
        return;
    }
    m_worker = std::make_unique<FinderThread>(path);
    runRequest();
}

bool CustomersWindow::isBusy() const
{
    return m_worker && m_worker->isRunning();
}

void CustomersWindow::runRequest()
{
    updateSortIndicator();
    if (!m_worker)
        return;
    if (!m_counted) {
        // The first count runs alone: a request made meanwhile follows it.
        if (!m_worker->isRunning())
            m_worker->post<CustomerView>(
                    [](RecordFinder &finder, const std::function<bool()> &stop) {
                        return CustomerTally::build(finder, stop);
                    },
                    [this](CustomerView view) {
                        // A sort or find asked for meanwhile follows, and
                        // Enter waits for it.
                        const bool more = view.error.isEmpty() && m_request != m_shown;
                        m_counted = view.error.isEmpty();
                        m_countedAt = view.fileVersion;
                        showView(view, !more);
                        if (more)
                            runRequest();
                    });
        updateCount();
        return;
    }
    const CustomerRequest request = m_request;
    CustomerView counted;
    counted.table = m_customers->table();
    counted.fileVersion = m_countedAt;
    m_worker->post<CustomerView>(
            [counted, request](RecordFinder &finder, const std::function<bool()> &stop) {
                return CustomerTally::arrange(finder, counted, request, stop);
            },
            [this, request](CustomerView view) {
                if (view.error.isEmpty()) {
                    m_shown = request;
                    m_countedAt = view.fileVersion;
                }
                showView(view, true);
            });
    updateCount();
}

void CustomersWindow::showView(const CustomerView &view, bool last)
{
    if (!view.error.isEmpty()) {
        m_openWhenDone = false;
        updateCount();
        refuse(view.error);
        return;
    }
    const qint64 key = m_wantedKey >= 0 ? m_wantedKey : currentKey();
    const int column = currentColumn();
    m_wantedKey = -1;
    m_customers->show(view.table, view.found);
    selectKey(key, column);
    updateCount();
    emit resultShown();
    if (last && m_openWhenDone) {
        m_openWhenDone = false;
        openCurrentCustomer();
    }
}

void CustomersWindow::refuse(const QString &reason)
{
    Refusals::show(this, Refusals::recordsNotRead(reason));
}

void CustomersWindow::selectKey(qint64 key, int column)
{
    if (m_customers->rowCount() == 0)
        return;
    // Any key may be a record's, below zero too.
    const int row = std::max(0, m_customers->rowOf(key));
    m_grid->setCurrentIndex(m_customers->index(row, column));
    m_grid->scrollTo(m_grid->currentIndex());
}

void CustomersWindow::updateCount()
{
    const bool busy = isBusy();
    // Over the whole window: the grid may be empty while the first count
    // runs.
    if (busy) {
        setCursor(Qt::BusyCursor);
        m_grid->viewport()->setCursor(Qt::BusyCursor);
    } else {
        unsetCursor();
        m_grid->viewport()->unsetCursor();
    }
    const QLocale locale;
    if (!m_counted && busy) {
        m_gridCaption->setText(tr("Customers (counting...)"));
        m_findBar->setCount(SharedTexts::counting(), false);
        return;
    }
    const qint64 all = m_customers ? m_customers->customerCount() : 0;
    m_gridCaption->setText(tr("Customers (%1)").arg(locale.toString(all)));
    if (busy)
        m_findBar->setCount(SharedTexts::searching(), false);
    else
        m_findBar->setCount(tr("%1 of %2 customers")
                                    .arg(locale.toString(m_customers ? m_customers->rowCount() : 0),
                                         locale.toString(all)));
}

void CustomersWindow::showFindBar()
{
    if (!m_barShown) {
        m_barShown = true;
        m_findBar->show();
        updateCount();
        fitSubWindow();
    }
    m_findBar->focusBox();
}

void CustomersWindow::closeFindBar()
{
    const bool hadFocus = m_findBar->isAncestorOf(QApplication::focusWidget());
    m_barShown = false;
    m_findBar->hide();
    fitSubWindow();
    m_findBar->setTextQuietly(QString());
    if (!m_request.text.isEmpty()) {
        m_request.text.clear();
        runRequest();
    }
    if (hadFocus || isVisible())
        m_grid->setFocus();
}

qint64 CustomersWindow::currentKey() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() && m_customers ? m_customers->keyAt(current.row()) : -1;
}

void CustomersWindow::openCurrentCustomer()
{
    if (!m_customers || !m_worker)
        return;
    if (isBusy()) {
        // Enter typed before the customers it aims at are on show.
        m_openWhenDone = true;
        return;
    }
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return;
    const qint64 key = m_customers->keyAt(current.row());
    const auto record = m_customers->record(current.row());
    if (!record) {
        Refusals::show(this, Refusals::listedRecordNotRead(m_connection->errorText()));
        return;
    }
    emit customerChosen(CustomerId{record->Name, record->Phone_No, key});
}

void CustomersWindow::goBack()
{
    emit backRequested();
    m_worker.reset();
}

void CustomersWindow::showEvent(QShowEvent *event)
{
    MdiChild::showEvent(event);
    m_grid->setFocus();
}

bool CustomersWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openCurrentCustomer();
            return true;
        }
    }
    return MdiChild::eventFilter(watched, event);
}

} // namespace Orvane
