// The SGF reader and the fitting onto 13x13: a table of composed files in
// every form the reader takes (and refuses), a model of the corner rule over
// random corner problems on boards of 7 to 19 lines, and the writer's text
// read back.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "BAN/sgf/sgf_fit.h"
#include "BAN/sgf/sgf_writer.h"
#include "test_support.h"

namespace keldra {
namespace {

// The stones of a fitted problem as "B[xy]... W[xy]..." in file order
// (X outer, Y inner), letters from 'a' = 1 as in SGF.
std::string stonesText(const ProblemStones& s) {
    std::string b = "B", w = "W";
    for (int i = 0; i < ProblemLines; ++i) {
        const std::string p = {'[', static_cast<char>('a' + i / BoardSide), static_cast<char>('a' + i % BoardSide), ']'};
        if (s[static_cast<std::size_t>(i)] == Black) b += p;
        if (s[static_cast<std::size_t>(i)] == White) w += p;
    }
    return b + " " + w;
}

std::string recordText(const std::vector<MoveRecord>& record) {
    std::string t;
    for (const auto& m : record) {
        t += (m.colour == Black ? "B[" : "W[") + std::string{static_cast<char>('a' + m.X - 1), static_cast<char>('a' + m.Y - 1)} + "]";
    }
    return t;
}

struct Case {
    const char* name;
    const char* sgf;
    int tree;
    const char* stones;  // expected after fitting, or the start of the message
    const char* record = "";
    bool swapped = false;
    const char* comment = "";
};

const Case Cases[] = {
    {"13x13 as it is", "(;GM[1]FF[4]SZ[13]AB[aa][bb]AW[ba])", 0, "B[aa][bb] W[ba]"},
    {"no SZ means 19: top-left corner stays", "(;AB[ab]AW[aa])", 0, "B[ab] W[aa]"},
    {"19x19 top-right corner", "(;SZ[19]AB[qa][qb][rb][sb]AW[ra][sa])", 0, "B[ka][kb][lb][mb] W[la][ma]"},
    {"19x19 bottom-right corner", "(;SZ[19]AB[rr]AW[ss])", 0, "B[ll] W[mm]"},
    {"19x19 bottom-left corner", "(;SZ[19]AB[ar]AW[as][bs])", 0, "B[al] W[am][bm]"},
    {"9x9: the corner whose far edges white does not reach", "(;SZ[9]AB[hh][ih]AW[ii])", 0, "B[ll][ml] W[mm]"},
    {"7x11 rectangle, compressed lists", "(;SZ[7:11]AB[aa:bb]AW[ca][cb])", 0, "B[aa][ab][ba][bb] W[ca][cb]"},
    {"AE takes stones off again, in order", "(;AB[aa:cc]AE[bb]AW[bb]AE[cc])", 0, "B[aa][ab][ac][ba][bc][ca][cb] W[bb]"},
    {"collection: second tree", "(;SZ[13]AB[aa])(;SZ[13]AB[bb]AW[cc])", 1, "B[bb] W[cc]"},
    {"collection: last tree", "(;AB[aa])(;AB[bb])\n(;AB[cc])", -1, "B[cc] W"},
    {"variations: the main line is the first", "(;AB[aa](;B[bb];W[cc])(;B[dd]))", 0, "B[aa] W", "B[bb]W[cc]"},
    {"nested first variations continue the line", "(;SZ[13]AW[mm](;B[aa](;W[bb])(;W[cc]))(;B[dd]))", 0, "B W[mm]", "B[aa]W[bb]"},
    {"setup in a later node before any move", "(;SZ[13]C[root];AB[aa];AW[ba]PL[B];B[ca])", 0, "B[aa] W[ba]", "B[ca]", false, "root"},
    {"setup after a move ends the line", "(;AB[aa];B[bb];AB[cc];W[dd])", 0, "B[aa] W", "B[bb]"},
    {"whitespace everywhere", " \r\n( ; SZ [13] \n AB [aa] \t [bb] \r\n ; B [cc] ) \n", 0, "B[aa][bb] W", "B[cc]"},
    {"FF[3] long and lowercase names", "(;FF[3]GaMe[1]SiZe[13]AddBlack[aa]AddWhite[ba]PLayer[B])", 0, "B[aa] W[ba]"},
    {"a byte-order mark before the collection", "\xEF\xBB\xBF(;AB[aa])", 0, "B[aa] W"},
    {"escapes and soft line breaks in the comment", "(;C[a\\]b\\\\c\\\nd\r\ne\\:]AB[aa])", 0, "B[aa] W", "", false, "a]b\\cd\ne:"},
    {"a pass ends the line; tt is a pass", "(;AB[aa];B[bb];W[tt];B[cc])", 0, "B[aa] W", "B[bb]"},
    {"a move on an occupied point ends the line", "(;PL[B]AB[aa];B[aa];W[bb])", 0, "B[aa] W", ""},
    {"PL[W] swaps the colours", "(;SZ[13]PL[W]AB[aa]AW[ba];W[ca];B[da])", 0, "B[ba] W[aa]", "B[ca]W[da]", true},
    {"no PL, white's first move swaps too", "(;AB[aa];W[ba])", 0, "B W[aa]", "B[ba]", true},
    {"an empty point list adds nothing", "(;AB[]AW[aa])", 0, "B W[aa]"},
    // refusals
    {"unclosed bracket", "(;AB[aa]\nC[oops)\n\n", 0, "SGF の書式が正しくありません（2 行目）"},
    {"unclosed tree", "(;AB[aa]\n;B[bb]", 0, "SGF の書式が正しくありません（2 行目）"},
    {"property outside a node", "(;AB[aa])AW[bb]", 0, "SGF の書式が正しくありません"},
    {"node after a variation", "(;AB[aa](;B[bb]);W[cc])", 0, "SGF の書式が正しくありません"},
    {"empty game tree", "(;AB[aa])()", 0, "SGF の書式が正しくありません"},
    {"a name without capitals", "(;add[aa])", 0, "SGF の書式が正しくありません"},
    {"text before the collection", "x(;AB[aa])", 0, "SGF の書式が正しくありません"},
    {"nothing but blanks", " \n ", 0, "SGF のゲームツリーがありません"},
    {"point off a 9x9 board", "(;SZ[9]AB[jj])", 0, "座標 [jj] は盤の上にありません"},
    {"a move that is no point", "(;SZ[9];B[k])", 0, "座標 [k] は盤の上にありません"},
    {"capital coordinates are off any board here", "(;AB[AA])", 0, "座標 [AA] は盤の上にありません"},
    {"board over 19", "(;SZ[21])", 0, "盤の大きさ SZ[21] には対応していません"},
    {"rectangle over 19", "(;SZ[13:20])", 0, "盤の大きさ SZ[13:20] には対応していません"},
    {"not Go", "(;GM[3]SZ[8])", 0, "囲碁の棋譜ではありません"},
    {"tree that is not there", "(;AB[aa])(;AB[bb])", 2, "ゲームツリー 3 はありません（全 2）"},
    {"19x19 stones across the top", "(;AB[aa][sa]AW[ja])", 0, "石が 13 路盤の隅に収まりません（19 路盤）"},
};

TEST(Sgf, ComposedFilesReadFitOrRefuse) {
    for (const Case& c : Cases) {
        const SgfLoad load = ParseSgf(c.sgf, c.tree);
        std::string got;
        FittedProblem fit;
        if (!load.ok) {
            got = load.error;
        } else {
            fit = FitSgfGame(load.game);
            got = fit.ok ? stonesText(fit.stones) : fit.error;
        }
        EXPECT_EQ(got.substr(0, std::string(c.stones).size()), c.stones) << c.name << ": " << got;
        if (!fit.ok) continue;
        EXPECT_EQ(recordText(fit.record), c.record) << c.name;
        EXPECT_EQ(fit.swapped, c.swapped) << c.name;
        EXPECT_EQ(load.game.comment, c.comment) << c.name;
    }
}

TEST(Sgf, RootCommentCharsets) {
    const CharsetDecoder gb = [](std::string_view cs, std::string_view bytes) -> std::optional<std::string> {
        if (cs != "GB2312") return std::nullopt;
        return bytes == "\xC4\xE3\xBA\xC3" ? std::optional<std::string>("你好") : std::nullopt;
    };
    const CharsetDecoder broken = [](std::string_view, std::string_view) { return std::optional<std::string>("\xFF"); };
    struct Row {
        const char* sgf;
        const CharsetDecoder* decode;
        std::optional<std::string> shown;
    } rows[] = {
        {"(;CA[UTF-8]C[碁])", nullptr, "碁"},
        {"(;C[plain])", nullptr, "plain"},
        {"(;C[\xE7\xA2\x81])", nullptr, "碁"},                        // no CA, valid UTF-8
        {"(;CA[UTF-8]C[\xC4\xE3])", nullptr, std::nullopt},          // says UTF-8, is not
        {"(;CA[GB2312]C[\xC4\xE3\xBA\xC3])", &gb, "你好"},
        {"(;CA[GB2312]C[\xC4\xE3\xBA\xC3])", nullptr, std::nullopt},  // no decoder: left out
        {"(;CA[Shift_JIS]C[ascii])", nullptr, "ascii"},               // undecoded but valid
        {"(;CA[GB2312]C[\xC4\xE3])", &broken, std::nullopt},         // a decoder's bad bytes are not passed on
    };
    for (const Row& r : rows) {
        const SgfLoad load = ParseSgf(r.sgf);
        ASSERT_TRUE(load.ok) << r.sgf;
        EXPECT_EQ(CommentAsUtf8(load.game, r.decode ? *r.decode : CharsetDecoder{}), r.shown) << r.sgf;
    }
}

// Random corner problems: white in a 4x4 box at one corner, black around it
// within 6 lines. Whatever the board, each stone keeps its distances to the
// corner's two edges.
TEST(Sgf, FittingKeepsEveryStoneAtItsCorner) {
    std::mt19937 rng(13);
    const std::pair<int, int> sizes[] = {{19, 19}, {9, 9}, {13, 13}, {7, 11}, {17, 8}};
    for (const auto& [w, h] : sizes) {
        for (int corner = 0; corner < 4; ++corner) {
            const bool right = corner == 1 || corner == 2, bottom = corner >= 2;
            for (int trial = 0; trial < 50; ++trial) {
                SgfGame g;
                g.width = w, g.height = h;
                const int reach = std::min({6, w - 2, h - 2});
                for (int n = 0; n < 12; ++n) {
                    const int dx = static_cast<int>(rng() % static_cast<unsigned>(reach));
                    const int dy = static_cast<int>(rng() % static_cast<unsigned>(reach));
                    const std::uint8_t c = (dx < 2 && dy < 2 && rng() % 2) ? White : Black;
                    const int x = right ? w - dx : dx + 1, y = bottom ? h - dy : dy + 1;
                    g.setup[static_cast<std::size_t>(x - 1)][static_cast<std::size_t>(y - 1)] = c;
                }
                g.setup[right ? static_cast<std::size_t>(w - 1) : 0][bottom ? static_cast<std::size_t>(h - 1) : 0] = White;
                const FittedProblem fit = FitSgfGame(g);
                ASSERT_TRUE(fit.ok) << w << "x" << h << " corner " << corner << ": " << fit.error;
                for (int x = 1; x <= w; ++x) {
                    for (int y = 1; y <= h; ++y) {
                        if (g.at(x, y) == Empty) continue;
                        const int tx = right ? BoardSide - (w - x) : x, ty = bottom ? BoardSide - (h - y) : y;
                        ASSERT_EQ(fit.stones[static_cast<std::size_t>((tx - 1) * BoardSide + ty - 1)], g.at(x, y))
                            << w << "x" << h << " corner " << corner << " stone " << x << "," << y;
                    }
                }
            }
        }
    }
}

// What the writer writes reads back as the same position, line and comment.
TEST(Sgf, WrittenTextReadsBack) {
    const Board start = test::BoardFromPicture(R"(
        . X O . . . . . . . . . .
        X X O . . . . . . . . . .
        O O O . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . O
        . . . . . . . . . . . X X)");
    const std::vector<MoveRecord> moves = {{4, 1, Black}, {1, 4, White}, {13, 11, Black}};
    const std::string comment = "一行目 ] \\ [\n二行目";
    const std::string text = SgfText(start, moves, comment);
    EXPECT_EQ(text.substr(0, 48), "(;FF[4]GM[1]SZ[13]CA[UTF-8]AP[ZORVEK:2.05]PL[B]\n");
    const SgfLoad load = ParseSgf(text);
    ASSERT_TRUE(load.ok) << load.error;
    EXPECT_EQ(load.game.comment, comment);
    EXPECT_EQ(load.game.toPlay, Black);
    const FittedProblem fit = FitSgfGame(load.game);
    ASSERT_TRUE(fit.ok);
    Board back{};
    InitBoard(back);
    ApplyProblem(back, fit.stones);
    EXPECT_EQ(test::PictureOf(back), test::PictureOf(start));
    EXPECT_EQ(fit.record, moves);
    // bytes that are not UTF-8 never reach a CA[UTF-8] file
    EXPECT_EQ(ParseSgf(SgfText(start, {}, "a\xFF" "b")).game.comment, "a?b");
}

}  // namespace
}  // namespace keldra
