// The program's ties to the desktop it runs on: Qt's own texts in Japanese,
// the settings kept between runs, and the folder the file dialogs start in.
#pragma once

#include <QSettings>
#include <QString>

class QTranslator;

namespace keldra {

// The program's settings, kept between runs (organisation ZORVEK, program
// keldra), and the keys it keeps there.
QSettings AppSettings();
inline constexpr const char* LastFolderKey = "files/lastFolder";
inline constexpr const char* StubbornWhiteKey = "prover/stubbornWhite";

// Loads Qt's Japanese translations (qtbase_ja) into the application, so that
// the file dialogs, message box buttons and context menus speak Japanese
// like the rest of the window. Returns the installed translator (owned by
// the application), or null when the translations are not installed.
QTranslator* InstallQtTranslations();

// The problems that come with the program: share/keldra/problems beside the
// installed executable's folder, else the source tree's problems/ for a build
// tree; empty when neither exists.
QString BundledProblemsFolder();

// The folder every file dialog starts in: the one used last, while it still
// exists, else the bundled problems.
QString StartFolder();

// Remembers the folder of `filePath` (a file chosen in a dialog, a problem
// opened from the command line or dropped on the window).
void RememberFolderOf(const QString& filePath);

}  // namespace keldra
