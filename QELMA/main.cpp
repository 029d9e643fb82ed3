// keldra: the desktop program. One window per user: a second start hands its
// file to the running window, or only brings that window to the front, and
// ends. A running instance that does not answer within a second is taken
// over.
//   keldra [FILE]    FILE (.go or .sgf) opens at start as the open command opens it
#include <cstdio>
#include <string>

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include "QELMA/desktop.h"
#include "QELMA/instance_server.h"
#include "QELMA/language.h"
#include "QELMA/single_instance.h"
#include "QELMA/tform1.h"
#include "QELMA/window_gone.h"

namespace {

// The file argument as the running instance must read it: absolute, since
// that instance runs in another folder.
std::string absoluteArgument(int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '\0') return {};
    return QFile::encodeName(QFileInfo(QFile::decodeName(argv[1])).absoluteFilePath()).toStdString();
}

void bringToFront(keldra::TForm1& form) {
    form.setWindowState((form.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    form.raise();
    form.activateWindow();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string socketPath = keldra::SingleInstanceLock::DefaultSocketPath();
    keldra::SingleInstanceLock mutex;
    if (!mutex.acquired()) {
        if (keldra::HandToRunningInstance(socketPath, absoluteArgument(argc, argv))) return 0;
        std::fprintf(stderr, "keldra: the running keldra does not answer within a second; this one takes over\n");
    }

    // The application sees only the program's name; of the arguments only
    // the first is read, as the problem to open.
    int qtArgc = 1;
    char* args[] = {argv[0], nullptr};
    QApplication app(qtArgc, args);
    QApplication::setApplicationName(QStringLiteral("KELDRA"));
    // Listening starts before the window is built; requests wait in the
    // socket until the event loop runs.
    keldra::InstanceServer server;
    if (!server.listen(QFile::decodeName(socketPath.c_str()))) {
        std::fprintf(stderr, "keldra: cannot listen at %s; later starts will not reach this window\n", socketPath.c_str());
    }
    keldra::CheckSettingsFile();
    keldra::InstallLanguage(keldra::ChosenLanguage());

    keldra::Session session;
    keldra::TForm1 form(session);
    form.showFullScreen();
    keldra::QuitWhenNativeWindowDestroyed(&form);
    QObject::connect(&server, &keldra::InstanceServer::requested, &form, [&form](const QString& path) {
        bringToFront(form);
        if (!path.isEmpty()) form.OpenProblemFile(path);
    });

    if (argc > 1) form.OpenProblemFile(QFile::decodeName(argv[1]));
    return QApplication::exec();
}
