#include "BAN/sgf/sgf_fit.h"

#include <algorithm>

#include "BAN/rules.h"

namespace keldra {

namespace {

using SourceGrid = std::array<std::array<std::uint8_t, SgfMaxSide>, SgfMaxSide>;

constexpr int AreaSteps = 2;

// Stone and area extents along one axis, in the file's coordinates.
struct Span {
    int stoneMin = SgfMaxSide + 1, stoneMax = 0;
    int areaMin = SgfMaxSide + 1, areaMax = 0;
    int whiteMin = SgfMaxSide + 1, whiteMax = 0;
    void stone(int v) { stoneMin = std::min(stoneMin, v), stoneMax = std::max(stoneMax, v); }
    void area(int v) { areaMin = std::min(areaMin, v), areaMax = std::max(areaMax, v); }
    void white(int v) { whiteMin = std::min(whiteMin, v), whiteMax = std::max(whiteMax, v); }
};

enum class AxisFit { Placed, NoRoom, EdgeTouched };

// Chooses the offset of one axis of `side` lines.
AxisFit placeAxis(int side, const Span& s, int& offset) {
    offset = 0;
    if (side == BoardSide) return AxisFit::Placed;
    const bool anyStone = s.stoneMax > 0;
    const bool anyArea = s.areaMax > 0;
    // keep the low edge (left or top): coordinates stay
    const bool lowFits = !anyStone || s.stoneMax <= BoardSide;
    const bool lowClear = !anyArea || s.areaMax < std::min(side, BoardSide);
    // keep the high edge: coordinates move by 13 - side
    const int high = BoardSide - side;
    const bool highFits = !anyStone || s.stoneMin + high >= 1;
    const bool highClear = !anyArea || s.areaMin > std::max(1, side - BoardSide + 1);
    const bool low = lowFits && lowClear;
    const bool hi = highFits && highClear;
    if (low && hi) {
        const bool byWhite = s.whiteMax > 0;
        const int lo = byWhite ? s.whiteMin : s.stoneMin;
        const int hiEnd = byWhite ? s.whiteMax : s.stoneMax;
        offset = (anyStone && side - hiEnd < lo - 1) ? high : 0;
        return AxisFit::Placed;
    }
    if (low) return AxisFit::Placed;
    if (hi) {
        offset = high;
        return AxisFit::Placed;
    }
    if (!lowFits && !highFits) return AxisFit::NoRoom;
    // White's area reaches the facing line either way: the edge the stones
    // fit at, the one nearer to white when both do.
    if (lowFits && highFits) {
        const bool byWhite = s.whiteMax > 0;
        const int lo = byWhite ? s.whiteMin : s.stoneMin;
        const int hiEnd = byWhite ? s.whiteMax : s.stoneMax;
        offset = (anyStone && side - hiEnd < lo - 1) ? high : 0;
    } else {
        offset = lowFits ? 0 : high;
    }
    return AxisFit::EdgeTouched;
}

// White's area: white stones and the points reached from them in at most
// AreaSteps steps without crossing a black stone.
void markArea(const SourceGrid& grid, int width, int height, Span& sx, Span& sy) {
    std::array<std::array<int, SgfMaxSide>, SgfMaxSide> dist;
    for (auto& col : dist) col.fill(-1);
    std::vector<std::pair<int, int>> frontier;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            if (grid[x][y] == White) {
                dist[x][y] = 0;
                frontier.emplace_back(x, y);
            }
        }
    }
    for (int step = 1; step <= AreaSteps; ++step) {
        std::vector<std::pair<int, int>> next;
        for (const auto& [x, y] : frontier) {
            static constexpr int DX[4] = {-1, 1, 0, 0}, DY[4] = {0, 0, -1, 1};
            for (int d = 0; d < 4; ++d) {
                const int nx = x + DX[d], ny = y + DY[d];
                if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
                if (grid[nx][ny] == Black || dist[nx][ny] >= 0) continue;
                dist[nx][ny] = step;
                next.emplace_back(nx, ny);
            }
        }
        frontier.swap(next);
    }
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            if (dist[x][y] >= 0) {
                sx.area(x + 1);
                sy.area(y + 1);
            }
        }
    }
}

std::string sizeText(int width, int height) {
    return width == height ? Fill(Tr("%1 路盤"), {std::to_string(width)})
                           : Fill(Tr("%1×%2 路盤"), {std::to_string(width), std::to_string(height)});
}

}  // namespace

std::string FitNoCornerMessage(int width, int height) {
    return Fill(Tr("石が 13 路盤の隅に収まりません（%1）"), {sizeText(width, height)});
}
std::string FitEdgeMessage(int width, int height) {
    return Fill(Tr("白の周りが盤の端に接するため 13 路盤に移せません（%1）"), {sizeText(width, height)});
}
std::string FitEdgeWarning(int width, int height) {
    return Fill(Tr("注意：白の周りが元の盤の端に接しています。13 路盤では結果が変わることがあります（%1）"),
                {sizeText(width, height)});
}

FittedProblem FitSgfGame(const SgfGame& game) {
    FittedProblem out;
    const int width = game.width, height = game.height;
    const bool whiteFirst = game.toPlay == White || (game.toPlay == 0 && !game.moves.empty() && game.moves.front().colour == White);
    out.swapped = whiteFirst;
    const auto colourOf = [&](std::uint8_t c) -> std::uint8_t { return whiteFirst ? OpponentOf(c) : c; };

    SourceGrid grid{};
    Span sx, sy;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const std::uint8_t c = colourOf(game.setup[x][y]);
            grid[x][y] = c;
            if (c == Empty) continue;
            sx.stone(x + 1);
            sy.stone(y + 1);
            if (c == White) {
                sx.white(x + 1);
                sy.white(y + 1);
            }
        }
    }
    markArea(grid, width, height, sx, sy);

    const AxisFit fx = placeAxis(width, sx, out.dx);
    const AxisFit fy = placeAxis(height, sy, out.dy);
    if (fx == AxisFit::NoRoom || fy == AxisFit::NoRoom) {
        out.error = FitNoCornerMessage(width, height);
        return out;
    }
    if (fx != AxisFit::Placed || fy != AxisFit::Placed) out.warning = FitEdgeWarning(width, height);
    if (game.treeCut) {
        if (!out.warning.empty()) out.warning += '\n';
        out.warning += Tr(TreeCutWarning);
    }

    Position pos;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            if (grid[x][y] == Empty) continue;
            const int tx = x + 1 + out.dx, ty = y + 1 + out.dy;
            out.stones[static_cast<std::size_t>((tx - 1) * BoardSide + (ty - 1))] = grid[x][y];
            pos.at(tx, ty).Stone = grid[x][y];
        }
    }
    for (const auto& [mx, my] : game.marks) {
        const int x = mx + out.dx, y = my + out.dy;
        if (!IsPlayable(x, y) || pos.at(x, y).Stone != White) continue;
        out.targetX = static_cast<std::uint8_t>(x), out.targetY = static_cast<std::uint8_t>(y);
        break;
    }
    for (const SgfMove& m : game.moves) {
        if (out.record.size() >= static_cast<std::size_t>(MaxMoves) || m.x == 0) break;
        const int x = m.x + out.dx, y = m.y + out.dy;
        const std::uint8_t c = colourOf(m.colour);
        if (!IsPlayable(x, y) || pos.at(x, y).Stone != Empty) break;
        PlaceStone(pos, x, y, c);
        if (pos.at(x, y).Stone != c) break;
        out.record.push_back({static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), c});
    }
    out.tree = game.tree;
    for (SgfTreeNode& n : out.tree.nodes) {
        if (n.move.colour != Black && n.move.colour != White) continue;
        n.move.colour = colourOf(n.move.colour);
        if (n.move.x == 0) continue;
        const int x = n.move.x + out.dx, y = n.move.y + out.dy;
        if (IsPlayable(x, y)) {
            n.move.x = static_cast<std::uint8_t>(x);
            n.move.y = static_cast<std::uint8_t>(y);
        } else {
            n.move.x = n.move.y = 0;
        }
    }
    out.ok = true;
    return out;
}

}  // namespace keldra
