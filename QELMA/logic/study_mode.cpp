#include "QELMA/logic/study_mode.h"

#include <string_view>

#include "QELMA/logic/study_texts.h"
#include "solver/candidates.h"
#include "solver/search_support.h"

namespace keldra {

namespace {

constexpr const char* NotThere = KTEXT("そこは、だめです。");

const SgfTreeNode& nodeAt(const SgfTree& tree, int node) { return tree.nodes[static_cast<std::size_t>(node)]; }

std::string pointText(int x, int y) {
    return x == 0 ? Tr(study_text::Pass) : std::to_string(x) + " " + std::to_string(y);
}

// The comment's lines, without an empty last one.
void addCommentLines(FormView& view, std::string_view comment) {
    while (!comment.empty()) {
        const auto nl = comment.find('\n');
        view.MemoAddLine(comment.substr(0, nl));
        if (nl == std::string_view::npos) break;
        comment.remove_prefix(nl + 1);
    }
}

// White's first answer the book gives after black's node, or -1.
int bookAnswer(const SgfTree& tree, int node) {
    for (int child : nodeAt(tree, node).children) {
        if (nodeAt(tree, child).move.colour == White) return child;
    }
    return -1;
}

}  // namespace

int BookChild(const SgfTree& tree, int node, int colour, int x, int y) {
    for (int child : nodeAt(tree, node).children) {
        const SgfMove& m = nodeAt(tree, child).move;
        if (m.colour == colour && m.x == x && m.y == y) return child;
    }
    return -1;
}

int BookNodeOf(const SgfTree& tree, const GameRecord& rec) {
    int node = 0;
    for (int k = 1; k <= rec.MoveCount && node >= 0; ++k) {
        const MoveRecord& m = rec.record(k);
        node = BookChild(tree, node, m.colour, m.X, m.Y);
    }
    return node;
}

void StudyMode::Start(const SgfTree& tree) {
    tree_ = tree;
    mistakes_ = false;
    result_ = ProblemResult::None;
}

StudyEvent StudyMode::BlackMove(Game& game, int x, int y, FormView& view, const WhiteAnswerFn& whiteAnswer,
                                const UsualReplyFn& usualReply) {
    Position& pos = game.pos;
    const int at = BookNodeOf(tree_, game.rec);
    const int node = at >= 0 ? BookChild(tree_, at, Black, x, y) : -1;
    // A move of the book is taken wherever it stands; any other must be one
    // of black's candidates, as in game mode.
    bool playable = IsPlayable(x, y) && pos.at(x, y).Stone == Empty;
    if (playable && node < 0) {
        CandidateList list;
        GenerateCandidates(pos, Black, list);
        playable = list.contains(x, y);
    }
    const int before = game.rec.MoveCount;
    if (playable) PlayMove(pos, game.rec, x, y, Black);
    if (!playable || game.rec.MoveCount == before) {
        view.ShowMessage(Tr(NotThere));
        return StudyEvent::Refused;
    }
    view.PaintBoard();
    view.GameMovePlayed(StoneColour::Black, x, y);

    // The judgement: the book's while it has one, else the prover's.
    StudyJudgement judgement = StudyJudgement::Undecided;
    if (node >= 0) {
        const SgfJudgement j = nodeAt(tree_, node).judgement;
        if (j == SgfJudgement::Correct) judgement = StudyJudgement::Right;
        if (j == SgfJudgement::Wrong) judgement = StudyJudgement::Wrong;
    }
    const bool whiteTaken = CountStones(pos.board, White) == 0;
    if (whiteTaken && judgement == StudyJudgement::Undecided) judgement = StudyJudgement::Right;
    const int answerNode = node >= 0 ? bookAnswer(tree_, node) : -1;
    prover::ProverAnswer proof;
    if (judgement == StudyJudgement::Undecided || (judgement == StudyJudgement::Wrong && answerNode < 0)) {
        proof = whiteAnswer(pos.board);
        if (view.Cancelled()) return StudyEvent::Stopped;
        if (judgement == StudyJudgement::Undecided) {
            if (proof.kind == prover::AnswerKind::Refutes) judgement = StudyJudgement::Wrong;
            if (proof.kind == prover::AnswerKind::Resists) judgement = StudyJudgement::Right;
        }
    }
    view.MemoAddLine(Tr(judgement == StudyJudgement::Right   ? study_text::Right
                        : judgement == StudyJudgement::Wrong ? study_text::Wrong
                                                             : study_text::Undecided));
    if (node >= 0) addCommentLines(view, nodeAt(tree_, node).comment);
    if (judgement == StudyJudgement::Wrong) {
        mistakes_ = true;
        if (!IsSolved(result_)) result_ = ProblemResult::Failed;
    }

    auto solved = [&] {
        view.MemoAddLine(Tr(study_text::Solved));
        view.MemoAddLine(Tr(study_text::OfferNext));
        if (!IsSolved(result_)) result_ = mistakes_ ? ProblemResult::SolvedAfterMistakes : ProblemResult::SolvedFirstTry;
        view.MemoShowLastLine();
        return StudyEvent::Solved;
    };
    const bool bookLineEnds = node >= 0 && judgement == StudyJudgement::Right && nodeAt(tree_, node).children.empty();
    // White has nothing left to try when its longest resistance is a pass.
    const bool whiteGivesUp = judgement == StudyJudgement::Right && answerNode < 0 &&
                              proof.kind == prover::AnswerKind::Resists && proof.move.isPass();
    if (judgement == StudyJudgement::Right && (whiteTaken || bookLineEnds || whiteGivesUp)) return solved();

    // White's answer: the book's, else the prover's, else the usual reply.
    int ax = 0, ay = 0;
    bool answered = true;
    if (answerNode >= 0) {
        ax = nodeAt(tree_, answerNode).move.x;
        ay = nodeAt(tree_, answerNode).move.y;
    } else if (proof.kind == prover::AnswerKind::Refutes || proof.kind == prover::AnswerKind::Resists) {
        ax = proof.move.x;
        ay = proof.move.y;
    } else {
        answered = usualReply(ax, ay);
        if (view.Cancelled()) return StudyEvent::Stopped;
    }
    if (answered) {
        PlayMove(pos, game.rec, ax, ay, White);
        view.PaintBoard();
        view.GameMovePlayed(StoneColour::White, ax, ay);
    }
    if (answerNode >= 0) addCommentLines(view, nodeAt(tree_, answerNode).comment);
    if (judgement == StudyJudgement::Wrong) {
        if (answered) {
            view.MemoAddLine(ax == 0 ? Tr(study_text::WhiteLivesByPass)
                                     : Fill(Tr(study_text::WhiteLives), {pointText(ax, ay)}));
        }
        view.MemoAddLine(Tr(study_text::OfferRetry));
        view.MemoShowLastLine();
        return StudyEvent::Mistake;
    }
    // A correct line of the book may end with white's move.
    if (judgement == StudyJudgement::Right && answerNode >= 0 && nodeAt(tree_, answerNode).children.empty() &&
        nodeAt(tree_, answerNode).judgement == SgfJudgement::Correct) {
        return solved();
    }
    view.MemoShowLastLine();
    return StudyEvent::Played;
}

std::string StudyHeader(const std::string& fileName, int tree, int trees, int solved) {
    std::string header = fileName;
    if (trees > 1) header += " (" + std::to_string(tree + 1) + "/" + std::to_string(trees) + ")";
    return header + Tr("　") + Fill(Tr(study_text::SolvedCount), {std::to_string(solved), std::to_string(trees)});
}

}  // namespace keldra
