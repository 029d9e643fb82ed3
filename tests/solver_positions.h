// Corner problems shared by the search and hint tests, as pictures ('.'
// empty, 'X' black, 'O' white; row r is Y = r + 1, column c is X = c + 1).
#pragma once

namespace keldra::test {

// A white stone in atari inside a black enclosure: black (2,1) takes it.
inline constexpr const char* LastWhiteStoneInAtari = R"(
    O . . . X . . . . . . . .
    X . . . X . . . . . . . .
    . . . . X . . . . . . . .
    X X X X X . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .)";

// Bent three in the corner: black's candidates are (1,2), (2,1), (1,1), and
// only the vital point (1,1) kills.
inline constexpr const char* BentThree = R"(
    . . O X . . . . . . . . .
    . O O X . . . . . . . . .
    O O X X . . . . . . . . .
    X X X . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .)";

// White to move: (4,1) makes two eyes and leaves black without a candidate;
// white's candidates are (1,1), (3,1), (4,1).
inline constexpr const char* WhiteMakesTwoEyes = R"(
    . O . . X . . . . . . . .
    O O O O X . . . . . . . .
    X X X X X . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .)";

// Eight points of eye space: the searches run deep here.
inline constexpr const char* EightPointEyeSpace = R"(
    . . . . O X . . . . . . .
    . . . . O X . . . . . . .
    O O O O X X . . . . . . .
    X X X X X . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .)";

// White lives with two eyes: both black candidates, (5,1) and (5,2), fail.
inline constexpr const char* WhiteAlive = R"(
    O O O X . X . . . . . . .
    . O . O . X . . . . . . .
    O O O O O X . . . . . . .
    X X X X X X . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .)";

// White to move, no reply wins by force; the line counts of the candidates
// (3,1), (4,1), (4,2), (4,3), (5,3) are 0, 1, 0, 3, 3.
inline constexpr const char* WhiteCountTie = R"(
    O O . . O X . . . . . . .
    O O O . O X . . . . . . .
    O O O . . X . . . . . . .
    X X X X X X . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .)";

// One stone in the centre: neither colour has a candidate when it is black;
// black has four and white none when it is white.
inline constexpr const char* LoneWhiteStone = R"(
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . O . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .)";

inline constexpr const char* LoneBlackStone = R"(
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . X . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .)";

}  // namespace keldra::test
