#include "ExternalReaders.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTextDocumentFragment>
#include <QUrl>

namespace Orvane::Testing {

namespace {

bool runReader(const QString &program, const QStringList &arguments, QByteArray *output,
               QString *error, int timeoutMs = 60000)
{
    const QString path = externalProgram(program);
    if (path.isEmpty()) {
        *error = program + QStringLiteral(" is not installed");
        return false;
    }
    QProcess process;
    process.start(path, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        *error = program + QStringLiteral(" did not finish: ") + process.errorString();
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *error = program + QStringLiteral(" failed: ")
                + QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    *output = process.readAllStandardOutput();
    return true;
}

QString decodeEntity(const QString &entity)
{
    if (entity.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint value = entity.startsWith(QLatin1String("#x"), Qt::CaseInsensitive)
                ? entity.mid(2).toUInt(&ok, 16)
                : entity.mid(1).toUInt(&ok, 10);
        if (!ok)
            return QLatin1Char('&') + entity + QLatin1Char(';');
        if (value <= 0xFFFF)
            return QString(QChar(static_cast<char16_t>(value)));
        const char32_t ucs4 = value;
        return QString::fromUcs4(&ucs4, 1);
    }
    if (entity == QLatin1String("nbsp"))
        return QString(QChar(QChar::Nbsp));
    // Named entities: Qt's HTML reader knows the whole list.
    return QTextDocumentFragment::fromHtml(QLatin1Char('&') + entity + QLatin1Char(';'))
            .toPlainText();
}

} // namespace

QString externalProgram(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

QString textOfUnrtfHtml(const QString &html)
{
    QString body = html;
    const qsizetype head = body.indexOf(QLatin1String("</head>"), 0, Qt::CaseInsensitive);
    if (head >= 0)
        body = body.mid(head + 7);
    const qsizetype end = body.indexOf(QLatin1String("</body>"), 0, Qt::CaseInsensitive);
    if (end >= 0)
        body.truncate(end);
    // Line breaks in the HTML only lay it out; <br> is the text's own.
    body.remove(QLatin1Char('\n'));
    body.remove(QLatin1Char('\r'));
    static const QRegularExpression br(QStringLiteral("<br\\s*/?>"),
                                       QRegularExpression::CaseInsensitiveOption);
    body.replace(br, QStringLiteral("\n"));
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    body.remove(tag);

    static const QRegularExpression entity(
            QStringLiteral("&(#[0-9]+|#[xX][0-9a-fA-F]+|[A-Za-z][A-Za-z0-9]*);"));
    QString text;
    qsizetype from = 0;
    for (auto it = entity.globalMatch(body); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        text += body.mid(from, m.capturedStart() - from);
        text += decodeEntity(m.captured(1));
        from = m.capturedEnd();
    }
    text += body.mid(from);
    return text;
}

bool rtfText(const QString &rtfPath, QString *text, QString *error)
{
    QByteArray html;
    if (!runReader(QStringLiteral("unrtf"), {QStringLiteral("--html"), rtfPath}, &html, error))
        return false;
    *text = textOfUnrtfHtml(QString::fromUtf8(html));
    return true;
}

bool pdfText(const QString &pdfPath, QString *text, QString *error)
{
    QByteArray out;
    if (!runReader(QStringLiteral("pdftotext"),
                   {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")},
                   &out, error))
        return false;
    *text = QString::fromUtf8(out);
    return true;
}

bool pythonCsvRows(const QString &path, QList<QStringList> *rows, QString *why)
{
    QByteArray json;
    if (!runReader(QStringLiteral("python3"),
                   {QStringLiteral("-c"),
                    QStringLiteral("import csv, json, sys\n"
                                   "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                                   "    rows = list(csv.reader(f, strict=True))\n"
                                   "sys.stdout.write(json.dumps(rows))\n"),
                    path},
                   &json, why))
        return false;
    const QJsonArray array = QJsonDocument::fromJson(json).array();
    for (const auto &row : array) {
        QStringList fields;
        for (const auto &field : row.toArray())
            fields.append(field.toString());
        rows->append(fields);
    }
    return true;
}

QString calcConvert(const QString &file, const QString &infilter, const QString &format,
                    const QString &outDir, const QString &profileDir, QString *error)
{
    QStringList arguments{
            QStringLiteral("-env:UserInstallation=")
                    + QUrl::fromLocalFile(profileDir).toString(QUrl::FullyEncoded),
            QStringLiteral("--headless"), QStringLiteral("--norestore")};
    if (!infilter.isEmpty())
        arguments << QStringLiteral("--infilter=") + infilter;
    arguments << QStringLiteral("--convert-to") << format << QStringLiteral("--outdir") << outDir
              << file;
    QByteArray output;
    // The first start makes the profile, which takes a while.
    if (!runReader(QStringLiteral("soffice"), arguments, &output, error, 180000))
        return {};
    const QString written = QDir(outDir).filePath(QFileInfo(file).completeBaseName()
                                                  + QLatin1Char('.')
                                                  + format.section(QLatin1Char(':'), 0, 0));
    if (!QFileInfo::exists(written)) {
        *error = QStringLiteral("soffice wrote no %1: %2").arg(written, QString::fromLocal8Bit(output));
        return {};
    }
    return written;
}

} // namespace Orvane::Testing
