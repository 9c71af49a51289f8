#include "SharedTexts.h"

#include <QCoreApplication>

namespace Orvane::SharedTexts {

namespace {

// The translation context of the texts.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::SharedTexts)
};

} // namespace

QString fileMenu()
{
    return Texts::tr("&File");
}

QString findRecords()
{
    return Texts::tr("&Find Records...");
}

QString exportRecords()
{
    return Texts::tr("&Export Records...");
}

QString customers()
{
    return Texts::tr("&Customers...");
}

QString statistics()
{
    return Texts::tr("S&tatistics...");
}

QString back()
{
    return Texts::tr("&Back");
}

QString sortBy(const QString &caption)
{
    return Texts::tr("Sort by %1").arg(caption);
}

QString sortAscending()
{
    return Texts::tr("Sort &Ascending");
}

QString sortDescending()
{
    return Texts::tr("Sort &Descending");
}

QString originalOrder()
{
    return Texts::tr("&Original Order");
}

QString sortMenu()
{
    return Texts::tr("Sort Menu");
}

QString cycleSort()
{
    return Texts::tr("Cycle Sort");
}

QString searching()
{
    return Texts::tr("Searching...");
}

QString counting()
{
    return Texts::tr("Counting...");
}

QString replaceQuestion(const QString &path)
{
    return Texts::tr("\"%1\" already exists.\rDo you want to replace it?").arg(path);
}

} // namespace Orvane::SharedTexts
