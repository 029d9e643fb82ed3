// The main window's handlers, without Qt: input-mode stone entry, game mode,
// the history buttons and replay timer, problem files, and the solver's
// commands. The window forwards every event here; tests and keldra-cli drive
// the same code through their own FormView.
#pragma once

#include <string>

#include "QELMA/logic/form_view.h"
#include "QELMA/logic/problem_folder.h"
#include "QELMA/logic/prove_commands.h"
#include "QELMA/logic/session.h"
#include "solver/candidates.h"

namespace keldra {

enum class MouseButton { Left, Right, Middle };

inline constexpr const char* ProblemCaptionPrefix = "ZORVEK　ＶＥＲ２．０４       問題  =  ";

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
    void Button7Click();   // 解答: automatic solving
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
    // The limits of every proof the window starts.
    prover::ProveOptions& ProveLimits() { return prove_.options; }

    // The point of the board under a pixel of the board control.
    static int PointFromPixel(int pixel, int cellSize) { return ((pixel + cellSize / 2) / cellSize) & 0xFF; }

private:
    // Returns false when the load ended with an error (already shown).
    bool loadProblem();
    bool openPath(const std::string& path, int tree);
    void clearBoard();
    // White's move in game mode, left in HintX, HintY.
    void computerReply();

    Session& st_;
    FormView& view_;
    CandidateList candidates_;  // the list the game handler generates into
    bool busy_ = false;
    ProblemPlace place_{"", 0, 0};
    ProveControl prove_;
    friend class BusyScope;
};

}  // namespace keldra
