// The rules engine against a plain model of the rules kept in this file: the
// model clears and rescans the whole board for every count and tries each ko
// on a copy of the board, exactly as the rules describe the steps. Over many
// random positions (including codes other than 0, 1 and 2, stray ko marks and
// border records with ko marks) both must leave the same Stone, KoMark,
// KoColour and RemovedSize everywhere; a logged placement must be taken back
// exactly by its undo log.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "BAN/rules.h"
#include "test_support.h"

namespace keldra {
namespace {

// --- the model -----------------------------------------------------------

struct Model {
    Board b{};
    int lastX = 0, lastY = 0;
    std::uint8_t groupColour = 0;
    int captured = 0;

    static bool inGrid(int x, int y) { return x >= 0 && x < GridSide && y >= 0 && y < GridSide; }

    void fill(int x, int y) {
        b[x][y].GroupMark = 1;
        const int dx[4] = {1, -1, 0, 0};
        const int dy[4] = {0, 0, 1, -1};
        for (int k = 0; k < 4; ++k) {
            const int nx = x + dx[k], ny = y + dy[k];
            if (!inGrid(nx, ny)) continue;
            const PointRecord& n = b[nx][ny];
            if (n.GroupMark == 0 && static_cast<std::int8_t>(n.Stone) == static_cast<int>(groupColour)) fill(nx, ny);
        }
    }

    void count(int x, int y) {
        for (int px = 1; px <= BoardSide; ++px)
            for (int py = 1; py <= BoardSide; ++py) b[px][py].LibertyMark = b[px][py].GroupMark = 0;
        groupColour = b[x][y].Stone;
        captured = 0;
        const bool isLast = (x == lastX && y == lastY);
        if (!isLast && b[lastX][lastY].Stone != OpponentOf(groupColour)) return;
        fill(x, y);
        for (int px = 1; px <= BoardSide; ++px)
            for (int py = 1; py <= BoardSide; ++py) {
                if (b[px][py].GroupMark != 1) continue;
                for (const auto& [nx, ny] : {std::pair{px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}})
                    if (b[nx][ny].Stone == Empty) b[nx][ny].LibertyMark = 1;
            }
        int libs = 0, size = 0;
        for (int px = 1; px <= BoardSide; ++px)
            for (int py = 1; py <= BoardSide; ++py) {
                libs += b[px][py].LibertyMark == 1;
                size += b[px][py].GroupMark == 1;
            }
        if (libs != 0) return;
        captured = size;
        if (isLast) {
            b[x][y].RemovedSize = static_cast<std::uint8_t>(size);
            b[x][y].Stone = Empty;
            return;
        }
        for (int px = 1; px <= BoardSide; ++px)
            for (int py = 1; py <= BoardSide; ++py)
                if (b[px][py].GroupMark == 1) {
                    b[px][py].Stone = Empty;
                    b[px][py].RemovedSize = static_cast<std::uint8_t>(size);
                }
    }

    void place(int x, int y, std::uint8_t code) {
        b[x][y].Stone = code;
        lastX = x;
        lastY = y;
        PointRecord& l = b[x][y];
        if (l.KoMark == 1 && l.Stone == l.KoColour) {
            l.Stone = Empty;
            return;
        }
        const int nx[4] = {x - 1, x + 1, x, x};
        const int ny[4] = {y, y, y - 1, y + 1};
        bool single[4];
        for (int k = 0; k < 4; ++k) {
            count(nx[k], ny[k]);
            single[k] = captured == 1;
        }
        count(x, y);
        if (static_cast<std::int8_t>(b[x][y].Stone) <= 0) return;
        Board trial = b;
        for (int px = 1; px <= BoardSide; ++px)
            for (int py = 1; py <= BoardSide; ++py) trial[px][py].KoMark = 0;
        for (int k = 0; k < 4; ++k) {
            if (!single[k]) continue;
            b = trial;
            if (b[x][y].Stone == Black) b[nx[k]][ny[k]].Stone = White;
            else if (b[x][y].Stone == White) b[nx[k]][ny[k]].Stone = Black;
            count(x, y);
            if (b[x][y].Stone == Empty && b[x][y].RemovedSize == 1) trial[nx[k]][ny[k]].KoMark = 1;
        }
        b = trial;
        for (int k = 0; k < 4; ++k)
            if (b[nx[k]][ny[k]].KoMark == 1) b[nx[k]][ny[k]].KoColour = OpponentOf(b[x][y].Stone);
    }
};

// --- comparing -----------------------------------------------------------

// The fields a placement's callers may rely on; the rest are leftovers.
std::string visibleDifference(const Board& engine, const Board& model) {
    for (int x = 0; x < GridSide; ++x)
        for (int y = 0; y < GridSide; ++y) {
            const PointRecord& e = engine[x][y];
            const PointRecord& m = model[x][y];
            if (e.Stone != m.Stone || e.KoMark != m.KoMark || e.KoColour != m.KoColour ||
                e.RemovedSize != m.RemovedSize)
                return "at " + std::to_string(x) + "," + std::to_string(y) + ": stone " + std::to_string(e.Stone) +
                       "/" + std::to_string(m.Stone) + " ko " + std::to_string(e.KoMark) + "/" +
                       std::to_string(m.KoMark) + " colour " + std::to_string(e.KoColour) + "/" +
                       std::to_string(m.KoColour) + " removed " + std::to_string(e.RemovedSize) + "/" +
                       std::to_string(m.RemovedSize);
        }
    return "";
}

// The first playable point whose record differs, all seven fields; "" if none.
std::string playableDifference(const Board& a, const Board& b) {
    for (int x = 1; x <= BoardSide; ++x)
        for (int y = 1; y <= BoardSide; ++y)
            if (!(a[x][y] == b[x][y])) return "at " + std::to_string(x) + "," + std::to_string(y);
    return "";
}

// Places on both, checks the visible fields agree, and checks that the
// logged placement gives the same board and its log restores the start.
// `ko` is where the caller knows ko marks may be; it is carried on to the
// next move and must then list every playable point with a mark.
void placeOnBoth(Position& pos, Model& model, int x, int y, std::uint8_t code, const std::string& what,
                 KoPoints& ko) {
    const Board before = pos.board;
    Position logged = pos;
    UndoLog log;
    log.size = 0;
    PlaceStone(logged, x, y, code, log, ko);
    PlaceStone(pos, x, y, code);
    model.place(x, y, code);
    ASSERT_EQ(visibleDifference(pos.board, model.b), "") << what << "\n" << test::PictureOf(before);
    ASSERT_EQ(playableDifference(logged.board, pos.board), "") << what << ": logged and plain placements differ";
    ASSERT_LE(log.size, UndoLog::PerPlacement) << what;
    if (ko.known) {
        for (int px = 1; px <= BoardSide; ++px)
            for (int py = 1; py <= BoardSide; ++py) {
                if (pos.at(px, py).KoMark == 0) continue;
                bool listed = false;
                for (int k = 0; k < ko.count; ++k) listed |= ko.index[static_cast<std::size_t>(k)] == IndexOf(px, py);
                ASSERT_TRUE(listed) << what << ": ko mark at " << px << "," << py << " not among the ko points";
            }
    }
    log.UndoTo(logged.board, 0);
    // border records written by the move (a KoColour beside a stray border
    // mark) are not brought back, as a restore of the playable points would not
    ASSERT_EQ(playableDifference(logged.board, before), "") << what << ": the undo log does not restore the board";
}

std::uint8_t randomCode(std::mt19937& rng) {
    const int r = static_cast<int>(rng() % 100);
    if (r < 45) return Empty;
    if (r < 70) return Black;
    if (r < 94) return White;
    const std::uint8_t odd[] = {RangeMark, RegionMark, BorderCode, 3, 127, 128, 200};
    return odd[rng() % std::size(odd)];
}

TEST(RulesEquivalence, RandomPositionsWithAnyCodesAndMarks) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 4000; ++round) {
        Position pos;
        // a crowded area of random size in a random place, so that captures,
        // self-captures and lone stones are common
        const int w = 2 + static_cast<int>(rng() % 6), h = 2 + static_cast<int>(rng() % 6);
        const int x0 = 1 + static_cast<int>(rng() % (BoardSide - w + 1));
        const int y0 = 1 + static_cast<int>(rng() % (BoardSide - h + 1));
        for (int x = x0; x < x0 + w; ++x)
            for (int y = y0; y < y0 + h; ++y) {
                PointRecord& p = pos.at(x, y);
                p.Stone = randomCode(rng);
                p.KoMark = rng() % 10 == 0 ? static_cast<std::uint8_t>(1 + rng() % 2) : 0;
                p.KoColour = static_cast<std::uint8_t>(rng() % 4);
                p.RemovedSize = static_cast<std::uint8_t>(rng() % 5);
            }
        if (rng() % 8 == 0) pos.at(0, y0).KoMark = 1;  // a stray mark on the border
        Model model;
        model.b = pos.board;
        const int x = x0 + static_cast<int>(rng() % w), y = y0 + static_cast<int>(rng() % h);
        const std::uint8_t codes[] = {Black, White, Black, White, Empty, BorderCode, RangeMark, 3};
        const std::uint8_t code = codes[rng() % std::size(codes)];
        KoPoints ko;  // stray marks anywhere: not known
        placeOnBoth(pos, model, x, y, code,
                    "round " + std::to_string(round) + ": code " + std::to_string(code) + " at " +
                        std::to_string(x) + "," + std::to_string(y),
                    ko);
    }
}

TEST(RulesEquivalence, RandomGamesInACornerWithKos) {
    // Random play on a 6x6 corner fills it up, so that captures, kos and
    // refused moves follow each other and the marks of one move meet the next.
    std::mt19937 rng(7);
    for (int game = 0; game < 300; ++game) {
        Position pos;
        Model model;
        model.b = pos.board;
        KoPoints ko;  // followed from move to move, as a search does
        for (int move = 0; move < 120; ++move) {
            const int x = 1 + static_cast<int>(rng() % 6), y = 1 + static_cast<int>(rng() % 6);
            const std::uint8_t colour = static_cast<std::uint8_t>(1 + move % 2);
            if (pos.at(x, y).Stone != Empty) continue;
            placeOnBoth(pos, model, x, y, colour,
                        "game " + std::to_string(game) + " move " + std::to_string(move), ko);
            if (HasFatalFailure()) return;
        }
    }
}

}  // namespace
}  // namespace keldra
