// The main window's handlers, without Qt: input-mode stone entry, game mode,
// the history buttons and replay timer, problem files, and the solver's
// commands. The window forwards every event here; tests and keldra-cli drive
// the same code through their own FormView.
#pragma once

#include <optional>
#include <string>

#include "QELMA/logic/form_view.h"
#include "QELMA/logic/problem_folder.h"
#include "QELMA/logic/progress.h"
#include "QELMA/logic/prove_commands.h"
#include "QELMA/logic/session.h"
#include "QELMA/logic/solution_tree.h"
#include "QELMA/logic/study_mode.h"
#include "solver/candidates.h"

namespace keldra {

enum class MouseButton { Left, Right, Middle };

inline constexpr const char* ProblemCaptionPrefix = KTEXT("ZORVEK　ＶＥＲ２．０４       問題  =  ");

class Form1Logic {
public:
    Form1Logic(Session& session, FormView& view) : st_(session), view_(view) {}

    Session& state() { return st_; }

    // A new game as the window starts one: the board in its initial state,
    // no records, the board control's default bitmap size.
    void NewGame();

    // Board control: the control's own mouse-down handling (input-mode entry),
    // then the window's ONMOUSEDOWN handler (game mode). The Qt control calls
    // BoardMouseDown and then BAN1MOUSEDOWN with the same arguments.
    void BoardMouseDown(MouseButton button, int px, int py);
    void BAN1MOUSEDOWN(MouseButton button, int px, int py);
    // Shift with the right button: a white stone at the pixel names the
    // target of the next 検証 (marked until the board changes); the board
    // stays as it is.
    void BoardTargetClick(int px, int py);

    void Button1Click();   // 消去: clear
    void Button2Click();   // 戻す: undo
    void Button3Click();   // 再生: replay
    void Button4Click();   // 進む: forward
    void Timer1Timer();    // one replay step
    void TrackBar1Change(int position);
    void Button6Click();   // 入力．対局: mode toggle
    void Button7Click();   // 解答: automatic solving, then the prover's check when switched on
    void Button8Click();   // 白範囲
    void Button11Click();  // 黒範囲
    void Button9Click();   // 白ヒント: the computer's reply
    void Button10Click();  // 黒ヒント

    void SaveAs1Click();
    void Open1Click();
    void Button12Click();  // 問題: open a problem and enter game mode

    // Clears and opens a problem file (.go, or .sgf by the suffix; `tree` is
    // the game tree of a collection, -1 the last), as the open command does.
    // Returns false when the load ended with an error (already shown).
    bool OpenProblemPath(const std::string& path, int tree = 0);
    void OpenSgf1Click();       // SGF を開く: the SGF dialog, then as Open1Click
    void SaveSgf1Click();       // SGF で保存: the game as SGF
    void PreviousProblemClick();  // 前の問題
    void NextProblemClick();      // 次の問題
    // The problem opened last (empty path before the first).
    const ProblemPlace& LastOpened() const { return place_; }

    // 検証: proves the position on the board and shows the verdict, the
    // killing first moves (marked on the board) and the main line; the board
    // and the record stay as they are.
    void Prove1Click();
    // Esc: stops a running 検証 (or the stubborn white's proof) at once.
    void CancelProve() { prove_.stop = true; }
    // 検証で応じる: game mode's computer answers with the prover's move.
    void SetStubbornWhite(bool on) { prove_.stubbornWhite = on; }
    bool StubbornWhite() const { return prove_.stubbornWhite; }
    // After 解答's kill the prover checks the first move and adds one memo
    // line (the window switches it on; keldra-cli solve stays as it is).
    void SetSolutionCheck(bool on) { solutionCheck_ = on; }
    // The limits of every proof the window starts.
    prover::ProveOptions& ProveLimits() { return prove_.options; }

    // 問題集モード: game mode judges every black move (by the book's tree,
    // else the prover), answers a wrong one with its refutation, and keeps
    // the results in the progress store. Off: game mode as ever.
    void SetStudyMode(bool on) { studyOn_ = on; }
    bool StudyModeOn() const { return studyOn_; }
    StudyMode& Study() { return study_; }
    // R: takes back black's move and white's answer, as 戻す does in study mode.
    void RetryClick() { Button2Click(); }
    // 次の未解決の問題: the next problem whose result is not a solution.
    void NextUnsolvedClick();
    // Where results are kept (by default in memory for the run); the caller
    // keeps ownership.
    void SetProgressStore(ProgressStore* store) { progress_ = store ? store : &ownProgress_; }
    ProgressStore& Progress() { return *progress_; }
    // The position the problem opened last started from.
    const Board& ProblemStart() const { return problemStart_; }
    // 解答図: the book's tree over the problem's start; without a book the
    // prover's proof tree of the position the game started from: the kept
    // proof when it is of that position, else proved now as 検証 proves
    // (Esc stops it). nullopt when busy or the window started closing.
    std::optional<ListedTree> SolutionTreeClick();

    // The point of the board under a pixel of the board control.
    static int PointFromPixel(int pixel, int cellSize) { return ((pixel + cellSize / 2) / cellSize) & 0xFF; }

private:
    // Returns false when the load ended with an error (already shown).
    bool loadProblem();
    bool openPath(const std::string& path, int tree);
    void clearBoard();
    // White's move in game mode, left in HintX, HintY.
    void computerReply();
    void undoOne();
    // Black's click in study mode, and what it leaves in the progress store.
    void studyMove(int x, int y);
    void keepResult(ProblemResult result);
    std::string studyHeader();
    const Board& gameStart() const;

    Session& st_;
    FormView& view_;
    CandidateList candidates_;  // the list the game handler generates into
    bool busy_ = false;
    ProblemPlace place_{"", 0, 0};
    ProveControl prove_;
    bool solutionCheck_ = false;
    bool studyOn_ = false;
    StudyMode study_;
    MemoryProgressStore ownProgress_;
    ProgressStore* progress_ = &ownProgress_;
    Board problemStart_{};
    SgfTree proofTree_;  // the proof 解答図 lists last
    friend class BusyScope;
};

}  // namespace keldra
