// The problem frame: the set-up of a game's start kept for its later
// positions. Applied to its own start it changes nothing; in positions where
// setting the problem up again from the stones would ask another question,
// the start's roles hold, stones played since are classed as the search
// classes them, and a captured target leaves no problem.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "prover/problem_setup.h"
#include "prover/prover.h"
#include "prover_composed_problems.h"
#include "test_support.h"

namespace {

using namespace keldra;
using prover::AnswerKind;
using prover::ProblemSetup;
using prover::SetupOf;
using prover::Verdict;

// A later position drawn with each white stone's expected role: 'T' target,
// 'S' surroundings, 'F' safe, 'O' a white stone of no role to check; 'X'
// black, '.' empty.
Board laterBoard(std::string_view rows) {
    std::string stones(rows);
    for (char& c : stones)
        if (c == 'T' || c == 'S' || c == 'F') c = 'O';
    return test::ComposedBoard(stones);
}

// The roles a set-up gives the white stones of `board`, drawn as laterBoard
// reads them.
std::string rolePicture(const ProblemSetup& s, const Board& board) {
    std::string out;
    for (int y = 1; y <= BoardSide; ++y) {
        for (int x = 1; x <= BoardSide; ++x) {
            const auto i = static_cast<std::size_t>(IndexOf(x, y));
            const std::uint8_t c = board[x][y].Stone;
            out += c == Black ? 'X' : c != White ? '.' : s.initialTarget[i] ? 'T' : s.surrounding[i] ? 'S' : s.safe[i] ? 'F' : '?';
        }
        out += '\n';
    }
    return out;
}

std::string expectedPicture(std::string_view rows) {
    std::string grid(static_cast<std::size_t>(BoardSide * (BoardSide + 1)), '.');
    for (int r = 0; r < BoardSide; ++r) grid[static_cast<std::size_t>(r * (BoardSide + 1) + BoardSide)] = '\n';
    int y = 0, x = 0;
    for (const char c : rows) {
        if (c == '\n') {
            if (x > 0) ++y;
            x = 0;
        } else if (c != ' ' && y < BoardSide && x < BoardSide) {
            grid[static_cast<std::size_t>(y * (BoardSide + 1) + x)] = c;
            ++x;
        }
    }
    return grid;
}

bool sameSetup(const ProblemSetup& a, const ProblemSetup& b) {
    return a.hasTarget == b.hasTarget && a.hasOpenSide == b.hasOpenSide && a.escaped == b.escaped && a.x0 == b.x0 &&
           a.x1 == b.x1 && a.y0 == b.y0 && a.y1 == b.y1 && a.safe == b.safe && a.movable == b.movable &&
           a.ring == b.ring && a.rootBan == b.rootBan && a.enclosed == b.enclosed && a.openSide == b.openSide &&
           a.initialTarget == b.initialTarget && a.surrounding == b.surrounding && a.targetPoint == b.targetPoint &&
           a.moves == b.moves && a.moveCount == b.moveCount;
}

// A start's frame applied to the start itself is its set-up exactly, for
// every composed problem and every named target of the multi-group ones; and
// Prove reports the frame FrameOf makes.
TEST(ProverFrame, TheFrameOfAStartSetsTheStartUpAsBefore) {
    int checked = 0;
    const auto check = [&](const char* name, const Board& board, std::uint8_t tx, std::uint8_t ty) {
        prover::ProveOptions options;
        options.targetX = tx, options.targetY = ty;
        const prover::ProblemFrame frame = prover::FrameOf(board, options);
        ASSERT_TRUE(frame.set) << name;
        const int named = tx == 0 ? 0 : IndexOf(tx, ty);
        for (const std::uint8_t toMove : {Black, White}) {
            EXPECT_TRUE(sameSetup(SetupOf(board, toMove, named), SetupOf(board, toMove, 0, 0, &frame))) << name;
        }
        ++checked;
    };
    for (const test::Composed& c : test::ComposedProblems) check(c.name, test::ComposedBoard(c.rows), 0, 0);
    for (const test::MultiGroup& m : test::MultiGroupProblems) check(m.name, test::ComposedBoard(m.rows), m.targetX, m.targetY);
    EXPECT_GT(checked, 20);

    const Board b = test::ComposedBoard(test::ComposedProblems[0].rows);
    prover::ProveOptions options;
    options.seconds = 5.0;
    EXPECT_EQ(prover::Prove(b, options).frame, prover::FrameOf(b));
}

enum class Expect { Target, NoTarget, Escaped };

struct FramedCase {
    const char* name;
    const char* start;
    const char* later;  // with the roles expected under the start's frame
    Expect expect;
    bool perMoveDiffers;  // setting `later` up from its stones alone gives other roles
    Verdict verdict;      // Prove under the frame, black to move (Target cases)
};

const FramedCase FramedCases[] = {
    // Black's outward moves close round the pair below the wall: from the
    // stones alone the pair is enclosed and joins the target; the problem
    // was the corner group, and the pair stays its surroundings.
    {"white stones beyond the wall but inside black's rectangle, black closes round them", R"(
        ..XO...OX....
        ..XOOOOOX....
        ...XXXXX.....
        .............
        X..OO........)", R"(
        ..XT...TX....
        ..XTTTTTX....
        ...XXXXX.....
        .............
        X.XSSX.......
        ...XX........)", Expect::Target, true, Verdict::Kill},
    // Black's stone beyond the safe column takes it into black's rectangle;
    // it stays safe.
    {"white stones outside the wall stay safe when black plays beyond them", R"(
        ...OX..O
        OOOOX..O
        XXXXX..O)", R"(
        ...TX..F.
        TTTTX..FX
        XXXXX..F.)", Expect::Target, true, Verdict::Kill},
    // A lone stone inside the eye space, joined to nothing, is a target
    // stone; a lone stone beyond the wall is the surroundings.
    {"lone white stones played inside the eye and beyond the wall", R"(
        O.....OX.
        O.....OX.
        OOOOOOOX.
        XXXXXXXX.)", R"(
        T..T..TX.
        T.....TX.
        TTTTTTTX.
        XXXXXXXXS)", Expect::Target, true, Verdict::Alive},
    // Black has captured the corner group; the pair in black's rectangle,
    // which the stones alone would now make the target, is no new problem.
    {"the target captured: no target, though white stones stand in black's rectangle", R"(
        ..XO...OX....
        ..XOOOOOX....
        ...XXXXX.....
        .............
        X..OO........)", R"(
        ..X.X.X.X....
        ..X.X.X.X....
        ...XXXXX.....
        .............
        X..OO........)", Expect::NoTarget, true, Verdict::Unknown},
    // The corner group breaks through black's wall onto the ring of the
    // start's area: it has escaped.
    {"the target on the start's ring has escaped", R"(
        ..XO...OX....
        ..XOOOOOX....
        ...XXXXX.....)", R"(
        ..XT...TX....
        ..XTTTTTX....
        ..XTXXXX.....
        ...T.........)", Expect::Escaped, true, Verdict::Alive},
};

TEST(ProverFrame, LaterPositionsKeepTheStartsProblem) {
    for (const FramedCase& c : FramedCases) {
        const Board start = test::ComposedBoard(c.start);
        const Board later = laterBoard(c.later);
        ASSERT_TRUE(test::EveryGroupBreathes(later)) << c.name;
        prover::ProveOptions options;
        options.seconds = 30.0;
        options.tableBytes = 16u << 20;
        options.frame = prover::FrameOf(start);
        ASSERT_TRUE(options.frame.set) << c.name;
        const ProblemSetup framed = SetupOf(later, Black, 0, 0, &options.frame);
        const ProblemSetup alone = SetupOf(later, Black);
        EXPECT_EQ(rolePicture(alone, later) != rolePicture(framed, later) || alone.hasTarget != framed.hasTarget ||
                      alone.escaped != framed.escaped,
                  c.perMoveDiffers)
            << c.name << "\n" << rolePicture(alone, later);
        const prover::ProveResult r = prover::Prove(later, options);
        const prover::ProverAnswer a = prover::WhiteAnswer(later, options);
        EXPECT_EQ(r.frame, options.frame) << c.name;
        switch (c.expect) {
            case Expect::NoTarget:
                EXPECT_FALSE(framed.hasTarget) << c.name;
                EXPECT_TRUE(r.target.isPass()) << c.name;
                EXPECT_EQ(a.kind, AnswerKind::NoTarget) << c.name;
                break;
            case Expect::Escaped:
                EXPECT_TRUE(framed.escaped) << c.name;
                EXPECT_EQ(r.verdict, Verdict::Alive) << c.name;
                EXPECT_EQ(a.kind, AnswerKind::Refutes) << c.name;
                EXPECT_EQ(rolePicture(framed, later), expectedPicture(c.later)) << c.name;
                break;
            case Expect::Target:
                EXPECT_FALSE(framed.escaped) << c.name;
                EXPECT_EQ(rolePicture(framed, later), expectedPicture(c.later)) << c.name;
                EXPECT_STREQ(prover::VerdictToken(r.verdict), prover::VerdictToken(c.verdict)) << c.name << "\n" << test::PictureOf(later);
                break;
        }
    }
}

}  // namespace
