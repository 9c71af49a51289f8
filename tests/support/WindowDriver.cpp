#include "WindowDriver.h"

#include "app/UpdateReminder.h"

#include <QApplication>
#include <QLayout>
#include <QStackedWidget>
#include <QTableView>
#include <QtTest>

namespace Orvane::Testing {

void press(QWidget *window, const char *button)
{
    control<QPushButton>(window, button)->click();
}

void closeExitScreens()
{
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (w->inherits("Orvane::ExitScreen"))
            delete w;
    }
}

QList<QWidget *> visibleWindows()
{
    QList<QWidget *> result;
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows)
        if (w->isVisible())
            result.append(w);
    return result;
}

FrameWindow *frameWindow()
{
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows)
        if (auto *frame = qobject_cast<FrameWindow *>(w))
            return frame;
    return nullptr;
}

QTableView *gridOf(QWidget *list)
{
    return list->findChild<QTableView *>(QStringLiteral("DataGrid"));
}

EntryDriver::EntryDriver(bool withDatabase, bool show,
                         const std::function<void(const QString &)> &prepareDatabase)
    : env(withDatabase)
{
    if (prepareDatabase)
        prepareDatabase(env.databasePath());
    // The reminder is due on a fresh settings store; let it ask now so that
    // the load's own run stays quiet.
    UpdateReminder::run();
    env.messages.clear();
    env.browser.opened.clear();
    frame = std::make_unique<FrameWindow>();
    if (show) {
        frame->resize(1024, 768);
        frame->show();
    }
    loaded = frame->loadEntryWindow();
    form = frame->windows().entryWindow();
    if (show && form && !QTest::qWaitForWindowActive(frame.get()))
        qWarning("the frame window did not become active");
}

EntryDriver::~EntryDriver()
{
    frame.reset();
    closeExitScreens();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

namespace {

// A window that was never shown has given its controls their sizes only part
// of the way down: a widget that is not shown keeps its new size to itself
// until it is. Hand each size down from the top, so a click lands on the
// control where a user would see it, even on a page behind the front one.
void layOutUnshown(QWidget *widget)
{
    QList<QWidget *> chain;
    for (QWidget *w = widget; w; w = w->parentWidget())
        chain.prepend(w);
    for (QWidget *w : chain) {
        // A stack lays out only its front page.
        if (auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget()))
            w->setGeometry(stack->rect());
        if (QLayout *layout = w->layout())
            layout->setGeometry(w->rect());
    }
}

} // namespace

void EntryDriver::click(const char *name) const
{
    QPushButton *target = button(name);
    if (!target->isVisible())
        layOutUnshown(target);
    QTest::mouseClick(target, Qt::LeftButton);
}

bool EntryDriver::shown(QWidget *child) const
{
    return child && child->parentWidget() && child->parentWidget()->isVisibleTo(frame.get());
}

QWidget *EntryDriver::frontPage() const
{
    return get<QStackedWidget>("pages")->currentWidget();
}

bool EntryDriver::pagesEnabled() const
{
    const bool c = page("fraCustomersDetails")->isEnabled();
    if (page("fraTools")->isEnabled() != c || page("fraNotes")->isEnabled() != c)
        qFatal("pages disagree on their lock state");
    return c;
}

QStringList EntryDriver::notices() const
{
    QStringList texts;
    for (const auto &shownBox : env.messages.shown)
        if (shownBox.buttons == MessageBoxes::Buttons::Ok)
            texts.append(shownBox.text);
    return texts;
}

void EntryDriver::toNotesPage() const
{
    if (!pagesEnabled())
        click("cmAddNewRecord");
    click("cmdCustomersDetailsNext");
    click("cmdToolsNext");
}

void EntryDriver::editRecord(const DowsingRecord &record, const QString &dateText,
                             const QString &timeText) const
{
    form->beginEdit(record, dateText, timeText);
}

void EntryDriver::typeRecord(const QString &name, const QString &city, const QString &notes) const
{
    click("cmAddNewRecord");
    QTest::keyClicks(line("txtName"), name);
    QTest::keyClicks(line("txtCity"), city);
    click("cmdCustomersDetailsNext");
    list("cmbHour")->setCurrentIndex(9);
    click("cmdToolsNext");
    box("txtNotes")->setPlainText(notes);
}

} // namespace Orvane::Testing
