// Problems from the disk: a folder in the order a person sorts names, stepping
// through it and through a collection's game trees, SGF files opened and
// refused the way the open command opens and refuses problem files, saving
// as SGF and reading it back, and keldra-cli's board and convert commands.
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "BAN/problem_file.h"
#include "BAN/sgf/sgf_reader.h"
#include "QELMA/logic/form1_logic.h"
#include "QELMA/logic/problem_folder.h"
#include "cli/cli.h"
#include "solver/candidates.h"
#include "test_support.h"

namespace keldra {
namespace {

namespace fs = std::filesystem;


std::string emptyBoard() {
    Board b{};
    InitBoard(b);
    return test::PictureOf(b);
}

std::string problemText(int firstCode) {
    std::string t;
    for (int i = 0; i < ProblemLines; ++i) t += std::to_string(i == 0 ? firstCode : 0) + "\r\n";
    return t;
}

TEST(ProblemFolder, NamesSortAsAPersonSortsThem) {
    const char* sorted[] = {"1.go", "01.sgf", "2.go", "9b.sgf", "10.go", "a2.go", "A10.sgf", "b.go", "problem 3.go", "problem 20.sgf"};
    for (std::size_t i = 0; i + 1 < std::size(sorted); ++i) {
        EXPECT_TRUE(NaturalLess(sorted[i], sorted[i + 1])) << sorted[i] << " before " << sorted[i + 1];
        EXPECT_FALSE(NaturalLess(sorted[i + 1], sorted[i])) << sorted[i + 1] << " not before " << sorted[i];
    }
    test::ScratchFolder f;
    for (const char* name : sorted) f.put(name, "");
    f.put("notes.txt", "");
    fs::create_directory(f.dir + "/3.go");  // a folder is no problem
    std::vector<std::string> got;
    for (const auto& p : ProblemFilesOf(f.dir)) got.push_back(FileNameOf(p));
    EXPECT_EQ(got, std::vector<std::string>(std::begin(sorted), std::end(sorted)));
}

// Next from the first problem walks every problem of the folder, a
// collection's trees in turn, with its caption; previous walks back.
TEST(ProblemFolder, StepsThroughFilesAndCollectionTrees) {
    test::ScratchFolder f;
    f.put("10.go", problemText(2));
    f.put("2.sgf", "(;SZ[13]AW[aa])(;SZ[13]AW[bb])\n(;SZ[13]AW[cc])");
    f.put("1.sgf", "(;SZ[13]AB[aa]AW[ba])");
    f.put("3.sgf", "(;SZ[13]AB[oops");  // refused, but still a step
    Session state;
    test::RecordingView view;
    Form1Logic logic(state, view);
    ASSERT_TRUE(logic.OpenProblemPath(f.dir + "/1.sgf"));
    const std::string prefix = ProblemCaptionPrefix;
    const std::vector<std::string> forward = {
        prefix + "1.sgf", prefix + "2.sgf (1/3)", prefix + "2.sgf (2/3)", prefix + "2.sgf (3/3)", prefix + "3.sgf", prefix + "10.go"};
    std::vector<std::string> captions = {view.windowCaption};
    for (int i = 0; i < 5; ++i) {
        logic.NextProblemClick();
        captions.push_back(view.windowCaption);
    }
    EXPECT_EQ(captions, forward);
    EXPECT_EQ(state.game.pos.at(1, 1).Stone, White) << "10.go is on the board";
    ASSERT_EQ(view.messages.size(), 1u) << "3.sgf was refused";
    logic.NextProblemClick();
    EXPECT_EQ(view.messages.back(), LastProblemMessage);
    EXPECT_EQ(view.windowCaption, prefix + "10.go");

    captions = {view.windowCaption};
    for (int i = 0; i < 5; ++i) {
        logic.PreviousProblemClick();
        captions.push_back(view.windowCaption);
    }
    EXPECT_EQ(captions, std::vector<std::string>(forward.rbegin(), forward.rend()));
    logic.PreviousProblemClick();
    EXPECT_EQ(view.messages.back(), FirstProblemMessage);
}

// Each refusal: one short message, the caption of the file, the board as
// Clear left it, nothing in the record; and quickly.
TEST(ProblemFolder, RefusedFilesLeaveTheClearedBoard) {
    test::ScratchFolder f;
    const std::string fifo = f.dir + "/pipe.sgf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directory(f.dir + "/folder.sgf");
    std::mt19937 rng(7);
    std::string garbage(1 << 16, '\0');
    for (char& c : garbage) c = static_cast<char>(rng());
    garbage[0] = '\x01';
    {  // over the size limit, without taking the disk space
        const std::string big = f.put("huge.sgf", "(;AB[aa]C[");
        ASSERT_EQ(::truncate(big.c_str(), static_cast<off_t>(SgfMaxFileBytes) + 1), 0);
    }
    // the largest file taken: 32 MiB of nodes, and nesting as deep as it goes
    std::string nodes = "(" + std::string(SgfMaxFileBytes - 2, ';') + ")";
    std::string deep;
    for (std::size_t i = 0; i < SgfMaxFileBytes / 3 - 1; ++i) deep += "(;";
    deep += std::string(SgfMaxFileBytes / 3 - 1, ')') + "x";
    struct Row {
        std::string path, message;
    } rows[] = {
        {fifo, "ﾌｧｲﾙ " + fifo + " は開けません"},
        {f.dir + "/folder.sgf", "ﾌｧｲﾙ " + f.dir + "/folder.sgf は開けません"},
        {f.dir + "/missing.sgf", "ﾌｧｲﾙ " + f.dir + "/missing.sgf は開けません"},
        {f.put("garbage.sgf", garbage), "SGF の書式が正しくありません（1 行目）"},
        {f.dir + "/huge.sgf", "ﾌｧｲﾙ " + f.dir + "/huge.sgf は大きすぎます"},
        {f.put("unclosed.sgf", "(;AB[aa]\n;C[open"), "SGF の書式が正しくありません（2 行目）"},
        {f.put("outside.sgf", "(;AB[aa])AW[bb]"), "SGF の書式が正しくありません（1 行目）"},
        {f.put("offboard.sgf", "(;SZ[13]AB[aa][nn])"), "座標 [nn] は盤の上にありません"},
        {f.put("middle.sgf", "(;AB[aa][sa]AW[ka][ia])"), "石が 13 路盤の隅に収まりません（19 路盤）"},
        {f.put("deep.sgf", deep), "SGF の書式が正しくありません（1 行目）"},
        {f.put("nodes.sgf", nodes), ""},
        {f.put("bad.go", "x\r\n"), "'x' は整数ではありません"},
    };
    for (const Row& r : rows) {
        Session state;
        test::RecordingView view;
        Form1Logic logic(state, view);
        view.memo = {"old"};
        const auto started = std::chrono::steady_clock::now();
        const bool ok = logic.OpenProblemPath(r.path);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
        if (r.message.empty()) {
            EXPECT_TRUE(ok) << r.path << ": " << (view.messages.empty() ? "" : view.messages[0]);
            continue;
        }
        EXPECT_FALSE(ok) << r.path;
        EXPECT_EQ(view.messages, std::vector<std::string>{r.message}) << r.path;
        EXPECT_EQ(view.windowCaption, ProblemCaptionPrefix + FileNameOf(r.path)) << r.path;
        EXPECT_EQ(test::PictureOf(state.game.pos.board), emptyBoard()) << r.path;
        EXPECT_EQ(state.game.rec.record(1).colour, 0) << r.path;
        EXPECT_TRUE(view.memo.empty()) << r.path;
#ifdef NDEBUG
        EXPECT_LT(ms, 1000) << r.path;
#endif
        (void)ms;
    }
}

// Every bundled problem and random positions, with a random game played on
// them: saved as SGF and opened again, the start position, the record and the
// memo come back, and replaying the record rebuilds the board.
TEST(ProblemFolder, SavedSgfOpensAsTheSameGame) {
    test::ScratchFolder f;
    std::vector<std::string> sources;
    for (const auto& p : ProblemFilesOf(test::SourcePath("problems"))) sources.push_back(p);
    ASSERT_EQ(sources.size(), 9u);
    std::mt19937 rng(2050);
    for (int i = 0; i < 30; ++i) {
        Board b{};
        InitBoard(b);
        for (int n = 0; n < 40; ++n) b[rng() % 13 + 1][rng() % 13 + 1].Stone = static_cast<std::uint8_t>(rng() % 3);
        std::string error;
        sources.push_back(f.dir + "/random" + std::to_string(i) + ".go");
        ASSERT_TRUE(WriteProblemFile(sources.back(), b, &error)) << error;
    }
    for (const std::string& source : sources) {
        Session state;
        test::RecordingView view;
        Form1Logic logic(state, view);
        ASSERT_TRUE(logic.OpenProblemPath(source)) << source;
        const Board loaded = state.game.pos.board;
        const int length = static_cast<int>(rng() % 60);  // past 50 the oldest moves fold into the start
        CandidateList candidates;
        for (int n = 0; n < length; ++n) {
            const std::uint8_t colour = n % 2 ? White : Black;
            GenerateCandidates(state.game.pos, colour, candidates);
            if (candidates.count == 0) break;
            const CandidateEntry& e = candidates.entry(static_cast<int>(rng() % candidates.count) + 1);
            PlayMove(state.game.pos, state.game.rec, e.X, e.Y, colour);
        }
        view.memo = {"解説 ] \\", "", "二行目"};
        view.saveSgfFile = f.dir + "/saved.sgf";
        logic.SaveSgf1Click();
        ASSERT_TRUE(view.messages.empty()) << source << ": " << view.messages[0];

        Session again;
        test::RecordingView view2;
        Form1Logic logic2(again, view2);
        view2.openSgfFile = view.saveSgfFile;
        logic2.OpenSgf1Click();
        ASSERT_TRUE(view2.messages.empty()) << source << ": " << view2.messages[0];
        EXPECT_EQ(view2.memo, view.memo) << source;
        const bool played = state.game.rec.record(1).colour != 0;
        const Board& start = played ? state.game.rec.StartSnapshot : loaded;
        EXPECT_EQ(test::PictureOf(again.game.pos.board), test::PictureOf(start)) << source;
        for (int k = 1; k <= MaxMoves; ++k) ASSERT_EQ(again.game.rec.record(k), state.game.rec.record(k)) << source << " record " << k;
        if (!played) continue;
        // the window's replay runs the record to the end: the board the game reached
        logic2.Button3Click();
        for (int t = 0; t < 60 && view2.timerOn; ++t) logic2.Timer1Timer();
        EXPECT_EQ(test::PictureOf(again.game.pos.board), test::PictureOf(state.game.pos.board)) << source;
    }
}

TEST(ProblemFolder, CliBoardAndConvert) {
    test::ScratchFolder f;
    const std::string sgf = f.put("p.sgf", "(;SZ[9]PL[W]AB[ii]AW[hi][ih]C[memo];W[hh])(;SZ[13]AB[mm])");
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string outStart;  // the start of stdout, or of stderr when status != 0
    } rows[] = {
        {{"board", sgf}, 0, "board: .............\n"},
        {{"board", sgf, "2"}, 0, std::string(12 * 21, 'x')},  // checked below: one black stone at (13, 13)
        {{"board", sgf, "3"}, 1, "ゲームツリー 3 はありません（全 2）"},
        {{"board", sgf, "0"}, 2, "usage"},
        {{"board", f.dir + "/none.sgf"}, 1, "ﾌｧｲﾙ"},
        {{"convert", sgf, f.dir + "/p.go"}, 0, ""},
        {{"convert", f.dir + "/p.go", f.dir + "/q.sgf"}, 0, ""},
        {{"convert", sgf, f.dir + "/p.txt"}, 2, "usage"},
        {{"convert", sgf, f.dir}, 2, "usage"},
        {{"solve", sgf}, 0, ""},
    };
    for (const Row& r : rows) {
        std::ostringstream out, err;
        const std::vector<std::string_view> args(r.args.begin(), r.args.end());
        EXPECT_EQ(RunCli(args, out, err), r.status) << r.args[0] << " " << r.args.back() << ": " << err.str();
        const std::string text = r.status == 0 ? out.str() : err.str();
        if (r.outStart[0] != 'x') {
            EXPECT_EQ(text.substr(0, r.outStart.size()), r.outStart) << r.args[0] << " " << r.args.back();
        }
        if (r.args.size() == 3 && r.args[2] == "2") {
            EXPECT_NE(text.find("board: ............X\nmoves 0\n"), std::string::npos) << text;
        }
    }
    // 9x9 bottom-right corner, colours exchanged; the .go keeps the position
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"board", f.dir + "/p.go"}, out, err), 0) << err.str();
    EXPECT_EQ(out.str().substr(11 * 21), "board: ............X\nboard: ...........XO\nmoves 0\n");
    std::ifstream q(f.dir + "/q.sgf");
    const std::string written((std::istreambuf_iterator<char>(q)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, "(;FF[4]GM[1]SZ[13]CA[UTF-8]AP[ZORVEK:2.05]PL[B]\nAB[lm][ml]\nAW[mm])\n");
}

}  // namespace
}  // namespace keldra
