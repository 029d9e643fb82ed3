// Form1Logic's study mode: black's clicks judged and answered, the results
// kept in the progress store, and the step to the next unsolved problem.
#include "QELMA/logic/busy_scope.h"
#include "QELMA/logic/form1_logic.h"
#include "QELMA/logic/proof_sgf.h"
#include "QELMA/logic/study_texts.h"

namespace keldra {

void Form1Logic::studyMove(int x, int y) {
    StudyEvent event = StudyEvent::Played;
    {
        BusyScope busy(*this);
        const auto whiteAnswer = [this](const Board& board) {
            // A proof tree at hand of the game's start answers as the tree
            // window shows it, and at once.
            if (const prover::ProveResult* kept = KeptProof(prove_, gameStart())) {
                std::vector<prover::ProverMove> line;
                for (int k = 1; k <= st_.game.rec.MoveCount; ++k) {
                    const MoveRecord& m = st_.game.rec.record(k);
                    line.push_back({m.X, m.Y, m.colour});
                }
                const prover::ProverAnswer fromTree = TreeAnswer(kept->tree, line);
                if (fromTree.kind != prover::AnswerKind::Unknown) return fromTree;
            }
            view_.SetEdit1Text(Tr("　　白　が思考中"));
            view_.ProcessEvents();
            return WhiteAnswerOnWorker(board, view_, prove_);
        };
        const auto usualReply = [this](int& ax, int& ay) {
            keldra::Button9Click(st_.game, st_.hint, st_.flags, view_);
            ax = st_.hint.X;
            ay = st_.hint.Y;
            return !view_.Cancelled();
        };
        event = study_.BlackMove(st_.game, x, y, view_, whiteAnswer, usualReply);
    }
    if (event == StudyEvent::Mistake || event == StudyEvent::Solved) keepResult(study_.Result());
    if (event == StudyEvent::Solved && !place_.path.empty()) {
        view_.MemoAddLine(Fill(Tr(study_text::SolvedCount),
                               {std::to_string(progress_->SolvedCount(place_.path)), std::to_string(place_.trees)}));
        view_.MemoShowLastLine();
    }
}

// The board before the record's first move: where the proof's lines start.
const Board& Form1Logic::gameStart() const {
    return st_.game.rec.MoveCount > 0 ? st_.game.rec.StartSnapshot : st_.game.pos.board;
}

std::optional<ListedTree> Form1Logic::SolutionTreeClick() {
    if (busy_) return std::nullopt;
    if (study_.HasBook()) return ListedTree{&study_.tree(), problemStart_, Tr(study_text::TreeFromBook)};
    const Board start = gameStart();
    FollowRecord(st_.game.rec.MoveCount, prove_);
    const prover::ProveResult* proof = nullptr;
    {
        BusyScope busy(*this);
        proof = ProofWithTree(start, view_, prove_);
    }
    if (view_.Cancelled()) return std::nullopt;
    proofTree_ = proof ? ProofSgfTree(proof->tree) : SgfTree{};
    if (proofTree_.nodes.size() < 2) return ListedTree{&proofTree_, start, Tr(study_text::NoTree)};
    return ListedTree{&proofTree_, start, Fill(Tr(study_text::TreeFromProof), {Tr(VerdictText(proof->verdict))})};
}

void Form1Logic::keepResult(ProblemResult result) {
    if (place_.path.empty()) return;  // a position entered by hand belongs to no collection
    progress_->Keep(place_.path, place_.tree, result);
    const std::string message = progress_->TakeMessage();
    if (!message.empty()) view_.ShowMessage(message);
}

std::string Form1Logic::studyHeader() {
    const std::string header =
        StudyHeader(FileNameOf(place_.path), place_.tree, place_.trees, progress_->SolvedCount(place_.path));
    const std::string message = progress_->TakeMessage();
    if (!message.empty()) view_.ShowMessage(message);
    return header;
}

// The later game trees of the collection, then the first game tree of each
// later file of the folder whose result is not a solution.
void Form1Logic::NextUnsolvedClick() {
    if (busy_ || place_.path.empty()) return;
    std::optional<ProblemPlace> at = NextProblem(place_);
    for (; at; at = NextProblem(*at)) {
        if (!IsSolved(progress_->ResultOf(at->path, at->tree))) break;
    }
    if (at) {
        OpenProblemPath(at->path, at->tree);
    } else {
        view_.ShowMessage(Tr(study_text::NoUnsolved));
    }
}

}  // namespace keldra
