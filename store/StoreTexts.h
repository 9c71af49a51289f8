#pragma once

#include <QCoreApplication>

namespace Orvane {

// The translation context of what the store says to the user: the reasons
// of its refusals and its notices, which the windows show in their message
// boxes. (The engine's own messages are passed on as they come.)
struct StoreTexts
{
    Q_DECLARE_TR_FUNCTIONS(Orvane::Store)
};

} // namespace Orvane
