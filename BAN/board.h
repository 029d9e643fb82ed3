// The position model: a 15x15 grid of point records with a border, the
// last-move point, and the game record (move list, snapshot, replay cursor).
#pragma once

#include <array>
#include <cstdint>

namespace keldra {

// StoneCode values held in PointRecord::Stone.
inline constexpr std::uint8_t Empty = 0;
inline constexpr std::uint8_t Black = 1;
inline constexpr std::uint8_t White = 2;
inline constexpr std::uint8_t RangeMark = 5;   // shown-range mark / generator scratch
inline constexpr std::uint8_t RegionMark = 7;  // generator scratch
inline constexpr std::uint8_t BorderCode = 255;

// The two colours of stones where the code passes a colour around; their
// values are the stone codes above.
enum class StoneColour : std::uint8_t { Black = 1, White = 2 };
inline constexpr std::uint8_t CodeOf(StoneColour c) { return static_cast<std::uint8_t>(c); }

inline constexpr int BoardSide = 13;  // playable points run 1..13 on both axes
inline constexpr int GridSide = 15;   // 0 and 14 are the border

// Seven one-byte fields, in this order.
struct PointRecord {
    std::uint8_t Stone;
    std::uint8_t KoColour;
    std::uint8_t LibertyMark;
    std::uint8_t Liberties;
    std::uint8_t GroupMark;
    std::uint8_t RemovedSize;
    std::uint8_t KoMark;

    friend bool operator==(const PointRecord&, const PointRecord&) = default;
};
static_assert(sizeof(PointRecord) == 7);

// Indexed board[X][Y]: the 15 points of one vertical line lie together.
using Board = std::array<std::array<PointRecord, GridSide>, GridSide>;

// The grid as 225 records in storage order: index x * GridSide + y. The
// neighbours of index i are i - GridSide (left), i + GridSide (right), i - 1
// (above) and i + 1 (below).
inline constexpr int GridPoints = GridSide * GridSide;
static_assert(sizeof(Board) == GridPoints * sizeof(PointRecord), "the grid is one block of records");
inline PointRecord* Cells(Board& board) { return board[0].data(); }
inline const PointRecord* Cells(const Board& board) { return board[0].data(); }
inline constexpr int IndexOf(int x, int y) { return x * GridSide + y; }

// A point holds a stone when its code read as a signed byte is positive:
// 1, 2, 5 and 7 do, 0 and the border's 255 do not.
inline bool HoldsStone(std::uint8_t code) { return static_cast<std::int8_t>(code) > 0; }

inline bool IsPlayable(int x, int y) { return x >= 1 && x <= BoardSide && y >= 1 && y <= BoardSide; }

// The opponent of colour 1 is 2 and of 2 is 1; any other code has none (0).
inline std::uint8_t OpponentOf(std::uint8_t code) { return code == Black ? White : code == White ? Black : 0; }

// Playable points: Stone 0, LibertyMark 0, Liberties 100, KoMark 0; border points 255.
void InitBoard(Board& board);

// --- game record ---------------------------------------------------------

struct MoveRecord {
    std::uint8_t X;
    std::uint8_t Y;
    std::uint8_t colour;  // 0 marks an empty record

    friend bool operator==(const MoveRecord&, const MoveRecord&) = default;
};

inline constexpr int MaxMoves = 50;
inline constexpr std::uint8_t ReplayIdle = 100;

struct GameRecord {
    Board StartSnapshot;                           // position before record 1
    std::array<MoveRecord, MaxMoves + 1> MoveList;  // records 1..50; slot 0 is never used
    std::uint8_t MoveCount;                        // records on the board, 0..50
    std::uint8_t ReplayCursor;                     // 0..50 while stepping, else ReplayIdle

    GameRecord();
    MoveRecord& record(int k) { return MoveList[static_cast<std::size_t>(k)]; }
    const MoveRecord& record(int k) const { return MoveList[static_cast<std::size_t>(k)]; }
};

}  // namespace keldra
