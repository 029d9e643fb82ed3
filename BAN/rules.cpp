#include "rules.h"

namespace keldra {

namespace {

std::int8_t asSigned(std::uint8_t v) { return static_cast<std::int8_t>(v); }

// left, right, above, below
constexpr int Neighbour[4] = {-GridSide, GridSide, -1, 1};

bool touchesEmpty(const PointRecord* p, int i) {
    return p[i - GridSide].Stone == Empty || p[i + GridSide].Stone == Empty || p[i - 1].Stone == Empty ||
           p[i + 1].Stone == Empty;
}

// A group as FillGroup marks it: the points connected to the start through
// points of the start's code. A code of 128 or more (negative as a signed
// byte) joins nothing, so such a group is the start alone.
// Each thread keeps one walker (see walker()), so that the marks need no
// clearing between walks: a walk takes a new stamp, and the marks are
// cleared only when the stamp wraps.
struct GroupWalk {
    std::array<std::uint32_t, GridPoints> member{};   // == stamp: joined the current walk
    std::array<std::uint32_t, GridPoints> liberty{};  // == stamp: counted as its liberty
    std::uint32_t stamp = 0;
    std::array<std::uint8_t, GridPoints> members;
    int size = 0;

    // Collects the group through playable `start` and answers whether it has
    // an empty neighbour, stopping at the first one when `stopAtLiberty`
    // (the members are then incomplete). Without a liberty the members are
    // the whole group. `liberties` receives the number of distinct empty
    // neighbours when the walk runs to the end.
    bool collect(const PointRecord* p, int start, bool stopAtLiberty, int* liberties = nullptr) {
        if (++stamp == 0) {
            member.fill(0);
            liberty.fill(0);
            stamp = 1;
        }
        const std::uint8_t code = p[start].Stone;
        const bool joins = asSigned(code) >= 0;
        size = 0;
        members[static_cast<std::size_t>(size++)] = static_cast<std::uint8_t>(start);
        member[static_cast<std::size_t>(start)] = stamp;
        int libs = 0;
        for (int at = 0; at < size; ++at) {
            const int i = members[static_cast<std::size_t>(at)];
            for (const int d : Neighbour) {
                const auto n = static_cast<std::size_t>(i + d);
                const std::uint8_t s = p[n].Stone;
                if (s == Empty) {
                    if (stopAtLiberty) return true;
                    if (liberty[n] != stamp) {
                        liberty[n] = stamp;
                        ++libs;
                    }
                }
                if (joins && s == code && member[n] != stamp) {
                    member[n] = stamp;
                    members[static_cast<std::size_t>(size++)] = static_cast<std::uint8_t>(n);
                }
            }
        }
        if (liberties != nullptr) *liberties = libs;
        return libs > 0;
    }
};

GroupWalk& walker() {
    thread_local GroupWalk walk;
    return walk;
}

template <bool Logged>
void save(UndoLog* log, const Board& b, int i) {
    if constexpr (Logged) log->Save(b, i);
}

// ResolveMove with every change of a playable record saved into `log` when
// Logged; `ko`, when given, tells where ko marks may be and is brought up
// to date when the move stands. The placed point itself is saved by the
// caller.
template <bool Logged>
void resolve(Position& pos, UndoLog* log, KoPoints* ko) {
    Board& b = pos.board;
    PointRecord* p = Cells(b);
    const int last = IndexOf(pos.LastX, pos.LastY);
    PointRecord& placed = p[last];
    const std::uint8_t code = placed.Stone;

    // An immediate ko recapture is refused; all ko marks stay.
    if (placed.KoMark == 1 && code == placed.KoColour) {
        placed.Stone = Empty;
        return;
    }

    // An empty point, or a code that no group count examines apart from the
    // point itself: the point comes off exactly when it has no empty
    // neighbour, and nothing else changes.
    if (code == Empty || asSigned(code) < 0) {
        if (!touchesEmpty(p, last)) {
            placed.RemovedSize = 1;
            placed.Stone = Empty;
        }
        return;
    }

    GroupWalk& walk = walker();
    // Captures: only groups of the mover's opponent are examined; a group
    // reached again through a second neighbour is empty by then.
    const std::uint8_t opponent = OpponentOf(code);
    bool single[4] = {false, false, false, false};
    if (opponent != 0) {
        for (int k = 0; k < 4; ++k) {
            const int n = last + Neighbour[k];
            if (p[n].Stone != opponent || touchesEmpty(p, n)) continue;
            if (walk.collect(p, n, true)) continue;
            const auto size = static_cast<std::uint8_t>(walk.size);
            for (int at = 0; at < walk.size; ++at) {
                const int i = walk.members[static_cast<std::size_t>(at)];
                save<Logged>(log, b, i);
                p[i].Stone = Empty;
                p[i].RemovedSize = size;
            }
            single[k] = (size == 1);
        }
    }

    // Self-capture: captures came first, so a capturing stone has a liberty.
    if (!touchesEmpty(p, last) && !walk.collect(p, last, true)) {
        placed.RemovedSize = static_cast<std::uint8_t>(walk.size);
        placed.Stone = Empty;
        return;
    }

    // The move stands: the ban of the previous move ends.
    if (ko != nullptr && ko->known) {
        for (int k = 0; k < ko->count; ++k) {
            const int i = ko->index[static_cast<std::size_t>(k)];
            if (p[i].KoMark != 0) {
                save<Logged>(log, b, i);
                p[i].KoMark = 0;
            }
        }
    } else {
        for (int x = 1; x <= BoardSide; ++x) {
            PointRecord* column = p + IndexOf(x, 0);
            for (int y = 1; y <= BoardSide; ++y) {
                if (column[y].KoMark != 0) {
                    save<Logged>(log, b, IndexOf(x, y));
                    column[y].KoMark = 0;
                }
            }
        }
    }
    if (ko != nullptr) {
        ko->known = true;
        ko->count = 0;
    }

    // Ko: the opponent on a single-capture point N would take back exactly
    // the one stone just placed when that stone has no neighbour of its own
    // colour and no empty neighbour other than N.
    for (int k = 0; k < 4; ++k) {
        if (!single[k]) continue;
        bool alone = true;
        for (int j = 0; j < 4 && alone; ++j) {
            const std::uint8_t s = p[last + Neighbour[j]].Stone;
            alone = (s != code) && (j == k || s != Empty);
        }
        if (alone) {
            const int n = last + Neighbour[k];
            save<Logged>(log, b, n);
            p[n].KoMark = 1;
            if (ko != nullptr) ko->index[ko->count++] = static_cast<std::uint8_t>(n);
        }
    }
    for (const int d : Neighbour) {
        // a border neighbour takes part too when its KoMark happens to be 1
        if (p[last + d].KoMark == 1) p[last + d].KoColour = opponent;
    }
}

}  // namespace

void FillGroup(Position& pos, int x, int y) {
    pos.board[x][y].GroupMark = 1;
    // right, left, below, above; the border (255 read as -1) never matches
    static constexpr int dx[4] = {1, -1, 0, 0};
    static constexpr int dy[4] = {0, 0, 1, -1};
    for (int k = 0; k < 4; ++k) {
        const PointRecord& n = pos.board[x + dx[k]][y + dy[k]];
        if (n.GroupMark == 0 && asSigned(n.Stone) == static_cast<int>(pos.GroupColour)) {
            FillGroup(pos, x + dx[k], y + dy[k]);
        }
    }
}

void CountAndCapture(Position& pos, int x, int y) {
    Board& b = pos.board;
    pos.GroupColour = b[x][y].Stone;
    pos.CapturedCount = 0;
    const bool isLast = (x == pos.LastX && y == pos.LastY);
    // Apart from the mover's own group, only groups of the mover's opponent are examined.
    if (!isLast && b[pos.LastX][pos.LastY].Stone != OpponentOf(pos.GroupColour)) return;
    // A border point has no playable stone and no liberty to count.
    if (!IsPlayable(x, y)) {
        b[x][y].Liberties = 0;
        return;
    }

    GroupWalk& walk = walker();
    PointRecord* p = Cells(b);
    int liberties = 0;
    walk.collect(p, IndexOf(x, y), false, &liberties);
    b[x][y].Liberties = static_cast<std::uint8_t>(liberties);
    if (liberties != 0) return;
    pos.CapturedCount = static_cast<std::uint8_t>(walk.size);
    if (isLast) {
        // self-capture: only the stone just placed comes off
        b[x][y].RemovedSize = pos.CapturedCount;
        b[x][y].Stone = Empty;
        return;
    }
    for (int at = 0; at < walk.size; ++at) {
        PointRecord& r = p[walk.members[static_cast<std::size_t>(at)]];
        r.Stone = Empty;
        r.RemovedSize = pos.CapturedCount;
    }
}

void ResolveMove(Position& pos) { resolve<false>(pos, nullptr, nullptr); }

void PlaceStone(Position& pos, int x, int y, std::uint8_t code) {
    pos.board[x][y].Stone = code;
    pos.LastX = static_cast<std::uint8_t>(x);
    pos.LastY = static_cast<std::uint8_t>(y);
    resolve<false>(pos, nullptr, nullptr);
}

KoPoints KoPointsOf(const Board& board) {
    KoPoints ko;
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (board[x][y].KoMark == 0) continue;
            if (ko.count == ko.index.size()) return KoPoints{};
            ko.index[ko.count++] = static_cast<std::uint8_t>(IndexOf(x, y));
        }
    }
    ko.known = true;
    return ko;
}

void PlaceStone(Position& pos, int x, int y, std::uint8_t code, UndoLog& log, KoPoints& ko) {
    log.Save(pos.board, IndexOf(x, y));
    pos.board[x][y].Stone = code;
    pos.LastX = static_cast<std::uint8_t>(x);
    pos.LastY = static_cast<std::uint8_t>(y);
    resolve<true>(pos, &log, &ko);
}

void RecordMove(GameRecord& rec, std::uint8_t x, std::uint8_t y, std::uint8_t colour) {
    if (rec.MoveCount >= MaxMoves) {
        // Keep the last 50 moves: the oldest becomes part of the start position.
        Position fold;
        fold.board = rec.StartSnapshot;
        const MoveRecord first = rec.record(1);
        PlaceStone(fold, first.X, first.Y, first.colour);
        rec.StartSnapshot = fold.board;
        for (int k = 1; k < MaxMoves; ++k) rec.record(k) = rec.record(k + 1);
        rec.MoveCount = MaxMoves - 1;
    }
    rec.MoveCount = static_cast<std::uint8_t>(rec.MoveCount + 1);
    rec.record(rec.MoveCount) = MoveRecord{x, y, colour};
}

void EndStepping(GameRecord& rec) {
    if (rec.ReplayCursor != ReplayIdle && rec.ReplayCursor > rec.MoveCount) rec.MoveCount = rec.ReplayCursor;
    rec.ReplayCursor = ReplayIdle;
}

void PlayMove(Position& pos, GameRecord& rec, int x, int y, std::uint8_t code) {
    if (!IsPlayable(x, y)) return;
    if (pos.board[x][y].Stone != Empty) return;  // never overwrite a stone
    EndStepping(rec);
    if (rec.MoveCount == 0) rec.StartSnapshot = pos.board;
    PlaceStone(pos, x, y, code);
    const std::uint8_t now = pos.board[x][y].Stone;
    if (HoldsStone(now)) RecordMove(rec, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), now);
}

}  // namespace keldra
