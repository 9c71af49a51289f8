// The About box: its fixed texts, Enter and Esc closing it like OK, and
// links that open one page each while the box stays open.

#include "support/FakePlatform.h"

#include "app/AboutBox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace Orvane;
using Orvane::Testing::TestEnvironment;

namespace {

QMap<QString, QString> textsOf(const QWidget &box)
{
    QMap<QString, QString> texts;
    const QList<QLabel *> labels = box.findChildren<QLabel *>();
    for (const QLabel *label : labels)
        texts.insert(label->objectName(), label->text());
    for (const QPushButton *button : box.findChildren<QPushButton *>())
        texts.insert(button->objectName(), button->text());
    return texts;
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void showsItsFixedTexts();
    void enterAndEscCloseItLikeOk_data();
    void enterAndEscCloseItLikeOk();
    void linksOpenOnePageEachAndLeaveItOpen_data();
    void linksOpenOnePageEachAndLeaveItOpen();
    void blocksTheWindowBehindItUntilClosed();
};

void TestAbout::showsItsFixedTexts()
{
    TestEnvironment env;
    AboutBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("Orvane Dowsing v1.55"));
    QVERIFY(box.isModal());
    const QMap<QString, QString> texts = textsOf(box);
    QCOMPARE(texts.value(QStringLiteral("Label2")), QStringLiteral("Orvane Dowsing v1.55"));
    QCOMPARE(texts.value(QStringLiteral("Label1")),
             QStringLiteral("Orvane Dowsing is a divination software which is for anyone who "
                            "does dowsing. The program allows you to keep a track of all your "
                            "dowsing experience, along with the dowsing tool you used. "
                            "Orvanelog has been so designed which anyone should have if they do "
                            "dowsing for fun or profit."));
    QCOMPARE(texts.value(QStringLiteral("Label3")),
             QStringLiteral("Home Business Opportunity. Start your own Internet business and "
                            "make money online. Get this software fully branded for your "
                            "website."));
    QCOMPARE(texts.value(QStringLiteral("lblCobrand")),
             QStringLiteral(" Click here for more details."));
    QCOMPARE(texts.value(QStringLiteral("lblHomePage")),
             QStringLiteral("Click here to visit www.orvane.example"));
    QCOMPARE(texts.value(QStringLiteral("cmdOk")), QStringLiteral("&OK"));

    auto *icon = box.findChild<QLabel *>(QStringLiteral("picIcon"));
    QVERIFY(icon);
    QVERIFY(!icon->pixmap().isNull());
    auto *rule = box.findChild<QFrame *>(QStringLiteral("Line2"));
    QVERIFY(rule);
    QCOMPARE(rule->frameShape(), QFrame::HLine);

    // Nothing is carried over to the next box.
    AboutBox again;
    QCOMPARE(textsOf(again), texts);
    QVERIFY(env.browser.opened.isEmpty());
}

void TestAbout::enterAndEscCloseItLikeOk_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("OK button") << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestAbout::enterAndEscCloseItLikeOk()
{
    QFETCH(int, key);
    TestEnvironment env;
    AboutBox box;
    auto *ok = box.findChild<QPushButton *>(QStringLiteral("cmdOk"));
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->shortcut(), QKeySequence(QStringLiteral("Alt+O")));
    bool shownModally = false;
    QTimer::singleShot(0, &box, [&] {
        shownModally = box.isVisible() && QApplication::activeModalWidget() == &box;
        if (key == 0)
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                        : static_cast<QWidget *>(&box),
                            Qt::Key(key));
    });
    // A watchdog keeps a box that does not close from hanging the test.
    QTimer::singleShot(3000, &box, [&] { box.done(99); });
    const int result = box.exec();
    QVERIFY(shownModally);
    QVERIFY2(result != 99, "the box stayed open");
    QVERIFY(!box.isVisible());
    QVERIFY(env.browser.opened.isEmpty());
}

void TestAbout::linksOpenOnePageEachAndLeaveItOpen_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("page");
    QTest::newRow("lblCobrand") << QStringLiteral("lblCobrand") << QStringLiteral("fully-branded");
    QTest::newRow("lblHomePage") << QStringLiteral("lblHomePage") << QStringLiteral("home-page");
}

void TestAbout::linksOpenOnePageEachAndLeaveItOpen()
{
    QFETCH(QString, link);
    QFETCH(QString, page);
    TestEnvironment env;
    AboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto *label = box.findChild<QLabel *>(link);
    QVERIFY(label);
    QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(env.browser.pageKeys(), QStringList{page});
    QVERIFY(box.isVisible());
    QCOMPARE(box.result(), 0);
    // Clicking the plain texts opens nothing.
    for (const char *plain : {"Label1", "Label2", "Label3", "picIcon"})
        QTest::mouseClick(box.findChild<QWidget *>(QString::fromLatin1(plain)), Qt::LeftButton);
    QCOMPARE(env.browser.opened.size(), 1);
    QVERIFY(box.isVisible());
}

void TestAbout::blocksTheWindowBehindItUntilClosed()
{
    TestEnvironment env;
    QWidget owner;
    owner.show();
    auto *box = new AboutBox(&owner);
    bool ownerBlocked = false;
    QTimer::singleShot(0, box, [&] {
        ownerBlocked = QApplication::activeModalWidget() == box && !owner.isActiveWindow()
                && owner.testAttribute(Qt::WA_WState_Visible);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    QTimer::singleShot(3000, box, [box] { box->done(99); });
    QCOMPARE(box->exec(), int(QDialog::Rejected));
    QVERIFY(ownerBlocked);
    delete box;
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
