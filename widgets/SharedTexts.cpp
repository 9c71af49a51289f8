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

QString back()
{
    return Texts::tr("&Back");
}

} // namespace Orvane::SharedTexts
