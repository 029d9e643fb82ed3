// keldra: the desktop program. One instance per user; a second start ends
// at once, silently.
#include <QApplication>

#include "QELMA/single_instance.h"
#include "QELMA/tform1.h"

int main(int, char** argv) {
    keldra::SingleInstanceLock mutex;
    if (!mutex.acquired()) return 0;

    // The program reads no arguments: the application sees only its name.
    int argc = 1;
    char* args[] = {argv[0], nullptr};
    QApplication app(argc, args);
    QApplication::setApplicationName(QStringLiteral("KELDRA"));

    keldra::Session session;
    keldra::TForm1 form(session);
    form.showFullScreen();
    return QApplication::exec();
}
