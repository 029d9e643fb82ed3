// The candidate generator: the region, the legality test, the near-stone
// filter, the corner-edge order, and the board left as it was found.
#include <gtest/gtest.h>

#include <string>

#include "solver/candidates.h"
#include "solver_positions.h"
#include "test_support.h"

namespace keldra {
namespace {

using test::Corner;
using test::PictureOf;
using test::Turned;
using test::WithStone;

// "(7,6) (6,7)": the list as a reader compares it with the picture.
std::string Listed(const CandidateList& list) {
    std::string out;
    for (int i = 1; i <= list.count; ++i) {
        if (!out.empty()) out += ' ';
        out += '(';
        out += std::to_string(list.entry(i).X) + "," + std::to_string(list.entry(i).Y) + ")";
    }
    return out;
}

// Generates for `colour` and checks what every call must leave behind: the
// board as `expected` (the entry board with any 5 or 7 emptied), no last
// move, flags 1 on a list of two or more.
CandidateList Generate(Position& pos, int colour, const Board& expected, const std::string& what) {
    pos.LastX = 6;
    pos.LastY = 9;
    CandidateList list;
    GenerateCandidates(pos, colour, list);
    EXPECT_EQ(pos.board, expected) << what << "\nafter:\n" << PictureOf(pos.board);
    EXPECT_EQ(pos.LastX, 0) << what;
    EXPECT_EQ(pos.LastY, 0) << what;
    if (list.count >= 2) {
        for (int i = 1; i <= list.count; ++i) EXPECT_EQ(list.entry(i).flag, 1) << what << " entry " << i;
    }
    return list;
}

Board WithoutMarks(Board b) {
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (b[x][y].Stone == RangeMark || b[x][y].Stone == RegionMark) b[x][y].Stone = Empty;
        }
    }
    return b;
}

Position BlackRow(int y) {
    Position pos;
    for (int x = 1; x <= BoardSide; ++x) pos.at(x, y).Stone = Black;
    return pos;
}

TEST(GenerateCandidates, ListsOfTheProblemShapes) {
    struct Case {
        const char* what;
        Position pos;
        const char* black;  // expected lists, in order
        const char* white;
    };
    const Case cases[] = {
        {"empty board", Position{}, "", ""},
        {"lone white stone in the centre: black's rule re-opens its four neighbours", WithStone(7, 7, White),
         "(7,6) (6,7) (8,7) (7,8)", ""},
        {"lone black stone in the centre", WithStone(7, 7, Black), "", ""},
        {"white stone at (2,2): edge points first, the later-listed one ahead", WithStone(2, 2, White),
         "(1,2) (2,1) (3,2) (2,3)", ""},
        {"white stone at (12,2): the edge points beside corner 2", WithStone(12, 2, White),
         "(13,2) (12,1) (11,2) (12,3)", ""},
        {"white stone at (12,12): the edge points beside corner 3", WithStone(12, 12, White),
         "(12,13) (13,12) (12,11) (11,12)", ""},
        {"white stone at (2,12): the edge points beside corner 4", WithStone(2, 12, White),
         "(2,13) (1,12) (2,11) (3,12)", ""},
        {"white stone in the corner", WithStone(1, 1, White), "(1,2) (2,1)", ""},
        {"white group inside a black wall: the walks stop at the wall", Corner(test::BentThree),
         "(1,2) (2,1) (1,1)", "(1,2) (2,1) (1,1)"},
        {"the same shape in the bottom right corner: the walks come from the top", Turned(Corner(test::BentThree)),
         "(12,13) (13,12) (13,13)", "(12,13) (13,12) (13,13)"},
        {"a black line on row 7 (MY 7): the walks come from the top and stop on it", BlackRow(7),
         "(1,8) (2,8) (3,8) (4,8) (5,8) (6,8) (7,8) (8,8) (9,8) (10,8) (11,8) (12,8) (13,8)",
         "(1,8) (2,8) (3,8) (4,8) (5,8) (6,8) (7,8) (8,8) (9,8) (10,8) (11,8) (12,8) (13,8)"},
        {"a black line on row 6 (MY 6): the walks come from the bottom and stop on it", BlackRow(6),
         "(1,5) (2,5) (3,5) (4,5) (5,5) (6,5) (7,5) (8,5) (9,5) (10,5) (11,5) (12,5) (13,5)",
         "(1,5) (2,5) (3,5) (4,5) (5,5) (6,5) (7,5) (8,5) (9,5) (10,5) (11,5) (12,5) (13,5)"},
    };
    for (const Case& c : cases) {
        for (const int colour : {1, 2}) {
            Position pos = c.pos;
            const CandidateList list = Generate(pos, colour, c.pos.board, c.what);
            EXPECT_EQ(Listed(list), colour == 1 ? c.black : c.white) << c.what << ", colour " << colour;
        }
    }
}

// The scratch codes stand on the board itself: a problem file holding them
// is refused when it is read.
TEST(GenerateCandidates, RangeAndRegionCodesOnTheBoard) {
    struct Case {
        const char* what;
        Position pos;  // the bent-three wall with extra codes below it
        const char* expected;
    };
    Position ranges = Corner(test::BentThree);
    ranges.at(1, 13).Stone = RangeMark;
    ranges.at(2, 13).Stone = RangeMark;
    Position regions = Corner(test::BentThree);
    regions.at(1, 12).Stone = RegionMark;
    regions.at(2, 12).Stone = RegionMark;
    const Case cases[] = {
        {"5s on the bottom edge are walked through like empty points", ranges,
         "(1,2) (2,1) (1,1)"},
        {"7s stop the walks: the column under the wall is sealed and (1,5) is listed",
         regions, "(1,2) (2,1) (1,1) (1,5)"},
    };
    for (const Case& c : cases) {
        for (const int colour : {1, 2}) {
            Position pos = c.pos;
            const CandidateList list = Generate(pos, colour, WithoutMarks(c.pos.board), c.what);
            EXPECT_EQ(Listed(list), c.expected) << c.what << ", colour " << colour;
        }
    }
}

TEST(GenerateCandidates, SingleSurvivorKeepsFlagZero) {
    struct Case {
        const char* what;
        Position pos;
        int colour;
        const char* expected;
    };
    // Three 7s seal off the top right corner: the widening takes in (12,1)
    // and (13,2) but does not go on from (12,1) to (13,1), which then
    // touches no stone at all.
    const Position sealed = Corner(R"(
        . . . . . . . . . . 7 . .
        . . . . . . . . . . . 7 .
        . . . . . . . . . . . . 7)");
    // Black's only point takes the three white stones; white's own stone
    // there would be self-capture.
    const Position atari = Corner(R"(
        . O X
        O O X
        X X .)");
    const Case cases[] = {
        {"sealed corner point, far from any stone", sealed, 1, "(13,1)"},
        {"black's capture of a group in atari", atari, 1, "(1,1)"},
        {"white's fill of its last liberty", atari, 2, ""},
    };
    for (const Case& c : cases) {
        Position pos = c.pos;
        const CandidateList list = Generate(pos, c.colour, WithoutMarks(c.pos.board), c.what);
        ASSERT_EQ(Listed(list), c.expected) << c.what;
        if (list.count == 1) {
            EXPECT_EQ(list.entry(1).flag, 0) << c.what;
        }
    }
}

TEST(GenerateCandidates, SuicideAndKoPointsAreNeverListed) {
    // (1,1) is white's eye and (1,3) its other liberty: black in the eye
    // captures nothing and has no liberty.
    const Position eye = Corner(R"(
        . O X
        O O X
        . X .)");
    // Black takes the white stone at (2,2) in a ko: white may not take back
    // at once, though the same point is fine for white without the ko mark.
    Position ko = Corner(R"(
        . X O .
        X O . O
        . X O .)");
    PlaceStone(ko, 3, 2, Black);
    ASSERT_EQ(ko.at(2, 2).KoMark, 1);
    ASSERT_EQ(ko.at(2, 2).KoColour, White);
    Position noKo = ko;
    noKo.at(2, 2).KoMark = 0;

    struct Case {
        const char* what;
        Position pos;
        int colour;
        int x, y;
        bool listed;
    };
    const Case cases[] = {
        {"black in white's eye is self-capture", eye, 1, 1, 1, false},
        {"white fills its own eye", eye, 2, 1, 1, true},
        {"white's immediate recapture of the ko", ko, 2, 2, 2, false},
        {"the same recapture without the ko mark", noKo, 2, 2, 2, true},
        {"black may fill the ko point itself", ko, 1, 2, 2, true},
    };
    for (const Case& c : cases) {
        Position pos = c.pos;
        const CandidateList list = Generate(pos, c.colour, c.pos.board, c.what);
        EXPECT_EQ(list.contains(c.x, c.y), c.listed) << c.what << ": " << Listed(list);
    }
}

TEST(GenerateCandidates, BoardWithScratchAndKoFieldsComesBackWhole) {
    // A position reached by play, so that every field holds something: ko
    // marks, removed sizes, liberty counts and marks left by the counts.
    Position pos = Corner(R"(
        . X O .
        X O . O
        . X O O
        X X X O)");
    PlaceStone(pos, 3, 2, Black);
    pos.at(9, 9).Liberties = 3;
    pos.at(10, 4).GroupMark = 1;
    pos.at(11, 2).KoColour = 2;
    const Board entry = pos.board;
    for (const int colour : {1, 2, 1, 2}) {
        Generate(pos, colour, entry, "after a ko capture, colour " + std::to_string(colour));
    }
}

TEST(GenerateCandidates, MoreThanFiftyPointsKeepsTheFirstFifty) {
    // 25 white stones two points apart: their 60 neighbours are all listed
    // for black, row by row; the list keeps the first 50.
    Position pos;
    for (int x = 3; x <= 11; x += 2) {
        for (int y = 3; y <= 11; y += 2) pos.at(x, y).Stone = White;
    }
    CandidateList list;
    GenerateCandidates(pos, 1, list);
    ASSERT_EQ(list.count, 50);
    EXPECT_EQ(list.entry(1), (CandidateEntry{3, 2, 1})) << "first row";
    EXPECT_EQ(list.entry(49), (CandidateEntry{11, 10, 1})) << "last point of row 10";
    EXPECT_EQ(list.entry(50), (CandidateEntry{2, 11, 1})) << "first point of row 11";
}

}  // namespace
}  // namespace keldra
