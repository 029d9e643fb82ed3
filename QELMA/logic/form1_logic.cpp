#include "QELMA/logic/form1_logic.h"

#include "BAN/problem_file.h"
#include "QELMA/logic/busy_scope.h"
#include "QELMA/logic/hint_commands.h"
#include "QELMA/logic/solve_check.h"
#include "solver/search_support.h"

namespace keldra {

namespace {

constexpr const char* NotThere = KTEXT("そこは、だめです。");
constexpr const char* BlackWins = KTEXT("詰みました。黒の勝ち。");
constexpr const char* BlackLoses = KTEXT("失敗です。黒の負け。");

}  // namespace

void Form1Logic::NewGame() {
    st_.window.BitmapSize = 550;
    InitBoard(st_.game.pos.board);
    st_.game.rec.MoveCount = 0;
    EndGameFrame(prove_);
}

// --- board control ---------------------------------------------------------

void Form1Logic::BoardMouseDown(MouseButton button, int px, int py) {
    if (busy_ || st_.window.mode != GameMode::Input) return;  // game mode leaves the board to BAN1MOUSEDOWN
    Position& pos = st_.game.pos;
    GameRecord& rec = st_.game.rec;
    EndStepping(rec);
    if (rec.MoveCount == 0) rec.StartSnapshot = pos.board;
    const int x = PointFromPixel(px, st_.window.CellSize);
    const int y = PointFromPixel(py, st_.window.CellSize);
    ShowFirstMoveLine(pos.board, x, y, view_, prove_);  // after 検証: that first move's line in Memo1
    if (IsPlayable(x, y)) {
        EndGameFrame(prove_);  // new stones: a new problem
        PointRecord& p = pos.at(x, y);
        if (p.Stone == Empty) {
            p.Stone = button == MouseButton::Left ? Black : button == MouseButton::Right ? White : Empty;
            pos.LastX = static_cast<std::uint8_t>(x);
            pos.LastY = static_cast<std::uint8_t>(y);
            ResolveMove(pos);
            if (HoldsStone(p.Stone)) RecordMove(rec, pos.LastX, pos.LastY, p.Stone);
        } else {
            p.Stone = Empty;  // a click on a stone erases it, nothing more
        }
    }
    view_.PaintBoard();
}

void Form1Logic::BoardTargetClick(int px, int py) {
    if (busy_) return;
    const int x = PointFromPixel(px, st_.window.CellSize);
    const int y = PointFromPixel(py, st_.window.CellSize);
    NameProveTarget(st_.game.pos.board, x, y, view_, prove_);
}

void Form1Logic::BAN1MOUSEDOWN(MouseButton button, int px, int py) {
    if (busy_ || st_.window.mode == GameMode::Input || button != MouseButton::Left) return;
    Position& pos = st_.game.pos;
    const int x = PointFromPixel(px, st_.window.CellSize);
    const int y = PointFromPixel(py, st_.window.CellSize);
    // The game's problem is the position of its first move.
    BeginGameFrame(pos.board, st_.game.rec.MoveCount, prove_);
    if (studyOn_) {
        studyMove(x, y);
        return;
    }

    GenerateCandidates(pos, Black, candidates_);
    if (!candidates_.contains(x, y)) {
        view_.ShowMessage(Tr(NotThere));
        return;
    }
    PlayMove(pos, st_.game.rec, x, y, Black);
    view_.PaintBoard();
    view_.GameMovePlayed(StoneColour::Black, x, y);

    if (CountStones(pos.board, White) == 0) {
        Button6Click();
        view_.ShowMessage(Tr(BlackWins));
        return;
    }
    GenerateCandidates(pos, Black, candidates_);
    if (candidates_.count == 0) {
        view_.ShowMessage(Tr(BlackLoses));
        Button6Click();
        return;
    }

    {
        BusyScope busy(*this);
        computerReply();
        if (view_.Cancelled()) return;
        PlayMove(pos, st_.game.rec, st_.hint.X, st_.hint.Y, White);
        view_.PaintBoard();
    }
    view_.GameMovePlayed(StoneColour::White, st_.hint.X, st_.hint.Y);

    GenerateCandidates(pos, Black, candidates_);
    if (candidates_.count == 0) {
        view_.ShowMessage(Tr(BlackLoses));
        Button6Click();
        return;
    }
    GenerateCandidates(pos, White, candidates_);
    if (candidates_.count == 0) {
        view_.ShowMessage(Tr(BlackWins));
        Button6Click();
    }
}

// --- history ---------------------------------------------------------------

void Form1Logic::clearBoard() {
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            st_.game.pos.at(x, y).Stone = Empty;
            st_.game.pos.at(x, y).KoMark = 0;
        }
    }
    st_.game.rec.MoveCount = 0;
    st_.game.rec.ReplayCursor = ReplayIdle;
    EndGameFrame(prove_);
    for (int k = 1; k <= MaxMoves; ++k) st_.game.rec.record(k).colour = 0;
    view_.PaintBoard();
    view_.MemoClear();
}

void Form1Logic::Button1Click() {
    if (busy_) return;
    clearBoard();
}

// In study mode the pair goes: white's answer and the black move before it.
void Form1Logic::Button2Click() {
    if (busy_) return;
    undoOne();
    const GameRecord& rec = st_.game.rec;
    if (studyOn_ && st_.window.mode == GameMode::Play && rec.ReplayCursor > 0 &&
        rec.record(rec.ReplayCursor).colour == Black) {
        undoOne();
    }
}

void Form1Logic::undoOne() {
    GameRecord& rec = st_.game.rec;
    if (rec.ReplayCursor == ReplayIdle) rec.ReplayCursor = rec.MoveCount;
    st_.game.pos.board = rec.StartSnapshot;
    view_.PaintBoard();
    if (rec.ReplayCursor > 0) {
        rec.ReplayCursor = static_cast<std::uint8_t>(rec.ReplayCursor - 1);
        rec.MoveCount = rec.ReplayCursor;
    }
    for (int k = 1; k <= rec.ReplayCursor; ++k) {
        const MoveRecord& m = rec.record(k);
        PlaceStone(st_.game.pos, m.X, m.Y, m.colour);
    }
    st_.game.pos.LastX = 0;
    st_.game.pos.LastY = 0;
    view_.PaintBoard();
}

void Form1Logic::Button3Click() {
    if (busy_) return;
    st_.game.rec.ReplayCursor = 0;
    view_.SetTimerEnabled(true);
}

// Steps into record ReplayCursor + 1. Returns false at the end of the record:
// an empty record, or none left after record 50.
static bool stepForward(Game& game) {
    GameRecord& rec = game.rec;
    if (rec.ReplayCursor >= MaxMoves || rec.record(rec.ReplayCursor + 1).colour == 0) return false;
    rec.ReplayCursor = static_cast<std::uint8_t>(rec.ReplayCursor + 1);
    const MoveRecord& m = rec.record(rec.ReplayCursor);
    PlaceStone(game.pos, m.X, m.Y, m.colour);
    return true;
}

void Form1Logic::Timer1Timer() {
    if (busy_) return;  // the tick waits for the search or play-out to end
    GameRecord& rec = st_.game.rec;
    if (rec.ReplayCursor == 0) st_.game.pos.board = rec.StartSnapshot;
    view_.PaintBoard();
    if (rec.ReplayCursor == ReplayIdle) return;
    rec.MoveCount = rec.ReplayCursor;
    if (!stepForward(st_.game)) view_.SetTimerEnabled(false);
    view_.PaintBoard();
}

void Form1Logic::Button4Click() {
    if (busy_) return;
    GameRecord& rec = st_.game.rec;
    if (rec.ReplayCursor == ReplayIdle) return;
    if (rec.ReplayCursor < rec.MoveCount) {
        rec.MoveCount = rec.ReplayCursor;
        return;
    }
    stepForward(st_.game);
    view_.PaintBoard();
    rec.MoveCount = rec.ReplayCursor;
}

void Form1Logic::TrackBar1Change(int position) { view_.SetTimerInterval(position); }

// --- mode and solver commands --------------------------------------------------

void Form1Logic::Button6Click() {
    if (busy_) return;
    st_.window.mode = (st_.window.mode == GameMode::Input) ? GameMode::Play : GameMode::Input;
    view_.SetModeCaption(st_.window.mode == GameMode::Play ? Tr("対局") : Tr("入力"));
}

void Form1Logic::Button7Click() {
    if (busy_) return;
    BusyScope busy(*this);
    FollowRecord(st_.game.rec.MoveCount, prove_);
    const Board start = st_.game.pos.board;
    keldra::Button7Click(st_.game, st_.hint, st_.flags, view_);
    if (!solutionCheck_ || st_.hint.Score < 1 || st_.hint.X == 0 || view_.Cancelled()) return;
    // Edit6 ends with the solution's result, as automatic solving left it.
    const std::string edit6 = "X= " + std::to_string(st_.hint.X) + "  Y= " + std::to_string(st_.hint.Y) +
                              "  TOTAL= " + std::to_string(st_.hint.Score);
    const std::string line = CheckFirstMove(start, st_.hint.X, st_.hint.Y, view_, prove_, edit6);
    if (!line.empty()) view_.MemoAddLine(line);
}

void Form1Logic::Button8Click() {
    if (busy_) return;
    ShowRange(st_.game.pos, view_, StoneColour::White);
}

void Form1Logic::Button11Click() {
    if (busy_) return;
    ShowRange(st_.game.pos, view_, StoneColour::Black);
}

void Form1Logic::Button9Click() {
    if (busy_) return;
    BusyScope busy(*this);
    keldra::Button9Click(st_.game, st_.hint, st_.flags, view_);
}

void Form1Logic::Button10Click() {
    if (busy_) return;
    BusyScope busy(*this);
    keldra::Button10Click(st_.game, st_.hint, st_.flags, view_);
}

// --- problem files -----------------------------------------------------------

void Form1Logic::SaveAs1Click() {
    if (busy_) return;
    const Board atCommand = st_.game.pos.board;  // the board as it was when the command was given
    const auto path = view_.ChooseSaveFile();
    if (!path) return;
    std::string error;
    if (!WriteProblemFile(*path, atCommand, &error)) view_.ShowMessage(error);
}

bool Form1Logic::loadProblem() {
    clearBoard();
    st_.game.rec.MoveCount = 0;
    const auto path = view_.ChooseOpenFile();
    if (!path) return true;
    return openPath(*path, 0);
}

void Form1Logic::Open1Click() {
    if (busy_) return;
    loadProblem();
}

void Form1Logic::Button12Click() {
    if (busy_) return;
    if (loadProblem() && st_.window.mode == GameMode::Input) Button6Click();
}

// --- the prover ----------------------------------------------------------------

void Form1Logic::Prove1Click() {
    if (busy_) return;
    BusyScope busy(*this);
    FollowRecord(st_.game.rec.MoveCount, prove_);
    ProveCommand(st_.game.pos.board, view_, prove_);
}

// The stubborn white answers with the prover's move; when the prover proves
// nothing (unknown, Esc, no white group to defend) the usual reply answers.
// A pass is left as (0, 0), which the game plays as nothing: black moves
// again and the game's own end checks decide.
void Form1Logic::computerReply() {
    if (prove_.stubbornWhite && ProverReply(st_.game.pos.board, st_.hint, view_, prove_)) return;
    if (view_.Cancelled()) return;
    keldra::Button9Click(st_.game, st_.hint, st_.flags, view_);
}

}  // namespace keldra
