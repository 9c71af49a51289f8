#include "ShownText.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace Orvane::ShownText {

namespace {

// Never between the two halves of a character beyond the BMP.
qsizetype wholeCharacters(QStringView text, qsizetype length)
{
    if (length > 0 && length < text.size() && text.at(length - 1).isHighSurrogate()
        && text.at(length).isLowSurrogate())
        return length - 1;
    return length;
}

} // namespace

qsizetype shownLength(QStringView text)
{
    const QStringView start = text.first(wholeCharacters(text, qMin(text.size(), kMostShown)));
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, start);
    qsizetype runStart = 0;
    for (qsizetype at = breaks.toNextBoundary(); at >= 0; at = breaks.toNextBoundary()) {
        if (at - runStart > kLongestRun)
            return wholeCharacters(text, runStart + kLongestRun);
        runStart = at;
    }
    if (start.size() - runStart > kLongestRun)
        return wholeCharacters(text, runStart + kLongestRun);
    return start.size();
}

QString visible(const QString &text)
{
    const auto hidden = [](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0x7F
                || u == QChar::ObjectReplacementCharacter || u == 0xFDD0 || u == 0xFDD1;
    };
    auto at = std::find_if(text.cbegin(), text.cend(), hidden);
    if (at == text.cend())
        return text;
    QString shown;
    shown.reserve(text.size() + 16);
    auto from = text.cbegin();
    do {
        shown.append(QStringView(from, at));
        const QString code = QString::number(at->unicode(), 16).toUpper();
        shown.append(QStringLiteral("<U+%1>").arg(code, 4, QLatin1Char('0')));
        from = at + 1;
        at = std::find_if(from, text.cend(), hidden);
    } while (at != text.cend());
    shown.append(QStringView(from, text.cend()));
    return shown;
}

QString cell(QStringView text)
{
    if (text.size() <= kCellCharacters)
        return visible(text.toString());
    return visible(text.first(wholeCharacters(text, kCellCharacters)).toString()) + QChar(0x2026);
}

} // namespace Orvane::ShownText
