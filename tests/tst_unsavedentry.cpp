// What the user typed into the entry window is never thrown away unasked:
// leaving the program, closing the frame, or starting an edit from the
// record view first asks when the form holds unsaved input.

#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include "list/RecordListWindow.h"
#include "app/UpdateReminder.h"
#include "app/ProgramEnd.h"
#include "app/SessionEnd.h"
#include "view/RecordViewWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTableView>
#include <QtTest>

#include <csignal>

using namespace Orvane;
using namespace Orvane::Testing;
using Answer = MessageBoxes::Answer;

namespace {

const QString kLeaveQuestion = QStringLiteral(
        "The Record You Are Entering Has Not Been Saved !\rDo You Want To Exit Anyway ?");

// A frame with its entry window over a database of its own holding one
// record.
struct Program
{
    TestEnvironment env;
    QPointer<FrameWindow> frame;
    QPointer<EntryWindow> entry;

    // settings: what an earlier run left in the user's settings.
    explicit Program(const QHash<QString, QString> &settings = {})
    {
        env.settings.values = settings;
        DowsingRecord r;
        r.Date = QDate(2009, 3, 7);
        r.Name = QStringLiteral("STORED");
        r.Time_Dowsing_Occured = QStringLiteral("09:05");
        addRecords(env.databasePath(), {r});
        UpdateReminder::run(); // first run: stores the date, asks nothing
        frame = new FrameWindow;
        frame->show();
        frame->loadEntryWindow();
        entry = frame->windows().entryWindow();
        env.messages.clear();
    }
    ~Program()
    {
        delete frame.data();
        closeExitScreens();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template<class T>
    T *control(const char *name) const
    {
        return entry->findChild<T *>(QLatin1String(name));
    }
    void click(const char *name) const { control<QPushButton>(name)->click(); }

    void typeName(const QString &text) const
    {
        click("cmAddNewRecord");
        control<QLineEdit>("txtName")->setText(text);
    }

    RecordViewWindow *openStoredRecord()
    {
        entry->showAllRecords();
        RecordListWindow *list = frame->windows().listWindow();
        QTableView *grid = gridOf(list);
        grid->setCurrentIndex(grid->model()->index(0, 0));
        list->openCurrentRecord();
        return frame->windows().recordView();
    }
};

} // namespace

class TestUnsavedEntry : public QObject
{
    Q_OBJECT

private slots:
    void leavingAsksOnlyWhenSomethingIsUnsaved_data();
    void leavingAsksOnlyWhenSomethingIsUnsaved();
    void answeringNoKeepsTheProgramAndTheInput_data();
    void answeringNoKeepsTheProgramAndTheInput();
    void answeringYesLeavesAfterOneQuestion();
    void enterInTheRealBoxAnswersItsDefault();
    void editAsksBeforeReplacingAHalfEnteredRecord();
    void editedRecordAsksOnlyOnceChanged();
    void aSessionsEndKeepsTheInputForTheNextStart_data();
    void aSessionsEndKeepsTheInputForTheNextStart();
};

void TestUnsavedEntry::leavingAsksOnlyWhenSomethingIsUnsaved_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("asks");
    QTest::newRow("fresh, locked form") << "fresh" << false;
    QTest::newRow("unlocked, nothing typed") << "unlocked" << false;
    QTest::newRow("a name typed") << "typed" << true;
    QTest::newRow("a date chosen") << "date" << true;
    QTest::newRow("after a save") << "saved" << false;
    QTest::newRow("a save refused") << "refused" << true;
}

void TestUnsavedEntry::leavingAsksOnlyWhenSomethingIsUnsaved()
{
    QFETCH(QString, state);
    QFETCH(bool, asks);
    Program p;
    if (state == QLatin1String("unlocked")) {
        p.click("cmAddNewRecord");
    } else if (state == QLatin1String("typed")) {
        p.typeName(QStringLiteral("JANE"));
    } else if (state == QLatin1String("date")) {
        p.click("cmAddNewRecord");
        p.control<QComboBox>("cmbYear")->setCurrentIndex(109);
    } else if (state == QLatin1String("saved")) {
        p.typeName(QStringLiteral("JANE"));
        p.click("cmdadd");
    } else if (state == QLatin1String("refused")) {
        p.typeName(QStringLiteral("JANE"));
        p.control<QComboBox>("cmbMonth")->setCurrentIndex(1); // February
        p.control<QComboBox>("cmbDate")->setCurrentIndex(30); // 31
        p.click("cmdadd");
    }
    p.env.messages.clear();

    p.click("cmdExit");
    QCOMPARE(p.env.messages.texts().contains(kLeaveQuestion), asks);
    // The default answer is Yes: the program goes on to its exit screen.
    QVERIFY(ProgramEnd::isExitScreenShown());
    QVERIFY(!p.frame->isVisible());
}

void TestUnsavedEntry::answeringNoKeepsTheProgramAndTheInput_data()
{
    QTest::addColumn<int>("route");
    QTest::newRow("Exit button") << 0;
    QTest::newRow("File > Exit") << 1;
    QTest::newRow("frame's close box") << 2;
}

void TestUnsavedEntry::answeringNoKeepsTheProgramAndTheInput()
{
    QFETCH(int, route);
    Program p;
    p.typeName(QStringLiteral("JANE"));
    p.control<QPlainTextEdit>("txtNotes")->setPlainText(QStringLiteral("notes so far"));
    p.env.messages.answers.enqueue(Answer::No);

    if (route == 0)
        p.click("cmdExit");
    else if (route == 1)
        p.entry->findChild<QAction *>(QStringLiteral("mnuExit"))->trigger();
    else
        p.frame->close();

    QCOMPARE(p.env.messages.texts(), QStringList{kLeaveQuestion});
    QCOMPARE(p.env.messages.shown.first().buttons, MessageBoxes::Buttons::YesNo);
    // A reflex Enter keeps the input.
    QCOMPARE(p.env.messages.shown.first().defaultAnswer, Answer::No);
    QVERIFY(!ProgramEnd::isExitScreenShown());
    QVERIFY(p.frame->isVisible());
    QCOMPARE(p.frame->windows().entryWindow(), p.entry.data());
    QCOMPARE(p.control<QLineEdit>("txtName")->text(), QStringLiteral("JANE"));
    QCOMPARE(p.control<QPlainTextEdit>("txtNotes")->toPlainText(), QStringLiteral("notes so far"));
    QCOMPARE(p.env.process.ends, 0);
}

void TestUnsavedEntry::answeringYesLeavesAfterOneQuestion()
{
    Program p;
    p.typeName(QStringLiteral("JANE"));
    p.env.messages.answers.enqueue(Answer::Yes);
    p.click("cmdExit");
    // The frame's own close does not ask a second time.
    QCOMPARE(p.env.messages.texts(), QStringList{kLeaveQuestion});
    QVERIFY(ProgramEnd::isExitScreenShown());
    QVERIFY(!p.frame->windows().entryWindow());
}

void TestUnsavedEntry::enterInTheRealBoxAnswersItsDefault()
{
    QtMessageBoxes boxes;
    for (const Answer wanted : {Answer::No, Answer::Yes}) {
        QTimer::singleShot(0, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(boxes.show(nullptr, QStringLiteral("Do You Want To Exit Anyway ?"),
                            MessageBoxes::Icon::Information, MessageBoxes::Buttons::YesNo, wanted),
                 wanted);
    }
}

void TestUnsavedEntry::editAsksBeforeReplacingAHalfEnteredRecord()
{
    Program p;
    p.typeName(QStringLiteral("HALF DONE"));
    RecordViewWindow *save = p.openStoredRecord();
    p.env.messages.clear();

    // No: the record view stays and the half-entered record is untouched.
    p.env.messages.answers.enqueue(Answer::No);
    save->editRecord();
    QCOMPARE(p.env.messages.texts(),
             QStringList{QStringLiteral("The Record You Are Entering Has Not Been Saved !\r"
                                        "Do You Want To Replace It With This Dowsing Record ?")});
    QVERIFY(p.frame->isChildVisible(save));
    QVERIFY(!p.entry->isUpdateMode());
    QCOMPARE(p.control<QLineEdit>("txtName")->text(), QStringLiteral("HALF DONE"));

    // Yes: the stored record replaces it, in update mode.
    p.env.messages.answers.enqueue(Answer::Yes);
    save->editRecord();
    QVERIFY(p.entry->isUpdateMode());
    QCOMPARE(p.control<QLineEdit>("txtName")->text(), QStringLiteral("STORED"));
}

void TestUnsavedEntry::editedRecordAsksOnlyOnceChanged()
{
    Program p;
    RecordViewWindow *save = p.openStoredRecord();
    save->editRecord();
    QVERIFY(p.entry->isUpdateMode());
    QVERIFY(!p.entry->hasUnsavedEntry());

    p.control<QLineEdit>("txtCity")->setText(QStringLiteral("WELLS"));
    QVERIFY(p.entry->hasUnsavedEntry());
    p.env.messages.clear();
    p.env.messages.answers.enqueue(Answer::No);
    p.click("cmdExit");
    QCOMPARE(p.env.messages.texts(),
             QStringList{QStringLiteral("The Changes To This Record Have Not Been Updated !\r"
                                        "Do You Want To Exit Anyway ?")});
    QVERIFY(p.frame->isVisible());

    // Updating saves the change; leaving then asks nothing.
    p.click("cmdadd");
    QVERIFY(!p.entry->hasUnsavedEntry());
}

void TestUnsavedEntry::aSessionsEndKeepsTheInputForTheNextStart_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QString>("form");
    QTest::addColumn<bool>("wanted"); // the answer at the next start
    QTest::newRow("SIGTERM, a new record") << "SIGTERM" << "new record" << true;
    QTest::newRow("SIGHUP, a new record") << "SIGHUP" << "new record" << true;
    QTest::newRow("SIGINT, a new record") << "SIGINT" << "new record" << true;
    QTest::newRow("the session manager's quit, an edit") << "session" << "edit" << true;
    QTest::newRow("SIGTERM, an edit") << "SIGTERM" << "edit" << true;
    QTest::newRow("SIGTERM, a new record not wanted") << "SIGTERM" << "new record" << false;
    QTest::newRow("SIGTERM, nothing typed") << "SIGTERM" << "nothing" << true;
}

// A logout ends the program without a question no one would answer; what
// was typed and not saved comes back at the next start if the user wants it.
void TestUnsavedEntry::aSessionsEndKeepsTheInputForTheNextStart()
{
    QFETCH(QString, ending);
    QFETCH(QString, form);
    QFETCH(bool, wanted);
    const bool typed = form != QLatin1String("nothing");
    QHash<QString, QString> settingsLeft;
    {
        Program p;
        SessionEnd sessionEnd;
        sessionEnd.watch(p.frame);
        if (form == QLatin1String("new record")) {
            p.typeName(QStringLiteral("HALF DONE"));
            p.control<QComboBox>("cmbMonth")->setCurrentIndex(1); // February
            p.control<QComboBox>("cmbDate")->setCurrentIndex(30); // 31: not yet refused
            p.control<QPlainTextEdit>("txtNotes")->setPlainText(QStringLiteral("water at\n3 m"));
        } else if (form == QLatin1String("edit")) {
            p.openStoredRecord()->editRecord();
            p.control<QLineEdit>("txtCity")->setText(QStringLiteral("WELLS"));
        }
        p.env.messages.clear();
        if (ending == QLatin1String("session")) {
            QEvent quit(QEvent::Quit);
            QCoreApplication::sendEvent(qApp, &quit);
        } else {
            std::raise(ending == QLatin1String("SIGTERM")  ? SIGTERM
                       : ending == QLatin1String("SIGHUP") ? SIGHUP
                                                           : SIGINT);
        }
        QTRY_COMPARE(p.env.process.ends, 1);
        // Nothing asked, no exit screen waiting for a click.
        QCOMPARE(p.env.messages.texts(), QStringList());
        QVERIFY(!ProgramEnd::isExitScreenShown());
        settingsLeft = p.env.settings.values;
    }

    Program next(settingsLeft);
    next.env.messages.answers.enqueue(wanted ? Answer::Yes : Answer::No);
    const QString question = form == QLatin1String("edit")
            ? QStringLiteral("Your changes to the record of STORED were not yet updated when the "
                             "program was ended last time, and were kept.\rDo you want them "
                             "back in the form? No throws them away.")
            : QStringLiteral("The record you were entering when the program was ended last "
                             "time was not yet saved, and was kept.\rDo you want it back in "
                             "the form? No throws it away.");
    if (typed)
        QTRY_COMPARE(next.env.messages.texts(), QStringList{question});
    else
        QTest::qWait(100);
    const bool back = typed && wanted;
    QCOMPARE(next.entry->hasUnsavedEntry(), back);
    QCOMPARE(next.entry->isUpdateMode(), back && form == QLatin1String("edit"));
    if (back && form == QLatin1String("new record")) {
        QCOMPARE(next.control<QLineEdit>("txtName")->text(), QStringLiteral("HALF DONE"));
        QCOMPARE(next.control<QComboBox>("cmbMonth")->currentIndex(), 1);
        QCOMPARE(next.control<QComboBox>("cmbDate")->currentText(), QStringLiteral("31"));
        QCOMPARE(next.control<QPlainTextEdit>("txtNotes")->toPlainText(),
                 QStringLiteral("water at\n3 m"));
    } else if (back) {
        QCOMPARE(next.entry->updateIdNumber(), std::optional<qint64>(1));
        QCOMPARE(next.control<QLineEdit>("txtName")->text(), QStringLiteral("STORED"));
        QCOMPARE(next.control<QLineEdit>("txtCity")->text(), QStringLiteral("WELLS"));
        // The update writes it over the record as the edit began.
        next.click("cmdadd");
        QCOMPARE(storedRecords(next.env.databasePath()).constFirst().City, QStringLiteral("WELLS"));
    } else {
        QCOMPARE(next.control<QLineEdit>("txtName")->text(), QString());
    }

    // Offered once, whatever the answer.
    Program third(next.env.settings.values);
    QTest::qWait(100);
    QCOMPARE(third.env.messages.texts(), QStringList());
}

QTEST_MAIN(TestUnsavedEntry)
#include "tst_unsavedentry.moc"
