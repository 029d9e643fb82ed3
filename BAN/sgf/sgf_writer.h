// Writing a problem and its game record as an SGF file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "BAN/board.h"

namespace keldra {

// FF[4] text of one game tree: the root node holds FF, GM, SZ[13], CA[UTF-8],
// AP, PL[B], the black and white stones of `start` as AB/AW and `comment`
// (UTF-8; bytes that are not valid UTF-8 are written as '?') as C; then one
// node per move, B[] or W[]. Codes other than black and white are not written.
std::string SgfText(const Board& start, const std::vector<MoveRecord>& moves, std::string_view comment);

// `text` with every byte that is not part of valid UTF-8 turned into '?'.
std::string SgfValidUtf8(std::string_view text);

// The text of an SGF value: ']' and '\' escaped.
std::string SgfEscaped(std::string_view text);

}  // namespace keldra
