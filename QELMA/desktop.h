// The program's ties to the desktop it runs on: Qt's own texts in Japanese,
// and the folder the file dialogs start in, remembered between runs.
#pragma once

#include <QString>

class QTranslator;

namespace keldra {

// Where the remembered folder is kept in the program's settings.
inline constexpr const char* LastFolderKey = "files/lastFolder";

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
