#pragma once

#include <QString>
#include <QVector>

#include <algorithm>
#include <cstdio>

// What every benchmark prints with: a line at a time, flushed, so that a
// long run shows its figures as they come; and the median of its runs.
namespace Orvane::Bench {

inline void line(const QString &text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

inline double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

} // namespace Orvane::Bench
