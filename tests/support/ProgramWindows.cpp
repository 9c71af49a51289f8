#include "ProgramWindows.h"

#include "entry/EntryWindow.h"
#include "list/CustomersWindow.h"
#include "list/DeletedRecordsWindow.h"
#include "list/RecordListWindow.h"
#include "list/StatisticsWindow.h"
#include "app/FrameWindow.h"
#include "app/AboutBox.h"
#include "app/UpdateReminder.h"
#include "app/ProgramEnd.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"
#include "view/RecordViewWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace Orvane::Testing {

namespace {

} // namespace

QString nameOf(const QObject *object)
{
    if (!object)
        return QStringLiteral("(none)");
    return object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                          : object->objectName();
}

ProgramWindows::ProgramWindows(int records)
{
    QList<DowsingRecord> stored;
    for (int i = 1; i <= records; ++i) {
        DowsingRecord r;
        r.Date = QDate(2011, 6, 1 + (i - 1) % 28);
        r.Name = QStringLiteral("CUSTOMER %1").arg(i);
        r.City = QStringLiteral("YORK");
        r.Time_Dowsing_Occured = QStringLiteral("14:30");
        r.Dowsing_Tool = QStringLiteral("Rods");
        r.Item_Dowsing_For = QStringLiteral("water");
        r.Notes = QStringLiteral("notes of customer %1").arg(i);
        stored.append(r);
    }
    addRecords(env.databasePath(), stored);

    // The reminder is due on fresh settings; let it ask now, not in a test.
    UpdateReminder::run();
    env.messages.clear();
    env.browser.opened.clear();

    m_frame = std::make_unique<FrameWindow>();
    m_frame->resize(1100, 800);
    m_frame->show();
    if (!m_frame->loadEntryWindow())
        qFatal("the entry window did not load");
    if (!QTest::qWaitForWindowActive(m_frame.get()))
        qWarning("the frame window did not become active");
    m_shown = entry();
}

ProgramWindows::~ProgramWindows()
{
    m_about.reset();
    m_frame.reset();
    closeExitScreens();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ProgramWindows::addStateRows()
{
    QTest::addColumn<QString>("state");
    for (const QString &state : states())
        QTest::newRow(qPrintable(state)) << state;
}

QStringList ProgramWindows::states()
{
    return {QStringLiteral("entry locked"), QStringLiteral("customer page"),
            QStringLiteral("tools page"),   QStringLiteral("tool pop-up"),
            QStringLiteral("item pop-up"),  QStringLiteral("notes page"),
            QStringLiteral("update mode"),  QStringLiteral("list"),
            QStringLiteral("find bar"),     QStringLiteral("empty list"),   QStringLiteral("record view"),
            QStringLiteral("deleted records"), QStringLiteral("customers"),
            QStringLiteral("statistics"),   QStringLiteral("about box"),
            QStringLiteral("exit screen")};
}

EntryWindow *ProgramWindows::entry() const
{
    return m_frame->windows().entryWindow();
}

void ProgramWindows::toList()
{
    entry()->showAllRecords();
    m_shown = m_frame->windows().listWindow();
}

void ProgramWindows::toRecordView(int row)
{
    toList();
    QTableView *grid = gridOf(m_frame->windows().listWindow());
    grid->setCurrentIndex(grid->model()->index(row, 0));
    m_frame->windows().listWindow()->openCurrentRecord();
    m_shown = m_frame->windows().recordView();
}

QWidget *ProgramWindows::enter(const QString &state)
{
    QWidget *window = m_frame.get();
    EntryWindow *form = entry();
    if (state == QLatin1String("entry locked")) {
        m_shown = form;
    } else if (state == QLatin1String("customer page")) {
        press(form, "cmAddNewRecord");
    } else if (state == QLatin1String("tools page")) {
        press(form, "cmAddNewRecord");
        press(form, "cmdCustomersDetailsNext");
    } else if (state == QLatin1String("tool pop-up") || state == QLatin1String("item pop-up")) {
        press(form, "cmAddNewRecord");
        press(form, "cmdCustomersDetailsNext");
        const bool tool = state == QLatin1String("tool pop-up");
        auto *list = form->findChild<QComboBox *>(tool ? QStringLiteral("cmbDowsingTool")
                                                       : QStringLiteral("cmbItemDowsingFor"));
        list->setCurrentIndex(list->count() - 1);
    } else if (state == QLatin1String("notes page")) {
        press(form, "cmAddNewRecord");
        press(form, "cmdCustomersDetailsNext");
        press(form, "cmdToolsNext");
    } else if (state == QLatin1String("update mode")) {
        toRecordView(0);
        press(m_frame->windows().recordView(), "cmdedit");
        m_shown = entry();
    } else if (state == QLatin1String("list")) {
        toList();
    } else if (state == QLatin1String("find bar")) {
        // File > Find Records in the entry window.
        form->findChild<QAction *>(QStringLiteral("mnuFindRecords"))->trigger();
        m_shown = m_frame->windows().listWindow();
    } else if (state == QLatin1String("empty list")) {
        const QVector<qint64> keys = keysIn(env.databasePath());
        for (qint64 key : keys)
            removeRecord(env.databasePath(), key);
        toList();
    } else if (state == QLatin1String("record view")) {
        toRecordView(1);
    } else if (state == QLatin1String("deleted records")) {
        // File > Deleted Records in the list, after a delete, shown as the
        // coordinator shows it but without its modal loop.
        removeRecord(env.databasePath(), keysIn(env.databasePath()).first());
        toList();
        auto *deleted = new DeletedRecordsWindow(m_frame->windows().listWindow());
        deleted->setAttribute(Qt::WA_DeleteOnClose);
        deleted->readRecords();
        deleted->show();
        window = deleted;
        m_shown = window;
    } else if (state == QLatin1String("customers") || state == QLatin1String("statistics")) {
        // File > Customers or File > Statistics in the entry window, once
        // the counts are on show.
        const bool customers = state == QLatin1String("customers");
        form->findChild<QAction *>(customers ? QStringLiteral("mnuCustomers")
                                             : QStringLiteral("mnuStatistics"))
                ->trigger();
        bool counted = false;
        if (customers) {
            CustomersWindow *shown = m_frame->windows().customersWindow();
            counted = QTest::qWaitFor([shown] { return !shown->isBusy(); }, 10000);
            m_shown = shown;
        } else {
            StatisticsWindow *shown = m_frame->windows().statisticsWindow();
            counted = QTest::qWaitFor([shown] { return !shown->isBusy(); }, 10000);
            m_shown = shown;
        }
        if (!counted) {
            qWarning("the %s were not counted", qPrintable(state));
            return nullptr;
        }
    } else if (state == QLatin1String("about box")) {
        m_about = std::make_unique<AboutBox>(m_frame.get());
        window = m_about.get();
        m_shown = window;
        m_about->show();
    } else if (state == QLatin1String("exit screen")) {
        ProgramEnd::showExitScreen();
        window = ProgramEnd::exitScreen();
        m_shown = window;
    } else {
        qWarning("no such state: %s", qPrintable(state));
        return nullptr;
    }
    // Active for the window system, then for the application's focus.
    if (!window || !QTest::qWaitForWindowActive(window)
        || !QTest::qWaitFor([window] { return QApplication::activeWindow() == window; })) {
        qWarning("the window of \"%s\" did not become active", qPrintable(state));
        return nullptr;
    }
    return window;
}

} // namespace Orvane::Testing
