// Corner problems shared by the solver tests, drawn from the top left corner
// ('.' empty, 'X' black, 'O' white; the rest of the board is empty), and
// small helpers that build positions from them.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "BAN/problem_file.h"
#include "BAN/rules.h"
#include "test_support.h"

namespace keldra::test {

// A white stone in atari inside a black enclosure: black (2,1) takes it.
inline constexpr const char* LastWhiteStoneInAtari = R"(
    O . . . X
    X . . . X
    . . . . X
    X X X X X)";

// Bent three: black's candidates are (1,2), (2,1), (1,1), and only the vital
// point (1,1) kills.
inline constexpr const char* BentThree = R"(
    . . O X
    . O O X
    O O X X
    X X X .)";

// White to move: (4,1) makes two eyes and leaves black without a candidate;
// white's candidates are (1,1), (3,1), (4,1).
inline constexpr const char* WhiteMakesTwoEyes = R"(
    . O . . X
    O O O O X
    X X X X X)";

// Eight points of eye space: the searches run deep here.
inline constexpr const char* EightPointEyeSpace = R"(
    . . . . O X
    . . . . O X
    O O O O X X
    X X X X X .)";

// A wide eye space behind a second wall: black kills, but one kill search
// of the first candidate evaluates tens of millions of nodes (seconds).
inline constexpr const char* WideEyeSpace = R"(
    . . . . . . O . X
    . . . . . . O . X
    . . . . . . O . X
    O O O O O O O . X
    . . . . . . . . X
    X X X X X X X X X)";

// White lives with two eyes: both black candidates, (5,1) and (5,2), fail.
inline constexpr const char* WhiteAlive = R"(
    O O O X . X
    . O . O . X
    O O O O O X
    X X X X X X)";

// White to move, no reply wins by force; the line counts of the candidates
// (3,1), (4,1), (4,2), (4,3), (5,3) are 0, 1, 0, 3, 3.
inline constexpr const char* WhiteCountTie = R"(
    O O . . O X
    O O O . O X
    O O O . . X
    X X X X X X)";

// The position whose top left rows are drawn in `rows` (up to 13 points a
// row, in the notation of PositionFromPicture); everything else is empty.
inline Position Corner(std::string_view rows) {
    std::string picture;
    std::string row;
    int count = 0;
    const auto endRow = [&] {
        if (row.empty()) return;
        row.resize(BoardSide, '.');
        picture += row + '\n';
        row.clear();
        ++count;
    };
    for (const char c : rows) {
        if (c == '\n') {
            endRow();
        } else if (c != ' ') {
            row += c;
        }
    }
    endRow();
    for (; count < BoardSide; ++count) picture += std::string(BoardSide, '.') + '\n';
    return PositionFromPicture(picture);
}

// An empty board but for one stone.
inline Position WithStone(int x, int y, std::uint8_t code) {
    Position pos;
    pos.at(x, y).Stone = code;
    return pos;
}

// The position turned half a circle: (X, Y) goes to (14 - X, 14 - Y).
inline Position Turned(const Position& from) {
    Position to;
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) to.at(GridSide - 1 - x, GridSide - 1 - y) = from.at(x, y);
    }
    return to;
}

// The position as a problem file stores and loads it: only the stone codes.
inline Position ThroughProblemFile(const Position& from) {
    const ProblemLoad load = ParseProblemText(ProblemFileText(from.board));
    if (!load.ok) throw std::runtime_error(load.error);
    Position pos;
    ApplyProblem(pos.board, load.stones);
    return pos;
}

// KELDRA_POSITION_STRIDE=k: the tests over hundreds of positions keep every
// k-th, so that no test dominates the sanitizer runs.
inline std::size_t PositionStride() {
    const char* env = std::getenv("KELDRA_POSITION_STRIDE");
    const long k = env ? std::atol(env) : 1;
    return k > 0 ? static_cast<std::size_t>(k) : 1;
}

// The least a count over every position must reach, scaled to the stride.
inline int AtLeast(int count) { return count / static_cast<int>(PositionStride()); }

// Every k-th of `all`, k the position stride.
inline std::vector<Position> EveryStride(const std::vector<Position>& all) {
    std::vector<Position> kept;
    for (std::size_t i = 0; i < all.size(); i += PositionStride()) kept.push_back(all[i]);
    return kept;
}

// The distinct positions of the golden cases: generated corner problems.
inline std::vector<Position> GoldenPositions() {
    std::ifstream in(test::SourcePath("tests/data/golden.txt"));
    std::set<std::string> seen;
    std::vector<Position> out;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("@position ", 0) != 0) continue;
        const std::string digits = line.substr(10);
        if (digits.size() != BoardSide * BoardSide || !seen.insert(digits).second) continue;
        Position pos;
        for (int n = 0; n < BoardSide * BoardSide; ++n) {
            pos.at(n / BoardSide + 1, n % BoardSide + 1).Stone = static_cast<std::uint8_t>(digits[n] - '0');
        }
        out.push_back(pos);
    }
    return out;
}

// Random corner problems: a region of at most 5x4 points in the top left
// corner, mostly white with a few black stones and empty points, walled in by
// black.
inline std::vector<Position> RandomCornerPositions(int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<Position> out;
    for (int k = 0; k < n; ++k) {
        const int w = 3 + static_cast<int>(rng() % 3);
        const int h = 2 + static_cast<int>(rng() % 3);
        std::string rows;
        for (int y = 1; y <= h + 1; ++y) {
            for (int x = 1; x <= w + 1; ++x) {
                const unsigned r = rng() % 100;
                if (x > w || y > h) {
                    rows += (x > w && y > h) ? '.' : 'X';
                } else {
                    rows += r < 55 ? 'O' : r < 70 ? 'X' : '.';
                }
            }
            rows += '\n';
        }
        out.push_back(Corner(rows));
    }
    return out;
}

}  // namespace keldra::test
