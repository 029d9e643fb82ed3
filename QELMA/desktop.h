// The program's ties to the desktop it runs on: Qt's own texts in Japanese,
// the settings kept between runs, and the folder the file dialogs start in.
#pragma once

#include <QSettings>
#include <QString>

class QTranslator;

namespace keldra {

// The program's settings, kept between runs (organisation ZORVEK, program
// keldra), and the keys it keeps there. After CheckSettingsFile found the
// file unfit, a scratch file of this run's own stands in for it.
QSettings AppSettings();
inline constexpr qint64 MaxSettingsFileBytes = qint64{1} << 20;

// Where QSettings keeps the program's settings by default:
// <config folder>/ZORVEK/keldra.conf.
QString DefaultSettingsPath();

// Why the settings file at `path` must not be read (a named pipe or a device
// would block the start, a huge file would take seconds and hundreds of MB),
// as the memo line the window shows; empty when the file is a regular file of
// at most MaxSettingsFileBytes or does not exist.
QString SettingsFileTrouble(const QString& path);

// Looks at the settings file once, before the first AppSettings(): when it
// is unfit, this run starts from the defaults and keeps its settings in a
// scratch file, leaving the file alone. Returns the memo line (empty when
// the file is fine). Called again, it starts afresh with `path`.
QString CheckSettingsFile(const QString& path = DefaultSettingsPath());

// The memo line of the last CheckSettingsFile, empty when none is due.
QString SettingsNote();
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
