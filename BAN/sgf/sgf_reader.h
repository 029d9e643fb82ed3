// Reading Go game files in the SGF format (FF[1] to FF[4]): collections of
// game trees with variations. Of one chosen game tree the reader keeps what a
// problem needs: the board size, the position of the root node (with the
// setup nodes that follow it before any move) with its marked points, the
// player to move, the root comment with its charset, the moves of the main
// line, and the whole game tree with each node's comment and judgement.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "BAN/texts.h"
#include "BAN/sgf/sgf_tree.h"

namespace keldra {

inline constexpr int SgfMaxSide = 19;
// A file larger than this is refused before it is read: the reader holds the
// file in memory, and every pass over it stays well under a second.
inline constexpr std::size_t SgfMaxFileBytes = std::size_t{32} << 20;
// Main-line moves kept; the game record holds far fewer.
inline constexpr std::size_t SgfMaxMoves = 1000;
// Bytes of the root comment kept; a longer comment is cut at a line end.
inline constexpr std::size_t SgfMaxCommentBytes = 64 * 1024;

// Nodes of the game tree kept; the moves of a larger tree are left out.
inline constexpr std::size_t SgfMaxTreeNodes = 100000;
// Comment bytes kept over all nodes of the tree; later comments are left out.
inline constexpr std::size_t SgfMaxTreeCommentBytes = std::size_t{4} << 20;

struct SgfGame {
    int width = SgfMaxSide;
    int height = SgfMaxSide;
    // Stone codes (0, 1, 2) of the start position, indexed [x - 1][y - 1].
    std::array<std::array<std::uint8_t, SgfMaxSide>, SgfMaxSide> setup{};
    std::uint8_t toPlay = 0;  // PL: 0 not given, 1 black, 2 white
    std::string comment;      // the root comment's bytes, escapes resolved, lines ended by '\n'
    std::string charset;      // CA as written, empty when not given
    std::vector<SgfMove> moves;  // the main line after the start position
    // Points marked (MA, TR, SQ) on the start position, 1-based (x, y), in
    // the file's order: collections mark the group a problem is about.
    std::vector<std::pair<std::uint8_t, std::uint8_t>> marks;
    // The game tree in the file's coordinates: the root is the start
    // position (its comment the root comment), each further node one move
    // with its comment (the comments of nodes without a move joined to the
    // move above them) in the file's bytes. A move off the board (a tenuki,
    // as [zz] is written in some collections) is kept as a pass; a
    // variation that sets up stones after its first move is left out from
    // there. Judgements are resolved: with no node of the whole file marked,
    // the first variation counts as correct.
    SgfTree tree;
    bool treeCut = false;  // nodes or comments over the limits were left out

    std::uint8_t at(int x, int y) const { return setup[static_cast<std::size_t>(x - 1)][static_cast<std::size_t>(y - 1)]; }
};

struct SgfLoad {
    bool ok = false;
    std::string error;  // the message to show when !ok
    SgfGame game;
    int tree = 0;   // index of the game tree taken, from 0
    int trees = 0;  // game trees in the file
};

// Parses SGF text and takes game tree `tree` (0-based; -1 takes the last).
// Whatever the bytes, time is linear in their length and memory is bounded by
// it: no recursion, nothing kept of the trees that are not taken.
SgfLoad ParseSgf(std::string_view bytes, int tree = 0);

// Opens and reads an SGF file. A path that is not a readable regular file
// gives "ﾌｧｲﾙ %s は開けません"; a file over SgfMaxFileBytes is refused unread.
SgfLoad ReadSgfFile(const std::string& path, int tree = 0);

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// True when a CA value names UTF-8 ("UTF-8", "utf8", any case).
bool IsUtf8CharsetName(std::string_view name);

// Turns bytes in a named charset into UTF-8, or gives nothing when it cannot.
// The reader itself knows only UTF-8; the window supplies a decoder for the
// charsets its toolkit knows (GB2312, Shift_JIS, ...).
using CharsetDecoder = std::function<std::optional<std::string>(std::string_view charset, std::string_view bytes)>;

// The root comment as UTF-8: when CA names a charset other than UTF-8, what
// `decode` makes of it; otherwise, or when the decoder cannot, the bytes as
// they are if they are valid UTF-8; else nothing. Bytes are never passed on
// as UTF-8 unchecked, whatever a decoder returns.
std::optional<std::string> CommentAsUtf8(const SgfGame& game, const CharsetDecoder& decode);

// The same for any text of the file (a tree node's comment) in `charset`.
std::optional<std::string> TextAsUtf8(std::string_view charset, const std::string& bytes, const CharsetDecoder& decode);

// The reader's messages.
std::string SgfSyntaxMessage(long line);
std::string SgfTooLargeMessage(std::string_view name);
std::string SgfBoardSizeMessage(std::string_view value);
std::string SgfOffBoardMessage(std::string_view value);
std::string SgfNoTreeMessage(int tree, int trees);
inline constexpr std::string_view SgfNotGoMessage = KTEXT("囲碁の棋譜ではありません");
inline constexpr std::string_view SgfEmptyMessage = KTEXT("SGF のゲームツリーがありません");

}  // namespace keldra
