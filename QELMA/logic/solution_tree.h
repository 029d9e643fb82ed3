// The solution tree window's logic: the book's variations as an indented
// list with their judgements, and the position at a node of it, shown on the
// board for a while and taken away again with the board as it was.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "BAN/board_marks.h"
#include "BAN/game.h"
#include "BAN/sgf/sgf_tree.h"

namespace keldra {

struct SolutionTreeRow {
    int node = 0;   // index in the tree
    int depth = 1;  // 1 for black's first moves
    std::string text;
};

// One row per node below the root, each variation after the line above it
// (the main line first), at most `maxRows`: two spaces of indentation per
// depth below the first (no deeper than MaxIndentDepth), the mark ("○"
// correct, "×" wrong, "コウ" when the comment speaks of a ko, "・"
// otherwise), the move ("黒 4 3", "白 パス") and the comment's first line.
inline constexpr int MaxIndentDepth = 24;
std::vector<SolutionTreeRow> SolutionTreeRows(const SgfTree& tree, std::size_t maxRows = SIZE_MAX);

// What 解答図 lists: a tree over the position it starts from, and the line
// above it saying where the tree comes from.
struct ListedTree {
    const SgfTree* tree = nullptr;
    Board start{};
    std::string header;
};

// The position at `node`: the moves from the root to it played on `start`
// by the rules, and a number mark on each stone of the line still standing.
struct TreePosition {
    Board board{};
    std::vector<BoardMark> numbers;
};
TreePosition PositionAtNode(const Board& start, const SgfTree& tree, int node);

// Shows positions of the tree on the game's board while the window is open;
// Restore puts back the board and its last move exactly as they were. The
// record is never touched.
class TreePreview {
public:
    explicit TreePreview(Position& pos) : pos_(pos), saved_(pos.board), lastX_(pos.LastX), lastY_(pos.LastY) {}
    ~TreePreview() { Restore(); }
    TreePreview(const TreePreview&) = delete;
    TreePreview& operator=(const TreePreview&) = delete;

    // Puts the position at `node` on the board; returns its number marks.
    std::vector<BoardMark> Show(const Board& start, const SgfTree& tree, int node);
    void Restore();

private:
    Position& pos_;
    Board saved_;
    std::uint8_t lastX_, lastY_;
    bool shown_ = false;
};

}  // namespace keldra
