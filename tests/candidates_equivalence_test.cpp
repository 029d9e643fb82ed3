// The candidate generator against a plain model kept in this file: the model
// marks the region on a copy of the board and tries every listed point with a
// real placement on a fresh copy, as the generator's steps describe it. Over
// many random corner positions with ko marks and stray 5s and 7s, both must
// give the same list (entries, order, flags), the generator must leave the
// board as the model says, and HasCandidates must agree with the count.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "solver/candidates.h"
#include "test_support.h"

namespace keldra {
namespace {

struct Entry {
    int x, y, flag;
    bool operator==(const Entry&) const = default;
};

bool touches(const Board& b, int x, int y, std::uint8_t code) {
    return b[x - 1][y].Stone == code || b[x + 1][y].Stone == code || b[x][y - 1].Stone == code ||
           b[x][y + 1].Stone == code;
}

std::vector<Entry> emptyPointsRowByRow(const Board& b) {
    std::vector<Entry> list;
    for (int y = 1; y <= BoardSide; ++y)
        for (int x = 1; x <= BoardSide; ++x)
            if (b[x][y].Stone == Empty) list.push_back({x, y, 0});
    return list;
}

// The list the generator's steps give, and in `after` the board they leave.
std::vector<Entry> modelCandidates(const Board& entry, int colour, Board& after) {
    Board b = entry;
    int n = 0, sx = 0, sy = 0;
    for (int x = 1; x <= BoardSide; ++x)
        for (int y = 1; y <= BoardSide; ++y)
            if (b[x][y].Stone != Empty) ++n, sx += x, sy += y;
    int corner = 1;
    if (sx != 0) {
        const int mx = sx / n, my = sy / n;
        const int cx[4] = {1, 13, 13, 1}, cy[4] = {1, 1, 13, 13};
        int best = 1 << 30;
        for (int k = 0; k < 4; ++k) {
            const int d = (mx - cx[k]) * (mx - cx[k]) + (my - cy[k]) * (my - cy[k]);
            if (d <= best) best = d, corner = k + 1;
        }
    }
    for (int x = 1; x <= BoardSide; ++x)
        for (int s = 0; s < BoardSide; ++s) {
            PointRecord& p = b[x][corner <= 2 ? 13 - s : 1 + s];
            if (p.Stone != Empty && p.Stone != RangeMark) break;
            p.Stone = RegionMark;
        }
    for (auto& col : b)
        for (auto& p : col)
            if (p.Stone == RangeMark) p.Stone = Empty;
    const std::vector<Entry> empties = emptyPointsRowByRow(b);
    for (const Entry& e : empties)
        if (touches(b, e.x, e.y, RegionMark)) b[e.x][e.y].Stone = RangeMark;
    for (const Entry& e : empties)
        if (b[e.x][e.y].Stone == RangeMark) b[e.x][e.y].Stone = RegionMark;
    if (colour == Black)
        for (int x = 1; x <= BoardSide; ++x)
            for (int y = 1; y <= BoardSide; ++y)
                if (b[x][y].Stone == RegionMark && touches(b, x, y, White)) b[x][y].Stone = Empty;
    std::vector<Entry> list = emptyPointsRowByRow(b);
    for (auto& col : b)
        for (auto& p : col)
            if (p.Stone == RegionMark) p.Stone = Empty;
    after = b;

    std::vector<Entry> staying;
    for (const Entry& e : list) {
        Position trial;
        trial.board = b;
        PlaceStone(trial, e.x, e.y, static_cast<std::uint8_t>(colour));
        if (trial.board[e.x][e.y].Stone != Empty) staying.push_back(e);
    }
    if (staying.size() < 2) return staying;
    std::vector<Entry> near;
    for (Entry e : staying) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if ((dx || dy) && HoldsStone(b[e.x + dx][e.y + dy].Stone)) e.flag = 1;
        if (e.flag == 1) near.push_back(e);
    }
    const auto edge = [](const Entry& e) {
        return (e.x == 1 && e.y == 2) || (e.x == 2 && e.y == 1) || (e.x == 12 && e.y == 1) || (e.x == 13 && e.y == 2) ||
               (e.x == 13 && e.y == 12) || (e.x == 12 && e.y == 13) || (e.x == 1 && e.y == 12) ||
               (e.x == 2 && e.y == 13);
    };
    for (std::size_t i = 0; i < near.size(); ++i)
        if (edge(near[i])) {
            const Entry e = near[i];
            near.erase(near.begin() + static_cast<std::ptrdiff_t>(i));
            near.insert(near.begin(), e);
        }
    if (near.size() > MaxCandidates) near.resize(MaxCandidates);
    return near;
}

std::vector<Entry> entriesOf(const CandidateList& list) {
    std::vector<Entry> out;
    for (int i = 1; i <= list.count; ++i) out.push_back({list.entry(i).X, list.entry(i).Y, list.entry(i).flag});
    return out;
}

std::string text(const std::vector<Entry>& list) {
    std::ostringstream out;
    for (const Entry& e : list) out << "(" << e.x << "," << e.y << ":" << e.flag << ")";
    return out.str();
}

TEST(CandidatesEquivalence, RandomCornerPositionsWithKoMarks) {
    std::mt19937 rng(4242);
    for (int round = 0; round < 3000; ++round) {
        Position pos;
        // stones in a corner-sized square somewhere near an edge, dense enough
        // for eyes, self-capture points and groups in atari
        const int side = 3 + static_cast<int>(rng() % 6);
        const int x0 = rng() % 2 ? 1 : BoardSide - side + 1;
        const int y0 = rng() % 2 ? 1 : BoardSide - side + 1;
        for (int x = x0; x < x0 + side; ++x)
            for (int y = y0; y < y0 + side; ++y) {
                const int r = static_cast<int>(rng() % 100);
                PointRecord& p = pos.at(x, y);
                p.Stone = r < 40 ? Empty : r < 68 ? Black : r < 96 ? White : r < 98 ? RangeMark : RegionMark;
                if (p.Stone == Empty && rng() % 6 == 0) {
                    p.KoMark = 1;
                    p.KoColour = static_cast<std::uint8_t>(1 + rng() % 2);
                }
            }
        for (const int colour : {1, 2}) {
            std::ostringstream what;
            what << "round " << round << ", colour " << colour << "\n" << test::PictureOf(pos.board);
            Board expectedAfter;
            const std::vector<Entry> expected = modelCandidates(pos.board, colour, expectedAfter);
            Position generated = pos;
            CandidateList list;
            GenerateCandidates(generated, colour, list);
            ASSERT_EQ(text(entriesOf(list)), text(expected)) << what.str();
            ASSERT_TRUE(generated.board == expectedAfter) << what.str() << ": the board is not left as it was";
            Position asked = pos;
            asked.LastX = 4;
            ASSERT_EQ(HasCandidates(asked, colour), !expected.empty()) << what.str();
            ASSERT_TRUE(asked.board == expectedAfter && asked.LastX == 0) << what.str();
        }
    }
}

TEST(CandidatesEquivalence, PointsFarFromStonesBehindAWall) {
    // Rows 11 and 13 are walls of 255 (never a stone, never a liberty); row
    // 12 is open at (5,12) and (6,12) only. Both stay and neither is near a
    // stone: two such points give an empty list, one (the other barred by a
    // ko mark) a list of that one point with flag 0.
    for (const bool barred : {false, true}) {
        Position pos;
        for (int x = 1; x <= BoardSide; ++x) {
            pos.at(x, 11).Stone = pos.at(x, 13).Stone = BorderCode;
            if (x != 5 && x != 6) pos.at(x, 12).Stone = BorderCode;
        }
        if (barred) pos.at(6, 12).KoMark = 1, pos.at(6, 12).KoColour = Black;
        Board after;
        const std::vector<Entry> expected = modelCandidates(pos.board, Black, after);
        ASSERT_EQ(expected.size(), barred ? 1u : 0u) << "the model's own reading of the case";
        CandidateList list;
        Position generated = pos;
        GenerateCandidates(generated, Black, list);
        EXPECT_EQ(text(entriesOf(list)), text(expected)) << "barred " << barred;
        EXPECT_EQ(HasCandidates(pos, Black), barred) << "barred " << barred;
    }
}

}  // namespace
}  // namespace keldra
