#include "test_support.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <gtest/gtest.h>
#include <stdlib.h>

#include "BAN/board_picture.h"

namespace keldra::test {

Board BoardFromPicture(std::string_view picture) {
    Board b{};
    InitBoard(b);
    int y = 1;
    int x = 1;
    for (const char c : picture) {
        if (c == '\n') {
            if (x != 1) {
                if (x != BoardSide + 1) throw std::invalid_argument("picture row is not 13 wide");
                ++y;
                x = 1;
            }
            continue;
        }
        if (c == ' ' || c == '\r') continue;
        if (y > BoardSide || x > BoardSide) throw std::invalid_argument("picture larger than 13x13");
        PointRecord& p = b[x][y];
        switch (c) {
            case '.': p.Stone = Empty; break;
            case 'X': p.Stone = Black; break;
            case 'O': p.Stone = White; break;
            case '*': p.Stone = Empty; p.KoMark = 1; break;
            case '#': p.Stone = BorderCode; break;
            case '5': p.Stone = RangeMark; break;
            case '7': p.Stone = RegionMark; break;
            default: throw std::invalid_argument(std::string("bad picture character ") + c);
        }
        ++x;
    }
    if (x != 1) ++y;
    if (y != BoardSide + 1) throw std::invalid_argument("picture is not 13 rows");
    return b;
}

Position PositionFromPicture(std::string_view picture) {
    Position pos;
    pos.board = BoardFromPicture(picture);
    return pos;
}

std::string PictureOf(const Board& board) { return BoardPicture(board, PictureCodes::All); }

std::string SourcePath(std::string_view relative) { return std::string(KELDRA_SOURCE_DIR) + "/" + std::string(relative); }

ScratchFolder::ScratchFolder() {
    std::string name = ::testing::TempDir() + "keldra-test-XXXXXX";
    if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("no temporary folder");
    dir = name;
}

ScratchFolder::~ScratchFolder() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, ec);
    fs::remove_all(dir, ec);
}

std::string ScratchFolder::put(const std::string& name, const std::string& content) const {
    std::ofstream(path(name), std::ios::binary) << content;
    return path(name);
}

}  // namespace keldra::test
