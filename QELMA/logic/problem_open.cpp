#include "QELMA/logic/problem_open.h"

#include "BAN/sgf/sgf_fit.h"
#include "BAN/sgf/sgf_writer.h"

namespace keldra {

namespace {

// The lines of `text`, a final line end starting no line.
void addLines(std::vector<std::string>& memo, const std::string& text) {
    if (text.empty()) return;
    std::size_t at = 0;
    while (at <= text.size()) {
        const auto nl = text.find('\n', at);
        memo.push_back(text.substr(at, nl == std::string::npos ? std::string::npos : nl - at));
        if (nl == std::string::npos) break;
        at = nl + 1;
        if (at == text.size()) break;
    }
}

}  // namespace

OpenedProblem ReadProblemPath(const std::string& path, int tree, const CharsetDecoder& decode) {
    OpenedProblem out;
    out.place.path = path;
    if (!IsSgfPath(path)) {
        ProblemLoad load = ReadProblemFile(path);
        out.ok = load.ok;
        out.error = std::move(load.error);
        out.stones = load.stones;
        return out;
    }
    const SgfLoad load = ReadSgfFile(path, tree);
    out.place.tree = load.tree;
    out.place.trees = load.trees;
    if (!load.ok) {
        out.error = load.error;
        return out;
    }
    FittedProblem fit = FitSgfGame(load.game);
    if (!fit.ok) {
        out.error = std::move(fit.error);
        return out;
    }
    out.ok = true;
    out.stones = fit.stones;
    out.record = std::move(fit.record);
    if (fit.swapped) out.memo.push_back(Tr(SwappedColoursNote));
    addLines(out.memo, fit.warning);
    if (const auto comment = CommentAsUtf8(load.game, decode)) addLines(out.memo, *comment);
    out.targetX = fit.targetX, out.targetY = fit.targetY;
    out.tree = std::move(fit.tree);
    for (SgfTreeNode& n : out.tree.nodes) {
        if (n.comment.empty()) continue;
        n.comment = TextAsUtf8(load.game.charset, n.comment, decode).value_or(std::string());
    }
    return out;
}

void ApplyOpenedProblem(Game& st, const OpenedProblem& problem) {
    ApplyProblem(st.pos.board, problem.stones);
    st.pos.LastX = 0;
    st.pos.LastY = 0;
    if (problem.record.empty()) return;
    // The line waits in the record for forward and replay, from this position.
    st.rec.StartSnapshot = st.pos.board;
    for (std::size_t k = 0; k < problem.record.size() && k < static_cast<std::size_t>(MaxMoves); ++k) {
        st.rec.record(static_cast<int>(k) + 1) = problem.record[k];
    }
}

std::string GameSgfText(const Game& st, std::string_view memoText) {
    std::vector<MoveRecord> moves;
    for (int k = 1; k <= MaxMoves && st.rec.record(k).colour != 0; ++k) moves.push_back(st.rec.record(k));
    const Board& start = moves.empty() ? st.pos.board : st.rec.StartSnapshot;
    return SgfText(start, moves, memoText);
}

}  // namespace keldra
