// The main window's handler logic: input-mode entry, the history buttons and
// replay timer, problem files, and the game handler's end checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "BAN/problem_file.h"
#include "QELMA/logic/form1_logic.h"
#include "test_support.h"

namespace keldra {
namespace {

using test::PictureOf;

constexpr int Cell = 38;

class Form1LogicTest : public ::testing::Test {
protected:
    Form1LogicTest() : logic(state, view) { state.window.CellSize = Cell; }

    void click(MouseButton b, int x, int y) {
        logic.BoardMouseDown(b, x * Cell, y * Cell);
        logic.BAN1MOUSEDOWN(b, x * Cell, y * Cell);
    }
    std::string board() const { return PictureOf(state.game.pos.board); }
    std::string tempFile(const std::string& name, const std::string& content) {
        const std::string path = std::string(::testing::TempDir()) + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    Session state;
    test::RecordingView view;
    Form1Logic logic;
};

TEST_F(Form1LogicTest, PixelToPointRule) {
    const struct {
        int pixel, cell, point;
    } cases[] = {{18, 38, 0}, {19, 38, 1}, {56, 38, 1}, {57, 38, 2}, {494, 38, 13}, {513, 38, 14}, {14, 30, 0}, {15, 30, 1}};
    for (const auto& c : cases) EXPECT_EQ(Form1Logic::PointFromPixel(c.pixel, c.cell), c.point) << c.pixel << "/" << c.cell;
}

TEST_F(Form1LogicTest, MiddleClickOnAnEnclosedEdgePointStaysOnTheBoard) {
    // The rules run on the clicked point with no stone; its neighbours
    // include the border, and nothing beyond the grid may be read (the
    // sanitizer build checks).
    state.game.pos.at(2, 1).Stone = White;
    state.game.pos.at(1, 2).Stone = White;
    state.game.pos.at(6, 2).Stone = Black;
    state.game.pos.at(5, 1).Stone = Black;
    state.game.pos.at(7, 1).Stone = Black;
    for (const auto& [x, y] : {std::pair{1, 1}, std::pair{6, 1}}) {
        click(MouseButton::Middle, x, y);
        EXPECT_EQ(state.game.pos.at(x, y).Stone, Empty) << x << "," << y;
        EXPECT_EQ(state.game.pos.LastX, x);
    }
    EXPECT_EQ(state.game.pos.at(2, 1).Stone, White);
    EXPECT_EQ(state.game.pos.at(6, 2).Stone, Black);
    EXPECT_EQ(state.game.rec.MoveCount, 0);
}

TEST_F(Form1LogicTest, InputModeEntryRecordsAndErases) {
    state.game.pos.at(9, 9).Stone = White;  // on the board before the first click
    click(MouseButton::Left, 3, 3);
    EXPECT_EQ(state.game.rec.StartSnapshot[9][9].Stone, White);
    EXPECT_EQ(state.game.rec.StartSnapshot[3][3].Stone, Empty);  // taken before the stone
    click(MouseButton::Right, 4, 3);
    EXPECT_EQ(state.game.pos.at(3, 3).Stone, Black);
    EXPECT_EQ(state.game.pos.at(4, 3).Stone, White);
    EXPECT_EQ(state.game.rec.MoveCount, 2);
    EXPECT_EQ(state.game.rec.record(2), (MoveRecord{4, 3, White}));

    // a middle click places nothing but makes the point the last move
    click(MouseButton::Middle, 6, 6);
    EXPECT_EQ(state.game.pos.at(6, 6).Stone, Empty);
    EXPECT_EQ(state.game.pos.LastX, 6);
    EXPECT_EQ(state.game.rec.MoveCount, 2);

    // any button on a stone erases it, without a record, last move unchanged
    click(MouseButton::Right, 3, 3);
    EXPECT_EQ(state.game.pos.at(3, 3).Stone, Empty);
    EXPECT_EQ(state.game.rec.MoveCount, 2);
    EXPECT_EQ(state.game.pos.LastX, 6);

    // outside the grid nothing changes but the replay cursor
    state.game.rec.ReplayCursor = 1;
    const std::string before = board();
    logic.BoardMouseDown(MouseButton::Left, 10, 10);
    EXPECT_EQ(board(), before);
    EXPECT_EQ(state.game.rec.ReplayCursor, ReplayIdle);
    EXPECT_TRUE(view.messages.empty());  // input mode shows nothing
}

TEST_F(Form1LogicTest, UndoForwardAndTheirEnds) {
    click(MouseButton::Left, 3, 3);
    click(MouseButton::Right, 10, 10);
    click(MouseButton::Left, 4, 4);
    logic.Button2Click();
    logic.Button2Click();
    EXPECT_EQ(state.game.rec.MoveCount, 1);
    EXPECT_EQ(state.game.rec.ReplayCursor, 1);
    EXPECT_EQ(state.game.pos.at(3, 3).Stone, Black);
    EXPECT_EQ(state.game.pos.at(10, 10).Stone, Empty);
    EXPECT_EQ(state.game.rec.record(3).colour, Black);  // taken-back moves stay recorded
    EXPECT_EQ(state.game.pos.LastX, 0);

    logic.Button4Click();
    logic.Button4Click();
    EXPECT_EQ(state.game.pos.at(10, 10).Stone, White);
    EXPECT_EQ(state.game.pos.at(4, 4).Stone, Black);
    EXPECT_EQ(state.game.rec.MoveCount, 3);
    const std::string full = board();
    logic.Button4Click();  // end of the record
    EXPECT_EQ(board(), full);
    EXPECT_EQ(state.game.rec.MoveCount, 3);

    // undo down to the start and once more: the cursor stays 0
    for (int i = 0; i < 4; ++i) logic.Button2Click();
    EXPECT_EQ(state.game.rec.ReplayCursor, 0);
    EXPECT_EQ(state.game.rec.MoveCount, 0);
    EXPECT_EQ(board(), PictureOf(state.game.rec.StartSnapshot));
}

TEST_F(Form1LogicTest, NewMoveAfterUndoKeepsOldRecordsForReplay) {
    click(MouseButton::Left, 3, 3);
    click(MouseButton::Left, 4, 4);
    click(MouseButton::Left, 5, 5);
    logic.Button2Click();
    logic.Button2Click();
    click(MouseButton::Right, 9, 9);  // replaces record 2; record 3 stays
    EXPECT_EQ(state.game.rec.MoveCount, 2);
    EXPECT_EQ(state.game.rec.record(3), (MoveRecord{5, 5, Black}));

    logic.Button3Click();
    EXPECT_TRUE(view.timerOn);
    EXPECT_EQ(state.game.rec.ReplayCursor, 0);
    // between the replay button and the first tick, forward only lowers MoveCount
    logic.Button4Click();
    EXPECT_EQ(state.game.rec.MoveCount, 0);
    int ticks = 0;
    while (view.timerOn && ticks < 10) {
        logic.Timer1Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 4);  // three records, then the empty fourth stops the timer
    EXPECT_EQ(state.game.rec.MoveCount, 3);
    EXPECT_EQ(state.game.pos.at(9, 9).Stone, White);
    EXPECT_EQ(state.game.pos.at(5, 5).Stone, Black);
    EXPECT_EQ(state.game.pos.at(4, 4).Stone, Empty);
    EXPECT_EQ(state.game.pos.LastX, 5);  // the ring follows the replayed stone
}

TEST_F(Form1LogicTest, MoveDuringReplayGoesAfterTheRecordsOnTheBoard) {
    click(MouseButton::Left, 3, 3);
    click(MouseButton::Left, 4, 4);
    click(MouseButton::Left, 5, 5);
    logic.Button3Click();
    logic.Timer1Timer();
    logic.Timer1Timer();  // records 1 and 2 on the board, MoveCount still 1
    click(MouseButton::Right, 9, 9);
    EXPECT_EQ(state.game.rec.MoveCount, 3);
    EXPECT_EQ(state.game.rec.record(2), (MoveRecord{4, 4, Black}));
    EXPECT_EQ(state.game.rec.record(3), (MoveRecord{9, 9, White}));
    logic.Button2Click();
    logic.Button4Click();
    EXPECT_EQ(state.game.pos.at(4, 4).Stone, Black);
    EXPECT_EQ(state.game.pos.at(9, 9).Stone, White);
}

TEST_F(Form1LogicTest, ReplayOfEmptyRecordAndClearDuringReplay) {
    state.game.rec.StartSnapshot[7][7].Stone = Black;
    logic.Button3Click();
    logic.Timer1Timer();
    EXPECT_FALSE(view.timerOn);
    EXPECT_EQ(state.game.pos.at(7, 7).Stone, Black);

    click(MouseButton::Left, 2, 2);
    logic.Button3Click();
    logic.Button1Click();  // clear: cursor idle, timer keeps running
    EXPECT_TRUE(view.timerOn);
    logic.Timer1Timer();
    EXPECT_TRUE(view.timerOn);
    EXPECT_EQ(state.game.rec.MoveCount, 0);
    for (int i = 1; i <= MaxMoves; ++i) EXPECT_EQ(state.game.rec.record(i).colour, 0);
    logic.TrackBar1Change(100);
    EXPECT_EQ(view.timerInterval, 100);
}

TEST_F(Form1LogicTest, ReplayAndForwardStopAfterRecordFifty) {
    for (int k = 1; k <= MaxMoves; ++k) state.game.rec.record(k) = MoveRecord{std::uint8_t((k - 1) % 13 + 1), std::uint8_t((k - 1) / 13 * 3 + 1), Black};
    logic.Button3Click();
    for (int i = 0; i < 60 && view.timerOn; ++i) logic.Timer1Timer();
    EXPECT_FALSE(view.timerOn);
    EXPECT_EQ(state.game.rec.ReplayCursor, MaxMoves);
    EXPECT_EQ(state.game.rec.MoveCount, MaxMoves);
    logic.Button4Click();
    EXPECT_EQ(state.game.rec.ReplayCursor, MaxMoves);
}

TEST_F(Form1LogicTest, OpenLoadsAfterClearAndShowsName) {
    std::vector<std::string> v(169, "0");
    v[13] = "1";
    v[0] = " 2";
    std::string text;
    for (const auto& s : v) text += s + "\r\n";
    click(MouseButton::Left, 5, 5);
    view.memo = {"old"};
    view.openFile = tempFile("sample.go", text);
    logic.Open1Click();
    EXPECT_EQ(view.windowCaption, "ZORVEK　ＶＥＲ２．０４       問題  =  sample.go");
    EXPECT_EQ(state.game.pos.at(2, 1).Stone, Black);
    EXPECT_EQ(state.game.pos.at(1, 1).Stone, White);
    EXPECT_EQ(state.game.pos.at(5, 5).Stone, Empty);
    EXPECT_EQ(state.game.rec.MoveCount, 0);
    EXPECT_EQ(state.game.rec.record(1).colour, 0);
    EXPECT_TRUE(view.memo.empty());
    EXPECT_EQ(state.game.pos.LastX, 0);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(Form1LogicTest, BadFileLeavesClearedBoardAndNoModeSwitch) {
    std::string text;
    for (int i = 0; i < 169; ++i) {
        text += (i == 50 ? "2 " : "1");
        text += "\r\n";
    }
    view.openFile = tempFile("bad.go", text);
    logic.Button12Click();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], "'2 ' は整数ではありません");
    EXPECT_EQ(state.window.mode, GameMode::Input);
    for (int x = 1; x <= 13; ++x)
        for (int y = 1; y <= 13; ++y) EXPECT_EQ(state.game.pos.at(x, y).Stone, Empty);
    EXPECT_EQ(view.windowCaption, "ZORVEK　ＶＥＲ２．０４       問題  =  bad.go");
}

TEST_F(Form1LogicTest, CancelledOpenAndProblemButton) {
    click(MouseButton::Left, 5, 5);
    view.windowCaption = "before";
    logic.Open1Click();
    EXPECT_EQ(state.game.pos.at(5, 5).Stone, Empty);
    EXPECT_EQ(view.windowCaption, "before");
    EXPECT_EQ(state.window.mode, GameMode::Input);
    logic.Button12Click();  // cancelled too, but it still switches to game mode
    EXPECT_EQ(state.window.mode, GameMode::Play);
    EXPECT_EQ(view.modeCaption, "対局");
    logic.Button12Click();  // already in game mode: stays
    EXPECT_EQ(state.window.mode, GameMode::Play);
}

TEST_F(Form1LogicTest, SaveWritesTheBoardAndReportsFailure) {
    click(MouseButton::Left, 2, 1);
    view.saveFile = std::string(::testing::TempDir()) + "saved.go";
    logic.SaveAs1Click();
    const ProblemLoad load = ReadProblemFile(*view.saveFile);
    ASSERT_TRUE(load.ok);
    EXPECT_EQ(load.stones[13], Black);

    view.saveFile = std::string(::testing::TempDir());  // a folder
    logic.SaveAs1Click();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], "ﾌｧｲﾙ " + *view.saveFile + " を作成できません");
}

TEST_F(Form1LogicTest, GameModeRefusesPointsOutsideBlacksList) {
    state.game.pos = test::PositionFromPicture(R"(
        . . . . . . . . . . . . .
        . O . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .)");
    logic.Button6Click();
    const std::string before = board();
    click(MouseButton::Left, 2, 2);    // the stone itself
    click(MouseButton::Left, 10, 10);  // far from the problem
    click(MouseButton::Left, 0, 5);    // outside the grid
    click(MouseButton::Right, 1, 2);   // other buttons do nothing at all
    click(MouseButton::Middle, 1, 2);
    EXPECT_EQ(view.messages, std::vector<std::string>(3, "そこは、だめです。"));
    EXPECT_EQ(board(), before);
    EXPECT_EQ(state.game.rec.MoveCount, 0);
}

TEST_F(Form1LogicTest, GameEndsWhenBlackTakesTheLastWhiteStones) {
    state.game.pos = test::PositionFromPicture(R"(
        X O . . . . . . . . . . .
        . X . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .)");
    logic.Button6Click();
    click(MouseButton::Left, 3, 1);
    EXPECT_EQ(state.game.pos.at(2, 1).Stone, Empty);
    EXPECT_EQ(state.window.mode, GameMode::Input);  // back to input mode before the message
    EXPECT_EQ(view.messages, std::vector<std::string>{"詰みました。黒の勝ち。"});
    EXPECT_EQ(view.moves, std::vector<std::string>{"black 3 1"});  // the computer never moved
    EXPECT_EQ(state.game.rec.MoveCount, 1);
}

}  // namespace
}  // namespace keldra
