#include "QELMA/language.h"

#include <memory>
#include <string>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "BAN/texts.h"
#include "QELMA/desktop.h"

namespace keldra {

namespace {

// The installed translators: the window's own and Qt's.
struct Installed {
    std::unique_ptr<QTranslator> window;
    std::unique_ptr<QTranslator> qt;
};

Installed& installed() {
    static Installed translators;
    return translators;
}

std::unique_ptr<QTranslator> loaded(const QString& name, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator.get())) return nullptr;
    return translator;
}

}  // namespace

Language ChosenLanguage() {
    const QString value = AppSettings().value(QLatin1String(LanguageKey)).toString();
    if (value == QLatin1String("ja")) return Language::Japanese;
    if (value == QLatin1String("en")) return Language::English;
    return Language::System;
}

void RememberLanguage(Language choice) {
    const char* value = choice == Language::Japanese ? "ja" : choice == Language::English ? "en" : "system";
    AppSettings().setValue(QLatin1String(LanguageKey), QLatin1String(value));
}

bool SpeaksEnglish(Language choice) {
    if (choice == Language::System) return QLocale::system().language() != QLocale::Japanese;
    return choice == Language::English;
}

QString TranslationsFolder() {
    const QString installedFolder =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../share/keldra/translations"));
    if (QFileInfo(installedFolder).isDir()) return QDir::cleanPath(installedFolder);
#ifdef KELDRA_BUILD_TRANSLATIONS
    return QStringLiteral(KELDRA_BUILD_TRANSLATIONS);
#else
    return {};
#endif
}

void UninstallLanguage() {
    installed().window.reset();  // a destroyed translator removes itself from the application
    installed().qt.reset();
    SetTextTranslator({});
}

bool InstallLanguage(Language choice) {
    UninstallLanguage();
    Installed& now = installed();
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool english = SpeaksEnglish(choice);
    if (english) {
        now.window = loaded(QStringLiteral("keldra_en"), TranslationsFolder());
        english = now.window != nullptr;
    }
    now.qt = loaded(english ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_ja"), qtFolder);
    if (english) {
        SetTextTranslator([](std::string_view japanese) {
            return QCoreApplication::translate("keldra", std::string(japanese).c_str()).toStdString();
        });
    } else {
        SetTextTranslator({});
    }
    return english || !SpeaksEnglish(choice);
}

}  // namespace keldra
