#include "test_support.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>
#include <stdlib.h>

#include "BAN/board_picture.h"

namespace keldra::test {

// A problem as a board could hold it: every group has a liberty.
bool EveryGroupBreathes(const Board& b) {
    std::vector<std::uint8_t> seen(static_cast<std::size_t>((BoardSide + 2) * (BoardSide + 2)), 0);
    const auto at = [](int x, int y) { return static_cast<std::size_t>(x * (BoardSide + 2) + y); };
    const auto stoneAt = [&](int x, int y) { return x < 1 || y < 1 || x > BoardSide || y > BoardSide ? -1 : b[x][y].Stone; };
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            const int colour = stoneAt(x, y);
            if ((colour != Black && colour != White) || seen[at(x, y)]) continue;
            std::vector<std::pair<int, int>> todo{{x, y}};
            seen[at(x, y)] = 1;
            bool liberty = false;
            while (!todo.empty()) {
                const auto [px, py] = todo.back();
                todo.pop_back();
                for (const auto& [nx, ny] : {std::pair{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}}) {
                    const int s = stoneAt(nx, ny);
                    if (s == Empty) liberty = true;
                    if (s == colour && !seen[at(nx, ny)]) seen[at(nx, ny)] = 1, todo.push_back({nx, ny});
                }
            }
            if (!liberty) return false;
        }
    }
    return true;
}

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
