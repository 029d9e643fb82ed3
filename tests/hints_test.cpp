// The solver's commands: the computer's reply, the black hint, automatic
// solving and the range display, driven through a recording view.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "QELMA/logic/hint_commands.h"
#include "QELMA/logic/session.h"
#include "solver_positions.h"
#include "test_support.h"

namespace keldra {
namespace {

using test::Corner;
using test::PictureOf;
using Lines = std::vector<std::string>;

// Records the board at every repaint, and can make the window close (or
// fail) once a given number of event rounds has run.
class WatchingView : public test::RecordingView {
public:
    explicit WatchingView(const Session& st) : st_(st) {}

    std::vector<std::string> paintedBoards;
    int closeAtEvents = 0;  // 0: never
    int throwAtEvents = 0;  // 0: never

    void PaintBoard() override {
        RecordingView::PaintBoard();
        paintedBoards.push_back(PictureOf(st_.game.pos.board));
    }
    void ProcessEvents() override {
        RecordingView::ProcessEvents();
        if (events == throwAtEvents) throw std::runtime_error("the window failed");
    }
    bool Cancelled() override { return closeAtEvents != 0 && events >= closeAtEvents; }

private:
    const Session& st_;
};

Session StateWith(const Position& pos) {
    Session st;
    st.game.pos = pos;
    return st;
}

TEST(Button9Click, ChoosesWhitesReply) {
    struct Case {
        const char* what;
        Position pos;
        std::uint8_t autoSolve;
        Lines edit6;  // every text Edit6 showed, in order
        int hintX, hintY;
        std::int64_t score;
    };
    const Case cases[] = {
        {"the kill phase stops at the first winning reply; no counting",
         Corner(test::WhiteMakesTwoEyes),
         0,
         {"X=1 Y=1 を計算中", "X=3 Y=1 を計算中", "X=4 Y=1 を計算中", "X= 4  Y= 1  TOTAL= 1"},
         4, 1, 1},
        {"the kill phase stops at the second candidate, which wins",
         Corner(test::WhiteAlive),
         0,
         {"X=1 Y=2 を計算中", "X=5 Y=1 を計算中", "X= 5  Y= 1  TOTAL= 1"},
         5, 1, 1},
        {"during automatic solving only the counting phase runs",
         Corner(test::WhiteMakesTwoEyes),
         1,
         {"X=1 Y=1 を再計算中", "X=3 Y=1 を再計算中", "X=4 Y=1 を再計算中", "X= 4  Y= 1  TOTAL= 1"},
         4, 1, 1},
        {"no reply wins: the highest count, the earlier of two equal ones",
         Corner(test::WhiteCountTie),
         0,
         {"X=3 Y=1 を計算中", "X=4 Y=1 を計算中", "X=4 Y=2 を計算中", "X=4 Y=3 を計算中", "X=5 Y=3 を計算中",
          "X=3 Y=1 を再計算中", "X=4 Y=1 を再計算中", "X=4 Y=2 を再計算中", "X=4 Y=3 を再計算中",
          "X=5 Y=3 を再計算中", "X= 4  Y= 3  TOTAL= 3"},
         4, 3, 3},
        {"white without candidates", test::WithStone(7, 7, White), 0, {"X= 0  Y= 0  TOTAL= -1"}, 0, 0, -1},
    };
    for (const Case& c : cases) {
        Session st = StateWith(c.pos);
        st.flags.AutoSolveFlag = c.autoSolve;
        st.hint.X = 9;
        st.hint.Y = 9;
        const Board entry = st.game.pos.board;
        WatchingView view(st);
        test::Reply(st, view);

        EXPECT_EQ(view.edit6History, c.edit6) << c.what;
        EXPECT_EQ(st.hint.X, c.hintX) << c.what;
        EXPECT_EQ(st.hint.Y, c.hintY) << c.what;
        EXPECT_EQ(st.hint.Score, c.score) << c.what;
        EXPECT_EQ(st.game.pos.board, entry) << c.what << ": the board is back as on entry";
        EXPECT_EQ(view.paintedBoards, Lines{PictureOf(entry)}) << c.what;
        EXPECT_EQ(view.edit6Colour, Red) << c.what;
        EXPECT_EQ(view.edit1, "0秒かかりました。") << c.what;
        EXPECT_TRUE(view.messages.empty()) << c.what;
        EXPECT_EQ(st.flags.AutoSolveFlag, c.autoSolve) << c.what << ": the reply only reads the flag";
    }
}

TEST(Button9Click, ElapsedTimeIsTruncatedToWholeSeconds) {
    Session st = StateWith(test::WithStone(7, 7, White));
    WatchingView view(st);
    view.tickStep = 1999;  // the handler reads the clock at its start and at its end
    test::Reply(st, view);
    EXPECT_EQ(view.edit1, "1秒かかりました。");
}

TEST(Button10Click, RecordsTheKillOnlyWhenAsked) {
    struct Case {
        const char* what;
        std::uint8_t recordFlag;
        Lines memo;
        std::uint8_t solutionLast;
    };
    const Case cases[] = {
        {"recording off: memo and line untouched", 0, {"old"}, 99},
        {"recording on: the third candidate's line", 1, {"1 1 R1", "2 1 R2", "1 2 R3"}, 2},
    };
    for (const Case& c : cases) {
        Session st = StateWith(Corner(test::BentThree));
        st.flags.RecordFlag = c.recordFlag;
        st.hint.line.SolutionLast = 99;
        const Board entry = st.game.pos.board;
        WatchingView view(st);
        view.memo = {"old"};
        test::BlackHint(st, view);

        EXPECT_EQ(view.memo, c.memo) << c.what;
        EXPECT_EQ(st.hint.line.SolutionLast, c.solutionLast) << c.what;
        EXPECT_EQ(view.edit6History, (Lines{"X=1 Y=2 を計算中", "X=2 Y=1 を計算中", "X=1 Y=1 を計算中",
                                            "X= 1  Y= 1  TOTAL= 1"}))
            << c.what;
        EXPECT_EQ(st.hint.X, 1) << c.what;
        EXPECT_EQ(st.hint.Y, 1) << c.what;
        EXPECT_EQ(st.hint.Score, 1) << c.what;
        EXPECT_EQ(st.flags.RecordFlag, c.recordFlag) << c.what;
        EXPECT_EQ(st.game.pos.board, entry) << c.what;
        EXPECT_TRUE(view.messages.empty()) << c.what;
    }
}

TEST(Button7Click, SolvesAndPlaysTheLineOut) {
    Session st = StateWith(Corner(test::BentThree));
    const Board entry = st.game.pos.board;
    WatchingView view(st);
    test::Solve(st, view);

    EXPECT_EQ(view.messages, Lines{"詰みました。黒の勝ち。"});
    EXPECT_EQ(view.memo, (Lines{"1 1 R1", "2 1 R2", "1 2 R3"}));
    ASSERT_EQ(st.game.rec.MoveCount, 3);
    EXPECT_EQ(st.game.rec.record(1), (MoveRecord{1, 1, Black}));
    EXPECT_EQ(st.game.rec.record(2), (MoveRecord{2, 1, White}));
    EXPECT_EQ(st.game.rec.record(3), (MoveRecord{1, 2, Black}));
    EXPECT_EQ(st.game.rec.StartSnapshot, entry);
    const std::string killed = PictureOf(Corner(R"(
        X . . X
        X . . X
        . . X X
        X X X .)").board);
    EXPECT_EQ(PictureOf(st.game.pos.board), killed);
    // the hint's repaint of the problem, then one repaint per move
    ASSERT_EQ(view.paintedBoards.size(), 4u);
    EXPECT_EQ(view.paintedBoards[0], PictureOf(entry));
    EXPECT_EQ(view.paintedBoards[3], killed);
    EXPECT_EQ(view.clock, 3u * 700u) << "each move waits 700 ms from its start";
    EXPECT_EQ(view.edit6, "X= 1  Y= 1  TOTAL= 1");
    EXPECT_EQ(st.flags.AutoSolveFlag, 0);
    EXPECT_EQ(st.flags.RecordFlag, 0);
}

TEST(Button7Click, GameUnderWayKeepsItsStartAndRecords) {
    // The problem is reached by one recorded move: black's (4,1) closes the wall.
    Session st = StateWith(Corner(test::BentThree));
    st.game.pos.at(4, 1).Stone = Empty;
    const Board start = st.game.pos.board;
    PlayMove(st.game.pos, st.game.rec, 4, 1, Black);
    ASSERT_EQ(st.game.rec.MoveCount, 1);
    WatchingView view(st);
    test::Solve(st, view);

    EXPECT_EQ(st.game.rec.StartSnapshot, start);
    ASSERT_EQ(st.game.rec.MoveCount, 4);
    EXPECT_EQ(st.game.rec.record(1), (MoveRecord{4, 1, Black}));
    EXPECT_EQ(st.game.rec.record(2), (MoveRecord{1, 1, Black}));
    EXPECT_EQ(st.game.rec.record(4), (MoveRecord{1, 2, Black}));
}

TEST(Button7Click, UnsolvableProblemPlaysNothing) {
    Session st = StateWith(Corner(test::WhiteAlive));
    st.hint.X = 9;
    const Board entry = st.game.pos.board;
    WatchingView view(st);
    view.memo = {"old"};
    test::Solve(st, view);

    EXPECT_EQ(view.messages, Lines{"解答不能"});
    EXPECT_EQ(view.edit6, "X= 0  Y= 0  TOTAL= -1");
    EXPECT_EQ(st.hint.X, 0);
    EXPECT_EQ(st.hint.Y, 0);
    EXPECT_EQ(st.game.rec.MoveCount, 0);
    EXPECT_EQ(st.game.pos.board, entry);
    EXPECT_EQ(view.memo, Lines{"old"});
    EXPECT_EQ(st.flags.AutoSolveFlag, 0);
    EXPECT_EQ(st.flags.RecordFlag, 0);
}

using Handler = void (*)(Session&, SearchView&);

TEST(Hints, FailureShowsTheMessagePassesItOnAndClearsTheFlags) {
    struct Case {
        const char* what;
        Handler handler;
        Position pos;
        int throwAtEvents;
    };
    const Case cases[] = {
        {"automatic solving, while black's first candidate is announced", test::Solve, Corner(test::BentThree), 2},
        {"white's reply, while its second candidate is announced", test::Reply, Corner(test::WhiteCountTie), 3},
    };
    for (const Case& c : cases) {
        Session st = StateWith(c.pos);
        st.hint.X = 9;
        st.hint.Y = 8;
        WatchingView view(st);
        view.throwAtEvents = c.throwAtEvents;
        EXPECT_THROW(c.handler(st, view), std::runtime_error) << c.what;

        EXPECT_EQ(view.messages, Lines{"解答不能"}) << c.what;
        EXPECT_EQ(view.edit6Colour, Yellow) << c.what;
        EXPECT_EQ(st.hint.X, 9) << c.what;
        EXPECT_EQ(st.hint.Y, 8) << c.what;
        EXPECT_EQ(st.flags.AutoSolveFlag, 0) << c.what;
        EXPECT_EQ(st.flags.RecordFlag, 0) << c.what;
    }
}

TEST(Hints, ClosingWindowStopsAtOnce) {
    struct Case {
        const char* what;
        Handler handler;
        Position pos;
        // black's hint here lets events through 4 times, the play-out once per move
        int closeAtEvents;
        Lines messages;
        int moveCount;
        int paints;
    };
    const Case cases[] = {
        {"solving, at the hint's start", test::Solve, Corner(test::BentThree), 1, {}, 0, 0},
        {"solving, before the first candidate's search", test::Solve, Corner(test::BentThree), 2, {}, 0, 0},
        {"solving, after the first move of the play-out", test::Solve, Corner(test::BentThree), 5,
         {"詰みました。黒の勝ち。"}, 1, 2},
        {"white's reply: no reply is left to play", test::Reply, Corner(test::WhiteCountTie), 3, {}, 0, 0},
    };
    for (const Case& c : cases) {
        Session st = StateWith(c.pos);
        st.hint.X = 9;
        st.hint.Y = 9;
        st.flags.AutoSolveFlag = 1;
        st.flags.RecordFlag = 1;
        const Board entry = st.game.pos.board;
        WatchingView view(st);
        view.closeAtEvents = c.closeAtEvents;
        c.handler(st, view);

        EXPECT_EQ(view.events, c.closeAtEvents) << c.what << ": no events after the close";
        EXPECT_EQ(view.messages, c.messages) << c.what;
        EXPECT_EQ(st.game.pos.board, entry) << c.what << ": the board is back at the hint's start";
        EXPECT_EQ(st.game.rec.MoveCount, c.moveCount) << c.what;
        EXPECT_EQ(view.paints, c.paints) << c.what;
        EXPECT_EQ(view.clock, 0u) << c.what << ": no wait after the close";
        EXPECT_EQ(st.hint.X, 0) << c.what;
        EXPECT_EQ(st.hint.Y, 0) << c.what;
        EXPECT_EQ(st.flags.AutoSolveFlag, 0) << c.what;
        EXPECT_EQ(st.flags.RecordFlag, 0) << c.what;
    }
}

TEST(ShowRange, MarksTheListedPointsForOneRepaint) {
    struct Case {
        int colour;
        const char* message;
    };
    const Case cases[] = {{1, "黒の打てる範囲です"}, {2, "白の打てる範囲です"}};
    const std::string marked = PictureOf(Corner(R"(
        5 5 O X
        5 O O X
        O O X X
        X X X .)").board);
    for (const Case& c : cases) {
        Session st = StateWith(Corner(test::BentThree));
        const Board entry = st.game.pos.board;
        WatchingView view(st);
        ShowRange(st.game.pos, view, static_cast<StoneColour>(c.colour));
        EXPECT_EQ(view.paintedBoards, Lines{marked}) << c.message;
        EXPECT_EQ(view.messages, Lines{c.message});
        EXPECT_EQ(st.game.pos.board, entry) << c.message << ": marks removed without a repaint";
    }
}

}  // namespace
}  // namespace keldra
