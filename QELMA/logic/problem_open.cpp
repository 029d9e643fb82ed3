#include "QELMA/logic/problem_open.h"

#include "BAN/sgf/sgf_fit.h"
#include "BAN/sgf/sgf_writer.h"

namespace keldra {

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
    out.tree = std::move(fit.tree);
    // The book's comments in the file's charset, as the root comment is read;
    // a comment that cannot be read as text is left out.
    SgfGame node;
    node.charset = load.game.charset;
    for (SgfTreeNode& n : out.tree.nodes) {
        if (n.comment.empty()) continue;
        node.comment = std::move(n.comment);
        n.comment = CommentAsUtf8(node, decode).value_or(std::string());
    }
    if (fit.swapped) out.memo.push_back(Tr(SwappedColoursNote));
    out.targetX = fit.targetX, out.targetY = fit.targetY;
    if (const auto comment = CommentAsUtf8(load.game, decode)) {
        std::size_t at = 0;
        while (at <= comment->size()) {
            const auto nl = comment->find('\n', at);
            out.memo.push_back(comment->substr(at, nl == std::string::npos ? std::string::npos : nl - at));
            if (nl == std::string::npos) break;
            at = nl + 1;
            if (at == comment->size()) break;  // a final line end starts no line
        }
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
