#pragma once

#include <QString>

namespace Orvane::AppInfo {

// "Orvane Dowsing" as the system knows the program: the name its settings
// are kept under. Never translated.
QString name();
// "example.orvane.Dowsing": the one name by which the desktop knows the
// program (its desktop entry, icon, AppStream metainfo and windows).
QString applicationId();
// "Orvane Dowsing" as the user reads it: the title of every message box.
QString title();
// "Orvane Dowsing v1.55": the caption of every window.
QString caption();
// The running executable's file name without extension ("Orvanelog").
QString executableBaseName();
// The folder of the running executable.
QString programFolder();

} // namespace Orvane::AppInfo
