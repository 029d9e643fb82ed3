// Times automatic solving, one computer reply and one candidate generation on
// every bundled problem, and counts kill-search nodes per second.
//
//   build/bench/keldra_bench [--benchmark_filter=Solve]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "BAN/problem_file.h"
#include "solver/hints.h"
#include "solver/kill_search.h"

namespace {

using namespace keldra;

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

void load(AppState& st, const ProblemStones& stones) {
    st = AppState{};
    ApplyProblem(st.pos.board, stones);
}

void BM_Solve(benchmark::State& state, ProblemStones stones) {
    auto st = std::make_unique<AppState>();
    SilentView view;
    for (auto _ : state) {
        load(*st, stones);
        Button7Click(*st, view);
        benchmark::DoNotOptimize(st->rec.MoveCount);
    }
}

void BM_Reply(benchmark::State& state, ProblemStones stones) {
    auto st = std::make_unique<AppState>();
    SilentView view;
    for (auto _ : state) {
        load(*st, stones);
        Button9Click(*st, view);
        benchmark::DoNotOptimize(st->HintX);
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
// the first that kills.
void BM_KillNodes(benchmark::State& state, ProblemStones stones) {
    auto searcher = std::make_unique<KillSearcher>();
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        Position start;
        ApplyProblem(start.board, stones);
        CandidateList list;
        GenerateCandidates(start, Black, list);
        const std::uint64_t before = searcher->nodes();
        for (int i = 1; i <= list.count; ++i) {
            Position pos = start;
            if (searcher->Search(pos, list.entry(i).X, list.entry(i).Y, 1) > 0) break;
        }
        nodes += searcher->nodes() - before;
    }
    state.counters["nodes"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}

void registerProblems() {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    const fs::path dir = fs::path(KELDRA_SOURCE_DIR) / "problems";
    if (fs::is_directory(dir)) {
        for (const auto& e : fs::directory_iterator(dir)) {
            if (e.path().extension() == ".go") files.push_back(e.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const auto& f : files) {
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
