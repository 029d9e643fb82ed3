#include "QELMA/logic/solution_tree.h"

#include <algorithm>
#include <string_view>

#include "BAN/rules.h"
#include "QELMA/logic/study_texts.h"

namespace keldra {

namespace {

const SgfTreeNode& nodeAt(const SgfTree& tree, int node) { return tree.nodes[static_cast<std::size_t>(node)]; }

const char* markOf(const SgfTreeNode& n) {
    // A book speaks of a ko in its comment; the proof's ko kill is
    // commented with the mark itself, in the window's language.
    if (n.comment.find("コウ") != std::string::npos || n.comment.find("劫") != std::string::npos ||
        (TextsTranslated() && n.comment == Tr(study_text::MarkKo))) {
        return study_text::MarkKo;
    }
    if (n.judgement == SgfJudgement::Correct) return study_text::MarkRight;
    if (n.judgement == SgfJudgement::Wrong) return study_text::MarkWrong;
    return study_text::MarkNone;
}

std::string rowText(const SgfTreeNode& n, int depth) {
    std::string text(static_cast<std::size_t>(2 * (std::min(depth, MaxIndentDepth) - 1)), ' ');
    text += Tr(markOf(n));
    text += ' ';
    const std::string point =
        n.move.x == 0 ? Tr(study_text::Pass) : std::to_string(n.move.x) + " " + std::to_string(n.move.y);
    text += Fill(Tr(n.move.colour == White ? study_text::WhiteMove : study_text::BlackMove), {point});
    const std::string_view comment(n.comment);
    const std::string_view first = comment.substr(0, comment.find('\n'));
    if (!first.empty()) {
        text += Tr("　");
        text += first;
    }
    return text;
}

}  // namespace

std::vector<SolutionTreeRow> SolutionTreeRows(const SgfTree& tree, std::size_t maxRows) {
    std::vector<SolutionTreeRow> rows;
    // Depth first without recursion: a book of any depth is listed.
    std::vector<std::pair<int, int>> stack;  // node, depth
    const auto& top = nodeAt(tree, 0).children;
    for (auto it = top.rbegin(); it != top.rend(); ++it) stack.emplace_back(*it, 1);
    while (!stack.empty() && rows.size() < maxRows) {
        const auto [node, depth] = stack.back();
        stack.pop_back();
        rows.push_back({node, depth, rowText(nodeAt(tree, node), depth)});
        const auto& children = nodeAt(tree, node).children;
        for (auto it = children.rbegin(); it != children.rend(); ++it) stack.emplace_back(*it, depth + 1);
    }
    return rows;
}

TreePosition PositionAtNode(const Board& start, const SgfTree& tree, int node) {
    std::vector<SgfMove> line;
    for (int n = node; n > 0; n = nodeAt(tree, n).parent) line.push_back(nodeAt(tree, n).move);
    Position pos;
    pos.board = start;
    TreePosition out;
    std::vector<std::vector<int>> numberAt(BoardSide + 1, std::vector<int>(BoardSide + 1, 0));
    int number = 0;
    for (auto it = line.rbegin(); it != line.rend(); ++it) {
        ++number;
        if (!IsPlayable(it->x, it->y) || pos.at(it->x, it->y).Stone != Empty) continue;  // a pass, or no room
        PlaceStone(pos, it->x, it->y, it->colour);
        numberAt[it->x][it->y] = number;
    }
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (numberAt[x][y] != 0 && HoldsStone(pos.at(x, y).Stone)) {
                out.numbers.push_back({static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), MarkKind::MoveNumber,
                                       numberAt[x][y]});
            }
        }
    }
    out.board = pos.board;
    return out;
}

std::vector<BoardMark> TreePreview::Show(const Board& start, const SgfTree& tree, int node) {
    TreePosition at = PositionAtNode(start, tree, node);
    pos_.board = at.board;
    pos_.LastX = 0;
    pos_.LastY = 0;
    shown_ = true;
    return std::move(at.numbers);
}

void TreePreview::Restore() {
    if (!shown_) return;
    pos_.board = saved_;
    pos_.LastX = lastX_;
    pos_.LastY = lastY_;
    shown_ = false;
}

}  // namespace keldra
