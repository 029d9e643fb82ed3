// keldra-shots: shows the main window or the help window in a given state
// and saves what the screen shows as a PNG, for the screenshot script.
//   keldra-shots empty|problem|help OUTPUT.png
#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>

#include "QELMA/tform1.h"
#include "helpgo/tform2.h"

namespace {

// A corner problem in which black has just taken a white stone at a ko:
// the ring marks black's stone at (3, 3), the dot the barred point (2, 3).
constexpr const char* Problem[] = {
    ". . . . O . . . . . . . .",
    ". X O . O . . . . . . . .",
    "X O . O O . . . . . . . .",
    ". X O . X . . . . . . . .",
    ". . X X . . . . . . . . .",
    ". . . . . . . . . . . . .",
    ". . . . . . . . . . . . .",
    ". . . . . . . . . . . . .",
    ". . . . . . . . . . . . .",
    ". . . . . . . . . . . . .",
    ". . . . . . . . . . . . .",
    ". . . . . . . . . . . . .",
    ". . . . . . . . . . . . .",
};

void setUpProblem(keldra::Game& game) {
    for (int y = 1; y <= keldra::BoardSide; ++y) {
        const char* row = Problem[y - 1];
        for (int x = 1; x <= keldra::BoardSide; ++x) {
            const char c = row[2 * (x - 1)];
            game.pos.at(x, y).Stone = c == 'X' ? keldra::Black : c == 'O' ? keldra::White : keldra::Empty;
        }
    }
    keldra::PlayMove(game.pos, game.rec, 3, 3, keldra::Black);
}

void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "empty") && std::strcmp(argv[1], "problem") && std::strcmp(argv[1], "help"))) {
        std::fprintf(stderr, "usage: keldra-shots empty|problem|help OUTPUT.png\n");
        return 2;
    }
    const QString scene = QString::fromLatin1(argv[1]);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("KELDRA"));

    keldra::Session session;
    keldra::TForm1 form(session);
    if (scene == QLatin1String("problem")) {
        setUpProblem(session.game);
        form.Memo1->appendPlainText(QStringLiteral("3 3 R1"));
        form.Edit6->setText(QString::fromUtf8("3 3"));
    }
    form.showFullScreen();
    settle(600);

    QPixmap shot;
    if (scene == QLatin1String("help")) {
        form.Form2->show();
        settle(600);
        shot = form.Form2->grab();
    } else {
        shot = QGuiApplication::primaryScreen()->grabWindow(0);
        if (shot.isNull()) shot = form.grab();
    }
    if (!shot.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "keldra-shots: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
