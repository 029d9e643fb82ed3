// Composed life-and-death problems with the answers a Go player knows, as
// pictures of the top rows of the board, for the prover's tests and its
// benchmark.
#pragma once

#include <string>
#include <string_view>

#include "BAN/board.h"
#include "prover/prover.h"

namespace keldra::test {

// The top rows of a board ('.' empty, 'X' black, 'O' white; blanks ignored);
// the rows and columns not written are empty.
inline Board ComposedBoard(std::string_view rows) {
    Board b;
    InitBoard(b);
    int y = 0, x = 0;
    for (const char c : rows) {
        if (c == '\n') {
            if (x > 0) ++y;
            x = 0;
        } else if (c != ' ' && y < BoardSide && x < BoardSide) {
            ++x;
            b[x][y + 1].Stone = c == 'X' ? Black : c == 'O' ? White : Empty;
        }
    }
    return b;
}

struct Composed {
    const char* name;
    const char* rows;
    prover::Verdict verdict;
    const char* kills;    // every killing first move, X then Y order
    const char* koKills;  // every first move that kills only through ko
};

// Row 1 is the top edge (Y = 1), column 1 the left edge (X = 1).
inline const Composed ComposedProblems[] = {
    {"straight three: the middle point", R"(
        ...OX
        OOOOX
        XXXXX)", prover::Verdict::Kill, "2,1", ""},
    {"straight three with the middle taken: two eyes", R"(
        .O.OX
        OOOOX
        XXXXX)", prover::Verdict::Alive, "", ""},
    {"bent three in the corner: the bend", R"(
        ..OX
        .OOX
        OOXX
        XXX.)", prover::Verdict::Kill, "1,1", ""},
    {"bent three with the bend taken", R"(
        O.OX
        .OOX
        OOXX
        XXX.)", prover::Verdict::Alive, "", ""},
    {"pyramid four on the edge: the point touching three", R"(
        XO...OX
        XOO.OOX
        XOOOOOX
        XXXXXXX)", prover::Verdict::Kill, "4,1", ""},
    {"pyramid four with the centre taken", R"(
        XO.O.OX
        XOO.OOX
        XOOOOOX
        XXXXXXX)", prover::Verdict::Alive, "", ""},
    {"straight four on the edge lives", R"(
        XO....OX
        XOOOOOOX
        XXXXXXXX)", prover::Verdict::Alive, "", ""},
    {"square four is dead whatever black plays inside", R"(
        ..OX
        ..OX
        OOOX
        XXXX)", prover::Verdict::Kill, "1,1 1,2 2,1 2,2", ""},
    {"bulky five with its vital point taken", R"(
        .O.OX
        ..OOX
        OOOXX
        XXXX.)", prover::Verdict::Alive, "", ""},
    {"rabbity six with its vital point taken", R"(
        ........XOO..
        ........XO.O.
        ........XOO.O
        ........XXOOO
        .........XXXX)", prover::Verdict::Alive, "", ""},
    {"two-point eye: either point, white's capture is snapped back", R"(
        ..OX
        OOOX
        XXXX)", prover::Verdict::Kill, "1,1 2,1", ""},
    {"seki: neither side can fill the two shared liberties", R"(
        .XXX.OX
        OOOOOOX
        XXXXXXX)", prover::Verdict::Seki, "", ""},
    {"ko for the second eye: black wins only as ko master", R"(
        .O.OX
        OOOXX
        XXXX.)", prover::Verdict::KillByKo, "", "3,1"},
    {"one real eye and two ko eyes: black must win both kos, retaken at once by white as ko master", R"(
        XO.O.O.OX
        XXOOOOOXX
        .XXXXXXX.)", prover::Verdict::KillByKo, "", "3,1 7,1"},
    {"escape through a gap: each block of the one-point corridor kills, a move inside lets white out", R"(
        ..OX
        OOOX
        XXOX
        XX..)", prover::Verdict::Kill, "3,4 3,5 4,4 4,5 5,4", ""},
    {"white stones outside the wall are neither target nor captured", R"(
        ...OX..O
        OOOOX..O
        XXXXX..O)", prover::Verdict::Kill, "2,1", ""},
};


}  // namespace keldra::test
