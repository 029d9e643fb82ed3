// 検証 and the stubborn white in the window's logic: the verdict texts and
// marks on bundled and composed problems with the board and record left
// alone, stopping a long proof, marks that go with their position, and a
// game in which the stubborn white answers with the prover's refutation.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <set>

#include "QELMA/logic/form1_logic.h"
#include "prover_composed_problems.h"
#include "test_support.h"

namespace keldra {
namespace {

using test::PictureOf;

constexpr int Cell = 38;

// The recording view, with the marks kept as the board control keeps them
// and a hook run on every wait for the worker.
class ProveView : public test::RecordingView {
public:
    explicit ProveView(const Session& s) : session(s) {}
    void SetBoardMarks(const std::vector<BoardMark>& m) override { marks.Set(m, session.game.pos.board); }
    std::vector<BoardMark> shownMarks() { return marks.ShownOn(session.game.pos.board); }
    // Every repaint looks at the marks, as the board control's does.
    void PaintBoard() override {
        RecordingView::PaintBoard();
        marks.ShownOn(session.game.pos.board);
    }
    bool Cancelled() override { return closing; }
    void WaitFor(const std::function<bool(std::uint32_t)>& waitSome) override {
        ++waits;
        while (!waitSome(5) && !closing)
            if (onWait) onWait();
    }

    const Session& session;
    PositionMarks marks;
    std::function<void()> onWait;
    bool closing = false;
    int waits = 0;
};

class ProveCommandTest : public ::testing::Test {
protected:
    ProveCommandTest() : view(state), logic(state, view) { state.window.CellSize = Cell; }

    void setBoard(const Board& b) {
        state.game.pos.board = b;
        state.game.rec.StartSnapshot = b;
    }
    void click(MouseButton b, int x, int y) {
        logic.BoardMouseDown(b, x * Cell, y * Cell);
        logic.BAN1MOUSEDOWN(b, x * Cell, y * Cell);
    }
    std::string memoLine(const std::string& prefix) const {
        for (const auto& line : view.memo)
            if (line.rfind(prefix, 0) == 0) return line;
        return "(no line " + prefix + ")";
    }

    Session state;
    ProveView view;
    Form1Logic logic;
};

std::string marksText(const std::vector<BoardMark>& marks) {
    std::string text;
    for (const auto& m : marks)
        text += (text.empty() ? "" : " ") + std::to_string(m.x) + "," + std::to_string(m.y) +
                (m.kind == MarkKind::Kill ? "g" : m.kind == MarkKind::KoKill ? "o" : "t");
    return text;
}

const test::Composed& composed(std::string_view start) {
    for (const auto& c : test::ComposedProblems)
        if (std::string_view(c.name).substr(0, start.size()) == start) return c;
    throw std::runtime_error("no composed problem " + std::string(start));
}

// Each row: the position, the verdict shown, the memo's move lines and the
// marks (g green, o orange). The board, the record and the mode stay.
TEST_F(ProveCommandTest, VerdictsMovesAndMarks) {
    struct Case {
        const char* what;
        std::string file;  // a bundled problem, or empty for `rows`
        const char* rows;
        const char* verdict;
        const char* kills;
        const char* koKills;  // nullptr: no such line
        const char* marks;
        const char* target;   // the target's line
    };
    const Case cases[] = {
        {"bundled bent three", "problems/01-bent-three.go", nullptr, "黒先白死（無条件）", "殺す手：1 1", nullptr, "1,1g", "対象：1 3 の石"},
        {"bundled rabbity six", "problems/07-rabbity-six.go", nullptr, "黒先白死（無条件）", "殺す手：12 12", nullptr,
         "12,12g", "対象：10 11 の石"},
        {"two killing first moves", "", composed("two-point eye").rows, "黒先白死（無条件）", "殺す手：1 1　2 1", nullptr,
         "1,1g 2,1g", "対象：1 2 の石"},
        {"two one-sided kos", "", composed("one real eye and two ko eyes").rows, "黒先白死（無条件）",
         "殺す手：3 1　7 1", nullptr, "3,1g 7,1g", "対象：2 1 の石"},
        {"a ko kill", "", composed("bent four in the corner").rows, "コウで白死", "殺す手：なし", "コウで殺す手：2 1",
         "2,1o", "対象：1 3 の石"},
        {"two eyes", "", composed("straight three with the middle taken").rows, "白生き", "殺す手：なし", nullptr, "", "対象：1 2 の石"},
        {"seki", "", composed("seki").rows, "セキで白生き", "殺す手：なし", nullptr, "", "対象：1 2 の石"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.file.empty()) {
            ASSERT_TRUE(logic.OpenProblemPath(test::SourcePath(c.file)));
        } else {
            setBoard(test::ComposedBoard(c.rows));
        }
        state.game.rec.MoveCount = 0;
        const Board board = state.game.pos.board;
        const GameRecord rec = state.game.rec;
        view.memo = {"left over"};
        logic.Prove1Click();

        EXPECT_EQ(view.edit6, c.verdict);
        EXPECT_EQ(view.edit6Colour, Red);
        EXPECT_EQ(view.edit1, "0秒かかりました。");
        ASSERT_FALSE(view.memo.empty());
        EXPECT_EQ(view.memo[0], c.verdict);
        EXPECT_EQ(memoLine("殺す手："), c.kills);
        EXPECT_EQ(memoLine("コウで殺す手："), c.koKills ? c.koKills : "(no line コウで殺す手：)");
        EXPECT_EQ(memoLine("対象："), c.target);
        // A ko kill says who needs how many ko threats: in the bent four,
        // black takes the ko first.
        if (c.koKills) {
            EXPECT_EQ(memoLine("2 1："), "2 1：白はコウ材 1");
        }
        EXPECT_EQ(marksText(view.shownMarks()), c.marks);
        // The line starts from the first (ko) kill, in the memo's move form.
        const auto line = std::find(view.memo.begin(), view.memo.end(), "手順：");
        if (*c.marks == '\0') {
            EXPECT_EQ(line, view.memo.end());
        } else {
            ASSERT_NE(line, view.memo.end());
            const std::string first = c.marks;
            EXPECT_EQ(line[1], first.substr(0, first.find(',')) + " " +
                                   first.substr(first.find(',') + 1, first.find_first_of("go") - first.find(',') - 1) +
                                   " R1");
        }
        EXPECT_FALSE(view.busy);
        EXPECT_TRUE(board == state.game.pos.board) << PictureOf(state.game.pos.board);
        EXPECT_EQ(std::memcmp(&rec, &state.game.rec, sizeof rec), 0) << "the record changed";
        EXPECT_EQ(state.window.mode, GameMode::Input);
        EXPECT_TRUE(view.messages.empty());
    }
}

// An open position the prover cannot finish in seconds: Esc (CancelProve)
// and a closing window both end the proof at once. Esc shows that nothing
// was decided; a close shows nothing.
TEST_F(ProveCommandTest, EscAndCloseStopAtOnce) {
    const Board open = test::BoardFromPicture(R"(
        . . . . . . . . . . . . .
        . . X . . . . . . . X . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . O . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . X . . . . . . . X . .
        . . . . . . . . . . . . .)");
    for (const bool close : {false, true}) {
        SCOPED_TRACE(close ? "close" : "Esc");
        setBoard(open);
        view.memo = {"left over"};
        view.edit6.clear();
        view.closing = false;
        view.onWait = [&] {
            if (close) view.closing = true;
            else logic.CancelProve();
        };
        const auto started = std::chrono::steady_clock::now();
        logic.Prove1Click();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        EXPECT_LT(seconds, 1.0);
        EXPECT_FALSE(view.busy);
        if (close) {
            EXPECT_EQ(view.memo, std::vector<std::string>{"left over"});
            EXPECT_NE(view.edit6, "判定できません");
        } else {
            EXPECT_EQ(view.edit6, "判定できません");
            EXPECT_EQ(memoLine("検証を"), "検証を中止しました。");
            // The first moves left unproved, and that the lists lack them.
            const std::string open = memoLine("未確定の手：");
            EXPECT_EQ(open.rfind("未確定の手：1 1　1 2　", 0), 0u) << open;
            EXPECT_EQ(open.substr(open.size() - std::strlen("（一覧は不完全です）")), "（一覧は不完全です）");
        }
        EXPECT_TRUE(open == state.game.pos.board);
    }

    // 解答図's proof stops the same way, and a stopped proof is not listed
    // again: the next time proves anew.
    view.closing = false;
    view.onWait = [&] { logic.CancelProve(); };
    state.game.rec.MoveCount = 0;
    const auto started = std::chrono::steady_clock::now();
    const std::optional<ListedTree> listed = logic.SolutionTreeClick();
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), 1.0);
    ASSERT_TRUE(listed);
    EXPECT_EQ(view.edit6, "判定できません");
    EXPECT_FALSE(view.busy);
    const int waits = view.waits;
    ASSERT_TRUE(logic.SolutionTreeClick());
    EXPECT_EQ(view.waits, waits + 1);
}

// The marks belong to the position they were found on: a change drops them
// for good, even when the position comes back; an unchanged repaint keeps them.
// Shift with the right button on a white stone names the target: marked,
// the board unchanged, and the next 検証 proves that group; once the board
// changes the target is forgotten. A click on an empty point names nothing.
TEST_F(ProveCommandTest, ANamedTargetHoldsUntilTheBoardChanges) {
    const char* rows = nullptr;
    for (const auto& p : test::MultiGroupProblems)
        if (std::string_view(p.name).rfind("two enclosed groups, one alive", 0) == 0) rows = p.rows;
    ASSERT_NE(rows, nullptr);
    setBoard(test::ComposedBoard(rows));
    const Board board = state.game.pos.board;
    logic.BoardTargetClick(1 * Cell, 1 * Cell);  // empty: nothing named
    EXPECT_TRUE(view.shownMarks().empty());
    logic.BoardTargetClick(3 * Cell, 1 * Cell);
    EXPECT_EQ(marksText(view.shownMarks()), "3,1t");
    EXPECT_TRUE(state.game.pos.board == board);
    logic.Prove1Click();
    EXPECT_EQ(view.edit6, "黒先白死（無条件）");
    EXPECT_EQ(memoLine("対象："), "対象：1 2 の石");

    logic.BoardTargetClick(6 * Cell, 1 * Cell);
    logic.Prove1Click();
    EXPECT_EQ(view.edit6, "白生き");
    EXPECT_EQ(memoLine("対象："), "対象：6 1 の石");

    logic.BoardTargetClick(3 * Cell, 1 * Cell);
    click(MouseButton::Left, 13, 13);  // a stone far away: another position
    logic.Prove1Click();
    EXPECT_EQ(view.edit6, "白生き");  // both enclosed groups again
    EXPECT_EQ(memoLine("対象："), "対象：1 2 の石");
}

TEST_F(ProveCommandTest, MarksGoWhenTheBoardChanges) {
    const char* rows = composed("two-point eye").rows;
    struct Step {
        const char* what;
        std::function<void()> act;
        bool shown;
    };
    const Step steps[] = {
        {"nothing changed", [] {}, true},
        {"a stone placed and erased again", [&] {
             click(MouseButton::Left, 9, 9);
             click(MouseButton::Left, 9, 9);
         }, false},
        {"game move", [&] {
             logic.Button6Click();
             click(MouseButton::Left, 1, 1);
         }, false},
        {"a ko mark appears", [&] { state.game.pos.at(5, 5).KoMark = 1; }, false},
        {"clear", [&] { logic.Button1Click(); }, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        state.window.mode = GameMode::Input;
        setBoard(test::ComposedBoard(rows));
        state.game.rec.MoveCount = 0;
        logic.Prove1Click();
        ASSERT_EQ(marksText(view.shownMarks()), "1,1g 2,1g");
        s.act();
        EXPECT_EQ(view.shownMarks().empty(), !s.shown);
        if (!s.shown) {
            setBoard(test::ComposedBoard(rows));
            EXPECT_TRUE(view.shownMarks().empty()) << "came back with the position";
        }
    }
}

// In a game, the stubborn white answers black's move with the prover's
// move where the usual reply differs: the refutation of a wrong first move,
// and a pass (nothing played, black to move again) as the longest resistance
// to the kill. Switched off, the usual reply answers. Then black kills with
// the prover's moves and the game ends with its own message.
TEST_F(ProveCommandTest, StubbornWhiteAnswersWithTheProver) {
    struct Case {
        bool stubborn;
        int x, y;        // black's first move on 09-which-side
        int usualX, usualY;  // the usual reply's answer
    };
    const Case cases[] = {{true, 5, 1, 4, 1}, {true, 4, 1, 5, 1}, {false, 5, 1, 4, 1}, {false, 4, 1, 5, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.stubborn ? "stubborn" : "usual") + " after " + std::to_string(c.x) + "," +
                     std::to_string(c.y));
        ASSERT_TRUE(logic.OpenProblemPath(test::SourcePath("problems/09-which-side.go")));
        state.window.mode = GameMode::Play;
        logic.SetStubbornWhite(c.stubborn);
        view.moves.clear();
        view.messages.clear();

        Position afterBlack = state.game.pos;
        PlayMove(afterBlack, state.game.rec, c.x, c.y, Black);
        state.game.rec.MoveCount = 0;
        const prover::ProverAnswer answer = prover::WhiteAnswer(afterBlack.board);
        ASSERT_TRUE(answer.move.x != c.usualX || answer.move.y != c.usualY) << "the usual reply agrees with the prover";

        click(MouseButton::Left, c.x, c.y);
        ASSERT_EQ(view.moves.size(), 2u);
        const int wx = c.stubborn ? answer.move.x : c.usualX;
        const int wy = c.stubborn ? answer.move.y : c.usualY;
        EXPECT_EQ(view.moves[1], "white " + std::to_string(wx) + " " + std::to_string(wy));
        if (wx == 0) {
            EXPECT_TRUE(state.game.pos.board == afterBlack.board) << "a pass plays nothing";
        }
        EXPECT_TRUE(view.messages.empty());
        EXPECT_EQ(state.window.mode, GameMode::Play);
        if (!c.stubborn || c.x == 5) continue;  // after a refutation there is nothing to kill

        // Black goes on with a proved kill each turn until the game ends.
        for (int turn = 0; turn < 20 && state.window.mode == GameMode::Play; ++turn) {
            const prover::ProveResult r = prover::Prove(state.game.pos.board);
            ASSERT_FALSE(r.kills.empty() && r.koKills.empty()) << PictureOf(state.game.pos.board);
            const prover::ProverMove m = r.kills.empty() ? r.koKills.front() : r.kills.front();
            click(MouseButton::Left, m.x, m.y);
        }
        EXPECT_EQ(view.messages, std::vector<std::string>{"詰みました。黒の勝ち。"});
        EXPECT_EQ(state.window.mode, GameMode::Input);
    }
}

// White has just retaken a ko that it cannot resolve: black's 3,1 takes
// 4,1, black plays elsewhere, white retakes at 4,1. The board's ko mark bars
// black from 3,1 for one move; black waits and takes later, so the group is
// as dead as on the unmarked board, never a seki.
TEST_F(ProveCommandTest, AKoBarredForOneMoveIsNoSeki) {
    Board start = test::ComposedBoard(R"(
        .O.OX
        OOOXX
        XXXX.)");
    start[11][11].Stone = Black;
    for (const bool retaken : {false, true}) {
        SCOPED_TRACE(retaken ? "white has just retaken" : "no ko mark");
        setBoard(start);
        state.game.rec.MoveCount = 0;
        if (retaken) {
            click(MouseButton::Left, 3, 1);
            click(MouseButton::Left, 11, 12);
            click(MouseButton::Right, 4, 1);
            ASSERT_EQ(state.game.pos.at(3, 1).KoMark, 1);
            ASSERT_EQ(state.game.pos.at(3, 1).KoColour, Black);
            ASSERT_EQ(state.game.pos.at(4, 1).Stone, White);
        }
        logic.Prove1Click();
        EXPECT_EQ(view.edit6, "黒先白死（無条件）");
        EXPECT_EQ(memoLine("殺す手："), "殺す手：3 1");
        EXPECT_EQ(memoLine("コウで殺す手："), "(no line コウで殺す手：)");
    }
}

// After 検証 the first move clicked shows its line in Memo1: a wrong
// move's refutation, a right move's kill against white's longest
// resistance. The stone is placed as usual; the next click shows nothing.
TEST_F(ProveCommandTest, FirstMoveClickedAfterTheProofShowsItsLine) {
    const char* rows = composed("straight three: the middle point").rows;
    setBoard(test::ComposedBoard(rows));
    state.game.rec.MoveCount = 0;
    logic.Prove1Click();
    click(MouseButton::Left, 1, 1);
    EXPECT_EQ(view.memo, (std::vector<std::string>{"初手 1 1：失敗", "1 1 R1", "2 1 R2"}));
    EXPECT_EQ(state.game.pos.at(1, 1).Stone, Black);
    click(MouseButton::Left, 9, 9);
    EXPECT_EQ(view.memo[0], "初手 1 1：失敗") << "only the first click after 検証";

    setBoard(test::ComposedBoard(rows));
    logic.Prove1Click();
    click(MouseButton::Left, 2, 1);
    ASSERT_GE(view.memo.size(), 4u);
    EXPECT_EQ(view.memo[0], "初手 2 1：正解");
    EXPECT_EQ(view.memo[1], "2 1 R1");
    // White's longest resistance takes a stone; black's last move captures.
    EXPECT_EQ(view.memo.size() % 2, 0u) << "the line ends with black's move";

    // A click on a point that is no first move leaves the proof's memo.
    setBoard(test::ComposedBoard(rows));
    logic.Prove1Click();
    const std::vector<std::string> proofMemo = view.memo;
    click(MouseButton::Left, 9, 9);
    EXPECT_EQ(view.memo, proofMemo);
}

}  // namespace
}  // namespace keldra

namespace keldra {
namespace {

// 解答図 without a book lists the proof of the position: each first move
// marked by its status, every row below it by its first move's line, and a
// node's position numbered along its line. A kept proof of the same
// position, 検証's or the window's own, is listed without proving again.
TEST_F(ProveCommandTest, SolutionTreeWithoutABookListsTheProof) {
    struct Case {
        const char* problem;
        const char* header;
        std::vector<std::string> firstMoves;  // the first moves' rows, in the tree's order
    };
    const Case cases[] = {
        {"straight three: the middle point", "検証の解答図：黒先白死（無条件）",
         {"× 黒 1 1　失敗", "○ 黒 2 1　正解", "× 黒 3 1　失敗"}},
        {"bent four in the corner", "検証の解答図：コウで白死", {"コウ 黒 2 1　コウ（白はコウ材 1）"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        setBoard(test::ComposedBoard(composed(c.problem).rows));
        state.game.rec.MoveCount = 0;
        const int waitsBefore = view.waits;
        const std::optional<ListedTree> listed = logic.SolutionTreeClick();
        ASSERT_TRUE(listed);
        EXPECT_EQ(listed->header, c.header);
        EXPECT_EQ(view.waits, waitsBefore + 1) << "proved on the worker";
        EXPECT_TRUE(listed->start == state.game.pos.board);

        std::vector<std::string> firstMoves;
        std::string firstMark;
        for (const SolutionTreeRow& row : SolutionTreeRows(*listed->tree)) {
            const std::string text = row.text.substr(2 * static_cast<std::size_t>(row.depth - 1));
            const std::string mark = text.substr(0, text.find(' '));
            if (row.depth == 1) {
                if (std::find(c.firstMoves.begin(), c.firstMoves.end(), text) != c.firstMoves.end())
                    firstMoves.push_back(text);
                firstMark = mark == "×" ? "×" : "○";
            } else {
                EXPECT_EQ(mark, firstMark) << row.text;
            }
        }
        EXPECT_EQ(firstMoves, c.firstMoves);

        // The same position again: the kept proof, no new one.
        ASSERT_TRUE(logic.SolutionTreeClick());
        EXPECT_EQ(view.waits, waitsBefore + 1);
    }

    // A line's position carries its move numbers; 検証 of the position
    // leaves a proof the window lists at once.
    setBoard(test::ComposedBoard(composed("straight three: the middle point").rows));
    logic.Prove1Click();
    const int waits = view.waits;
    const std::optional<ListedTree> listed = logic.SolutionTreeClick();
    ASSERT_TRUE(listed);
    EXPECT_EQ(view.waits, waits);
    const SgfTree& tree = *listed->tree;
    const int vital = BookChild(tree, 0, Black, 2, 1);
    ASSERT_GE(vital, 0);
    // The line below the vital point: white's longest resistance and
    // black's answer, each stone numbered in its order (a pass has none).
    ASSERT_FALSE(tree.nodes[static_cast<std::size_t>(vital)].children.empty());
    const int answer = tree.nodes[static_cast<std::size_t>(vital)].children[0];
    ASSERT_FALSE(tree.nodes[static_cast<std::size_t>(answer)].children.empty());
    const int next = tree.nodes[static_cast<std::size_t>(answer)].children[0];
    std::set<int> expected{211};
    for (const auto& [node, number] : {std::pair{answer, 2}, std::pair{next, 3}}) {
        const SgfMove m = tree.nodes[static_cast<std::size_t>(node)].move;
        if (m.x != 0) expected.insert(m.x * 100 + m.y * 10 + number);
    }
    const TreePosition at = PositionAtNode(listed->start, tree, next);
    std::set<int> numbers;
    for (const auto& n : at.numbers) numbers.insert(n.x * 100 + n.y * 10 + n.number);
    EXPECT_EQ(numbers, expected);
}

// White's answer read from the proof tree: the refutation under a wrong
// first move, the longest resistance under a kill, nothing off the tree.
TEST_F(ProveCommandTest, TreeAnswerFollowsTheProof) {
    const Board board = test::ComposedBoard(composed("straight three: the middle point").rows);
    ProveControl control;
    ASSERT_TRUE(ProveCommand(board, view, control));
    ASSERT_TRUE(KeptProof(control, board));
    const prover::ProofTree& tree = control.proof.tree;
    const auto b = [](int x, int y) { return prover::ProverMove{std::uint8_t(x), std::uint8_t(y), Black}; };
    const auto w = [](int x, int y) { return prover::ProverMove{std::uint8_t(x), std::uint8_t(y), White}; };
    struct Case {
        std::vector<prover::ProverMove> line;
        prover::AnswerKind kind;
        prover::ProverMove move;
    };
    const Case cases[] = {
        {{b(1, 1)}, prover::AnswerKind::Refutes, w(2, 1)},
        {{b(3, 1)}, prover::AnswerKind::Refutes, w(2, 1)},
        {{b(2, 1)}, prover::AnswerKind::Resists, FirstMoveLine(tree, 2, 1)[1]},
        {{b(9, 9)}, prover::AnswerKind::Unknown, {}},
        {{b(2, 1), w(1, 1)}, prover::AnswerKind::Unknown, {}},  // white to move: no answer of white's
    };
    for (const Case& c : cases) {
        const prover::ProverAnswer a = TreeAnswer(tree, c.line);
        EXPECT_EQ(a.kind, c.kind) << int(c.line[0].x);
        EXPECT_EQ(a.move, c.move) << int(c.line[0].x);
    }
}

// The game keeps the problem of its first move's position: a later
// position where black closed round the stones below the wall is proved as
// the corner group's kill (from its stones alone the pair would join the
// target); stepping back before the start, or new stones, end the game.
TEST(GameFrame, TheGameKeepsThePositionOfItsFirstMove) {
    const Board start = test::ComposedBoard(composed("white stones beyond the wall but inside").rows);
    Board later = start;
    for (const auto& [x, y] : {std::pair{3, 5}, {6, 5}, {4, 6}, {5, 6}}) later[x][y].Stone = Black;
    Session session;
    ProveView view(session);
    ProveControl control;
    control.options.seconds = 30.0;
    control.options.tableBytes = 16u << 20;

    BeginGameFrame(start, 2, control);
    const prover::ProblemFrame frame = prover::FrameOf(start, control.options);
    ASSERT_TRUE(frame.set);
    EXPECT_EQ(control.gameFrame, frame);
    BeginGameFrame(later, 8, control);  // the same game goes on
    EXPECT_EQ(control.gameFrame, frame);
    prover::ProveResult r;
    ASSERT_TRUE(ProveOnWorker(later, view, control, r));
    EXPECT_EQ(r.verdict, prover::Verdict::Kill) << PictureOf(later);
    EXPECT_EQ(r.frame, frame);
    EXPECT_EQ(r.target, (prover::ProverMove{4, 1, White}));

    FollowRecord(2, control);
    EXPECT_TRUE(control.gameFrame.set);
    FollowRecord(1, control);  // back before the game's first move
    EXPECT_FALSE(control.gameFrame.set);
    BeginGameFrame(later, 1, control);  // a game from the later position
    EXPECT_EQ(control.gameFrame, prover::FrameOf(later, control.options));
    EXPECT_FALSE(control.gameFrame == frame);
    EndGameFrame(control);
    EXPECT_FALSE(control.gameFrame.set);
    EXPECT_EQ(control.gameFrameMoves, -1);
}

}  // namespace
}  // namespace keldra
