// keldra: the desktop program. One instance per user; a second start ends
// at once, silently.
//   keldra [FILE]    FILE (.go or .sgf) opens at start as the open command opens it
#include <QApplication>
#include <QFile>

#include "QELMA/desktop.h"
#include "QELMA/single_instance.h"
#include "QELMA/tform1.h"

int main(int argc, char** argv) {
    keldra::SingleInstanceLock mutex;
    if (!mutex.acquired()) return 0;

    // The application sees only the program's name; of the arguments only
    // the first is read, as the problem to open.
    int qtArgc = 1;
    char* args[] = {argv[0], nullptr};
    QApplication app(qtArgc, args);
    QApplication::setApplicationName(QStringLiteral("KELDRA"));
    keldra::InstallQtTranslations();

    keldra::Session session;
    keldra::TForm1 form(session);
    form.showFullScreen();
    if (argc > 1) form.OpenProblemFile(QFile::decodeName(argv[1]));
    return QApplication::exec();
}
