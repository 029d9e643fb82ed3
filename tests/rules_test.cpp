// The rules engine: captures, self-capture, ko marks and the recording of moves.
#include <gtest/gtest.h>

#include "BAN/rules.h"
#include "test_support.h"

namespace keldra {
namespace {

using test::PictureOf;
using test::PositionFromPicture;

TEST(Board, InitialBoardHasBorderAndEmptyPoints) {
    Board b{};
    InitBoard(b);
    int playable = 0, border = 0;
    for (int x = 0; x < GridSide; ++x) {
        for (int y = 0; y < GridSide; ++y) {
            if (IsPlayable(x, y)) {
                ++playable;
                EXPECT_EQ(b[x][y].Stone, Empty);
                EXPECT_EQ(b[x][y].Liberties, 100);
                EXPECT_EQ(b[x][y].KoMark, 0);
            } else {
                ++border;
                EXPECT_EQ(b[x][y].Stone, BorderCode);
            }
        }
    }
    EXPECT_EQ(playable, 169);
    EXPECT_EQ(border, 56);
    // the snapshot of a fresh record is a real board, border included
    GameRecord rec;
    EXPECT_EQ(rec.StartSnapshot, b);
    EXPECT_EQ(rec.ReplayCursor, ReplayIdle);
}

TEST(Rules, CaptureOfTwoStoneGroupClearsPreviousKoMark) {
    Position pos = PositionFromPicture(R"(
        . X O O X . . . . . . . .
        . . X X . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . * . .
    )");
    pos.at(11, 13).KoColour = 1;
    // (5,1) is the white pair's last liberty
    pos.at(5, 1).Stone = Empty;
    PlaceStone(pos, 5, 1, Black);
    EXPECT_EQ(pos.at(3, 1).Stone, Empty);
    EXPECT_EQ(pos.at(4, 1).Stone, Empty);
    EXPECT_EQ(pos.at(3, 1).RemovedSize, 2);
    EXPECT_EQ(pos.at(4, 1).RemovedSize, 2);
    for (int x = 1; x <= 13; ++x)
        for (int y = 1; y <= 13; ++y) EXPECT_EQ(pos.at(x, y).KoMark, 0) << x << "," << y;
}

TEST(Rules, ClassicKoMarksRefusesAndClears) {
    Position pos = PositionFromPicture(R"(
        . . . . . . . . . . . . .
        . . X O . . . . . . . . .
        . X O . O . . . . . . . .
        . . X O . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
    )");
    GameRecord rec;
    // black takes the white stone at (3,3) from (4,3)
    PlayMove(pos, rec, 4, 3, Black);
    EXPECT_EQ(pos.at(3, 3).Stone, Empty);
    EXPECT_EQ(pos.at(3, 3).KoMark, 1);
    EXPECT_EQ(pos.at(3, 3).KoColour, White);
    EXPECT_EQ(rec.MoveCount, 1);

    // white may not take back at once: refused, no record, mark stays
    PlayMove(pos, rec, 3, 3, White);
    EXPECT_EQ(pos.at(3, 3).Stone, Empty);
    EXPECT_EQ(pos.at(3, 3).KoMark, 1);
    EXPECT_EQ(rec.MoveCount, 1);
    EXPECT_EQ(pos.LastX, 3);  // the refused point is still the last move

    // white plays elsewhere (a ko threat); the ban ends with any move that stands
    PlayMove(pos, rec, 10, 10, White);
    EXPECT_EQ(pos.at(3, 3).KoMark, 0);
    PlayMove(pos, rec, 10, 11, Black);
    PlayMove(pos, rec, 3, 3, White);
    EXPECT_EQ(pos.at(3, 3).Stone, White);
    EXPECT_EQ(pos.at(4, 3).Stone, Empty);
    EXPECT_EQ(pos.at(4, 3).KoMark, 1);
    EXPECT_EQ(pos.at(4, 3).KoColour, Black);
    EXPECT_EQ(rec.MoveCount, 4);
}

TEST(Rules, SingleCapturesThatAreNotKo) {
    struct Case {
        const char* name;
        const char* picture;
    };
    // In each, black at (2, 2) takes the single white stone at (2, 1) but is
    // not left as a lone stone that could be taken back, so no ko mark is set.
    const Case cases[] = {
        {"capturing stone joins a group", R"(
            X O X . . . . . . . . . .
            O . O . . . . . . . . . .
            . X . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .)"},
        {"capturing stone keeps another liberty", R"(
            X O X . . . . . . . . . .
            O . . . . . . . . . . . .
            . O . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .
            . . . . . . . . . . . . .)"},
    };
    for (const Case& c : cases) {
        Position pos = PositionFromPicture(c.picture);
        PlaceStone(pos, 2, 2, Black);
        EXPECT_EQ(pos.at(2, 2).Stone, Black) << c.name;
        EXPECT_EQ(pos.at(2, 1).Stone, Empty) << c.name;
        EXPECT_EQ(pos.at(2, 1).KoMark, 0) << c.name << "\n" << PictureOf(pos.board);
    }
}

TEST(Rules, SelfCaptureIsRefusedWithGroupSize) {
    Position pos = PositionFromPicture(R"(
        . X O . . . . . . . . . .
        X O O . . . . . . . . . .
        O O . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
    )");
    const Board before = pos.board;
    // black at (1,1) would join (2,1) and (1,2): a group of three without liberty
    PlaceStone(pos, 1, 1, Black);
    EXPECT_EQ(pos.at(1, 1).Stone, Empty);
    EXPECT_EQ(pos.at(1, 1).RemovedSize, 3);
    EXPECT_EQ(pos.at(2, 1).Stone, Black);  // the rest of the group stays
    EXPECT_EQ(pos.at(1, 2).Stone, Black);
    EXPECT_EQ(PictureOf(pos.board), PictureOf(before));
}

TEST(Rules, CaptureBeforeSelfCaptureAndSharedGroupCountedOnce) {
    // black at (1,1) has no empty neighbour, yet it stands: it takes the
    // white group of three, reached through two of its neighbours.
    Position pos = PositionFromPicture(R"(
        . O X . . . . . . . . . .
        O O X . . . . . . . . . .
        X X . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
    )");
    PlaceStone(pos, 1, 1, Black);
    EXPECT_EQ(pos.at(1, 1).Stone, Black);
    EXPECT_EQ(pos.at(2, 1).Stone, Empty);
    EXPECT_EQ(pos.at(1, 2).Stone, Empty);
    EXPECT_EQ(pos.at(2, 2).Stone, Empty);
    EXPECT_EQ(pos.at(2, 2).RemovedSize, 3);
    // three stones taken: not a ko
    EXPECT_EQ(pos.at(2, 1).KoMark + pos.at(1, 2).KoMark, 0);
}

TEST(Rules, BorderIsNeverALiberty) {
    Position pos;
    PlaceStone(pos, 1, 1, White);
    CountAndCapture(pos, 1, 1);
    EXPECT_EQ(pos.at(1, 1).Liberties, 2);
    PlaceStone(pos, 7, 1, White);
    CountAndCapture(pos, 7, 1);
    EXPECT_EQ(pos.at(7, 1).Liberties, 3);
}

TEST(PlayMove, OutsideBoardChangesNothing) {
    for (const auto& [x, y] : {std::pair{0, 5}, {14, 5}, {5, 0}, {5, 14}, {0, 0}}) {
        Position pos;
        GameRecord rec;
        rec.ReplayCursor = 3;
        rec.StartSnapshot[4][4].Stone = White;  // a marker that must survive
        PlayMove(pos, rec, x, y, Black);
        EXPECT_EQ(rec.ReplayCursor, 3) << x << "," << y;
        EXPECT_EQ(rec.StartSnapshot[4][4].Stone, White) << x << "," << y;
        EXPECT_EQ(rec.MoveCount, 0);
    }
}

TEST(PlayMove, SnapshotTakenOnFirstPlacementEvenWhenRefused) {
    Position pos = PositionFromPicture(R"(
        . O . . . . . . . . . . .
        O . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
        . . . . . . . . . . . . .
    )");
    GameRecord rec;
    rec.ReplayCursor = 0;
    PlayMove(pos, rec, 1, 1, Black);  // suicide
    EXPECT_EQ(rec.MoveCount, 0);
    EXPECT_EQ(rec.ReplayCursor, ReplayIdle);
    EXPECT_EQ(rec.StartSnapshot[2][1].Stone, White);
    EXPECT_EQ(rec.StartSnapshot[1][1].Stone, Empty);
}

TEST(PlayMove, OccupiedPointIsLeftAlone) {
    Position pos;
    GameRecord rec;
    PlayMove(pos, rec, 5, 5, Black);
    rec.ReplayCursor = 0;
    PlayMove(pos, rec, 5, 5, White);
    EXPECT_EQ(pos.at(5, 5).Stone, Black);
    EXPECT_EQ(rec.MoveCount, 1);
    EXPECT_EQ(rec.ReplayCursor, 0);
}

TEST(PlayMove, FullListFoldsOldestMoveIntoSnapshot) {
    Position pos;
    GameRecord rec;
    // 52 stones along the board, alternating colours, far enough apart to stand
    std::vector<std::pair<int, int>> points;
    for (int x = 1; x <= 13; x += 2)
        for (int y = 1; y <= 13; y += 2) points.emplace_back(x, y);
    ASSERT_GE(points.size(), 49u);
    for (int x = 2; x <= 13 && points.size() < 52; x += 2) points.emplace_back(x, 1);
    for (std::size_t i = 0; i < 52; ++i) PlayMove(pos, rec, points[i].first, points[i].second, Black);
    EXPECT_EQ(rec.MoveCount, MaxMoves);
    EXPECT_EQ(rec.record(MaxMoves), (MoveRecord{std::uint8_t(points[51].first), std::uint8_t(points[51].second), Black}));
    // the snapshot now holds the first two moves, and replaying the list rebuilds the board
    EXPECT_EQ(rec.StartSnapshot[points[0].first][points[0].second].Stone, Black);
    EXPECT_EQ(rec.StartSnapshot[points[1].first][points[1].second].Stone, Black);
    Position replay;
    replay.board = rec.StartSnapshot;
    for (int k = 1; k <= rec.MoveCount; ++k) PlaceStone(replay, rec.record(k).X, rec.record(k).Y, rec.record(k).colour);
    EXPECT_EQ(PictureOf(replay.board), PictureOf(pos.board));
}

}  // namespace
}  // namespace keldra
