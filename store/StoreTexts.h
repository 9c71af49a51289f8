#pragma once

#include <QCoreApplication>

namespace Orvane {

// The translation context of what the store says to the user: the reasons
// of its refusals and its notices, which the windows show in their message
// boxes. (The engine's own messages are passed on as they come.)
struct StoreTexts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::Store)

public:
    // The texts more than one call gives.
    static QString notOpen() { return tr("The database is not open."); }
    static QString invalidDate() { return tr("The Date Is Not A Valid Calendar Date"); }
    static QString damaged(const QString &reason) { return tr("The file is damaged: %1").arg(reason); }
    static QString stopped() { return tr("Stopped before it was done."); }
};

} // namespace Orvane
