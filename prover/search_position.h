// The prover's own position: a copy-make grid of stone codes with a Zobrist
// hash, the problem's fixed set-up (where moves are searched, which stones
// are never captured, where a white stone has escaped), and the terminal
// tests (capture of every target stone, escape, unconditional life).
#pragma once

#include <array>
#include <cstdint>

#include "BAN/board.h"

namespace keldra::prover {

// Grid index x * GridSide + y, as the Board stores its points. Index 0 is a
// border corner, never a move, so it stands for a pass.
inline constexpr int PassMove = 0;
inline constexpr std::uint8_t EdgeCell = 3;
inline constexpr int AreaMargin = 1;
// Black's rectangle closes on the board's edge when it stops this many
// lines short of it or fewer.
inline constexpr int EdgeReach = 3;

// What the position alone says about the problem. Read-only during search,
// shared by every thread.
struct ProblemSetup {
    bool hasTarget = false;
    bool hasOpenSide = false;  // some region point leads to the ring
    int x0 = 1, x1 = BoardSide, y0 = 1, y1 = BoardSide;  // the play area
    std::array<std::uint8_t, GridPoints> safe{};     // a stone here is never captured
    std::array<std::uint8_t, GridPoints> movable{};  // moves are searched here
    std::array<std::uint8_t, GridPoints> ring{};     // a white stone here has escaped
    std::array<std::uint8_t, GridPoints> rootBan{};  // barred to the side to move at the root
    std::array<std::uint8_t, GridPoints> enclosed{};  // region points the ring cannot be reached from
    std::array<std::uint8_t, GridPoints> openSide{};  // region points the ring can be reached from
    std::array<std::uint8_t, GridPoints> initialTarget{};
    std::array<std::uint8_t, GridSide * GridSide> moves{};  // the movable points, X outer, Y inner
    int moveCount = 0;

    bool inArea(int i) const {
        const int x = i / GridSide, y = i % GridSide;
        return x >= x0 && x <= x1 && y >= y0 && y <= y1;
    }
};

// Builds the set-up from a board, whose Stone codes 1 and 2 are stones and
// everything else is empty. `toMove` is the colour whose KoMark bans count.
ProblemSetup SetupOf(const Board& board, std::uint8_t toMove);

// How a run treats ko and the end of the game.
struct SearchRules {
    std::uint8_t koMaster = White;  // may retake any ko at once
    bool unconditional = false;     // two passes in a row win for black (the seki test)
    // Mixed into every key: a run with its own salt shares no table entry
    // with other runs.
    std::uint64_t salt = 0;
};

struct SearchNode {
    std::array<std::uint8_t, GridPoints> cell;  // Empty, Black, White or EdgeCell
    std::uint64_t stones = 0;                   // Zobrist hash of the stones
    std::uint8_t toMove = Black;
    std::uint8_t koBan = 0;      // point barred to toMove (0 none), unless toMove is ko master
    std::uint8_t lastPass = 0;   // the previous move was a pass
    std::uint8_t escaped = 0;    // a target group reached the ring or a surrounding stone
    std::uint8_t captured = 0;   // the move that made this node took stones
    std::uint16_t targets = 0;   // target stones on the board
    std::uint8_t blackStones = 0, whiteStones = 0;  // on the board
    // Target stones: the target groups' stones, and every white stone played
    // on an enclosed point or joining a target stone, until captured.
    std::array<std::uint64_t, 4> target{};
    bool isTarget(int i) const { return (target[static_cast<std::size_t>(i) >> 6] >> (i & 63)) & 1u; }
    void setTarget(int i, bool on) {
        const std::uint64_t bit = std::uint64_t{1} << (i & 63);
        auto& word = target[static_cast<std::size_t>(i) >> 6];
        word = on ? (word | bit) : (word & ~bit);
    }
};

// Scratch for group fills; one per thread.
struct FillScratch {
    std::array<std::uint32_t, GridPoints> stamp{};
    std::uint32_t now = 0;
    std::array<std::uint8_t, GridPoints> stack{};
    std::array<std::uint8_t, GridPoints> group{};
};

// A set of grid points, one bit each.
using PointMask = std::array<std::uint64_t, 4>;
inline bool HasPoint(const PointMask& m, int i) { return (m[static_cast<std::size_t>(i) >> 6] >> (i & 63)) & 1u; }
inline void AddPoint(PointMask& m, int i) { m[static_cast<std::size_t>(i) >> 6] |= std::uint64_t{1} << (i & 63); }

// The points of the open side within n.toMove's reach: next to a target
// stone (black: next to any white stone), next to a target's liberty, or a
// liberty of a black group that may be captured and has at most two (where
// either side fights for a wall group in danger). A move further out only
// waits, and the other side may answer a wait with a pass (black never needs
// to pass: white passes and keeps its stones).
PointMask ReachOf(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs);

// True unless `move` lies on the open side out of `reach` (ReachOf the
// position): the side to move does not play there.
inline bool WithinReach(int move, const ProblemSetup& setup, const PointMask& reach) {
    return move == PassMove || !setup.openSide[static_cast<std::size_t>(move)] || HasPoint(reach, move);
}

SearchNode RootNode(const Board& board, const ProblemSetup& setup, std::uint8_t toMove);

// The identity of a node for the table and for repetition: the stones, the
// side to move, a ko ban that binds the side to move, the pass flag when two
// passes end the game for black, and the rules of the run.
std::uint64_t KeyOf(const SearchNode& n, const SearchRules& rules);

// Plays `move` (a movable empty point or PassMove) for from.toMove into `to`.
// Returns false for an illegal move: occupied, ko-banned or self-capture.
// `rootBan` adds the bans of the board's own ko marks.
bool PlayInto(const SearchNode& from, int move, SearchNode& to, const ProblemSetup& setup,
              const SearchRules& rules, FillScratch& fs, bool atRoot);

enum class Outcome : std::uint8_t { None, BlackWins, WhiteWins };

// The result of a node that ends the search by itself, given the move that
// reached it: every target stone captured, escape, two passes, or (unless
// `testLife` is false: the search tests it when it enters the node) a
// target chain that lives unconditionally.
Outcome TerminalOf(const SearchNode& reached, int move, bool previousWasPass, const ProblemSetup& setup,
                   const SearchRules& rules, FillScratch& fs, bool testLife = true);

// Black to move and some target chain alive by Benson's test.
bool LivesByItself(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs);

// True when some target chain is alive whatever black plays (Benson's test,
// with safe stones counted alive and regions that leave the area never vital).
bool WhiteUnconditionallyAlive(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs);

// Empty movable points whose neighbours are only white stones or the edge:
// a cheap count of white's eye space. `liberties`, when given, gains the
// empty movable points next to a target stone.
int EyeLikePoints(const SearchNode& n, const ProblemSetup& setup, int* liberties = nullptr);

// The same two counts for `child`, made from `parent` by `move` (not a pass,
// taking no stones), from the parent's counts: only the move's point and its
// neighbours change.
void EyeLikePointsAfter(const SearchNode& parent, const SearchNode& child, int move, const ProblemSetup& setup,
                        int& eyes, int& liberties);

inline int PointX(int i) { return i / GridSide; }
inline int PointY(int i) { return i % GridSide; }

}  // namespace keldra::prover
