#include "BAN/sgf/sgf_tree.h"

#include <utility>

#include "BAN/sgf/sgf_writer.h"

namespace keldra {

const char* SgfJudgementToken(SgfJudgement j) {
    switch (j) {
    case SgfJudgement::Correct: return "correct";
    case SgfJudgement::Wrong: return "wrong";
    case SgfJudgement::Unknown: break;
    }
    return "unknown";
}

namespace {

void appendNode(std::string& out, const SgfTreeNode& n) {
    out += "\n;";
    if (n.move.colour == Black || n.move.colour == White) {
        out += n.move.colour == Black ? "B[" : "W[";
        if (n.move.x != 0) {
            out += static_cast<char>('a' + n.move.x - 1);
            out += static_cast<char>('a' + n.move.y - 1);
        }
        out += ']';
    }
    if (!n.comment.empty()) {
        out += "C[";
        out += SgfEscaped(n.comment);
        out += ']';
    }
}

}  // namespace

std::string SgfTreeText(const Board& start, const SgfTree& tree, std::string_view rootComment) {
    // The root as the record writer writes it, without its closing ")\n".
    std::string out = SgfText(start, {}, rootComment);
    out.resize(out.size() - 2);
    // Each frame: a node and how many of its children are written. A node
    // with one child continues its sequence; with several, each child opens
    // a variation "(" closed after its subtree.
    struct Frame {
        int node;
        std::size_t next;
    };
    std::vector<Frame> stack{{0, 0}};
    std::vector<bool> opened;  // per frame: this frame's node opened a "("
    opened.push_back(false);
    while (!stack.empty()) {
        Frame& f = stack.back();
        const SgfTreeNode& n = tree.nodes[static_cast<std::size_t>(f.node)];
        if (f.next == n.children.size()) {
            if (opened.back()) out += ')';
            stack.pop_back();
            opened.pop_back();
            continue;
        }
        const int child = n.children[f.next++];
        const bool branch = n.children.size() > 1;
        if (branch) out += "\n(";
        appendNode(out, tree.nodes[static_cast<std::size_t>(child)]);
        stack.push_back({child, 0});
        opened.push_back(branch);
    }
    out += ")\n";
    return out;
}

}  // namespace keldra
