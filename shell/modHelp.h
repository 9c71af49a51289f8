#pragma once

#include <QString>
#include <QUrl>

class QWidget;

// Program-wide routines of the shell: the maker's web pages, the update
// reminder and its settings codec, the exit screen and the end of the
// program.
namespace Orvane::modHelp {

// The maker's web host; every page lives on it.
QString makerHost();
// http://<host>/orvane-site/ssd.php?page=<key>, the key percent-encoded.
QUrl webPageUrl(const QString &pageKey);
// Opens the page in the user's browser; reports nothing.
void OpenWebPage(const QString &pageKey);

// Every fourteen days offers to open the download page.
void UpdateReminder();
// The reversible codec of the stored setting's key and value.
QString EncodeSetting(const QString &text);
QString DecodeSetting(const QString &text);

// Shows the exit screen, above every other window; showing it again leaves
// the one screen as it is.
void ShowExitScreen();
bool isExitScreenShown();

// Unloads every window, shown or hidden, then ends the process.
void UnloadAllAndEnd();

} // namespace Orvane::modHelp
