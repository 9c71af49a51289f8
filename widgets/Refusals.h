#pragma once

#include <QString>

class QWidget;

// The texts of the boxes that refuse a command because the record database
// failed it: a heading the user knows, then the engine's or the program's
// reason on a line of its own. Every such box carries the critical icon.
namespace Orvane::Refusals {

QString fileMissing();
QString fileUnusable(const QString &reason);
QString recordNotSaved(const QString &reason);
QString recordNotDeleted(const QString &reason);
QString recordNotRestored(const QString &reason);
QString recordNotDeletedForGood(const QString &reason);
QString recordsNotOpened(const QString &reason);
QString recordsNotRead(const QString &reason);
QString recordNotRead(const QString &reason);
// A row of the list that could not be read back; an empty reason means the
// record is gone.
QString listedRecordNotRead(const QString &reason);

void show(QWidget *parent, const QString &text);

} // namespace Orvane::Refusals
