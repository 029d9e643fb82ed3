// Times automatic solving, one computer reply and one candidate generation on
// every bundled problem, and counts kill-search nodes per second.
//
//   build/bench/keldra_bench [--benchmark_filter=Solve]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BAN/problem_file.h"
#include "solver/kill_search.h"

// The speed comparison builds this file against an earlier tree too, whose
// hint commands worked on one state struct; the few calls that differ go
// through these names.
#if __has_include("QELMA/logic/session.h")
#include "QELMA/logic/session.h"

namespace {
using namespace keldra;
using State = Session;
Position& PositionOf(State& s) { return s.game.pos; }
GameRecord& RecordOf(State& s) { return s.game.rec; }
int HintXOf(const State& s) { return s.hint.X; }
int HintYOf(const State& s) { return s.hint.Y; }
void Solve(State& s, SearchView& v) { Button7Click(s.game, s.hint, s.flags, v); }
void BlackHint(State& s, SearchView& v) { Button10Click(s.game, s.hint, s.flags, v); }
void Reply(State& s, SearchView& v) { Button9Click(s.game, s.hint, s.flags, v); }
}  // namespace
#else
#include "solver/hints.h"

namespace {
using namespace keldra;
using State = AppState;
Position& PositionOf(State& s) { return s.pos; }
GameRecord& RecordOf(State& s) { return s.rec; }
int HintXOf(const State& s) { return s.HintX; }
int HintYOf(const State& s) { return s.HintY; }
void Solve(State& s, SearchView& v) { Button7Click(s, v); }
void BlackHint(State& s, SearchView& v) { Button10Click(s, v); }
void Reply(State& s, SearchView& v) { Button9Click(s, v); }
}  // namespace
#endif

namespace {

// Reports nothing and never waits: the play-out runs at full speed.
class SilentView : public SearchView {
public:
    void ShowMessage(std::string_view) override {}
    void SetEdit1Text(std::string_view) override {}
    void SetEdit6Text(std::string_view) override {}
    void SetEdit6Colour(Rgb) override {}
    void MemoClear() override {}
    void MemoAddLine(std::string_view) override {}
    void PaintBoard() override {}
    void ProcessEvents() override {}
    std::uint32_t TickCount() override {
        using namespace std::chrono;
        return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void WaitSince(std::uint32_t, std::uint32_t) override {}
};

void load(State& st, const ProblemStones& stones) {
    st = State{};
    ApplyProblem(PositionOf(st).board, stones);
}

void BM_Solve(benchmark::State& state, ProblemStones stones) {
    auto st = std::make_unique<State>();
    SilentView view;
    for (auto _ : state) {
        load(*st, stones);
        Solve(*st, view);
        benchmark::DoNotOptimize(RecordOf(*st).MoveCount);
    }
}

// The computer's reply to black's killing move (or to the bare position when
// black has none), as a game of the problem asks for it.
void BM_Reply(benchmark::State& state, ProblemStones stones) {
    auto st = std::make_unique<State>();
    SilentView view;
    load(*st, stones);
    BlackHint(*st, view);
    const int x = HintXOf(*st), y = HintYOf(*st);
    for (auto _ : state) {
        load(*st, stones);
        PlayMove(PositionOf(*st), RecordOf(*st), x, y, Black);
        Reply(*st, view);
        benchmark::DoNotOptimize(HintXOf(*st));
    }
}

void BM_Candidates(benchmark::State& state, ProblemStones stones) {
    Position pos;
    ApplyProblem(pos.board, stones);
    CandidateList list;
    for (auto _ : state) {
        GenerateCandidates(pos, Black, list);
        benchmark::DoNotOptimize(list.count);
    }
}

// The black hint's searches, counted: black's candidates in list order until
// the first that kills, each recording its line as the hint does.
void BM_KillNodes(benchmark::State& state, ProblemStones stones) {
    auto searcher = std::make_unique<KillSearcher>();
    auto line = std::make_unique<SolutionLine>();
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        Position start;
        ApplyProblem(start.board, stones);
        CandidateList list;
        GenerateCandidates(start, Black, list);
        const std::uint64_t before = searcher->nodes();
        for (int i = 1; i <= list.count; ++i) {
            Position pos = start;
            if (searcher->Search(pos, list.entry(i).X, list.entry(i).Y, 1, line.get()) > 0) break;
        }
        nodes += searcher->nodes() - before;
    }
    state.counters["nodes"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}

// The problem files: the bundled ones, or those of the folders listed in
// KELDRA_BENCH_DIRS (separated by ':'), as the speed comparison sets it.
std::vector<std::filesystem::path> problemFiles() {
    namespace fs = std::filesystem;
    std::vector<fs::path> dirs;
    if (const char* env = std::getenv("KELDRA_BENCH_DIRS")) {
        std::string list = env;
        for (std::size_t at = 0; at <= list.size();) {
            const std::size_t colon = std::min(list.find(':', at), list.size());
            if (colon > at) dirs.emplace_back(list.substr(at, colon - at));
            at = colon + 1;
        }
    } else {
        dirs.push_back(fs::path(KELDRA_SOURCE_DIR) / "problems");
    }
    std::vector<fs::path> files;
    for (const auto& dir : dirs) {
        if (!fs::is_directory(dir)) continue;
        for (const auto& e : fs::directory_iterator(dir)) {
            if (e.path().extension() == ".go") files.push_back(e.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

void registerProblems() {
    for (const auto& f : problemFiles()) {
        const ProblemLoad load = ReadProblemFile(f.string());
        if (!load.ok) continue;
        const std::string name = f.stem().string();
        benchmark::RegisterBenchmark(("Solve/" + name).c_str(), BM_Solve, load.stones)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Reply/" + name).c_str(), BM_Reply, load.stones)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Candidates/" + name).c_str(), BM_Candidates, load.stones)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("KillNodes/" + name).c_str(), BM_KillNodes, load.stones)
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    registerProblems();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
