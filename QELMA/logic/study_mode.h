// Study mode: game mode as a problem book teaches. Each black move is judged
// at once, by the book's solution tree while the game follows it, else by the
// prover; a wrong move is answered by white's refutation (the book's, else
// the prover's), and the end of a correct line of the book, or a game that
// kills white outside it, solves the problem.
#pragma once

#include <functional>
#include <string>

#include "BAN/game.h"
#include "BAN/sgf/sgf_tree.h"
#include "QELMA/logic/form_view.h"
#include "QELMA/logic/progress.h"
#include "prover/prover.h"

namespace keldra {

// The node of `tree` that records 1..MoveCount of `rec` reach from the root,
// or -1 once they leave it.
int BookNodeOf(const SgfTree& tree, const GameRecord& rec);
// The child of `node` that plays `colour` at (x, y), or -1.
int BookChild(const SgfTree& tree, int node, int colour, int x, int y);

enum class StudyJudgement { Right, Wrong, Undecided };

// What one black move of study mode came to.
enum class StudyEvent {
    Refused,  // not a point black may play; nothing changed
    Played,   // judged right or undecided, the game goes on
    Mistake,  // judged wrong; white's refutation is on the board when it had one
    Solved,   // the line is complete: the problem is solved
    Stopped,  // the window started closing
};

class StudyMode {
public:
    // White's answer on a board with white to move, as the prover gives it.
    using WhiteAnswerFn = std::function<prover::ProverAnswer(const Board&)>;
    // The usual computer reply, left in (x, y); false when none was chosen.
    using UsualReplyFn = std::function<bool(int& x, int& y)>;

    // A problem was opened: its book tree (the root alone when it has none).
    void Start(const SgfTree& tree);
    const SgfTree& tree() const { return tree_; }
    bool HasBook() const { return tree_.nodes.size() > 1; }
    // A wrong move was made since the problem was opened.
    bool HadMistakes() const { return mistakes_; }
    // The result to keep for the attempt so far (None before any judgement).
    ProblemResult Result() const { return result_; }

    // Black's move at (x, y) in game mode: plays it, judges it in the memo,
    // and plays white's answer. `whiteAnswer` judges moves outside the book;
    // `usualReply` answers when neither the book nor the prover has a move.
    StudyEvent BlackMove(Game& game, int x, int y, FormView& view, const WhiteAnswerFn& whiteAnswer,
                         const UsualReplyFn& usualReply);

private:
    SgfTree tree_;
    bool mistakes_ = false;
    ProblemResult result_ = ProblemResult::None;
};

// The first line of the memo in study mode: the problem's name, "(k/n)" in a
// collection, and how many of its problems are solved.
std::string StudyHeader(const std::string& fileName, int tree, int trees, int solved);

}  // namespace keldra
