// The Rich Text writer: exact bytes for the characters RTF treats specially,
// character formatting per fragment, and what an independent reader finds in
// a file of it. (Saving the report to a file: tst_reportexport, tst_fulldisk.)

#include "support/ExternalReaders.h"
#include "support/TestFiles.h"

#include "view/RtfWriter.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using namespace Orvane;
using namespace Orvane::Testing;

namespace {

const QByteArray kHeader = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n";

QFont reportFont()
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(9.75);
    return font;
}

// A document like the report box holds: its font, and text inserted at the
// end with the given formats (each CR LF starts a new paragraph).
class Doc
{
public:
    Doc() { document.setDefaultFont(reportFont()); }
    Doc &add(const QString &text, const QTextCharFormat &format = {})
    {
        QTextCursor cursor(&document);
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text, format);
        return *this;
    }
    QByteArray rtf() const { return RtfWriter::toRtf(document); }
    QTextDocument document;
};

QTextCharFormat bold()
{
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    return f;
}

QTextCharFormat normal()
{
    QTextCharFormat f;
    f.setFontWeight(QFont::Normal);
    return f;
}

// The body of an RTF text: what follows "\pard".
QByteArray bodyOf(const QByteArray &rtf)
{
    const qsizetype at = rtf.indexOf("\\pard");
    return at < 0 ? QByteArray() : rtf.mid(at + 5);
}

// A report of one record whose fields hold everything RTF and its readers
// treat specially, as the record view shows it: each label bold.
QString awkwardReportText()
{
    const QList<QPair<QString, QString>> entries = {
        {QStringLiteral("Date :- "), QStringLiteral("3/7/2009")},
        {QStringLiteral("Name :- "), QStringLiteral("J\u00D6RG {THE} BACK\\SLASH \u00C9LAN")},
        {QStringLiteral("Address :- "),
         QStringLiteral("12 Rue de l'\u00C9glise\r\nB\u00E2timent {C}\\2\r\nc/o \u201CMa\u00EFa\u201D")},
        {QStringLiteral("City :- "), QStringLiteral("K\u00D8BENHAVN")},
        {QStringLiteral("State :- "), QStringLiteral("This data has not been entered")},
        {QStringLiteral("Pin :- "), QStringLiteral("560001")},
        {QStringLiteral("Phone Number :- "), QStringLiteral("0091.80.2222")},
        {QStringLiteral("Email :- "), QStringLiteral("na\u00EFve+{tag}@example.org")},
        {QStringLiteral("Dowsing Time :- "), QStringLiteral("09:05")},
        {QStringLiteral("Dowsing Tool :- "), QStringLiteral("Pendulam")},
        {QStringLiteral("Dowsin Item :- "), QStringLiteral("\u91D1 gold & <silver> \"coins\"")},
        {QStringLiteral("Location :- "), QStringLiteral("\u6771\u4EAC\u90FD \uAC00\uB098 \u0416")},
        {QStringLiteral("Notes :- "),
         QStringLiteral("Cost: 40\u20AC paid\r\nFound it \U0001F600 at 3m\r\n"
                        "C:\\dowsing\\{rods}\r\n\u00BD done; \u00DF \u00FF \u0152")},
    };
    QString text;
    for (const auto &e : entries)
        text += e.first + e.second + QStringLiteral("\r\n\r\n");
    return text;
}

} // namespace

class TestRtfWriter : public QObject
{
    Q_OBJECT

private slots:
    void escapesText_data();
    void escapesText();
    void writesWholeDocument();
    void paragraphsAndLineBreaks();
    void boldSwitchesPerFragment();
    void characterFormatting_data();
    void characterFormatting();
    void fontsAndColoursGetTables();
    void outputIsPlainAscii();
    void independentReaderFindsTheText();
};

void TestRtfWriter::escapesText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("rtf");

    QTest::newRow("plain") << QStringLiteral("Name :- Fred") << QByteArray("Name :- Fred");
    QTest::newRow("spaces kept") << QStringLiteral("  a  b ") << QByteArray("  a  b ");
    QTest::newRow("backslash") << QStringLiteral("a\\b") << QByteArray("a\\\\b");
    QTest::newRow("braces") << QStringLiteral("{x}") << QByteArray("\\{x\\}");
    QTest::newRow("control word look-alike") << QStringLiteral("\\par")
                                             << QByteArray("\\\\par");
    QTest::newRow("e acute") << QStringLiteral("\u00E9") << QByteArray("\\u233\\'3f");
    QTest::newRow("nbsp") << QStringLiteral("\u00A0") << QByteArray("\\u160\\'3f");
    QTest::newRow("euro") << QStringLiteral("\u20AC") << QByteArray("\\u8364\\'3f");
    QTest::newRow("CJK") << QStringLiteral("\u65E5") << QByteArray("\\u26085\\'3f");
    QTest::newRow("last positive") << QStringLiteral("\u7FFF") << QByteArray("\\u32767\\'3f");
    QTest::newRow("first negative") << QStringLiteral("\u8000") << QByteArray("\\u-32768\\'3f");
    QTest::newRow("hangul negative") << QStringLiteral("\uAC00") << QByteArray("\\u-21504\\'3f");
    QTest::newRow("replacement char") << QStringLiteral("\uFFFD") << QByteArray("\\u-3\\'3f");
    QTest::newRow("emoji surrogate pair")
            << QStringLiteral("\U0001F600") << QByteArray("\\u-10179\\'3f\\u-8704\\'3f");
    QTest::newRow("text after unicode")
            << QStringLiteral("\u00E9t\u00E9") << QByteArray("\\u233\\'3ft\\u233\\'3f");
    QTest::newRow("lone high surrogate")
            << QString(QChar(0xD83D)) + QStringLiteral("a") << QByteArray("\\u-3\\'3fa");
    QTest::newRow("lone low surrogate")
            << QStringLiteral("a") + QString(QChar(0xDE00)) << QByteArray("a\\u-3\\'3f");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QByteArray("a\\tab b");
    QTest::newRow("soft line break") << QStringLiteral("a\u2028b") << QByteArray("a\\line b");
    QTest::newRow("control characters dropped")
            << QStringLiteral("a\x01\x1b\x7f" "b") << QByteArray("ab");
    QTest::newRow("object placeholder dropped")
            << QStringLiteral("a\uFFFCb") << QByteArray("ab");
}

void TestRtfWriter::escapesText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, rtf);
    QCOMPARE(RtfWriter::escapeText(text), rtf);
}

void TestRtfWriter::writesWholeDocument()
{
    Doc doc;
    doc.add(QStringLiteral("Name :- {A}\r\n\r\n"), bold());
    const QByteArray expected = kHeader
            + "{\\fonttbl{\\f0\\fswiss\\fcharset0 Verdana;}}\r\n"
              "\\pard\\fs20\\b Name :- \\{A\\}\\par\r\n"
              "\\par\r\n"
              "}";
    QCOMPARE(doc.rtf(), expected);
}

void TestRtfWriter::paragraphsAndLineBreaks()
{
    // Every block is a paragraph; the empty last block adds no \par of its
    // own, so the paragraph count equals the document's line count.
    Doc doc;
    doc.add(QStringLiteral("one\r\n\r\n two\nthree\u2028four\r\n"), normal());
    QCOMPARE(doc.document.blockCount(), 5);
    QCOMPARE(bodyOf(doc.rtf()),
             QByteArray("\\fs20 one\\par\r\n\\par\r\n two\\par\r\nthree\\line four\\par\r\n}"));

    Doc empty;
    QCOMPARE(bodyOf(empty.rtf()), QByteArray("}"));
}

void TestRtfWriter::boldSwitchesPerFragment()
{
    Doc doc;
    doc.add(QStringLiteral("Name :- "), bold())
            .add(QStringLiteral("FRED"), normal())
            .add(QStringLiteral("\r\n"), normal())
            .add(QStringLiteral("City :- "), bold())
            .add(QStringLiteral("BATH"), bold());
    QCOMPARE(bodyOf(doc.rtf()),
             QByteArray("\\fs20\\b Name :- \\b0 FRED\\par\r\n\\b City :- BATH}"));
}

void TestRtfWriter::characterFormatting_data()
{
    QTest::addColumn<QTextCharFormat>("format");
    QTest::addColumn<QByteArray>("body");

    QTextCharFormat italic;
    italic.setFontItalic(true);
    QTest::newRow("italic") << italic << QByteArray("\\fs20\\i x}");

    QTextCharFormat underline;
    underline.setFontUnderline(true);
    QTest::newRow("underline") << underline << QByteArray("\\fs20\\ul x}");

    QTextCharFormat strike;
    strike.setFontStrikeOut(true);
    QTest::newRow("strike-out") << strike << QByteArray("\\fs20\\strike x}");

    QTextCharFormat size;
    size.setFontPointSize(14);
    QTest::newRow("14 pt") << size << QByteArray("\\fs28 x}");

    QTextCharFormat halfPoint;
    halfPoint.setFontPointSize(10.5);
    QTest::newRow("10.5 pt") << halfPoint << QByteArray("\\fs21 x}");

    QTextCharFormat pixels;
    pixels.setProperty(QTextFormat::FontPixelSize, 20);
    QTest::newRow("20 px") << pixels << QByteArray("\\fs30 x}");

    QTextCharFormat family;
    family.setFontFamilies({QStringLiteral("Courier New")});
    QTest::newRow("other font") << family << QByteArray("\\f1\\fs20 x}");

    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    QTest::newRow("colour") << red << QByteArray("\\fs20\\cf1 x}");
}

void TestRtfWriter::characterFormatting()
{
    QFETCH(QTextCharFormat, format);
    QFETCH(QByteArray, body);
    Doc doc;
    doc.add(QStringLiteral("x"), format);
    QCOMPARE(bodyOf(doc.rtf()), body);

    // Switching back to plain text switches the attribute off again.
    doc.add(QStringLiteral("y"), QTextCharFormat());
    const QByteArray twoRuns = bodyOf(doc.rtf());
    QVERIFY2(twoRuns.startsWith(body.chopped(1)), twoRuns.constData());
    const QByteArray tail = twoRuns.mid(body.size() - 1);
    QVERIFY2(tail.endsWith(" y}") && tail.startsWith('\\'), twoRuns.constData());
}

void TestRtfWriter::fontsAndColoursGetTables()
{
    Doc doc;
    QTextCharFormat courier;
    courier.setFontFamilies({QStringLiteral("Courier New")});
    QTextCharFormat blue;
    blue.setForeground(QColor(0, 0, 255));
    QTextCharFormat green;
    green.setForeground(QColor(0, 128, 0));
    doc.add(QStringLiteral("a"), courier).add(QStringLiteral("b"), blue)
            .add(QStringLiteral("c"), green).add(QStringLiteral("d"), blue);
    const QByteArray rtf = doc.rtf();
    QVERIFY2(rtf.contains("{\\fonttbl{\\f0\\fswiss\\fcharset0 Verdana;}"
                          "{\\f1\\fnil\\fcharset0 Courier New;}}"), rtf.constData());
    QVERIFY2(rtf.contains("{\\colortbl ;\\red0\\green0\\blue255;\\red0\\green128\\blue0;}"),
             rtf.constData());
    QVERIFY2(rtf.endsWith("\\f1\\fs20 a\\f0\\cf1 b\\cf2 c\\cf1 d}"), rtf.constData());

    // Without colours there is no colour table at all.
    Doc plain;
    plain.add(QStringLiteral("x"));
    QVERIFY(!plain.rtf().contains("colortbl"));
}

void TestRtfWriter::outputIsPlainAscii()
{
    Doc doc;
    doc.add(awkwardReportText(), bold());
    const QByteArray rtf = doc.rtf();
    for (char c : rtf)
        QVERIFY2(static_cast<unsigned char>(c) < 0x80, rtf.constData());
    // Braces balance: each escaped brace is text, the rest are groups.
    QByteArray unescaped = rtf;
    unescaped.replace("\\\\", "").replace("\\{", "").replace("\\}", "");
    QCOMPARE(unescaped.count('{'), unescaped.count('}'));
    QVERIFY(rtf.startsWith(kHeader));
    QVERIFY(rtf.endsWith('}'));
}

void TestRtfWriter::independentReaderFindsTheText()
{
    if (externalProgram(QStringLiteral("unrtf")).isEmpty())
        QSKIP("unrtf is not installed: no independent RTF reader to check the saved file");

    const QString report = awkwardReportText();
    Doc doc;
    // Labels bold and values plain, as fragments of changing format.
    const QStringList lines = report.split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const qsizetype cut = line.indexOf(QLatin1String(":- "));
        if (cut >= 0) {
            doc.add(line.left(cut + 3), bold()).add(line.mid(cut + 3), normal());
        } else {
            doc.add(line, normal());
        }
        if (i + 1 < lines.size())
            doc.add(QStringLiteral("\r\n"));
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.rtf"));
    QVERIFY(writeFile(path, doc.rtf()));

    QString text, error;
    QVERIFY2(rtfText(path, &text, &error), qPrintable(error));
    QString expected = report;
    expected.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QCOMPARE(text, expected);
}

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
