#include "ProgramWindows.h"

#include "entry/frmMain.h"
#include "list/frmAllRecord.h"
#include "shell/MDIForm1.h"
#include "shell/frmAbout.h"
#include "shell/modHelp.h"
#include "store/RecordStore.h"
#include "view/frmSave.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace Orvane::Testing {

namespace {

void press(QWidget *window, const char *button)
{
    auto *b = window->findChild<QPushButton *>(QLatin1String(button));
    if (!b)
        qFatal("no button %s", button);
    b->click();
}

void closeExitScreens()
{
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (w->inherits("Orvane::frmExit"))
            delete w;
    }
}

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
    RecordStore store;
    if (store.open(env.databasePath()) != RecordStore::OpenResult::Opened)
        qFatal("cannot open the test database");
    for (int i = 1; i <= records; ++i) {
        DowsingRecord r;
        r.Date = QDate(2011, 6, i);
        r.Name = QStringLiteral("CUSTOMER %1").arg(i);
        r.City = QStringLiteral("YORK");
        r.Time_Dowsing_Occured = QStringLiteral("14:30");
        r.Dowsing_Tool = QStringLiteral("Rods");
        r.Item_Dowsing_For = QStringLiteral("water");
        r.Notes = QStringLiteral("notes of customer %1").arg(i);
        if (!store.add(r))
            qFatal("cannot seed: %s", qPrintable(store.errorText()));
    }

    // The reminder is due on fresh settings; let it ask now, not in a test.
    modHelp::UpdateReminder();
    env.messages.clear();
    env.browser.opened.clear();

    m_frame = std::make_unique<MDIForm1>();
    m_frame->resize(1100, 800);
    m_frame->show();
    if (!m_frame->MDIForm_Load())
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

QStringList ProgramWindows::states()
{
    return {QStringLiteral("entry locked"), QStringLiteral("customer page"),
            QStringLiteral("tools page"),   QStringLiteral("tool pop-up"),
            QStringLiteral("item pop-up"),  QStringLiteral("notes page"),
            QStringLiteral("update mode"),  QStringLiteral("list"),
            QStringLiteral("empty list"),   QStringLiteral("record view"),
            QStringLiteral("about box"),    QStringLiteral("exit screen")};
}

frmMain *ProgramWindows::entry() const
{
    return m_frame->entryForm();
}

void ProgramWindows::toList()
{
    entry()->cmdViewAllrecords_Click();
    m_shown = m_frame->allRecordForm();
}

void ProgramWindows::toRecordView(int row)
{
    toList();
    auto *grid = m_frame->allRecordForm()->findChild<QTableView *>(QStringLiteral("DataGrid"));
    grid->setCurrentIndex(grid->model()->index(row, 0));
    m_frame->allRecordForm()->DataGrid_DblClick();
    m_shown = m_frame->saveForm();
}

QWidget *ProgramWindows::enter(const QString &state)
{
    QWidget *window = m_frame.get();
    frmMain *form = entry();
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
        press(m_frame->saveForm(), "cmdedit");
        m_shown = entry();
    } else if (state == QLatin1String("list")) {
        toList();
    } else if (state == QLatin1String("empty list")) {
        RecordStore store;
        store.open(env.databasePath());
        const QVector<qint64> keys = store.idNumbers();
        for (qint64 key : keys)
            store.remove(key);
        toList();
    } else if (state == QLatin1String("record view")) {
        toRecordView(1);
    } else if (state == QLatin1String("about box")) {
        m_about = std::make_unique<frmAbout>(m_frame.get());
        window = m_about.get();
        m_shown = window;
        m_about->show();
    } else if (state == QLatin1String("exit screen")) {
        modHelp::ShowExitScreen();
        window = modHelp::exitScreen();
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
