// keldra-shots: shows the main window or the help window in a given state
// and saves what the screen shows as a PNG, for the screenshot script.
//   keldra-shots empty|problem|help|prove|prove-ko OUTPUT.png
// prove: 検証 on a bundled problem, its killing move marked; prove-ko: 検証
// on a position whose two kills both go through ko, marked in orange.
#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

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

// One real eye and two ko eyes on the top edge: black kills only by winning
// a ko, at (3, 1) or (7, 1).
constexpr const char* TwoKos[] = {
    "X O . O . O . O X . . . .",
    "X X O O O O O X X . . . .",
    ". X X X X X X X . . . . .",
};

void setUpTwoKos(keldra::Game& game) {
    for (int y = 1; y <= 3; ++y) {
        const char* row = TwoKos[y - 1];
        for (int x = 1; x <= keldra::BoardSide; ++x) {
            const char c = row[2 * (x - 1)];
            game.pos.at(x, y).Stone = c == 'X' ? keldra::Black : c == 'O' ? keldra::White : keldra::Empty;
        }
    }
}

void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace

int main(int argc, char** argv) {
    const char* scenes[] = {"empty", "problem", "help", "prove", "prove-ko"};
    bool known = false;
    for (const char* scene : scenes) known = known || (argc == 3 && std::strcmp(argv[1], scene) == 0);
    if (!known) {
        std::fprintf(stderr, "usage: keldra-shots empty|problem|help|prove|prove-ko OUTPUT.png\n");
        return 2;
    }
    const QString scene = QString::fromLatin1(argv[1]);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("KELDRA"));

    // The window starts with its settings' defaults, whatever the user chose.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    keldra::Session session;
    keldra::TForm1 form(session);
    if (scene == QLatin1String("problem")) {
        setUpProblem(session.game);
        form.Memo1->appendPlainText(QStringLiteral("3 3 R1"));
        form.Edit6->setText(QString::fromUtf8("3 3"));
    }
    form.showFullScreen();
    settle(600);
    if (scene == QLatin1String("prove")) {
        form.logic().OpenProblemPath(KELDRA_SOURCE_DIR "/problems/07-rabbity-six.go");
        form.Prove1->trigger();
        settle(300);
    } else if (scene == QLatin1String("prove-ko")) {
        setUpTwoKos(session.game);
        form.Prove1->trigger();
        settle(300);
    }

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
