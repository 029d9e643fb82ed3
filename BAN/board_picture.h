// The board as a picture of 13 text rows, the way keldra-cli prints it and
// the tests write positions: row r is Y = r + 1, character c is X = c + 1.
#pragma once

#include <string>
#include <string_view>

#include "BAN/board.h"

namespace keldra {

// Which codes get a character of their own. Both: '.' empty, '*' empty
// with a ko mark, 'X' black, 'O' white. Played: '?' for any other code.
// All: '#' the border code, '5' and '7' the generator's marks, '?' the rest.
enum class PictureCodes : std::uint8_t { Played, All };

// Every row starts with `rowPrefix` and ends with '\n'.
inline std::string BoardPicture(const Board& board, PictureCodes codes, std::string_view rowPrefix = {}) {
    std::string out;
    for (int y = 1; y <= BoardSide; ++y) {
        out += rowPrefix;
        for (int x = 1; x <= BoardSide; ++x) {
            const PointRecord& p = board[x][y];
            char c = '?';
            switch (p.Stone) {
                case Empty: c = p.KoMark != 0 ? '*' : '.'; break;
                case Black: c = 'X'; break;
                case White: c = 'O'; break;
                case BorderCode: c = codes == PictureCodes::All ? '#' : '?'; break;
                case RangeMark: c = codes == PictureCodes::All ? '5' : '?'; break;
                case RegionMark: c = codes == PictureCodes::All ? '7' : '?'; break;
                default: break;
            }
            out += c;
        }
        out += '\n';
    }
    return out;
}

}  // namespace keldra
