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
    // The game under way keeps one problem: the frame of the position where
    // black made its first game move since the stones were last entered,
    // edited or loaded (unset when that position had no target), and the
    // record's move count there; -1: no game under way. Every proof the
    // window runs meanwhile is set up with it.
    prover::ProblemFrame gameFrame;
    int gameFrameMoves = -1;
    // The last proof with a tree (検証's, or the one 解答図 made) and the
    // board it proved; `proofStopped`: Esc ended it. After 検証 the next
    // click on the board may show a first move's line (`lineOffered`).
    bool proofKept = false;
    bool proofStopped = false;
    bool lineOffered = false;
    Board provedBoard{};
    prover::ProveResult proof;
};

// Black's game move on `start`, the record holding `moves` moves: the game
// begins here, keeping the problem of `start` for its later positions, unless
// a game is under way from this move or an earlier one.
void BeginGameFrame(const Board& start, int moves, ProveControl& control);
// Stones entered, edited or loaded, or a target named: the next game move
// starts a new problem.
void EndGameFrame(ProveControl& control);
// The record stepped back to `moves` moves: before the game's start, the
// game is over.
void FollowRecord(int moves, ProveControl& control);

// The kept proof of `board` when one is at hand and Esc did not cut it
// short, else nullptr.
const prover::ProveResult* KeptProof(const ProveControl& control, const Board& board);

// Proves `board` (black to move) on a worker thread within the control's
// limits and the game's problem (gameFrame) while the view waits, the stop flag (Esc, a closing window) ending
// it, with a proof tree of at most `treeNodes` nodes. Returns false when the
// proof could not run (no memory for its tables).
bool ProveOnWorker(const Board& board, SearchView& view, ProveControl& control, prover::ProveResult& result,
                   int treeNodes = 0);

// White's answer on `board` (white to move) the same way; Unknown when the
// proof could not run.
prover::ProverAnswer WhiteAnswerOnWorker(const Board& board, SearchView& view, ProveControl& control);

// The proof of `board` with its tree: the kept one when it is of that board
// (KeptProof), else proved as 検証 proves (Edit1 and Edit6 say that it runs,
// Esc stops it, the view waits; then Edit6 shows the verdict and Edit1 the
// time) and kept. Returns nullptr when the proof could not run (then
// "解答不能" was shown) or the window started closing.
const prover::ProveResult* ProofWithTree(const Board& board, SearchView& view, ProveControl& control);

// "正解" for a first move that kills, "コウ" for one that kills through ko,
// "失敗" for a refuted one, "" for one left unproved.
const char* FirstMoveStatusText(prover::FirstMoveStatus status);
// The same in the window's language.
std::string StatusTextShown(prover::FirstMoveStatus status);
// Who needs how many ko threats for a counted ko kill (RootResult's
// blackNeeds, whiteNeeds), in the window's language: "白はコウ材 1" when
// black takes the ko first and white needs one threat to live; "" when not
// counted.
std::string KoThreatsShown(int blackNeeds, int whiteNeeds);
// A first move's status in the proof tree's comment: StatusTextShown, and
// for a counted ko kill the threats in brackets ("コウ（白はコウ材 1）").
std::string FirstMoveCommentShown(prover::FirstMoveStatus status, int blackNeeds, int whiteNeeds);

// The line of one first move in the proof tree, from the move itself: under
// a kill white's longest resistance with black's answers, under a refuted
// move white's refutation and its line to life. Empty when the tree does not
// hold the move.
std::vector<prover::ProverMove> FirstMoveLine(const prover::ProofTree& tree, int x, int y);

// White's answer in the proof tree after `line` (the moves from the proved
// position, black's last): under a refuted first move white's refutation or
// its next move to life, under a kill white's longest resistance. Unknown
// when the tree does not hold the line or has no white move below it.
prover::ProverAnswer TreeAnswer(const prover::ProofTree& tree, const std::vector<prover::ProverMove>& line);
// Names the group of the white stone at (x, y) on `board` as the target of
// the next proofs and marks the stone. Returns false, changing nothing, when
// (x, y) holds no white stone.
bool NameProveTarget(const Board& board, int x, int y, FormView& view, ProveControl& control);

// "黒先白死（無条件）", "コウで白死", "白生き", "セキで白生き", "判定できません".
const char* VerdictText(prover::Verdict verdict);

// The memo lines of a proof: the verdict, the killing first moves ("殺す手"),
// the first moves that kill through ko ("コウで殺す手"), the target group's
// first stone ("対象：X Y の石"), a note when the proof was stopped or ran out
// of time, the first moves left unproved ("未確定の手", saying that the lists
// are incomplete), and the main line one move a line
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

// The first click on the board after 検証: when `board` is still the proved
// one and (x, y) is a first move of the proof, Memo1 shows "初手 X Y：" with
// the move's status, then its line (FirstMoveLine) one move a line, and
// true is returned. Any click ends the kept proof.
bool ShowFirstMoveLine(const Board& board, int x, int y, FormView& view, ProveControl& control);

// The stubborn white's answer after black's move: the prover's refutation
// or longest resistance, left in hint.X, hint.Y ((0, 0) for a pass). Returns
// false, leaving the hint alone, when the prover proved nothing (unknown,
// stopped by Esc or a close) or found no white group to defend; the caller
// then answers as usual.
bool ProverReply(const Board& board, HintResult& hint, SearchView& view, ProveControl& control);

}  // namespace keldra
