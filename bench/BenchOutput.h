#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QVector>

#include <algorithm>
#include <cstdio>

// What every benchmark prints with: a line at a time, flushed, so that a
// long run shows its figures as they come; the median of its runs; and what
// it measures with: milliseconds since a timer started, and the process's
// memory figures.
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

inline double msSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// A kB figure of /proc/self/status ("VmRSS", "VmHWM"); -1 where there is none.
inline qint64 statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &row : status.readAll().split('\n')) {
        if (row.startsWith(prefix))
            return row.mid(prefix.size()).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

} // namespace Orvane::Bench
