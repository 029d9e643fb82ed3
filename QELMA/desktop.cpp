#include "QELMA/desktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>

#include <memory>

#include <sys/stat.h>

namespace keldra {

namespace {

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

// The outcome of the settings file check: a scratch folder for this run's
// settings when the file is unfit, and the memo line saying why.
struct SettingsCheck {
    std::unique_ptr<QTemporaryDir> scratch;
    const char* pattern = nullptr;
    QString path;
};

SettingsCheck& settingsCheck() {
    static SettingsCheck check;
    return check;
}

}  // namespace

QSettings AppSettings() {
    const SettingsCheck& check = settingsCheck();
    if (check.scratch) return QSettings(check.scratch->filePath(QStringLiteral("keldra.conf")), QSettings::IniFormat);
    return QSettings(QStringLiteral("ZORVEK"), QStringLiteral("keldra"));
}

QString DefaultSettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/ZORVEK/keldra.conf");
}

namespace {

// The memo line for an unfit file, untranslated: the language is chosen from
// the settings, after the check.
const char* settingsTroublePattern(const QString& path) {
    // stat, not open: opening a named pipe would wait for a writer.
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return nullptr;
    if (!S_ISREG(st.st_mode)) {
        return QT_TRANSLATE_NOOP("keldra", "設定ファイル %1 は通常のファイルではないため、既定の設定で始めます");
    }
    if (st.st_size > MaxSettingsFileBytes) {
        return QT_TRANSLATE_NOOP("keldra", "設定ファイル %1 は大きすぎる（1 MiB 超）ため、既定の設定で始めます");
    }
    return nullptr;
}

}  // namespace

QString SettingsFileTrouble(const QString& path) {
    const char* pattern = settingsTroublePattern(path);
    return pattern ? QCoreApplication::translate("keldra", pattern).arg(path) : QString();
}

QString CheckSettingsFile(const QString& path) {
    SettingsCheck& check = settingsCheck();
    check.pattern = settingsTroublePattern(path);
    check.path = path;
    check.scratch.reset();
    if (check.pattern) check.scratch = std::make_unique<QTemporaryDir>();
    return SettingsNote();
}

QString SettingsNote() {
    const SettingsCheck& check = settingsCheck();
    return check.pattern ? QCoreApplication::translate("keldra", check.pattern).arg(check.path) : QString();
}

QTranslator* InstallQtTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

QString BundledProblemsFolder() {
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../share/keldra/problems"));
    if (isFolder(installed)) return QDir::cleanPath(installed);
#ifdef KELDRA_SOURCE_PROBLEMS
    const QString sourceTree = QStringLiteral(KELDRA_SOURCE_PROBLEMS);
    if (isFolder(sourceTree)) return sourceTree;
#endif
    return {};
}

QString StartFolder() {
    const QString last = AppSettings().value(QLatin1String(LastFolderKey)).toString();
    return isFolder(last) ? last : BundledProblemsFolder();
}

void RememberFolderOf(const QString& filePath) {
    if (filePath.isEmpty()) return;
    AppSettings().setValue(QLatin1String(LastFolderKey), QFileInfo(filePath).absolutePath());
}

}  // namespace keldra
