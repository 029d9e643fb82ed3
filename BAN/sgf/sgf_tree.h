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

namespace keldra {

struct SgfMove {
    std::uint8_t colour;  // 1 black, 2 white
    std::uint8_t x, y;    // 1-based from the left and the top; 0 0 is a pass
    friend bool operator==(const SgfMove&, const SgfMove&) = default;
};

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

// The judgement a comment's text gives its node: correct for 正解 (正解図,
// 正解图), "Correct" or goproblems' "RIGHT"; wrong for 失敗 (失敗図), 失败,
// "Wrong", "Incorrect" or "Failure". The words are found in UTF-8, GB2312 and
// Shift_JIS bytes alike, so a comment in any of the charsets the collections
// use is judged before it is decoded; the English words count as whole words.
// Where the comment holds both kinds, the earlier one counts ("Wrong: the
// correct move is ...").
SgfJudgement SgfCommentMark(std::string_view bytes);

// True when the comment calls its line a variation (变化, in UTF-8 or
// GB2312). The collections that do write 变化图 both on white's other tries
// inside a correct line and on black's other first moves; see JudgeVariations.
bool SgfCommentIsVariation(std::string_view bytes);

// Judges the unmarked nodes `variations` (their comments say 变化) once the
// other judgements are resolved: where the variation leaves the lines around
// it with a move of the first player, that player strays from the book's
// answer and the node is wrong; where it leaves with the defender's move, the
// defender tries another defence and
// the node takes the judgement of the move it branches from, when that is
// correct; a line with no other line beside it is left unknown. Resolves the
// judgements again with those; their marks stay
// unknown, so the judgement follows from the comments and marks alone.
// `firstPlayer` is the colour that plays first in the problem (black once
// the problem is fitted; white in a file whose colours fitting exchanges).
void JudgeVariations(SgfTree& tree, const std::vector<int>& variations, bool firstLineCorrect,
                     std::uint8_t firstPlayer = Black);

// Fills every node's judgement from the marks: a node's own mark where it has
// one; else correct when a line through it ends correct, wrong when every
// line through it ends wrong; else the mark of the nearest marked node above
// it (the moves after a correct or failed move belong to its line); else
// unknown. With `firstLineCorrect` (a collection that marks no node at all)
// the first variation, children[0] from the root down, counts as correct.
// The root's own mark is not used. Linear in the nodes, no recursion.
void ResolveJudgements(SgfTree& tree, bool firstLineCorrect);

// The tree as text, one line per node in file order (each node, then its
// variations): two spaces per depth, the move ("start" for the root, "B X,Y",
// "W X,Y", "B pass"), its judgement's token and the comment's first line.
// Iterative, like the writer. The indentation stops growing at depth
// SgfListingMaxIndent, so that a line of a hundred thousand moves lists in
// linear size.
inline constexpr int SgfListingMaxIndent = 200;
std::string SgfTreeListing(const SgfTree& tree);

// FF[4] text of the position `start` with `tree` below it: the root node as
// SgfText writes it (with `rootComment`), then every variation of the tree,
// each node's move, comment and mark (TE[1] correct, BM[1] wrong, so that the
// marks read back whatever the comment says). Iterative: a tree of any depth is written
// without recursion.
std::string SgfTreeText(const Board& start, const SgfTree& tree, std::string_view rootComment);

}  // namespace keldra
