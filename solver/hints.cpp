#include "solver/hints.h"

#include <atomic>
#include <memory>
#include <string>

#include "solver/root_search.h"

namespace keldra {

namespace {

constexpr std::uint32_t PlayOutMsPerMove = 700;
// The hints search black's moves at ply 1 and white's at ply 2.
constexpr int BlackPly = 1;
constexpr int WhitePly = 2;

std::string elapsedText(SearchView& view, std::uint32_t start) {
    return std::to_string((view.TickCount() - start) / 1000) + "秒かかりました。";
}

// "X=4 Y=3 を計算中" while a candidate is searched.
std::string progressText(const CandidateEntry& c, const char* what) {
    return "X=" + std::to_string(c.X) + " Y=" + std::to_string(c.Y) + what;
}

struct Choice {
    std::uint8_t X = 0;
    std::uint8_t Y = 0;
    std::int64_t best = -1;

    // Takes the candidate when its score beats the best so far; true if taken.
    bool offer(const CandidateEntry& c, std::int64_t score) {
        if (score <= best) return false;
        best = score;
        X = c.X;
        Y = c.Y;
        return true;
    }
};

// The window is closing: the board goes back to the hint's start position
// (when it was already saved), both flags are cleared and no hint is left to
// be played.
void abandonSearch(AppState& st, bool hintBoardTaken) {
    if (hintBoardTaken) st.pos.board = st.HintBoard;
    st.AutoSolveFlag = 0;
    st.RecordFlag = 0;
    st.HintX = 0;
    st.HintY = 0;
}

// Lets pending events through; true when the window started closing.
bool letEventsThrough(AppState& st, SearchView& view, bool hintBoardTaken) {
    view.ProcessEvents();
    if (!view.Cancelled()) return false;
    abandonSearch(st, hintBoardTaken);
    return true;
}

// The workers of the hints, started with the first hint and kept for the
// life of the process. A hint entered while another one is waiting (from a
// handler its event processing ran) gets workers of its own. Ending the
// lease stops the job: after a first winner, a cancellation or an
// exception no further candidate is started.
class PoolLease {
public:
    PoolLease() {
        if (inUse().exchange(true)) {
            own_ = std::make_unique<RootSearchPool>();
            pool_ = own_.get();
        } else {
            pool_ = &shared();
        }
    }
    ~PoolLease() {
        pool_->Stop();
        if (!own_) inUse().store(false);
    }
    PoolLease(const PoolLease&) = delete;
    PoolLease& operator=(const PoolLease&) = delete;

    RootSearchPool& pool() { return *pool_; }

private:
    static RootSearchPool& shared() {
        static RootSearchPool pool;
        return pool;
    }
    static std::atomic<bool>& inUse() {
        static std::atomic<bool> flag{false};
        return flag;
    }

    std::unique_ptr<RootSearchPool> own_;
    RootSearchPool* pool_;
};

// Waits for task t while the view repaints. False when the window started
// closing during the wait; the search is then abandoned.
bool awaitTask(AppState& st, SearchView& view, RootSearchPool& pool, int t) {
    while (!pool.WaitTask(t, 0)) {
        view.WaitFor([&pool, t](std::uint32_t ms) { return pool.WaitTask(t, ms); });
        if (view.Cancelled()) {
            abandonSearch(st, true);
            return false;
        }
    }
    return true;
}

// The common end of both hints: the board back, the choice shown and kept.
void finishHint(AppState& st, SearchView& view, const Choice& choice, std::uint32_t start) {
    view.SetEdit6Colour(Red);
    st.pos.board = st.HintBoard;
    view.PaintBoard();
    view.SetEdit6Text("X= " + std::to_string(choice.X) + "  Y= " + std::to_string(choice.Y) +
                      "  TOTAL= " + std::to_string(choice.best));
    view.SetEdit1Text(elapsedText(view, start));
    st.HintX = choice.X;
    st.HintY = choice.Y;
    st.HintScore = choice.best;
}

// Before a candidate's search: the start position back, the candidate
// shown, pending events through. False when the window started closing.
bool announceCandidate(AppState& st, SearchView& view, const CandidateEntry& c, const char* what) {
    st.pos.board = st.HintBoard;
    view.SetEdit6Text(progressText(c, what));
    return !letEventsThrough(st, view, true);
}

// The frame of both hints: the status texts, the start position saved, the
// candidates of `colour` copied; `choose(list, start, choice, pool)` walks them in
// list order, taking the results of the workers, and returns false when the
// window started closing; then the common end. Any exception shows "解答不能"
// and goes on to the caller.
template <class Choose>
void runHint(AppState& st, SearchView& view, const char* thinking, std::uint8_t colour, Choose choose) {
    try {
        view.SetEdit1Text(thinking);
        const std::uint32_t start = view.TickCount();
        view.SetEdit6Colour(Yellow);
        if (letEventsThrough(st, view, false)) return;
        st.HintBoard = st.pos.board;
        // The masks of the start serve the root generation and every search.
        SearchStart searchStart;
        searchStart.Build(st.HintBoard);
        StoneColumns columns = searchStart.columns;
        GenerateCandidates(st.pos, colour, st.candidates, columns);
        const CandidateList list = st.candidates;
        Choice choice;
        PoolLease lease;
        if (!choose(list, searchStart, choice, lease.pool())) return;
        finishHint(st, view, choice, start);
    } catch (...) {
        view.ShowMessage("解答不能");
        throw;
    }
}

}  // namespace

void Button9Click(AppState& st, SearchView& view) {
    runHint(st, view, "　　白　が思考中", White,
            [&](const CandidateList& list, const SearchStart& start, Choice& choice, RootSearchPool& pool) {
        // Phase 1: the first white reply that wins by force. The counting
        // pass is searched ahead too; a winner stops it.
        const bool killPhase = (st.AutoSolveFlag == 0);
        const RootPass both[] = {{RootPass::Kill, WhitePly}, {RootPass::Count, WhitePly}};
        const int countPass = killPhase ? 1 : 0;
        pool.Start(st.HintBoard, start, list, killPhase ? both : both + 1, killPhase ? 2 : 1);
        if (killPhase) {
            for (int i = 1; i <= list.count; ++i) {
                const CandidateEntry& c = list.entry(i);
                if (!announceCandidate(st, view, c, " を計算中")) return false;
                const int t = pool.Task(0, i);
                if (!awaitTask(st, view, pool, t)) return false;
                if (choice.offer(c, pool.Value(t))) break;
            }
        }
        // Phase 2: the reply with the most lines that leave black without
        // stones or candidates; the earliest of equal counts stays.
        if (!killPhase || choice.best < 1) {
            for (int i = 1; i <= list.count; ++i) {
                const CandidateEntry& c = list.entry(i);
                if (!announceCandidate(st, view, c, " を再計算中")) return false;
                const int t = pool.Task(countPass, i);
                if (!awaitTask(st, view, pool, t)) return false;
                choice.offer(c, pool.Value(t));
            }
        }
        return true;
    });
}

void Button10Click(AppState& st, SearchView& view) {
    runHint(st, view, "　　黒　が思考中", Black,
            [&](const CandidateList& list, const SearchStart& start, Choice& choice, RootSearchPool& pool) {
        // Lines are kept only when automatic solving records one; the plain
        // hint's searches may then use the memo of finished positions.
        const RootPass kill{RootPass::Kill, BlackPly, st.RecordFlag == 1};
        pool.Start(st.HintBoard, start, list, &kill, 1);
        for (int i = 1; i <= list.count; ++i) {
            const CandidateEntry& c = list.entry(i);
            if (!announceCandidate(st, view, c, " を計算中")) return false;
            const int t = pool.Task(0, i);
            if (!awaitTask(st, view, pool, t)) return false;
            // Only the first candidate worth +1 writes the line: the losing
            // candidates before it leave st.solution alone, and a later
            // winner searched ahead is never taken.
            const std::int64_t value = pool.Value(t);
            if (value == 1 && kill.keepLine && st.RecordFlag == 1) {
                st.solution = pool.Line(t);
                view.MemoClear();
                for (int k = 0; k <= st.solution.SolutionLast; ++k) view.MemoAddLine(MemoLine(st.solution, k));
            }
            if (choice.offer(c, value)) break;
        }
        if (choice.best < 1) {
            view.ShowMessage("解答不能");
            st.RecordFlag = 0;
        }
        return true;
    });
}

void Button7Click(AppState& st, SearchView& view) {
    // Both flags end at 0 however automatic solving ends: normally, on a
    // cancellation or through an exception.
    struct FlagsOff {
        AppState& st;
        ~FlagsOff() {
            st.AutoSolveFlag = 0;
            st.RecordFlag = 0;
        }
    } flagsOff{st};

    view.SetEdit1Text("解答時間");
    const std::uint32_t start = view.TickCount();
    st.AutoSolveFlag = 1;
    st.RecordFlag = 1;
    // A game already under way keeps its start position and records; the
    // solution is recorded after them.
    if (st.rec.MoveCount == 0) st.rec.StartSnapshot = st.pos.board;

    // A hint that found no kill, or that the closing window stopped, has
    // cleared RecordFlag.
    Button10Click(st, view);
    if (st.RecordFlag != 1) return;

    view.SetEdit1Text(elapsedText(view, start));
    view.ShowMessage("詰みました。黒の勝ち。");

    // A copy, so that a handler run between two moves cannot change the line.
    const SolutionLine line = st.solution;
    for (int i = 0; i <= line.SolutionLast; ++i) {
        const std::uint32_t moveStart = view.TickCount();
        const MoveRecord& m = line.entries[static_cast<std::size_t>(i)];
        PlayMove(st.pos, st.rec, m.X, m.Y, m.colour);
        view.PaintBoard();
        if (letEventsThrough(st, view, true)) return;
        view.WaitSince(moveStart, PlayOutMsPerMove);
    }
}

void ShowRange(AppState& st, SearchView& view, int colour) {
    GenerateCandidates(st.pos, colour, st.candidates);
    const CandidateList& list = st.candidates;
    for (int i = 1; i <= list.count; ++i) st.pos.at(list.entry(i).X, list.entry(i).Y).Stone = RangeMark;
    view.PaintBoard();
    for (int i = 1; i <= list.count; ++i) st.pos.at(list.entry(i).X, list.entry(i).Y).Stone = Empty;
    view.ShowMessage(colour == White ? "白の打てる範囲です" : "黒の打てる範囲です");
}

}  // namespace keldra
