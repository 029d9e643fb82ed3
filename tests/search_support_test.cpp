// What the searches keep beside the board while they play and take back
// moves: the column masks must always equal masks built afresh from the
// board, taking moves back must give back each earlier board exactly, and
// the ko points must come back with them.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "solver/search_position.h"
#include "test_support.h"

namespace keldra {
namespace {

std::string columnsDifference(const StoneColumns& kept, const Board& board) {
    StoneColumns fresh;
    fresh.Build(board);
    if (kept.empty != fresh.empty || kept.black != fresh.black || kept.white != fresh.white ||
        kept.ranges != fresh.ranges || kept.regions != fresh.regions || kept.occupied != fresh.occupied ||
        kept.held != fresh.held || kept.koMarks != fresh.koMarks)
        return "masks differ";
    if (kept.blacks != fresh.blacks || kept.whites != fresh.whites || kept.count != fresh.count ||
        kept.sumX != fresh.sumX || kept.sumY != fresh.sumY)
        return "counts differ";
    return "";
}

TEST(SearchSupport, LoggedLinesKeepColumnsAndTakeBackExactly) {
    std::mt19937 rng(99);
    auto walk = std::make_unique<SearchPosition>();
    for (int line = 0; line < 400; ++line) {
        Position pos;
        // a crowded corner with a wall code and a stray ko mark, as files and
        // earlier play can leave them
        for (int x = 1; x <= 5; ++x)
            for (int y = 1; y <= 5; ++y) {
                const int r = static_cast<int>(rng() % 10);
                pos.at(x, y).Stone = r < 4 ? Empty : r < 7 ? Black : r < 9 ? White : BorderCode;
            }
        pos.at(1 + static_cast<int>(rng() % 5), 1 + static_cast<int>(rng() % 5)).KoMark = 1;
        walk->begin(pos, nullptr);
        const StoneColumns& columns = walk->columns();
        std::vector<Board> boards{pos.board};
        std::vector<MoveUndo> marks;
        for (int step = 0; step < 40; ++step) {
            const std::string what = "line " + std::to_string(line) + " step " + std::to_string(step);
            if (!marks.empty() && rng() % 3 == 0) {
                const MoveUndo back = marks.back();
                walk->undo(back);
                marks.pop_back();
                boards.pop_back();
                ASSERT_TRUE(pos.board == boards.back()) << what << ": take-back\n" << test::PictureOf(pos.board);
                const MoveUndo now = walk->mark();
                ASSERT_EQ(now.logMark, back.logMark) << what;
                ASSERT_EQ(now.ko.known, back.ko.known) << what << ": ko points back";
                ASSERT_EQ(now.ko.count, back.ko.count) << what << ": ko points back";
                ASSERT_EQ(now.ko.index, back.ko.index) << what << ": ko points back";
            } else if (marks.size() < 12) {
                const int x = 1 + static_cast<int>(rng() % 6), y = 1 + static_cast<int>(rng() % 6);
                if (pos.at(x, y).Stone != Empty) continue;
                marks.push_back(walk->mark());
                walk->play(x, y, static_cast<std::uint8_t>(1 + rng() % 2));
                boards.push_back(pos.board);
            }
            ASSERT_EQ(columnsDifference(columns, pos.board), "") << what;
        }
    }
}

}  // namespace
}  // namespace keldra
