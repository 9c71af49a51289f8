// The fourteen-day update reminder and the codec of its stored setting.

#include "UpdateReminder.h"
#include "WebPages.h"

#include "platform/AppInfo.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLocale>
#include <QStringDecoder>

namespace Orvane::UpdateReminder {

namespace {

// The translation context of the question.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::UpdateReminder)
};

constexpr QByteArray::Base64Options codecOptions =
        QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;
constexpr qint64 reminderDays = 14;

// Widens a two- or three-letter year field ("yy") to "yyyy", leaving quoted
// literal text alone.
QString withFourDigitYear(const QString &format)
{
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            result.append(c);
            ++i;
            continue;
        }
        if (quoted || c != QLatin1Char('y')) {
            result.append(c);
            ++i;
            continue;
        }
        qsizetype run = 0;
        while (i + run < format.size() && format.at(i + run) == QLatin1Char('y'))
            ++run;
        result.append(run == 2 || run == 3 ? QStringLiteral("yyyy")
                                           : QString(run, QLatin1Char('y')));
        i += run;
    }
    return result;
}

} // namespace

QString encodeSetting(const QString &text)
{
    // URL-safe Base64 of the UTF-8 text: letters, digits, "-" and "_" only.
    return QString::fromLatin1(text.toUtf8().toBase64(codecOptions));
}

std::optional<QString> tryDecodeSetting(const QString &text)
{
    if (text.isEmpty())
        return QString();
    // Anything but the codec's own alphabet means the value was not written
    // by it (or was damaged).
    for (const QChar c : text) {
        const bool ok = (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-')
                || c == QLatin1Char('_');
        if (!ok)
            return std::nullopt;
    }
    const auto decoded = QByteArray::fromBase64Encoding(
            text.toLatin1(), codecOptions | QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    // Only the text's own encoding counts: stray trailing bits are damage.
    if (QString::fromLatin1(decoded.decoded.toBase64(codecOptions)) != text)
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString result = utf8.decode(decoded.decoded);
    if (utf8.hasError())
        return std::nullopt;
    return result;
}

QString decodeSetting(const QString &text)
{
    return tryDecodeSetting(text).value_or(QString());
}

QString dateFormat()
{
    return withFourDigitYear(QLocale().dateFormat(QLocale::ShortFormat));
}

QString dateText(const QDate &date)
{
    return QLocale().toString(date, dateFormat());
}

QDate dateFromText(const QString &text)
{
    return QLocale().toDate(text.trimmed(), dateFormat());
}

void run()
{
    const QString application = AppInfo::executableBaseName();
    const QString section = QStringLiteral("Settings");
    const QString key = encodeSetting(QStringLiteral("Duration"));
    SettingsStore &settings = *platform().settings;
    const QDate today = platform().clock->today();
    const auto writeToday = [&] {
        settings.setValue(application, section, key, encodeSetting(dateText(today)));
    };

    const std::optional<QString> stored =
            tryDecodeSetting(settings.value(application, section, key, QString()));
    if (stored && stored->isEmpty()) {
        // First run, or the setting was removed: start counting from today.
        writeToday();
        return;
    }

    // A value that does not decode or is not a date (damaged, or written by
    // another build) counts as due, so the reminder mends it by asking.
    const QDate last = stored ? dateFromText(*stored) : QDate();
    if (last.isValid()) {
        const qint64 days = today.daysTo(last);
        if (days >= -reminderDays && days <= reminderDays)
            return;
    }

    const MessageBoxes::Answer answer = platform().messages->show(
            nullptr,
            Texts::tr("There maybe an update to this software available\rDo you want to check "
                      "for an update?"),
            MessageBoxes::Icon::Information, MessageBoxes::Buttons::YesNo);
    // The date is written first, so a browser that fails to open does not
    // bring the question back on the next start.
    writeToday();
    if (answer == MessageBoxes::Answer::Yes)
        WebPages::open(QStringLiteral("download-web-page"));
}

} // namespace Orvane::UpdateReminder
