#pragma once

#include <QString>

// Where a user's records live. The program has always kept "Dowsing.dll"
// beside itself, and still does wherever this user may write there (a
// build, a one-user install under the home folder). A package installs the
// program under /usr, where no user may write: there each user's records
// live in a folder of their own, $XDG_DATA_HOME/orvane-dowsing, which the
// program fills at the user's first start with a copy of the empty database
// the package ships read-only.
namespace Orvane::DataFolder {

// The folder of the records for a program in programFolder.
QString choose(const QString &programFolder, const QString &userDataFolder);
// $XDG_DATA_HOME/orvane-dowsing (by default ~/.local/share/orvane-dowsing),
// as Qt reads the base directory rules.
QString userDataFolder();
// The folder in which an installed program finds what it ships besides
// itself (the empty database), by the install's layout; empty where there
// is none, as in a build.
QString shippedFolder(const QString &programFolder);

} // namespace Orvane::DataFolder
