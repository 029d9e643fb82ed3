#include "QELMA/desktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace keldra {

namespace {

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

}  // namespace

QSettings AppSettings() { return QSettings(QStringLiteral("ZORVEK"), QStringLiteral("keldra")); }

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
