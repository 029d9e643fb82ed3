// The language the window speaks: Japanese, the texts as written, or English
// from translations/keldra_en.ts (compiled to keldra_en.qm by the build).
// The choice is remembered between runs; "the system's" speaks Japanese on a
// Japanese system and English on any other.
#pragma once

#include <QString>

namespace keldra {

enum class Language { System, Japanese, English };

inline constexpr const char* LanguageKey = "ui/language";  // "system", "ja" or "en"

Language ChosenLanguage();
void RememberLanguage(Language choice);

// True when `choice` means English on this system.
bool SpeaksEnglish(Language choice);

// Where keldra_en.qm is: share/keldra/translations beside the installed
// program's folder, else the build tree's translations/.
QString TranslationsFolder();

// Makes the window speak `choice` from now on: the window's translation and
// Qt's own (qtbase_en or qtbase_ja) replace any installed before, and the
// texts the handler logic makes go through the same translation. Build the
// windows after this. Returns false when English was asked for and its
// translation is missing; the window then speaks Japanese.
bool InstallLanguage(Language choice);

// Removes what InstallLanguage installed: the texts as written, and Qt's
// own in English.
void UninstallLanguage();

}  // namespace keldra
