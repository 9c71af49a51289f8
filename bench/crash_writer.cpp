// Saves records in an endless loop through the program's own store and
// prints the key of each record once its save has returned. Killed from
// outside by crash_bench.
//
//   orvane-crash-writer DATABASE

#include "store/RecordStore.h"

#include <QCoreApplication>

#include <cstdio>

using namespace Orvane;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    RecordStore store;
    if (store.open(QString::fromLocal8Bit(argv[1])) != RecordStore::OpenResult::Opened) {
        std::fprintf(stderr, "cannot open: %s\n", qPrintable(store.errorText()));
        return 1;
    }
    for (quint64 n = 0;; ++n) {
        DowsingRecord r;
        r.Date = QDate(2000, 1, 1).addDays(static_cast<qint64>(n % 10000));
        r.Name = QStringLiteral("CUSTOMER %1").arg(n);
        r.Address = QStringLiteral("%1 Well Road\nSpring Vale").arg(n);
        r.Time_Dowsing_Occured = QStringLiteral("10:30");
        r.Dowsing_Tool = QStringLiteral("Rods");
        r.Item_Dowsing_For = QStringLiteral("water");
        r.Notes = QString(200, QLatin1Char('x'));
        if (!store.add(r)) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(store.errorText()));
            return 1;
        }
        // Reported only after the save returned, so every printed key must
        // survive a kill.
        std::printf("%lld\n", static_cast<long long>(*r.IdNumber));
        std::fflush(stdout);
    }
}
