// The exit screen and the end of the program: one screen, kept on top, with
// a random note, working links and a checked tell-a-friend form; closing it
// in any way unloads every window, hidden ones too, and ends the process.

#include "support/WindowDriver.h"

#include "app/ExitScreen.h"
#include "app/ProgramEnd.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QtTest>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

// Deletes what was handed over for deletion, as the event loop would.
void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A window with an unload handler of its own.
class HandlerWindow : public QWidget
{
public:
    std::function<void(QCloseEvent *)> onClose;
    int closes = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closes;
        if (onClose)
            onClose(event);
    }
};

ExitScreen *shownExitScreen()
{
    ProgramEnd::showExitScreen();
    return qobject_cast<ExitScreen *>(ProgramEnd::exitScreen());
}

} // namespace

class TestExitScreen : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void isOneTopLevelScreenKeptOnTop();
    void showsOneOfFourNotesAtRandom();
    void linksOpenTheirPages_data();
    void linksOpenTheirPages();
    void referralIsRefusedWithAReason_data();
    void referralIsRefusedWithAReason();
    void referralOpensTheReferralPage();
    void closingEndsTheProgramAndLeavesNoWindow_data();
    void closingEndsTheProgramAndLeavesNoWindow();
    void unloadRunsHandlersAndSparesNoWindow();
    void closingTheFrameLeavesOnlyTheExitScreen();
};

void TestExitScreen::cleanup()
{
    // Whatever a test left behind goes before the next one.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (!w->parentWidget())
            w->deleteLater();
    flushDeletes();
}

void TestExitScreen::isOneTopLevelScreenKeptOnTop()
{
    TestEnvironment env;
    QVERIFY(!ProgramEnd::isExitScreenShown());
    ExitScreen *screen = shownExitScreen();
    QVERIFY(screen);
    QVERIFY(ProgramEnd::isExitScreenShown());
    QVERIFY(screen->isVisible());
    QVERIFY(screen->isWindow());
    QVERIFY(!screen->parentWidget());
    QVERIFY(screen->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(screen->windowTitle(), QStringLiteral("Thank You For Using Orvane Dowsing"));
    // Screen readers announce it as a window, named by its title.
    QAccessibleInterface *announced = QAccessible::queryAccessibleInterface(screen);
    QCOMPARE(announced->role(), QAccessible::Window);
    QCOMPARE(announced->text(QAccessible::Name), screen->windowTitle());
    QVERIFY(screen->width() >= 480 && screen->height() >= 440);

    // Showing it again leaves the one screen as it is.
    const int note = screen->noteIndex();
    const QRect place = screen->geometry();
    control<QLineEdit>(screen, "txtFriendName")->setText(QStringLiteral("Ann"));
    QCOMPARE(shownExitScreen(), screen);
    QCOMPARE(screen->noteIndex(), note);
    QCOMPARE(screen->geometry(), place);
    QCOMPARE(control<QLineEdit>(screen, "txtFriendName")->text(),
             QStringLiteral("Ann"));
    int screens = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        screens += qobject_cast<ExitScreen *>(w) ? 1 : 0;
    QCOMPARE(screens, 1);
    QCOMPARE(env.process.ends, 0);
}

void TestExitScreen::showsOneOfFourNotesAtRandom()
{
    const QStringList notes = ExitScreen::notes();
    QCOMPARE(notes.size(), 4);
    QCOMPARE(QSet<QString>(notes.begin(), notes.end()).size(), 4);
    for (const QString &note : notes)
        QVERIFY2(note.contains(QLatin1String("discussion board")), qPrintable(note));

    QSet<int> seen;
    for (int i = 0; i < 200 && seen.size() < 4; ++i) {
        ExitScreen screen;
        QVERIFY(screen.noteIndex() >= 0 && screen.noteIndex() < 4);
        QCOMPARE(control<QLabel>(&screen, "lblNote")->text(),
                 notes.at(screen.noteIndex()));
        seen.insert(screen.noteIndex());
    }
    QCOMPARE(seen.size(), 4);
}

void TestExitScreen::linksOpenTheirPages_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("page");
    QTest::newRow("board") << "lblBoard" << "home-page";
    QTest::newRow("home page") << "lblHomePage" << "home-page";
    QTest::newRow("help") << "lblHelp" << "help-web-page";
    QTest::newRow("update") << "lblUpdate" << "download-web-page";
    QTest::newRow("donate") << "lblDonate" << "donate";
}

void TestExitScreen::linksOpenTheirPages()
{
    QFETCH(QString, link);
    QFETCH(QString, page);
    TestEnvironment env;
    ExitScreen *screen = shownExitScreen();
    auto *label = screen->findChild<QLabel *>(link);
    QVERIFY(label);
    QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(env.browser.pageKeys(), QStringList{page});
    QVERIFY(screen->isVisible());
    QCOMPARE(env.process.ends, 0);
}

void TestExitScreen::referralIsRefusedWithAReason_data()
{
    QTest::addColumn<QString>("yourEmail");
    QTest::addColumn<QString>("friendEmail");
    QTest::addColumn<int>("messageLength");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("focused");
    QTest::newRow("no friend's address") << "" << "  " << 10
                                         << "Please enter your friend's e-mail address."
                                         << "txtFriendEmail";
    QTest::newRow("friend's address without @") << "" << "pal.example" << 10
                                                << "Please enter a valid e-mail address for your friend."
                                                << "txtFriendEmail";
    QTest::newRow("friend's address with blanks") << "" << "p al@x.example" << 10
                                                  << "Please enter a valid e-mail address for your friend."
                                                  << "txtFriendEmail";
    QTest::newRow("own address wrong") << "me@" << "pal@x.example" << 10
                                       << "Please enter a valid e-mail address of your own, or leave it empty."
                                       << "txtYourEmail";
    QTest::newRow("message too long") << "" << "pal@x.example" << 1001
                                      << "Please keep the message under 1000 characters."
                                      << "txtMessage";
}

void TestExitScreen::referralIsRefusedWithAReason()
{
    QFETCH(QString, yourEmail);
    QFETCH(QString, friendEmail);
    QFETCH(int, messageLength);
    QFETCH(QString, reason);
    QFETCH(QString, focused);
    TestEnvironment env;
    ExitScreen *screen = shownExitScreen();
    QVERIFY(QTest::qWaitForWindowActive(screen));
    control<QLineEdit>(screen, "txtYourName")->setText(QStringLiteral("Bo"));
    control<QLineEdit>(screen, "txtYourEmail")->setText(yourEmail);
    control<QLineEdit>(screen, "txtFriendEmail")->setText(friendEmail);
    const QString message(messageLength, QLatin1Char('m'));
    control<QPlainTextEdit>(screen, "txtMessage")->setPlainText(message);
    QTest::mouseClick(control<QPushButton>(screen, "cmdSend"), Qt::LeftButton);

    QCOMPARE(env.messages.texts(), QStringList{reason});
    QCOMPARE(env.messages.shown.constFirst().icon, MessageBoxes::Icon::Information);
    QVERIFY(env.browser.opened.isEmpty());
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
    // Nothing typed is lost.
    QCOMPARE(control<QLineEdit>(screen, "txtYourName")->text(),
             QStringLiteral("Bo"));
    QCOMPARE(control<QPlainTextEdit>(screen, "txtMessage")->toPlainText(),
             message);
    QVERIFY(screen->isVisible());
}

void TestExitScreen::referralOpensTheReferralPage()
{
    TestEnvironment env;
    ExitScreen *screen = shownExitScreen();
    control<QLineEdit>(screen, "txtYourName")->setText(QStringLiteral(" Bo Lind "));
    control<QLineEdit>(screen, "txtFriendEmail")->setText(QStringLiteral("pal@x.example"));
    QTest::mouseClick(control<QPushButton>(screen, "cmdSend"), Qt::LeftButton);
    QVERIFY(env.messages.shown.isEmpty());
    QCOMPARE(env.browser.opened.size(), 1);
    const QUrl url = env.browser.opened.constFirst();
    QCOMPARE(url.toString(QUrl::FullyEncoded),
             QStringLiteral("http://www.orvane.example/orvane-site/ssd.php?page=refer-friend"
                            "&your_name=Bo%20Lind&your_email=&friend_name="
                            "&friend_email=pal%40x.example&message=")
                     + QString::fromLatin1(QUrl::toPercentEncoding(
                             control<QPlainTextEdit>(screen, "txtMessage")
                                     ->toPlainText())));
    QVERIFY(!control<QLabel>(screen, "lblSent")->text().isEmpty());
    QVERIFY(screen->isVisible());
    QCOMPARE(env.process.ends, 0);
}

void TestExitScreen::closingEndsTheProgramAndLeavesNoWindow_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("E&xit button") << "button";
    QTest::newRow("close box") << "close box";
}

void TestExitScreen::closingEndsTheProgramAndLeavesNoWindow()
{
    QFETCH(QString, how);
    TestEnvironment env;
    // Other windows still loaded, one of them hidden, one a dialog of the
    // frame.
    auto *frame = new FrameWindow;
    frame->show();
    auto *hidden = new QWidget;
    hidden->setWindowTitle(QStringLiteral("hidden"));
    auto *dialog = new QDialog(frame);
    dialog->show();
    QPointer<QWidget> frameGuard(frame), hiddenGuard(hidden), dialogGuard(dialog);

    QPointer<ExitScreen> screen = shownExitScreen();
    QVERIFY(QTest::qWaitForWindowActive(screen));
    if (how == QLatin1String("button")) {
        QCOMPARE(control<QPushButton>(screen, "cmdExit")->shortcut(),
                 QKeySequence(QStringLiteral("Alt+X")));
        QTest::mouseClick(control<QPushButton>(screen, "cmdExit"),
                          Qt::LeftButton);
    } else {
        // The close box reaches the window as a close event on its native
        // window.
        QVERIFY(screen->windowHandle());
        QCloseEvent closeBox;
        QCoreApplication::sendEvent(screen->windowHandle(), &closeBox);
    }

    QCOMPARE(env.process.ends, 1);
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!ProgramEnd::isExitScreenShown());
    flushDeletes();
    QVERIFY(!screen);
    QVERIFY(!frameGuard);
    QVERIFY(!hiddenGuard);
    QVERIFY(!dialogGuard);
    QCOMPARE(QApplication::topLevelWidgets(), QWidgetList());
    QCOMPARE(env.process.ends, 1);
}

void TestExitScreen::unloadRunsHandlersAndSparesNoWindow()
{
    TestEnvironment env;
    // A window that refuses to close, one whose handler loads another window,
    // and one whose handler asks for the exit screen.
    auto *stubborn = new HandlerWindow;
    stubborn->onClose = [](QCloseEvent *e) { e->ignore(); };
    stubborn->show();
    auto *loader = new HandlerWindow;
    QPointer<QWidget> loaded;
    loader->onClose = [&](QCloseEvent *) {
        loaded = new QWidget;
        loaded->show();
    };
    auto *asker = new HandlerWindow;
    asker->onClose = [](QCloseEvent *) { ProgramEnd::showExitScreen(); };
    asker->show();
    QPointer<HandlerWindow> stubbornGuard(stubborn), loaderGuard(loader), askerGuard(asker);

    ProgramEnd::unloadAllAndEnd();

    QCOMPARE(stubborn->closes, 1);
    QCOMPARE(loader->closes, 1);
    QCOMPARE(asker->closes, 1);
    QVERIFY(loaded);
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!ProgramEnd::exitScreen());
    QCOMPARE(env.process.ends, 1);
    flushDeletes();
    QVERIFY(!stubbornGuard && !loaderGuard && !askerGuard && !loaded);
    QCOMPARE(QApplication::topLevelWidgets(), QWidgetList());
}

void TestExitScreen::closingTheFrameLeavesOnlyTheExitScreen()
{
    TestEnvironment env;
    auto *frame = new FrameWindow;
    QVERIFY(frame->loadEntryWindow());
    frame->show();
    // The list window is loaded and the entry window hidden behind it.
    frame->windows().listWindow();
    frame->hideChild(frame->windows().entryWindow());
    QPointer<QWidget> frameGuard(frame);
    env.messages.clear();

    frame->close();
    QVERIFY(ProgramEnd::isExitScreenShown());
    QCOMPARE(visibleWindows(), QList<QWidget *>{ProgramEnd::exitScreen()});
    QCOMPARE(env.process.ends, 0);

    ProgramEnd::exitScreen()->close();
    QCOMPARE(env.process.ends, 1);
    QVERIFY(visibleWindows().isEmpty());
    flushDeletes();
    QVERIFY(!frameGuard);
    QCOMPARE(QApplication::topLevelWidgets(), QWidgetList());
}

QTEST_MAIN(TestExitScreen)
#include "tst_exitscreen.moc"
