#pragma once

#include <QString>

namespace Orvane {

class SettingsStore;

// The folder a file dialog opens in. Without one, Qt's dialog opens in the
// working folder, which for a program started from the desktop's menu is
// wherever the desktop stood (or the program's own folder): the folder of
// the file last chosen in one is where the user works, and their documents
// folder is where a first file belongs.
namespace DialogFolder {

// The folder of the last file chosen while it still exists, else the
// documents folder where it exists, else the home folder.
QString start(SettingsStore &settings, const QString &documentsFolder);
void remember(SettingsStore &settings, const QString &chosenFile);
// The user's documents folder, as the desktop names it (xdg-user-dirs).
QString documentsFolder();

} // namespace DialogFolder

} // namespace Orvane
