// Form1Logic's commands for problems from the disk: opening a path (.go or
// .sgf), the SGF dialogs, and stepping through a folder's problems.
#include "BAN/problem_file.h"
#include "QELMA/logic/form1_logic.h"
#include "QELMA/logic/problem_open.h"

namespace keldra {

// Loads onto the cleared board. Nothing of a bad file reaches the board: it
// stays as cleared.
bool Form1Logic::openPath(const std::string& path, int tree) {
    view_.SetWindowCaption(Tr(ProblemCaptionPrefix) + FileNameOf(path));
    const OpenedProblem problem = ReadProblemPath(
        path, tree, [this](std::string_view charset, std::string_view bytes) { return view_.DecodeCharset(charset, bytes); });
    place_ = problem.place;
    if (!problem.ok) {
        study_.Start(SgfTree{});
        view_.ShowMessage(problem.error);
        return false;
    }
    if (problem.place.trees > 1) view_.SetWindowCaption(ProblemCaption(problem.place));
    ApplyOpenedProblem(st_.game, problem);
    problemStart_ = st_.game.pos.board;
    study_.Start(problem.tree);
    if (studyOn_) view_.MemoAddLine(studyHeader());
    for (const auto& line : problem.memo) view_.MemoAddLine(line);
    // A white stone the file marks names the target, as a Shift right-click does.
    if (!NameProveTarget(st_.game.pos.board, problem.targetX, problem.targetY, view_, prove_)) view_.PaintBoard();
    return true;
}

bool Form1Logic::OpenProblemPath(const std::string& path, int tree) {
    if (busy_) return false;
    clearBoard();
    return openPath(path, tree);
}

void Form1Logic::OpenSgf1Click() {
    if (busy_) return;
    clearBoard();
    if (const auto path = view_.ChooseOpenSgfFile()) openPath(*path, 0);
}

void Form1Logic::SaveSgf1Click() {
    if (busy_) return;
    const std::string text = GameSgfText(st_.game, view_.Memo1Text());  // the game as it was when the command was given
    const auto path = view_.ChooseSaveSgfFile();
    if (!path) return;
    std::string error;
    if (!WriteFileReplacing(*path, text, &error)) view_.ShowMessage(error);
}

void Form1Logic::NextProblemClick() {
    if (busy_ || place_.path.empty()) return;
    if (const auto next = NextProblem(place_)) {
        OpenProblemPath(next->path, next->tree);
    } else {
        view_.ShowMessage(Tr(LastProblemMessage));
    }
}

void Form1Logic::PreviousProblemClick() {
    if (busy_ || place_.path.empty()) return;
    if (const auto previous = PreviousProblem(place_)) {
        OpenProblemPath(previous->path, previous->tree);
    } else {
        view_.ShowMessage(Tr(FirstProblemMessage));
    }
}

}  // namespace keldra
