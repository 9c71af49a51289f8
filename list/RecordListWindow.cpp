#include "RecordListWindow.h"

#include "ListLooks.h"
#include "widgets/GridView.h"
#include "FindBar.h"
#include "ListQuery.h"
#include "RecordListModel.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "store/RecordStore.h"
#include "widgets/SharedTexts.h"
#include "widgets/Refusals.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace Orvane {

using ListLooks::verdana;

namespace {

struct ColumnLayout
{
    int twips;
    bool shown;
};

// Width (in twips, 1/1440 inch) and visibility of the fourteen columns.
const ColumnLayout kColumns[RecordListModel::kColumnCount] = {
    {2340, true},  {2385, true},  {1515, false}, {1515, false}, {1515, false},
    {1515, false}, {1515, false}, {1515, false}, {2520, true},  {2460, true},
    {1515, false}, {1515, false}, {1515, false}, {1515, false},
};

// Rows the grid shows without scrolling.
const int kVisibleRows = 14;

} // namespace

RecordListWindow::RecordListWindow(QWidget *parent)
    : MdiChild(parent)
{
    setObjectName(QStringLiteral("frmAllRecord"));
    buildLayout();

    buildMenus();
}

RecordListWindow::~RecordListWindow()
{
    m_query.reset();
    m_DataGrid->setModel(nullptr);
}

void RecordListWindow::buildLayout()
{
    m_frmFourItem = new QGroupBox(this);
    m_frmFourItem->setObjectName(QStringLiteral("frmFourItem"));

    m_Label2 = new QLabel(tr("Short Summary Of Dowsing Records"), m_frmFourItem);
    m_Label2->setObjectName(QStringLiteral("Label2"));
    m_Label2->setFont(verdana(12, true));
    m_Label2->setAlignment(Qt::AlignCenter);

    // The grid's caption bar.
    m_gridCaption = ListLooks::gridCaption(tr("Dowsing Records"), QStringLiteral("DataGridCaption"),
                                           m_frmFourItem);

    // Before the grid, so that Tab reaches the bar first.
    buildFindBar();

    auto *grid = new GridView(m_frmFourItem);
    m_DataGrid = grid;
    m_DataGrid->setObjectName(QStringLiteral("DataGrid"));
    // Screen readers name the grid after its caption.
    m_DataGrid->setAccessibleName(m_gridCaption->text());
    ListLooks::setUpGrid(grid, m_gridCaption);
    m_DataGrid->installEventFilter(this);
    connect(m_DataGrid, &QTableView::doubleClicked, this, [this] { openCurrentRecord(); });

    buildSorting();

    m_Label1 = new QLabel(tr("To Select Your Record, Move the Arrow Up and Down to the Chosen Row "
                             "and  Double Click to See Complete Record Details. "),
                          m_frmFourItem);
    m_Label1->setObjectName(QStringLiteral("Label1"));
    m_Label1->setFont(verdana(8.25, true));
    m_Label1->setWordWrap(true);

    m_cmdBack = new QPushButton(SharedTexts::back(), m_frmFourItem);
    m_cmdBack->setObjectName(QStringLiteral("cmdBack"));
    m_cmdBack->setMinimumWidth(100);
    connect(m_cmdBack, &QPushButton::clicked, this, [this] { goBack(); });

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_Label1, 1);
    bottom->addSpacing(12);
    bottom->addWidget(m_cmdBack, 0, Qt::AlignVCenter);

    auto *inner = new QVBoxLayout(m_frmFourItem);
    inner->addWidget(m_Label2);
    inner->addSpacing(6);
    inner->setSpacing(0);
    inner->addWidget(m_findBar);
    inner->addWidget(m_gridCaption);
    inner->addWidget(m_DataGrid, 1);
    inner->addSpacing(8);
    inner->addLayout(bottom);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(m_frmFourItem);
}

qint64 RecordListWindow::currentKey() const
{
    if (!m_listRecords)
        return -1;
    const QModelIndex current = m_DataGrid->currentIndex();
    return current.isValid() ? m_listRecords->idNumber(current.row()) : -1;
}

qint64 RecordListWindow::neighbourOf(qint64 key) const
{
    if (!m_listRecords)
        return -1;
    const int row = m_listRecords->rowOf(key);
    if (row < 0)
        return -1;
    if (row + 1 < m_listRecords->rowCount())
        return m_listRecords->idNumber(row + 1);
    return row > 0 ? m_listRecords->idNumber(row - 1) : -1;
}

std::optional<QVector<qint64>> RecordListWindow::shownKeys() const
{
    if (!m_listRecords || m_listRecords->showsAll())
        return std::nullopt;
    return m_listRecords->foundKeys().toVector();
}

ListState RecordListWindow::state() const
{
    ListState s;
    s.request = request();
    s.barShown = m_barShown;
    s.currentKey = m_query ? m_query->keyToKeep() : currentKey();
    return s;
}

void RecordListWindow::applyState(const ListState &state)
{
    if (!m_listRecords || !m_DataGrid->isEnabled()) {
        // Nothing to find in: the list stays as readRecords() left it.
        return;
    }
    m_findBar->setTextQuietly(state.request.text);
    m_findBar->setCaption(state.request.customer ? captionOf(*state.request.customer) : QString());
    if (state.barShown != m_barShown) {
        m_barShown = state.barShown;
        m_findBar->setVisible(m_barShown);
        fitSubWindow();
    }
    m_query->restore(state.request, state.currentKey);
    updateCount();
}

void RecordListWindow::setUpColumns()
{
    QHeaderView *header = m_DataGrid->horizontalHeader();
    const int dpi = m_DataGrid->logicalDpiX();
    int shownWidth = 0;
    for (int column = 0; column < RecordListModel::kColumnCount; ++column) {
        const int width = (kColumns[column].twips * dpi + 720) / 1440;
        header->resizeSection(column, width);
        m_DataGrid->setColumnHidden(column, !kColumns[column].shown);
        if (kColumns[column].shown)
            shownWidth += width;
    }
    // The shown columns fill the grid's width, with room for the scroll bar.
    const int frame = 2 * m_DataGrid->frameWidth();
    m_DataGrid->setMinimumWidth(shownWidth + frame
                                + m_DataGrid->verticalScrollBar()->sizeHint().width());
    m_DataGrid->setMinimumHeight(header->sizeHint().height() + frame
                                 + kVisibleRows * m_DataGrid->verticalHeader()->defaultSectionSize());
}

void RecordListWindow::readRecords()
{
    m_listConnection = std::make_unique<RecordStore>();
    m_listRecords = std::make_unique<RecordListModel>(*m_listConnection);
    m_DataGrid->setModel(m_listRecords.get());
    setUpColumns();

    const QString path = RecordStore::databasePath(platform().dataFolder);
    m_query = std::make_unique<ListQuery>(path, *m_listRecords, [this] { return currentKey(); });
    connectQuery();
    if (m_listConnection->open(path) != RecordStore::OpenResult::Opened
        || !m_listRecords->load()) {
        Refusals::show(this, Refusals::recordsNotRead(m_listConnection->errorText()));
        disableGrid();
        return;
    }
    if (m_listRecords->rowCount() == 0) {
        platform().messages->show(this, tr("There Is No Record !"),
                                  MessageBoxes::Icon::Information);
        disableGrid();
        return;
    }
    m_DataGrid->setCurrentIndex(m_listRecords->index(0, 0));
    m_query->setEnabled(true);
    updateCount();
}

void RecordListWindow::connectQuery()
{
    connect(m_listRecords.get(), &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_columnBeforeReset = currentColumn(); });
    connect(m_query.get(), &ListQuery::requestChanged, this, &RecordListWindow::updateSortIndicator);
    connect(m_query.get(), &ListQuery::searchingChanged, this, &RecordListWindow::updateCount);
    connect(m_query.get(), &ListQuery::shown, this, &RecordListWindow::showFound);
    connect(m_query.get(), &ListQuery::openRequested, this, &RecordListWindow::openCurrentRecord);
    connect(m_query.get(), &ListQuery::failed, this, [this](const QString &reason) {
        updateCount();
        Refusals::show(this, Refusals::recordsNotRead(reason));
    });
    connect(m_query.get(), &ListQuery::indexUnsound, this, &RecordListWindow::findIndexUnsound);
}

void RecordListWindow::disableGrid()
{
    m_DataGrid->setEnabled(false);
}

void RecordListWindow::showEvent(QShowEvent *event)
{
    MdiChild::showEvent(event);
    if (m_focusFindOnShow && m_barShown) {
        m_focusFindOnShow = false;
        m_findBar->focusBox();
    } else if (m_DataGrid->isEnabled())
        m_DataGrid->setFocus();
    else
        m_cmdBack->setFocus();
}

bool RecordListWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_DataGrid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openCurrentRecord();
            return true;
        }
    }
    return MdiChild::eventFilter(watched, event);
}

void RecordListWindow::openCurrentRecord()
{
    if (!m_DataGrid->isEnabled() || !m_listRecords)
        return;
    const QModelIndex current = m_DataGrid->currentIndex();
    if (!current.isValid())
        return;
    const int row = current.row();
    const auto record = m_listRecords->record(row);
    if (!record) {
        Refusals::show(this, Refusals::listedRecordNotRead(m_listConnection->errorText()));
        return;
    }

    DowsingRecord chosen = *record;
    chosen.IdNumber = m_listRecords->idNumber(row);
    emit recordChosen(chosen, record->listedDateText());
}

void RecordListWindow::goBack()
{
    // The entry window is on show before the list closes.
    emit backRequested();
    m_query.reset();
    m_DataGrid->setModel(nullptr);
    m_listRecords.reset();
    m_listConnection.reset();
}

QList<QMenu *> RecordListWindow::menus() const
{
    return {m_mnuFile};
}

} // namespace Orvane
