#pragma once

#include <QString>

// Input typed into the entry window and not saved when a session's end
// stopped the program, kept in the user's settings until the next start
// has offered it back.
namespace Orvane::KeptEntry {

void keep(const QString &text);
// Empty when nothing is kept.
QString kept();
void forget();

} // namespace Orvane::KeptEntry
