// Fitting an SGF problem onto the 13x13 board: black plays first, and the
// corner the stones lie in stays a corner of the board.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "BAN/board.h"
#include "BAN/problem_file.h"
#include "BAN/sgf/sgf_reader.h"
#include "BAN/sgf/sgf_tree.h"

namespace keldra {

struct FittedProblem {
    bool ok = false;
    std::string error;      // the message to show when !ok
    ProblemStones stones{};  // the position in problem-file order
    // The main line's moves that stand on the fitted board, in order, at most
    // MaxMoves: the line ends at a pass, a point off the 13 lines, an occupied
    // point or a move the rules take back.
    std::vector<MoveRecord> record;
    bool swapped = false;  // white played first: the colours were exchanged
    // The first marked point of the file that holds a white stone on the
    // fitted board: the problem's target; 0, 0 when none.
    std::uint8_t targetX = 0, targetY = 0;
    int dx = 0, dy = 0;    // added to the file's coordinates
    // The game tree on the fitted board: every move moved by dx, dy, its
    // colour exchanged when `swapped`; a move that lands off the 13 lines is
    // a pass (a tenuki). Comments in the file's bytes, judgements resolved.
    SgfTree tree;
    // Lines for the memo when the problem opens with a doubt (white's area
    // at the cut side, a tree cut short); empty when there is none.
    std::string warning;
};

// Each axis is placed on its own. A side of 13 lines stays as it is. A side of
// more or fewer lines keeps one of its two edges: the stones keep their
// distance to that edge, and the line that ends up facing it (the cut of a
// larger board, the far edge of a smaller one) must not touch white's area:
// the white stones and the points reached from them in at most two steps that
// do not cross a black stone. Where both edges would do, the one nearer to
// white's area (to the stones, without white) is kept; on a tie, the left or
// top edge. A file that no placement fits is refused. Where the stones fit
// but white's area touches the line facing the kept edge on every placement,
// the problem opens with FitEdgeWarning: white may have more room on the
// full board than on the 13x13.
//
// When white plays first (PL[W], or no PL and a main line starting with
// white), the colours of stones and moves are exchanged before fitting.
FittedProblem FitSgfGame(const SgfGame& game);

inline constexpr std::string_view SwappedColoursNote = KTEXT("白先の問題のため色を入れ替えました");
std::string FitNoCornerMessage(int width, int height);
std::string FitEdgeMessage(int width, int height);
std::string FitEdgeWarning(int width, int height);
inline constexpr std::string_view TreeCutWarning = KTEXT("解答図が大きすぎるため一部を読み込みませんでした");

}  // namespace keldra
