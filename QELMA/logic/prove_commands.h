// The verified solver in the main window: the 検証 command, which proves the
// position on the board on a worker thread and shows the verdict, the
// killing first moves and the main line, and the stubborn white of game
// mode, whose answer is the prover's. They turn the prover's results into
// the window's texts, memo lines and board marks through a view.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "BAN/board_marks.h"
#include "QELMA/logic/form_view.h"
#include "QELMA/logic/hint_commands.h"
#include "prover/prover.h"

namespace keldra {

// What the window keeps for the prover: the stubborn-white choice, the
// limits of every proof it starts, and the flag Esc raises to stop one.
struct ProveControl {
    bool stubbornWhite = false;
    prover::ProveOptions options;
    std::atomic<bool> stop{false};
    // The target a player named (options.targetX, targetY) holds while the
    // board holds the position it was named on.
    Board targetOn{};
};

// Names the group of the white stone at (x, y) on `board` as the target of
// the next proofs and marks the stone. Returns false, changing nothing, when
// (x, y) holds no white stone.
bool NameProveTarget(const Board& board, int x, int y, FormView& view, ProveControl& control);

// "黒先白死（無条件）", "コウで白死", "白生き", "セキで白生き", "判定できません".
const char* VerdictText(prover::Verdict verdict);

// The memo lines of a proof: the verdict, the killing first moves ("殺す手"),
// the first moves that kill through ko ("コウで殺す手"), the target group's
// first stone ("対象：X Y の石"), a note when the
// proof was stopped or ran out of time, and the main line one move a line
// ("X Y R<ply>", a pass "パス R<ply>"). `stopped`: Esc ended the proof.
std::vector<std::string> ProveMemoLines(const prover::ProveResult& result, bool stopped);

// A green mark on every killing first move, an orange one on every move that
// kills only through ko.
std::vector<BoardMark> ProveMarks(const prover::ProveResult& result);

// 検証: proves `board` (black to move) while the view waits and lets paints
// through, then shows the verdict in Edit6, the time in Edit1, the memo
// lines and the marks. A target named on this position is the proof's;
// a target named on another is forgotten. Changes neither the board nor the
// record. A proof
// that cannot run (no memory for its tables) shows "解答不能". Returns false
// when the window started closing (then nothing is shown).
bool ProveCommand(const Board& board, FormView& view, ProveControl& control);

// The stubborn white's answer after black's move: the prover's refutation
// or longest resistance, left in hint.X, hint.Y ((0, 0) for a pass). Returns
// false, leaving the hint alone, when the prover proved nothing (unknown,
// stopped by Esc or a close) or found no white group to defend; the caller
// then answers as usual.
bool ProverReply(const Board& board, HintResult& hint, SearchView& view, ProveControl& control);

}  // namespace keldra
