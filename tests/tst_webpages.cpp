// The maker's web pages: every page key's address, a referral whose typed
// values try to break out of their field, and the frame window's banners.

#include "support/ProgramWindows.h"
#include "support/WindowDriver.h"

#include "app/ExitScreen.h"
#include "app/FrameWindow.h"
#include "app/UserGuide.h"
#include "app/WebPages.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QMdiArea>
#include <QUrlQuery>
#include <QtTest>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

const QString pagePath = QStringLiteral("/orvane-site/ssd.php");

// The query's items as a server would split and decode them: on "&" and the
// first "=", "+" read as a blank, then percent-decoded.
QList<QPair<QString, QString>> serverFields(const QUrl &url)
{
    QList<QPair<QString, QString>> result;
    const QByteArray query = url.query(QUrl::FullyEncoded).toLatin1();
    for (const QByteArray &item : query.split('&')) {
        const qsizetype eq = item.indexOf('=');
        auto decode = [](QByteArray part) {
            part.replace('+', ' ');
            return QString::fromUtf8(QByteArray::fromPercentEncoding(part));
        };
        result.append({decode(item.left(eq)), decode(eq < 0 ? QByteArray() : item.mid(eq + 1))});
    }
    return result;
}

} // namespace

class TestWebPages : public QObject
{
    Q_OBJECT

private slots:
    void everyPageKeyHasItsAddress_data();
    void everyPageKeyHasItsAddress();
    void openWebPageOpensOnePageAndReportsNothing();
    void typedValuesCannotChangeTheAddress_data();
    void typedValuesCannotChangeTheAddress();
    void frameLabelsOpenTheirPagesAndStripsNothing();
    void bannerTexts();
    void f1ShowsTheGuideWhileHelpOpensTheMakersPages_data();
    void f1ShowsTheGuideWhileHelpOpensTheMakersPages();
};

void TestWebPages::everyPageKeyHasItsAddress_data()
{
    QTest::addColumn<QString>("key");
    for (const char *key : {"home-page", "help-web-page", "download-web-page", "donate",
                            "co-brand", "fully-branded", "refer-friend"})
        QTest::newRow(key) << QString::fromLatin1(key);
}

void TestWebPages::everyPageKeyHasItsAddress()
{
    QFETCH(QString, key);
    const QUrl url = WebPages::url(key);
    QVERIFY(url.isValid());
    QCOMPARE(url.toString(QUrl::FullyEncoded),
             QStringLiteral("http://www.orvane.example/orvane-site/ssd.php?page=") + key);
    QVERIFY(WebPages::makerHost().endsWith(QLatin1String(".example")));
    QCOMPARE(url.host(), WebPages::makerHost());
}

void TestWebPages::openWebPageOpensOnePageAndReportsNothing()
{
    TestEnvironment env;
    WebPages::open(QStringLiteral("donate"));
    QCOMPARE(env.browser.opened, QList<QUrl>{WebPages::url(QStringLiteral("donate"))});
    QVERIFY(env.messages.shown.isEmpty());
}

void TestWebPages::typedValuesCannotChangeTheAddress_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("ampersand and equals") << QStringLiteral("a&page=evil&message=x=y");
    QTest::newRow("fragment") << QStringLiteral("#top");
    QTest::newRow("plus") << QStringLiteral("1+1=2");
    QTest::newRow("slash and question mark") << QStringLiteral("/../../etc?x=1");
    QTest::newRow("percent") << QStringLiteral("100% %41%2B %zz");
    QTest::newRow("blanks and line breaks") << QStringLiteral(" two  words\r\nnext line\n");
    QTest::newRow("beyond ASCII") << QStringLiteral("J\u00fcrgen \u00c9lise \u6f22\u5b57 \U0001F4A7");
    QTest::newRow("another host") << QStringLiteral("@evil.example:81/x http://evil.example/");
    QTest::newRow("semicolon and quotes") << QStringLiteral("a;b\"c'd<e>f\\g");
}

void TestWebPages::typedValuesCannotChangeTheAddress()
{
    QFETCH(QString, typed);
    TestEnvironment env;
    ExitScreen screen(0);
    control<QLineEdit>(&screen, "txtYourName")->setText(typed);
    control<QLineEdit>(&screen, "txtYourEmail")->setText(QStringLiteral("me@home.example"));
    control<QLineEdit>(&screen, "txtFriendName")->setText(typed);
    control<QLineEdit>(&screen, "txtFriendEmail")->setText(QStringLiteral("pal+tag@friend.example"));
    auto *message = control<QPlainTextEdit>(&screen, "txtMessage");
    message->setPlainText(typed);
    // The box keeps line breaks as "\n"; that is what the user sees and sends.
    const QString typedMessage = message->toPlainText();
    QTest::mouseClick(control<QPushButton>(&screen, "cmdSend"), Qt::LeftButton);

    QVERIFY(env.messages.shown.isEmpty());
    QCOMPARE(env.browser.opened.size(), 1);
    const QUrl url = env.browser.opened.constFirst();
    // The address survives being passed on as text.
    const QUrl reparsed(url.toString(QUrl::FullyEncoded), QUrl::StrictMode);
    for (const QUrl &u : {url, reparsed}) {
        QCOMPARE(u.scheme(), QStringLiteral("http"));
        QCOMPARE(u.host(), WebPages::makerHost());
        QCOMPARE(u.port(), -1);
        QCOMPARE(u.userInfo(), QString());
        QCOMPARE(u.path(), pagePath);
        QVERIFY(!u.hasFragment());
        const QList<QPair<QString, QString>> expected{
                {QStringLiteral("page"), QStringLiteral("refer-friend")},
                {QStringLiteral("your_name"), typed.trimmed()},
                {QStringLiteral("your_email"), QStringLiteral("me@home.example")},
                {QStringLiteral("friend_name"), typed.trimmed()},
                {QStringLiteral("friend_email"), QStringLiteral("pal+tag@friend.example")},
                {QStringLiteral("message"), typedMessage}};
        QCOMPARE(serverFields(u), expected);
    }
    // Qt's own reading of the query agrees.
    QUrlQuery query(url);
    QCOMPARE(query.queryItemValue(QStringLiteral("message"), QUrl::FullyDecoded), typedMessage);
    QCOMPARE(query.allQueryItemValues(QStringLiteral("page")).size(), 1);
    QCOMPARE(env.browser.pageKeys(), QStringList{QStringLiteral("refer-friend")});
}

void TestWebPages::frameLabelsOpenTheirPagesAndStripsNothing()
{
    TestEnvironment env;
    FrameWindow frame;
    frame.resize(900, 700);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));

    auto *top = control<QWidget>(&frame, "Picture1");
    auto *bottom = control<QWidget>(&frame, "Picture2");
    auto *label61 = control<QLabel>(&frame, "Label61");
    auto *label7 = control<QLabel>(&frame, "Label7");
    QVERIFY(top && bottom && label61 && label7);
    QVERIFY(control<QWidget>(&frame, "Frame3")->isAncestorOf(label61));
    QVERIFY(bottom->isAncestorOf(label7));
    // The strips run across the full width, one above and one below the
    // client area.
    QCOMPARE(top->width(), frame.centralWidget()->width());
    QCOMPARE(bottom->width(), frame.centralWidget()->width());
    QVERIFY(top->geometry().bottom() < frame.mdiArea()->geometry().top());
    QVERIFY(bottom->geometry().top() > frame.mdiArea()->geometry().bottom());
    QCOMPARE(label61->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(label7->cursor().shape(), Qt::PointingHandCursor);

    // Beside the labels the strips do nothing.
    QTest::mouseClick(top, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(bottom, Qt::LeftButton, {}, QPoint(2, bottom->height() - 2));
    QVERIFY(env.browser.opened.isEmpty());

    QTest::mouseClick(label61, Qt::LeftButton);
    QCOMPARE(env.browser.pageKeys(), QStringList{QStringLiteral("home-page")});
    QTest::mouseClick(label7, Qt::LeftButton);
    QCOMPARE(env.browser.pageKeys(),
             QStringList({QStringLiteral("home-page"), QStringLiteral("fully-branded")}));
    // A press that is released elsewhere is no click.
    QTest::mousePress(label7, Qt::LeftButton);
    QTest::mouseRelease(label7, Qt::LeftButton, {}, QPoint(-5, -5));
    // The right button opens nothing either.
    QTest::mouseClick(label61, Qt::RightButton);
    QCOMPARE(env.browser.opened.size(), 2);
    QVERIFY(env.messages.shown.isEmpty());
}

void TestWebPages::bannerTexts()
{
    TestEnvironment env;
    FrameWindow frame;
    QCOMPARE(control<QLabel>(&frame, "Label7")->text(),
             QStringLiteral("Home Business Opportunity. Start your own Internet business and "
                            "make money online. Get this software fully branded for your "
                            "website. Click here for more details."));
    // The board advertisement ends with the board's address on the maker's host.
    const QString ad = control<QLabel>(&frame, "Label61")->text();
    QVERIFY(ad.endsWith(WebPages::discussionBoardAddress()));
    QCOMPARE(QUrl(WebPages::discussionBoardAddress()).host(), WebPages::makerHost());
    QVERIFY(!ad.contains(QLatin1Char('\n')));
}

void TestWebPages::f1ShowsTheGuideWhileHelpOpensTheMakersPages_data()
{
    QTest::addColumn<QString>("state");
    QTest::newRow("entry window") << "entry locked";
    QTest::newRow("a page with a box in use") << "customer page";
    QTest::newRow("list") << "list";
    QTest::newRow("record view") << "record view";
}

// F1 shows the README's part for users, built into the program; the Help
// menu's entries still open the maker's pages.
void TestWebPages::f1ShowsTheGuideWhileHelpOpensTheMakersPages()
{
    QFETCH(QString, state);
    QFile readme(QStringLiteral(ORVANE_README));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype end = text.indexOf(QStringLiteral("<!-- The user guide (F1) ends here"));
    QVERIFY(end > 0);
    const QRegularExpression heading(QStringLiteral("^#+ (.+)$"),
                                     QRegularExpression::MultilineOption);

    ProgramWindows p;
    QVERIFY(p.enter(state));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &p.frame(),
                    Qt::Key_F1);
    auto *guide = qobject_cast<UserGuide *>(p.frame().windows().userGuide());
    QVERIFY(guide);
    QVERIFY(guide->isVisible());
    // Its headings are the README's up to the line that ends the guide.
    QStringList expected;
    for (auto it = heading.globalMatch(text.left(end)); it.hasNext();)
        expected.append(it.next().captured(1));
    QStringList shown;
    for (QTextBlock block = guide->browser()->document()->begin(); block.isValid();
         block = block.next()) {
        if (block.blockFormat().headingLevel() > 0)
            shown.append(block.text());
    }
    QVERIFY(expected.size() >= 4);
    QCOMPARE(shown, expected);
    QCOMPARE(p.env.browser.opened, QList<QUrl>());

    // Esc closes it.
    QVERIFY(QTest::qWaitForWindowActive(guide));
    QTest::keyClick(guide->browser(), Qt::Key_Escape);
    QTRY_VERIFY(!p.frame().windows().userGuide());
    p.env.browser.opened.clear();
    if (state == QLatin1String("entry locked")) {
        p.frame().findChild<QAction *>(QStringLiteral("mnuOnline"))->trigger();
        QCOMPARE(p.env.browser.pageKeys(), QStringList{QStringLiteral("help-web-page")});
    }
}

QTEST_MAIN(TestWebPages)
#include "tst_webpages.moc"
