// Marks drawn on the board over a position, such as the first moves a proof
// found: plain data, and the rule that keeps them with the position they
// belong to. Standard library only.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "BAN/board.h"

namespace keldra {

enum class MarkKind : std::uint8_t {
    Kill,    // a first move that kills outright
    KoKill,  // a first move that kills only through ko
    MoveNumber,  // the number of the move that put the stone there
    Target,  // the white stone a player named: its group is the problem's target
};

struct BoardMark {
    std::uint8_t x = 0, y = 0;
    MarkKind kind = MarkKind::Kill;
    int number = 0;  // MoveNumber: the move's number in its line
    friend bool operator==(const BoardMark&, const BoardMark&) = default;
};

// Marks that belong to one position (stones and ko marks of the 169 points).
// They are shown while the board still holds that position and dropped for
// good the first time it does not, so a stone placed and taken away again
// does not bring them back.
class PositionMarks {
public:
    // Keeps `marks` for the position `board` holds now.
    void Set(std::vector<BoardMark> marks, const Board& board) {
        marks_ = std::move(marks);
        at_ = keyOf(board);
    }
    void Clear() { marks_.clear(); }

    // The marks to draw over `board`: none once it differs from their position.
    const std::vector<BoardMark>& ShownOn(const Board& board) {
        if (!marks_.empty() && keyOf(board) != at_) marks_.clear();
        return marks_;
    }

private:
    using Key = std::array<std::uint8_t, 2 * BoardSide * BoardSide>;
    static Key keyOf(const Board& board) {
        Key key{};
        std::size_t i = 0;
        for (int x = 1; x <= BoardSide; ++x) {
            for (int y = 1; y <= BoardSide; ++y) {
                key[i++] = board[x][y].Stone;
                key[i++] = board[x][y].KoMark;
            }
        }
        return key;
    }

    std::vector<BoardMark> marks_;
    Key at_{};
};

}  // namespace keldra
