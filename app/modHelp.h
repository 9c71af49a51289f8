#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

#include <optional>

class QWidget;

// Program-wide routines of the shell: the maker's web pages, the update
// reminder and its settings codec, the exit screen and the end of the
// program.
namespace Orvane::modHelp {

// --- The maker's web pages ---------------------------------------------

// Named values added to a page's address after its key, in order.
using QueryFields = QList<QPair<QString, QString>>;

// The maker's web host; every page lives on it.
QString makerHost();
// The maker's web site as shown to the user ("www.orvane.example").
QString makerSiteAddress();
// The address of the maker's discussion board, as shown to the user.
QString discussionBoardAddress();

// http://<host>/orvane-site/ssd.php?page=<key>[&<name>=<value>...]. The key,
// every name and every value are percent-encoded, so nothing in them can
// change the host, the path or another field.
QUrl webPageUrl(const QString &pageKey, const QueryFields &fields = {});
// Opens the page in the user's browser and returns at once; a page that
// cannot be opened is not reported.
void OpenWebPage(const QString &pageKey);
void OpenWebPage(const QString &pageKey, const QueryFields &fields);

// --- Update reminder (UpdateReminder.cpp) ------------------------------

// Every fourteen days offers to open the download page.
void UpdateReminder();
// The reversible codec of the stored setting's key and value. The encoded
// text is usable as a settings key (no "/" or "\"); empty stays empty.
QString EncodeSetting(const QString &text);
// The decoded text; empty for empty text and for text that is not an
// encoded one (tryDecodeSetting tells the two apart).
QString DecodeSetting(const QString &text);
std::optional<QString> tryDecodeSetting(const QString &text);
// The user's short date format with the year always in four digits, so
// that a date written in it reads back as the same date.
QString reminderDateFormat();
QString reminderDateText(const QDate &date);
// An invalid date when the text is not a date in that format.
QDate reminderDateFromText(const QString &text);

// --- Exit screen and the end of the program ----------------------------

// Shows the exit screen, above every other window; showing it again while
// it is shown leaves the one screen as it is. Does nothing once the program
// is being ended.
void ShowExitScreen();
bool isExitScreenShown();
// The exit screen while it exists, else null.
QWidget *exitScreen();

// Unloads every window, shown or hidden (each window's own unload handler
// runs), then ends the process. Windows are deleted once control returns to
// the event loop, so it may be called from a window's own handler. The
// caller must do nothing after it.
void UnloadAllAndEnd();

} // namespace Orvane::modHelp
