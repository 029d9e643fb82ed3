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
    // Kos that white wins and still cannot resolve: the stone that makes
    // its second eye stays in atari, and white could only end the ko by
    // filling the eye. A one-sided ko: black kills.
    {"a false eye's ko for the second eye: white cannot resolve it, black kills", R"(
        .O.OX
        OOOXX
        XXXX.)", prover::Verdict::Kill, "3,1", ""},
    {"one real eye and two ko eyes, both false: black takes either", R"(
        XO.O.O.OX
        XXOOOOOXX
        .XXXXXXX.)", prover::Verdict::Kill, "3,1 7,1", ""},
    {"escape through a gap: each block of the one-point corridor kills, a move inside lets white out", R"(
        ..OX
        OOOX
        XXOX
        XX..)", prover::Verdict::Kill, "3,4 3,5 4,4 4,5 5,4", ""},
    {"bulky five: only its vital point kills", R"(
        ...OX
        ..OOX
        OOOXX
        XXXX.)", prover::Verdict::Kill, "2,1", ""},
    {"rabbity six: only its vital point kills", R"(
        ........XOO..
        ........XO...
        ........XOO.O
        ........XXOOO
        .........XXXX)", prover::Verdict::Kill, "12,2", ""},
    {"flower five: only the centre kills", R"(
        XOO.OOX
        XO...OX
        XOO.OOX
        XOOOOOX
        XXXXXXX)", prover::Verdict::Kill, "4,2", ""},
    {"flower five with the centre taken", R"(
        XOO.OOX
        XO.O.OX
        XOO.OOX
        XOOOOOX
        XXXXXXX)", prover::Verdict::Alive, "", ""},
    // With no outside liberty white cannot answer the vital point by taking
    // the corner (its group would be short of liberties); after black takes
    // white's stone there, white's capture of two stones leaves a ko in the
    // corner. No rule here calls the shape dead as it stands, so black kills
    // only by winning that ko: a kill by ko.
    {"bent four in the corner: the vital point leads to a ko", R"(
        ...OX
        .OOOX
        OOXXX
        XXX..)", prover::Verdict::KillByKo, "", "2,1"},
    {"two black stones inside the bent four: either empty point kills", R"(
        .XXOX
        .OOOX
        OOXXX
        XXX..)", prover::Verdict::Kill, "1,1 1,2", ""},
    // White's second eye needs one of two kos: black takes the one on the
    // left, white takes black's stone on the right. Either eye hangs on a
    // white stone in atari that white cannot save: once black connects one
    // ko, the other is one-sided, and black kills.
    {"double ko of false eyes: black takes one, connects, and the other is one-sided", R"(
        XO.O.OX.X
        XXOOOOOXX
        .XXXXXXX.)", prover::Verdict::Kill, "3,1 8,1", ""},
    {"approach ko on a false eye: black fills the outside liberty, and white cannot resolve the ko", R"(
        .O.O.X
        OOOXXX
        XXXX..)", prover::Verdict::Kill, "5,1", ""},
    // A ko that white resolves: black's 1,2 takes 1,1; after white retakes
    // it captures black's stone at 2,1 with its second move and lives. Black
    // kills only by winning the ko.
    {"direct ko: white retakes, then captures the stone inside and lives", R"(
        OX.OX
        .O.OX
        OOOOX
        XXXXX)", prover::Verdict::KillByKo, "", "1,2"},
    // Fujisawa Shuuko, elementary problem 5: after B 8,3 W 8,2 B 6,1 W 7,3
    // B 7,1 W 7,2 B 7,4 black's capture at 8,3 starts a ko that white wins
    // and still cannot turn into a second eye: the book's kill.
    {"a book's kill through a one-sided ko: the placement at 8,3", R"(
        ....X..O.OX
        ....XO..OOX
        ....XO..OXX
        ....XO.OX..
        ....X.XXX..)", prover::Verdict::Kill, "8,3", ""},
    // Black's atari from outside at (6,1): connecting at (3,1) leaves white
    // one liberty, the eye, and black takes everything (connect and die).
    // The cut at (3,1) ataris both white groups at once and kills too.
    {"connect and die: the atari from outside, or the cut", R"(
        .O.OO.X
        OOXXXXX
        XXX....)", prover::Verdict::Kill, "3,1 6,1", ""},
    // Black's throw-in at (3,1) ataris the stone at (2,1); white's capture
    // at (4,1) leaves its whole group one liberty, (3,1), and black takes
    // the group. The block at (4,1) kills too: white's connection at (3,1)
    // leaves one liberty, the corner point, which black's inner stones
    // share.
    {"throw-in: white's capture leaves its group one liberty", R"(
        .O..X
        XXOOX
        OOOOX
        XXXXX)", prover::Verdict::Kill, "3,1 4,1", ""},
    // White can capture the wall stone at (3,1) from (4,1); black answers
    // with the atari at (5,1), outside the eye space, and the capture
    // gains white nothing. Without (5,1) among the moves the capture
    // looked like a second eye and the corner a seki.
    {"bent three after a capture; the wall stone white may take is retaken by an atari outside", R"(
        OOX..
        .OOXX
        ..OOX
        OOOOX
        XXXXX)", prover::Verdict::Kill, "1,3", ""},
    // Black's stone at (4,1) has one liberty outside the eye space. Its
    // throw-in at (3,1) is a self-atari: white captures both stones from
    // (5,1), and its capturing stone runs out along the edge. Black first
    // connects the stone, makes (5,1) white's self-atari, or stands at (6,2)
    // where white's stone would run.
    {"self-atari of a wall stone: white captures it from outside", R"(
        OO.X.
        O.OOX
        OOOXX
        XXXX.)", prover::Verdict::Kill, "5,1 6,1 6,2", ""},
    // Open boards, as collections print corner problems: black's wall steps
    // diagonally or leaves gaps, and the board beyond it is empty.
    {"open board: straight three behind a diagonal wall", R"(
        ..XO...OX....
        ..XOOOOOX....
        ...XXXXX.....)", prover::Verdict::Kill, "6,1", ""},
    {"open board: straight three, white stones of the surroundings beyond the wall", R"(
        ..XO...OX....
        ..XOOOOOX....
        ...XXXXX.....
        .............
        ..O..O...O...)", prover::Verdict::Kill, "6,1", ""},
    {"open board: bulky five with outside liberties, single wall stones", R"(
        ...OX....
        ..OOX....
        OOO.X....
        ...X.....
        XXX......)", prover::Verdict::Kill, "2,1", ""},
    {"white stones outside the wall are neither target nor captured", R"(
        ...OX..O
        OOOOX..O
        XXXXX..O)", prover::Verdict::Kill, "2,1", ""},
    // Black's stone at the left end of the fifth line takes the white pair
    // below the wall into black's rectangle; the pair reaches the open board
    // without touching black, so it is the surroundings, not a target that
    // lives by running away.
    {"white stones beyond the wall but inside black's rectangle belong to the surroundings", R"(
        ..XO...OX....
        ..XOOOOOX....
        ...XXXXX.....
        .............
        X..OO........)", prover::Verdict::Kill, "6,1", ""},
};

// Problems with two or three white groups. The target is the groups that
// black's stones enclose, or the group of the stone named (targetX, targetY);
// the other groups in black's reach are the surroundings. `target` is the
// target's first stone, X then Y order.
struct MultiGroup {
    const char* name;
    const char* rows;
    std::uint8_t targetX, targetY;  // 0, 0: the default target
    prover::Verdict verdict;
    const char* kills;
    const char* koKills;
    const char* target;
};

inline const MultiGroup MultiGroupProblems[] = {
    // The cutting stone at (5,2) is enclosed too, so it belongs to the
    // target. The atari from outside at (6,2) (or the net at 6,3 or 7,2)
    // leaves white's connection at (5,1) two liberties, both in the corner:
    // connect and die. The cut at (5,1) lets the cutting stone run out.
    {"connect and die: the atari on the cutting stone from outside", R"(
        ..OO.X..
        OOOXO...
        XXXXX...)", 0, 0, prover::Verdict::Kill, "6,2 6,3 7,2", "", "1,2"},
    // Only the corner group named: the cut at (5,1) kills it too, however far
    // the cutting stone runs; with the corner group's two liberties inside,
    // every move that keeps the cut in hand kills.
    {"connect and die, the corner group named: the cut kills as well", R"(
        ..OO.X..
        OOOXO...
        XXXXX...)", 3, 1, prover::Verdict::Kill, "5,1 6,2 6,3 6,4 7,1 7,2 7,3", "", "1,2"},
    // The cutting stone at (5,2) holds black's stone at (5,1) in atari.
    // Black captures the cutter at (5,3), or saves its stone at (6,1) (the
    // cutter cannot run then). The eye points inside (1,1), (2,1) and the
    // hane at (7,1) kill too: white takes (5,1) from (6,1), and black's
    // atari on that stone from (7,1), or its retake at (5,1), leaves white
    // one eye; so does (7,2), which stands where that stone would run.
    {"cutting stones: black captures the cutter or saves the stone it holds in atari", R"(
        ..OOX..
        OOOXOX.
        XXXX.X.
        ....X..)", 0, 0, prover::Verdict::Kill, "1,1 2,1 5,3 6,1 7,1 7,2", "", "1,2"},
    // The white chain beyond black's wall reaches the open board: it is the
    // surroundings, and its running away ends nothing. The straight three
    // inside dies at its middle point.
    {"a white chain outside runs away while the straight three inside dies", R"(
        ...OX...
        OOOOXO..
        XXXXXO..
        .......X)", 0, 0, prover::Verdict::Kill, "2,1", "", "1,2"},
    {"three groups: the chain outside and a lone stone beyond it change nothing", R"(
        ...OX..O
        OOOOXO..
        XXXXXO..
        .......X)", 0, 0, prover::Verdict::Kill, "2,1", "", "1,2"},
    // The corner group's links at (4,1) and (4,2) to the group with two eyes
    // are miai: one group as a player sees it, and it lives.
    {"the inner group lives by joining a group with two eyes", R"(
        ..O.O.O.OX
        OOO.OOOOOX
        XXXX.....X
        .........X)", 0, 0, prover::Verdict::Alive, "", "", "1,2"},
    // Two enclosed groups: a two-point eye and a straight four. By default
    // both are the target, and the straight four lives; naming the corner
    // group makes it a kill, naming the straight four leaves it alive.
    {"two enclosed groups, one alive: white lives", R"(
        ..OXXO....OX
        OOOXXOOOOOOX
        XXXXXXXXXXXX)", 0, 0, prover::Verdict::Alive, "", "", "1,2"},
    {"two enclosed groups, the dead one named: it dies whatever black plays", R"(
        ..OXXO....OX
        OOOXXOOOOOOX
        XXXXXXXXXXXX)", 3, 1, prover::Verdict::Kill, "1,1 2,1 7,1 8,1 9,1 10,1", "", "1,2"},
    {"two enclosed groups, the living one named: white lives", R"(
        ..OXXO....OX
        OOOXXOOOOOOX
        XXXXXXXXXXXX)", 6, 1, prover::Verdict::Alive, "", "", "6,1"},
    // Black's stone in the tiger's mouth at (6,1) is taken from (5,1), but
    // white's connection there after black's atari leaves the strings one
    // liberty: the mouth joins nothing, and the stones inside are the
    // target, not one group with the chain that runs out at (8,4).
    {"connect and die: a tiger's mouth whose connection is short", R"(
        ...O..O..
        ..XXOOXO.
        ..XXXXXO.
        .......O.)", 0, 0, prover::Verdict::Kill, "3,1 5,1 6,1 8,1", "", "4,1"},
    // Nothing enclosed: the stone in atari is the problem, not the larger
    // chain beside it, which lives on the open board.
    {"open board: the stone in atari is the target, not the larger chain", R"(
        .......
        ..XOO..
        .XOX...
        .......)", 0, 0, prover::Verdict::Kill, "3,4", "", "3,3"},
};

// Classical-style open corners the benchmark times; no answer is asserted
// (the proof may run out of time), the table shows what the prover says.
inline const Composed OpenCornerProblems[] = {
    {"open corner: four on the second line, black's hane stone at the far end", R"(
        .......
        OOOO.X.
        XXXX...)", prover::Verdict::Unknown, "", ""},
    {"open corner: five on the second line, a gap in black's third line", R"(
        .....X.
        OOOOO.X
        XX.XX..)", prover::Verdict::Unknown, "", ""},
};

// Classical corners as collections print them, open board beyond a loose
// wall, each with the book's killing move: the prover must list it among
// its killing (or ko-killing) first moves.
struct ClassicalCorner {
    const char* name;
    const char* rows;
    const char* book;  // X,Y
};

inline const ClassicalCorner ClassicalCorners[] = {
    {"bent three behind a diagonal wall, outside liberties", R"(
        ..OX...
        .OOX...
        OO.X...
        ..X....
        X......)", "1,1"},
    // The wall's sides are joined to the edge: with (1,4) or (7,4) empty,
    // white's atari there from outside breaks the wall and the six lives.
    {"rabbity six along the top, single stones below", R"(
        X.O..OX..
        XO...OX..
        XOO.OOX..
        XXOOOXX..
        ..X.X....
        ...X.....)", "4,2"},
    {"three on the second line, black's stones below: the block at the end", R"(
        .......
        OOO....
        ..XX...
        X......)", "4,2"},
    {"bent three with outside liberties, wall in one-point jumps", R"(
        ..O.X....
        .OOOX....
        OO.X.....
        ..X......
        X........)", "1,1"},
    {"straight three on the edge, the wall below in one-point jumps", R"(
        ...OX..
        OOOOX..
        .....X.
        X.X....)", "2,1"},
    {"bulky five in the corner, the wall on the fifth line", R"(
        ...OX..
        ..OOX..
        OOO.X..
        .......
        XXX....)", "2,1"},
};

// Kos as a player tells them apart: each ko kill with the threats each side
// needs, "X,Y,B,W" (B black's threats to kill when white has none, W white's
// to live when black has none, "more" past three), X then Y order; the ko
// kills listed (the best for black) and the weaker ones.
struct KoStatusProblem {
    const char* name;
    const char* rows;
    prover::Verdict verdict;
    const char* kills;
    const char* koKills;
    const char* weakerKo;
    const char* threats;
};

inline const KoStatusProblem KoStatusProblems[] = {
    // Black's 3,1 takes 2,1 at once and its stone stands in atari: white
    // needs a threat to retake.
    {"direct ko, black takes first", R"(
        XO.OX
        .XOOX
        OOOOX
        XXXXX)", prover::Verdict::KillByKo, "", "3,1", "", "3,1,0,1"},
    // The direct ko above (black's 1,2 takes 1,1): white's atari at 3,1
    // answers it, and the ko that decides is one that white takes first:
    // black needs a threat.
    {"direct ko, white takes first", R"(
        OX.OX
        .O.OX
        OOOOX
        XXXXX)", prover::Verdict::KillByKo, "", "1,2", "", "1,2,1,0"},
    // Black starts the ko when it likes, and white must find the first
    // threat: the ko is black's to take first.
    {"bent four in the corner", R"(
        ...OX
        .OOOX
        OOXXX
        XXX..)", prover::Verdict::KillByKo, "", "2,1", "", "2,1,0,1"},
    // Two ko kills: at 3,1 black takes first (white needs a threat); at 1,2
    // black must win the ko twice over (two threats): the weaker ko.
    {"two kos of unequal worth: the weaker is not listed", R"(
        .X.OX
        .O.OX
        OOOOX
        XXXXX)", prover::Verdict::KillByKo, "", "3,1", "1,2", "1,2,2,0 3,1,0,1"},
    // Black's 2,1 leaves a ko that black takes only after an approach
    // move: black needs two threats, white none.
    {"approach ko: black needs two threats", R"(
        ...OX
        XO.OX
        OOOOX
        XXXXX)", prover::Verdict::KillByKo, "", "2,1", "", "2,1,2,0"},
    // Black kills outright at five points; its 2,1 is a ko that white
    // needs two threats for: an approach ko in black's favour. A kill
    // outright has no count.
    {"approach ko in black's favour beside kills outright: white needs two threats", R"(
        O...X
        .O.OX
        O..OX
        XXXXX)", prover::Verdict::Kill, "2,3 3,1 3,2 3,3 4,1", "2,1", "", "2,1,0,2"},
    // Black's 1,2 takes a ko that white, as ko master retaking it and
    // moving again at once, wins; but a white threat and retake gives black
    // a move, and black's 3,3 kills: no number of threats saves white.
    {"a ko that three white threats do not win", R"(
        OX.OX
        .OXOX
        OO.OX
        XXXXX)", prover::Verdict::Kill, "3,3", "1,2", "", "1,2,0,more"},
    // Black kills outright: no ko to count.
    {"double ko of false eyes", R"(
        XO.O.OX.X
        XXOOOOOXX
        .XXXXXXX.)", prover::Verdict::Kill, "3,1 8,1", "", "", ""},
};

}  // namespace keldra::test
