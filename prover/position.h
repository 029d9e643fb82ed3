// The prover's position: a copy-make grid of stone codes with a Zobrist
// hash, the target marks, and the tests that end a game (every target
// captured, escape, two passes, unconditional life).
#pragma once

#include <array>
#include <cstdint>

#include "BAN/board.h"
#include "prover/grid.h"
#include "prover/problem_setup.h"

namespace keldra::prover {

// How a run treats ko and the end of the game.
struct SearchRules {
    std::uint8_t koMaster = White;  // may retake any ko at once
    bool unconditional = false;     // two passes in a row win for black (the seki test)
    // Mixed into every key: a run with its own salt shares no table entry
    // with other runs.
    std::uint64_t salt = 0;
    // White as ko master wins every ko it retakes at once, and then resolves
    // it: it moves again, with a stone (a pass would leave the ko as it
    // was). A ko that white cannot turn into life even so is one-sided, and
    // black kills.
    bool resolveKo = false;
    // Ko threats, counted: a side that is not ko master and has a threat
    // left may retake a barred ko at once, and uses one up. The retake at
    // once stands for a threat elsewhere, the opponent's answer and the
    // retake. The budgets are the threats each side starts with (at most
    // MostThreats); the threats left are part of every key. koMaster is
    // then Empty: no side is unlimited.
    bool countThreats = false;
    std::uint8_t blackThreats = 0, whiteThreats = 0;
};

inline constexpr int MostThreats = 15;

struct SearchNode {
    Cells cell;                  // Empty, Black, White or EdgeCell
    std::uint64_t stones = 0;    // Zobrist hash of the stones
    std::uint8_t toMove = Black;
    std::uint8_t koBan = 0;      // point barred to toMove (0 none), unless toMove is ko master
    std::uint8_t lastPass = 0;   // the previous move was a pass
    std::uint8_t mustMove = 0;   // white has just retaken a ko and resolves it: no pass
    std::uint8_t escaped = 0;    // a target group reached the ring or a surrounding stone
    std::uint8_t captured = 0;   // the move that made this node took stones
    std::uint16_t targets = 0;   // target stones on the board
    std::uint8_t blackStones = 0, whiteStones = 0;  // on the board
    // Ko threats left, by colour (Black, White), when the rules count them.
    std::array<std::uint8_t, 3> threats{};
    // Target stones: the target group's stones, every white stone played on
    // an enclosed point (unless it joins other white stones) and every white
    // stone of a group that a target stone joins, until captured.
    std::array<std::uint64_t, 4> target{};
    bool isTarget(int i) const { return (target[static_cast<std::size_t>(i) >> 6] >> (i & 63)) & 1u; }
    void setTarget(int i, bool on) {
        const std::uint64_t bit = std::uint64_t{1} << (i & 63);
        auto& word = target[static_cast<std::size_t>(i) >> 6];
        word = on ? (word | bit) : (word & ~bit);
    }
};

SearchNode RootNode(const Board& board, const ProblemSetup& setup, std::uint8_t toMove);

// Gives `n` the threat budgets of `rules` (when they count threats) as the
// threats left.
void GiveThreats(SearchNode& n, const SearchRules& rules);

// The identity of a node for the table and for repetition: the stones, the
// side to move, a ko ban that binds the side to move (with resolveKo, any ko
// ban: white's retake then differs from a plain capture), the flag of white's
// resolving move, the pass flag when two passes end the game for black, the
// threats left when the rules count them, and the rules of the run.
std::uint64_t KeyOf(const SearchNode& n, const SearchRules& rules);

// Plays `move` (a movable empty point or PassMove) for from.toMove into `to`.
// Returns false for an illegal move: occupied, ko-banned (with no threat left
// to use where the rules count threats) or self-capture.
// `atRoot` adds the bans of the board's own ko marks, which bind the side to
// move unless it is ko master. With rules.resolveKo, white's retake at once
// leaves white to move again, and then a pass is illegal.
bool PlayInto(const SearchNode& from, int move, SearchNode& to, const ProblemSetup& setup,
              const SearchRules& rules, FillScratch& fs, bool atRoot);

enum class Outcome : std::uint8_t { None, BlackWins, WhiteWins };

// The result of a node that ends the search by itself, given the move that
// reached it: every target stone captured, escape, two passes, or (unless
// `testLife` is false: the search tests it when it enters the node) a
// target chain that lives unconditionally, or (unless `testSpace` is
// false: the search skips it where no eye space can be dead) a dead eye
// space (eye_space.h).
Outcome TerminalOf(const SearchNode& reached, int move, bool previousWasPass, const ProblemSetup& setup,
                   const SearchRules& rules, FillScratch& fs, bool testLife = true, bool testSpace = true);

// Black to move and some target chain alive by Benson's test.
bool LivesByItself(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs);

// Empty movable points whose neighbours are only white stones or the edge:
// a cheap count of white's eye space. `liberties`, when given, gains the
// empty movable points next to a target stone.
int EyeLikePoints(const SearchNode& n, const ProblemSetup& setup, int* liberties = nullptr);

// The same two counts for `child`, made from `parent` by `move` (not a pass,
// taking no stones), from the parent's counts: only the move's point and its
// neighbours change.
void EyeLikePointsAfter(const SearchNode& parent, const SearchNode& child, int move, const ProblemSetup& setup,
                        int& eyes, int& liberties);

}  // namespace keldra::prover
