// The prover on composed problems whose answers a Go player knows, on the
// bundled problems, and through keldra-cli prove.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "BAN/problem_file.h"
#include "cli/cli.h"
#include "prover/prover.h"
#include "test_support.h"

namespace {

using namespace keldra;
using prover::Verdict;

// The top rows of a board; the rows and columns not written are empty.
Board boardOf(std::string_view rows) {
    std::string picture;
    int lines = 0;
    std::string line;
    for (const char c : std::string(rows) + "\n") {
        if (c == '\n') {
            if (line.empty()) continue;
            line.resize(13, '.');
            picture += line + "\n";
            ++lines;
            line.clear();
        } else if (c != ' ') {
            line += c;
        }
    }
    for (; lines < 13; ++lines) picture += ".............\n";
    return test::BoardFromPicture(picture);
}

std::string movesText(const std::vector<prover::ProverMove>& moves) {
    std::string s;
    for (const auto& m : moves) s += (s.empty() ? "" : " ") + std::to_string(m.x) + "," + std::to_string(m.y);
    return s;
}

const char* verdictName(Verdict v) {
    switch (v) {
        case Verdict::Kill: return "kill";
        case Verdict::KillByKo: return "ko";
        case Verdict::Alive: return "alive";
        case Verdict::Seki: return "seki";
        case Verdict::Unknown: break;
    }
    return "unknown";
}

struct Composed {
    const char* name;
    const char* rows;
    Verdict verdict;
    const char* kills;    // every killing first move, X then Y order
    const char* koKills;  // every first move that kills only through ko
};

// Row 1 is the top edge (Y = 1), column 1 the left edge (X = 1).
const Composed Problems[] = {
    {"straight three: the middle point", R"(
        ...OX
        OOOOX
        XXXXX)", Verdict::Kill, "2,1", ""},
    {"straight three with the middle taken: two eyes", R"(
        .O.OX
        OOOOX
        XXXXX)", Verdict::Alive, "", ""},
    {"bent three in the corner: the bend", R"(
        ..OX
        .OOX
        OOXX
        XXX.)", Verdict::Kill, "1,1", ""},
    {"bent three with the bend taken", R"(
        O.OX
        .OOX
        OOXX
        XXX.)", Verdict::Alive, "", ""},
    {"pyramid four on the edge: the point touching three", R"(
        XO...OX
        XOO.OOX
        XOOOOOX
        XXXXXXX)", Verdict::Kill, "4,1", ""},
    {"pyramid four with the centre taken", R"(
        XO.O.OX
        XOO.OOX
        XOOOOOX
        XXXXXXX)", Verdict::Alive, "", ""},
    {"straight four on the edge lives", R"(
        XO....OX
        XOOOOOOX
        XXXXXXXX)", Verdict::Alive, "", ""},
    {"square four is dead whatever black plays inside", R"(
        ..OX
        ..OX
        OOOX
        XXXX)", Verdict::Kill, "1,1 1,2 2,1 2,2", ""},
    {"bulky five with its vital point taken", R"(
        .O.OX
        ..OOX
        OOOXX
        XXXX.)", Verdict::Alive, "", ""},
    {"rabbity six with its vital point taken", R"(
        ........XOO..
        ........XO.O.
        ........XOO.O
        ........XXOOO
        .........XXXX)", Verdict::Alive, "", ""},
    {"two-point eye: either point, white's capture is snapped back", R"(
        ..OX
        OOOX
        XXXX)", Verdict::Kill, "1,1 2,1", ""},
    {"seki: neither side can fill the two shared liberties", R"(
        .XXX.OX
        OOOOOOX
        XXXXXXX)", Verdict::Seki, "", ""},
    {"ko for the second eye: black wins only as ko master", R"(
        .O.OX
        OOOXX
        XXXX.)", Verdict::KillByKo, "", "3,1"},
    {"escape through a gap: each block of the one-point corridor kills, a move inside lets white out", R"(
        ..OX
        OOOX
        XXOX
        XX..)", Verdict::Kill, "3,4 3,5 4,4 4,5 5,4", ""},
    {"white stones outside the wall are neither target nor captured", R"(
        ...OX..O
        OOOOX..O
        XXXXX..O)", Verdict::Kill, "2,1", ""},
};

TEST(ProverProblems, ComposedProblemsHaveTheirKnownAnswers) {
    prover::ProveOptions options;
    options.tableBytes = 8u << 20;
    for (const Composed& p : Problems) {
        const Board board = boardOf(p.rows);
        const prover::ProveResult r = prover::Prove(board, options);
        EXPECT_STREQ(verdictName(r.verdict), verdictName(p.verdict)) << p.name << "\n" << test::PictureOf(board);
        EXPECT_EQ(movesText(r.kills), p.kills) << p.name;
        EXPECT_EQ(movesText(r.koKills), p.koKills) << p.name;
        if (!r.kills.empty() || !r.koKills.empty()) {
            ASSERT_FALSE(r.line.empty()) << p.name;
            EXPECT_EQ(r.line.front(), r.kills.empty() ? r.koKills.front() : r.kills.front()) << p.name;
        }
    }
}

}  // namespace
