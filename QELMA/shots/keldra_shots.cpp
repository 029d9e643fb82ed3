// keldra-shots: shows the main window or the help window in a given state
// and saves what the screen shows as a PNG, for the screenshot script.
//   keldra-shots [--english] empty|problem|help|helpsgf|sgf|menu|dialog|prove|prove-ko|prove-line|study|tree|
//                prooftree|progress OUTPUT.png
// --english: the window speaks English (Qt's own texts too), else Japanese.
// helpsgf: the help window scrolled to its section on SGF files;
// sgf: the second problem of an SGF collection, with the window's caption
// drawn above the full-screen window (which has no title bar of its own);
// menu: the file menu open; dialog: the SGF open dialog. The settings go to
// a temporary folder, so the dialog starts in the bundled problems.
// prove: 検証 on a bundled problem, its killing move marked; prove-ko: 検証
// on bent four in the corner, whose one kill goes through ko, marked in
// orange; prove-line: 検証 on a bundled problem, then a click on a wrong first
// move, whose refutation Memo1 shows.
// study: study mode after a wrong move, white's refutation on the board;
// tree: the solution tree window with a line chosen and shown on the board;
// prooftree: the same window for a problem without a book, listing the
// prover's proof; progress: study mode at the end of a correct line, with
// the count solved.
#include <cstdio>
#include <cstring>
#include <fstream>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <QListWidget>

#include "QELMA/desktop.h"
#include "QELMA/language.h"
#include "QELMA/tform1.h"
#include "QELMA/tform3.h"
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

// Three corner problems on 19x19 boards; the second, white's bent three in
// the lower right corner, moves to the lower right corner of the 13x13 board.
constexpr const char* Collection =
    "(;GM[1]FF[4]SZ[19]CA[UTF-8]PL[B]C[第一問]AB[da][db][cc][bc][ac]AW[ca][ba][bb][ab])\n"
    "(;GM[1]FF[4]SZ[19]CA[UTF-8]PL[B]C[第二問　黒先白死\n右下の隅の曲がり三目]"
    "AB[ps][pr][qq][pq][sp][rp][qp]AW[qs][rr][qr][sq][rq])\n"
    "(;GM[1]FF[4]SZ[19]CA[UTF-8]PL[B]C[第三問]AB[pa][pb][qc][rc][sc]AW[qa][qb][rb][sb])\n";

// The window's picture with its caption in a title strip above it.
QPixmap withCaption(const QPixmap& window, const QString& caption) {
    const int strip = 22;
    QPixmap out(window.width(), window.height() + strip);
    out.fill(QColor(0, 0, 128));
    QPainter p(&out);
    p.drawPixmap(0, strip, window);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(6, 0, window.width() - 12, strip), Qt::AlignVCenter | Qt::AlignLeft, caption);
    return out;
}

QPixmap grabScreen(QWidget& fallback) {
    QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    return shot.isNull() ? fallback.grab() : shot;
}

// Bent four in the corner: black's vital point (2, 1) kills only by winning
// the ko that follows.
constexpr const char* BentFour[] = {
    ". . . O X . . . . . . . .",
    ". O O O X . . . . . . . .",
    "O O X X X . . . . . . . .",
    "X X X . . . . . . . . . .",
};

void setUpBentFour(keldra::Game& game) {
    for (int y = 1; y <= 4; ++y) {
        const char* row = BentFour[y - 1];
        for (int x = 1; x <= keldra::BoardSide; ++x) {
            const char c = row[2 * (x - 1)];
            game.pos.at(x, y).Stone = c == 'X' ? keldra::Black : c == 'O' ? keldra::White : keldra::Empty;
        }
    }
}

// Three straight threes on the top edge of a 13x13 board: black kills at
// the middle point (2, 1); the points beside it are refuted at (2, 1).
constexpr const char* StraightThree =
    "GM[1]FF[4]SZ[13]CA[UTF-8]PL[B]AB[ea][eb][ac][bc][cc][dc][ec]AW[da][ab][bb][cb][db]";

keldra::SgfMove sgfMove(int colour, int x, int y) {
    return {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
}

// The book's variations of the straight three.
keldra::SgfTree straightThreeBook() {
    using keldra::SgfJudgement;
    keldra::SgfTree t;
    const int right = t.add(0, sgfMove(keldra::Black, 2, 1), "急所。白は二眼を作れない", SgfJudgement::Correct);
    const int answer = t.add(right, sgfMove(keldra::White, 1, 1), "", SgfJudgement::Correct);
    t.add(answer, sgfMove(keldra::Black, 3, 1), "正解。白死", SgfJudgement::Correct);
    const int answer2 = t.add(right, sgfMove(keldra::White, 3, 1), "", SgfJudgement::Correct);
    t.add(answer2, sgfMove(keldra::Black, 1, 1), "正解。白死", SgfJudgement::Correct);
    const int corner = t.add(0, sgfMove(keldra::Black, 1, 1), "一の一は失敗", SgfJudgement::Wrong);
    t.add(corner, sgfMove(keldra::White, 2, 1), "白は二眼で生き", SgfJudgement::Wrong);
    const int side = t.add(0, sgfMove(keldra::Black, 3, 1), "失敗", SgfJudgement::Wrong);
    t.add(side, sgfMove(keldra::White, 2, 1), "", SgfJudgement::Wrong);
    return t;
}

void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace

int main(int argc, char** argv) {
    const bool english = argc > 1 && std::strcmp(argv[1], "--english") == 0;
    char** const words = english ? argv + 1 : argv;  // the program, the scene, the file
    const int wordCount = english ? argc - 1 : argc;
    const QStringList scenes = {QStringLiteral("empty"), QStringLiteral("problem"), QStringLiteral("help"),
                                QStringLiteral("helpsgf"), QStringLiteral("sgf"), QStringLiteral("menu"),
                                QStringLiteral("dialog"), QStringLiteral("prove"),
                                QStringLiteral("prove-ko"), QStringLiteral("prove-line"), QStringLiteral("study"),
                                QStringLiteral("tree"), QStringLiteral("prooftree"), QStringLiteral("progress")};
    if (wordCount != 3 || !scenes.contains(QString::fromLatin1(words[1]))) {
        std::fprintf(stderr,
                     "usage: keldra-shots [--english] empty|problem|help|helpsgf|sgf|menu|dialog|prove|prove-ko|prove-line|"
                     "study|tree|prooftree|progress OUTPUT.png\n");
        return 2;
    }
    const QString scene = QString::fromLatin1(words[1]);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("KELDRA"));
    QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    keldra::InstallLanguage(english ? keldra::Language::English : keldra::Language::Japanese);

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
        setUpBentFour(session.game);
        form.Prove1->trigger();
        settle(300);
    } else if (scene == QLatin1String("prove-line")) {
        // 検証, then a click on a wrong first move: its refutation in Memo1.
        form.logic().OpenProblemPath(KELDRA_SOURCE_DIR "/problems/07-rabbity-six.go");
        form.Prove1->trigger();
        settle(300);
        const int cell = session.window.CellSize;
        form.logic().BoardMouseDown(keldra::MouseButton::Left, 11 * cell, 12 * cell);
        settle(300);
    }

    keldra::MemoryProgressStore progress;  // the user's own results stay untouched
    std::unique_ptr<keldra::TForm3> treeWindow;
    const bool proofTree = scene == QLatin1String("prooftree");
    if (scene == QLatin1String("study") || scene == QLatin1String("tree") || scene == QLatin1String("progress") ||
        proofTree) {
        const QString path = scratch.filePath(QStringLiteral("straight-three.sgf"));
        std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary)
            << "(;" << StraightThree << "C[第一問])\n(;" << StraightThree << "C[第二問　黒先白死])\n(;"
            << StraightThree << "C[第三問])\n";
        const std::string file = QFile::encodeName(path).toStdString();
        progress.Keep(file, 0, keldra::ProblemResult::SolvedFirstTry);
        form.logic().SetProgressStore(&progress);
        form.Study1->setChecked(true);
        form.logic().OpenProblemPath(file, 1);
        if (session.window.mode == keldra::GameMode::Input) form.Button6Click();
        if (!proofTree) form.logic().Study().Start(straightThreeBook());
        const int cell = session.window.CellSize;
        if (scene == QLatin1String("study")) {
            form.logic().BAN1MOUSEDOWN(keldra::MouseButton::Left, 1 * cell, 1 * cell);
        } else if (scene == QLatin1String("progress")) {
            form.logic().BAN1MOUSEDOWN(keldra::MouseButton::Left, 2 * cell, 1 * cell);
            form.logic().BAN1MOUSEDOWN(keldra::MouseButton::Left, 3 * cell, 1 * cell);
        } else if (proofTree) {
            // No book: the window lists the prover's proof.
            const std::optional<keldra::ListedTree> listed = form.logic().SolutionTreeClick();
            if (!listed) return 1;
            treeWindow = std::make_unique<keldra::TForm3>(*listed->tree, listed->start, session.game.pos, form.BAN1,
                                                          &form, listed->header);
            treeWindow->move(form.width() - treeWindow->width() - 10, 40);
            treeWindow->show();
            treeWindow->List1->setCurrentRow(3);
        } else {
            treeWindow = std::make_unique<keldra::TForm3>(form.logic().Study().tree(), form.logic().ProblemStart(),
                                                          session.game.pos, form.BAN1, &form);
            treeWindow->move(form.width() - treeWindow->width() - 10, 40);
            treeWindow->show();
            treeWindow->List1->setCurrentRow(2);
        }
        settle(400);
    }

    QPixmap shot;
    if (scene == QLatin1String("help") || scene == QLatin1String("helpsgf")) {
        form.Form2->show();
        if (scene == QLatin1String("helpsgf")) {
            QPlainTextEdit* memo = form.Form2->Memo2;
            const QTextBlock heading = memo->document()->find(QString::fromUtf8("■SGF")).block();
            memo->verticalScrollBar()->setValue(heading.previous().blockNumber());
        }
        settle(600);
        shot = form.Form2->grab();
    } else if (scene == QLatin1String("sgf")) {
        const QString path = scratch.filePath(QStringLiteral("corner-problems.sgf"));
        std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary) << Collection;
        form.OpenProblemFile(path);
        form.logic().NextProblemClick();
        settle(300);
        shot = withCaption(grabScreen(form), form.windowTitle());
    } else if (scene == QLatin1String("menu")) {
        form.menuBar()->setActiveAction(form.File1->menuAction());
        settle(600);
        shot = grabScreen(form);
    } else if (scene == QLatin1String("dialog")) {
        QTimer::singleShot(800, &form, [&] {
            shot = grabScreen(form);
            if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
        });
        form.dialogs().openSgfFile(&form);
    } else {
        shot = grabScreen(form);
    }
    if (!shot.save(QString::fromLocal8Bit(words[2]), "PNG")) {
        std::fprintf(stderr, "keldra-shots: cannot write %s\n", words[2]);
        return 1;
    }
    return 0;
}
