// A problem's game tree: the book's solution variations with their comments
// and right/wrong judgements, or a proof written out as a tree. The reader
// fills one from an SGF game tree, the prover builds one from its proof, and
// the writer turns either into SGF text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "BAN/board.h"
#include "BAN/sgf/sgf_reader.h"

namespace keldra {

enum class SgfJudgement : std::uint8_t { Unknown, Correct, Wrong };

// "correct", "wrong" or "unknown", as keldra-cli prints a judgement.
const char* SgfJudgementToken(SgfJudgement j);

struct SgfTreeNode {
    SgfMove move{};      // colour 0: a node without a move (the root); x == 0: a pass
    int parent = -1;     // index in SgfTree::nodes; -1 for the root
    std::vector<int> children;  // in file order; children[0] continues the main line
    std::string comment;        // C[], escapes resolved
    SgfJudgement mark = SgfJudgement::Unknown;       // the node's own mark (comment or property)
    SgfJudgement judgement = SgfJudgement::Unknown;  // its own mark, else taken from the lines below
};

// nodes[0] is the root; a node's children come after it in the vector.
struct SgfTree {
    std::vector<SgfTreeNode> nodes{SgfTreeNode{}};

    // Adds a child of `parent` and returns its index.
    int add(int parent, SgfMove move, std::string comment = {},
            SgfJudgement mark = SgfJudgement::Unknown) {
        SgfTreeNode n;
        n.move = move;
        n.parent = parent;
        n.comment = std::move(comment);
        n.mark = mark;
        n.judgement = mark;
        nodes.push_back(std::move(n));
        const int index = static_cast<int>(nodes.size()) - 1;
        nodes[static_cast<std::size_t>(parent)].children.push_back(index);
        return index;
    }
    // Depth of a node: 0 for the root, 1 for black's first moves.
    int depth(int node) const {
        int d = 0;
        for (int n = node; nodes[static_cast<std::size_t>(n)].parent >= 0; n = nodes[static_cast<std::size_t>(n)].parent) ++d;
        return d;
    }
};

// FF[4] text of the position `start` with `tree` below it: the root node as
// SgfText writes it (with `rootComment`), then every variation of the tree,
// each node's move and comment. Iterative: a tree of any depth is written
// without recursion.
std::string SgfTreeText(const Board& start, const SgfTree& tree, std::string_view rootComment);

}  // namespace keldra
