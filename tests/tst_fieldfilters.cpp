// The typing rules of the entry window's boxes, the paste rule built on
// them, the e-mail test and the pop-ups' empty-name test.

#include "widgets/FieldFilters.h"

#include <QtTest>

using namespace Orvane;
using namespace Orvane::FieldFilters;
using Icon = MessageBoxes::Icon;

Q_DECLARE_METATYPE(Orvane::FieldFilters::Rule)
Q_DECLARE_METATYPE(Orvane::MessageBoxes::Icon)

class TestFieldFilters : public QObject
{
    Q_OBJECT

private slots:
    void typedKeys_data();
    void typedKeys();
    void everyCodeOfTheAnsiRange();
    void pastedText_data();
    void pastedText();
    void emailTest_data();
    void emailTest();
    void emptyNameMeansNoCharacters();
};

void TestFieldFilters::typedKeys_data()
{
    QTest::addColumn<Rule>("rule");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Icon>("icon");

    const QString alpha = QStringLiteral("Please Enter Only Alphabet");
    const QString number = QStringLiteral("Please Enter Number");
    auto pass = [](const char *name, Rule rule, int code, const QString &text) {
        QTest::newRow(name) << rule << code << true << text << QString() << Icon::None;
    };
    auto refuse = [](const char *name, Rule rule, int code, const QString &message, Icon icon) {
        QTest::newRow(name) << rule << code << false << QString() << message << icon;
    };

    pass("alpha: small a becomes A", Rule::Alphabet, 'a', QStringLiteral("A"));
    pass("alpha: small z becomes Z", Rule::Alphabet, 'z', QStringLiteral("Z"));
    pass("alpha: capital A", Rule::Alphabet, 'A', QStringLiteral("A"));
    pass("alpha: capital Z", Rule::Alphabet, 'Z', QStringLiteral("Z"));
    pass("alpha: blank", Rule::Alphabet, ' ', QStringLiteral(" "));
    pass("alpha: carriage return", Rule::Alphabet, 13, QStringLiteral("\r"));
    pass("alpha: backspace", Rule::Alphabet, 8, QStringLiteral("\b"));
    refuse("alpha: digit", Rule::Alphabet, '3', alpha, Icon::Information);
    refuse("alpha: @ just below A", Rule::Alphabet, '@', alpha, Icon::Information);
    refuse("alpha: [ just above Z", Rule::Alphabet, '[', alpha, Icon::Information);
    refuse("alpha: backquote just below a", Rule::Alphabet, '`', alpha, Icon::Information);
    refuse("alpha: { just above z", Rule::Alphabet, '{', alpha, Icon::Information);
    refuse("alpha: hyphen", Rule::Alphabet, '-', alpha, Icon::Information);
    refuse("alpha: copy (Ctrl+C)", Rule::Alphabet, 3, alpha, Icon::Information);
    refuse("alpha: paste (Ctrl+V)", Rule::Alphabet, 22, alpha, Icon::Information);
    refuse("alpha: cut (Ctrl+X)", Rule::Alphabet, 24, alpha, Icon::Information);
    refuse("alpha: escape", Rule::Alphabet, 27, alpha, Icon::Information);
    refuse("alpha: line feed", Rule::Alphabet, 10, alpha, Icon::Information);
    refuse("alpha: tab", Rule::Alphabet, 9, alpha, Icon::Information);
    refuse("alpha: e acute", Rule::Alphabet, 0xe9, alpha, Icon::Information);
    refuse("alpha: capital A grave", Rule::Alphabet, 0xc0, alpha, Icon::Information);

    pass("number: 0", Rule::Number, '0', QStringLiteral("0"));
    pass("number: 9", Rule::Number, '9', QStringLiteral("9"));
    pass("number: full stop", Rule::Number, '.', QStringLiteral("."));
    pass("number: backspace", Rule::Number, 8, QStringLiteral("\b"));
    refuse("number: slash", Rule::Number, '/', number, Icon::None);
    refuse("number: hyphen just below", Rule::Number, '-', number, Icon::None);
    refuse("number: colon just above", Rule::Number, ':', number, Icon::None);
    refuse("number: plus", Rule::Number, '+', number, Icon::None);
    refuse("number: blank", Rule::Number, ' ', number, Icon::None);
    refuse("number: opening bracket", Rule::Number, '(', number, Icon::None);
    refuse("number: carriage return", Rule::Number, 13, number, Icon::None);
    refuse("number: letter", Rule::Number, 'a', number, Icon::None);
    refuse("number: paste (Ctrl+V)", Rule::Number, 22, number, Icon::None);

    pass("none: anything", Rule::None, '#', QStringLiteral("#"));
    pass("none: small letter kept", Rule::None, 'q', QStringLiteral("q"));
}

void TestFieldFilters::typedKeys()
{
    QFETCH(Rule, rule);
    QFETCH(int, code);
    QFETCH(bool, accepted);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(Icon, icon);

    const Verdict v = filterKey(rule, QChar(ushort(code)));
    QCOMPARE(v.accepted, accepted);
    QCOMPARE(v.text, text);
    QCOMPARE(v.message, message);
    if (!accepted)
        QCOMPARE(v.icon, icon);
}

// Across the whole ANSI range the alphabet box receives only capitals,
// blank, carriage return and backspace; the phone box only digits, the full
// stop and backspace. Every refusal carries a message.
void TestFieldFilters::everyCodeOfTheAnsiRange()
{
    int alphaPassed = 0, numberPassed = 0;
    for (int code = 0; code < 256; ++code) {
        const QChar c{ushort(code)};
        const Verdict a = filterKey(Rule::Alphabet, c);
        if (a.accepted) {
            ++alphaPassed;
            QCOMPARE(a.text.size(), 1);
            const ushort out = a.text.at(0).unicode();
            QVERIFY2((out >= 'A' && out <= 'Z') || out == ' ' || out == 13 || out == 8,
                     qPrintable(QString::number(code)));
        } else {
            QVERIFY(!a.message.isEmpty());
        }
        const Verdict n = filterKey(Rule::Number, c);
        if (n.accepted) {
            ++numberPassed;
            QCOMPARE(n.text, QString(c));
            QVERIFY((code >= '0' && code <= '9') || code == '.' || code == 8);
        } else {
            QVERIFY(!n.message.isEmpty());
        }
    }
    QCOMPARE(alphaPassed, 26 + 26 + 3);
    QCOMPARE(numberPassed, 10 + 1 + 1);
}

void TestFieldFilters::pastedText_data()
{
    QTest::addColumn<Rule>("rule");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("message");

    const QString alpha = QStringLiteral("Please Enter Only Alphabet");
    const QString number = QStringLiteral("Please Enter Number");
    QTest::newRow("alpha: small letters become capitals")
            << Rule::Alphabet << "john smith" << true << "JOHN SMITH" << QString();
    QTest::newRow("alpha: one digit refuses the whole text")
            << Rule::Alphabet << "john 2 smith" << false << QString() << alpha;
    QTest::newRow("alpha: a trailing line break refuses it")
            << Rule::Alphabet << "JOHN\n" << false << QString() << alpha;
    QTest::newRow("alpha: a carriage return is let through but not kept")
            << Rule::Alphabet << "JO\rHN" << true << "JOHN" << QString();
    QTest::newRow("alpha: accented letter")
            << Rule::Alphabet << "Jos\u00e9" << false << QString() << alpha;
    QTest::newRow("number: digits and full stop")
            << Rule::Number << "022.2345" << true << "022.2345" << QString();
    QTest::newRow("number: slash") << Rule::Number << "12/05" << false << QString() << number;
    QTest::newRow("number: international form")
            << Rule::Number << "+91 22" << false << QString() << number;
    QTest::newRow("none: unchanged") << Rule::None << "a-b\tc" << true << "a-b\tc" << QString();
    QTest::newRow("empty") << Rule::Alphabet << "" << true << "" << QString();
}

void TestFieldFilters::pastedText()
{
    QFETCH(Rule, rule);
    QFETCH(QString, pasted);
    QFETCH(bool, accepted);
    QFETCH(QString, result);
    QFETCH(QString, message);

    const Verdict v = filterText(rule, pasted);
    QCOMPARE(v.accepted, accepted);
    QCOMPARE(v.text, result);
    QCOMPARE(v.message, message);
}

void TestFieldFilters::emailTest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("letter then @") << "a@" << true;
    QTest::newRow("ordinary address") << "dowser@example.org" << true;
    QTest::newRow("@ only at the start") << "@example.org" << false;
    QTest::newRow("second @ after a leading one") << "@a@b" << true;
    QTest::newRow("lone @") << "@" << false;
    QTest::newRow("no @") << "dowser.example.org" << false;
    QTest::newRow("single blank") << " " << false;
    QTest::newRow("blank then @") << " @" << true;
}

void TestFieldFilters::emailTest()
{
    QFETCH(QString, text);
    QFETCH(bool, passes);
    QCOMPARE(emailPasses(text), passes);
    QCOMPARE(emailMessage(), QStringLiteral("Please Enter Correct Email Address !"));
}

void TestFieldFilters::emptyNameMeansNoCharacters()
{
    QVERIFY(nameIsEmpty(QString()));
    QVERIFY(nameIsEmpty(QStringLiteral("")));
    QVERIFY(!nameIsEmpty(QStringLiteral(" ")));
    QVERIFY(!nameIsEmpty(QStringLiteral("   ")));
    QVERIFY(!nameIsEmpty(QStringLiteral("Bobber")));
}

QTEST_APPLESS_MAIN(TestFieldFilters)
#include "tst_fieldfilters.moc"
