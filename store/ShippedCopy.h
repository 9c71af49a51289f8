#pragma once

#include <QString>

// The program never makes a record database itself. Where the user has none
// yet and the install ships an empty one read-only (a package's first start
// for each user), that one is copied, byte for byte, into the data folder.
//
// The copy grows under a temporary name beside the target, reaches the disk,
// and only then takes the name "Dowsing.dll", in a step that never replaces
// a file: a copy interrupted (a full disk, a killed program) leaves no half
// file under the real name, and a file that appeared meanwhile is kept.
namespace Orvane::ShippedCopy {

enum class Result {
    Present,     // the data folder holds something under the name already
    NoneShipped, // nothing to copy: the store will say the file is missing
    Copied,
    // The file is gone from a folder that held one (its back-ups, its
    // journal's notes are there): a new, empty file in its place would
    // look like every record lost, and records added to it would be lost
    // when the user puts the old file back. error says what to do.
    Gone,
    Failed,      // error says why; no file was left under the name
};

Result provide(const QString &shippedFolder, const QString &dataFolder, QString &error);

} // namespace Orvane::ShippedCopy
