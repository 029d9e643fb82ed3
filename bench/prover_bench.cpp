// The prover over the bundled problems and the composed sets: per problem its
// verdict, time and nodes; then the median and longest time, the share of
// answers other than unknown, nodes per second and the tables' memory.
//
//   build/bench/keldra_prover_bench [--threads N] [--seconds S] [--only TEXT] [--moves] [--table-mib M] [--nodes N] [--widen W]
//                                   [--file PATH]... [--files-only]
//
// --table-mib sets the tables' memory; --nodes limits the positions per problem (with --seconds 0, a count that
// the machine's load does not change); --widen widens the play area by W lines; --only keeps the problems whose name contains TEXT; --moves adds a line per
// black first move with its status and the nodes spent on it. --file adds a problem file (.go, or an SGF file's first
// game tree, with the target it marks) after the built-in problems; --files-only leaves the built-in ones out.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BAN/problem_file.h"
#include "QELMA/logic/problem_open.h"
#include "prover/prover.h"
#include "tests/prover_composed_problems.h"

namespace {

using namespace keldra;

struct Case {
    std::string name;
    Board board;
    std::uint8_t targetX = 0, targetY = 0;  // a named target; 0, 0: the default
};

}  // namespace

int main(int argc, char** argv) {
    prover::ProveOptions options;
    std::string only;
    bool moves = false, filesOnly = false;
    std::vector<std::string> extraFiles;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (flag == "--moves") moves = true;
        if (flag == "--files-only") filesOnly = true;
        if (flag == "--file") extraFiles.push_back(value), ++i;
        if (flag == "--threads") options.threads = std::max(1, std::atoi(value)), ++i;
        if (flag == "--seconds") options.seconds = std::atof(value), ++i;
        if (flag == "--only") only = value, ++i;
        if (flag == "--widen") options.areaMargin = std::max(0, std::atoi(value)), ++i;
        if (flag == "--nodes") options.nodeLimit = std::strtoull(value, nullptr, 10), ++i;
        if (flag == "--table-mib") options.tableBytes = static_cast<std::size_t>(std::atoi(value)) << 20, ++i;
    }
    std::vector<Case> cases;
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(std::string(KELDRA_SOURCE_DIR) + "/problems"))
        if (e.path().extension() == ".go") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const auto& f : files) {
        const ProblemLoad load = ReadProblemFile(f.string());
        if (!load.ok) continue;
        Case c{f.filename().string(), {}};
        InitBoard(c.board);
        ApplyProblem(c.board, load.stones);
        cases.push_back(c);
    }
    for (const auto& p : test::ComposedProblems) cases.push_back(Case{p.name, test::ComposedBoard(p.rows)});
    for (const auto& p : test::OpenCornerProblems) cases.push_back(Case{p.name, test::ComposedBoard(p.rows)});
    for (const auto& p : test::ClassicalCorners) cases.push_back(Case{p.name, test::ComposedBoard(p.rows)});
    for (const auto& p : test::MultiGroupProblems)
        cases.push_back(Case{p.name, test::ComposedBoard(p.rows), p.targetX, p.targetY});
    if (filesOnly) cases.clear();
    for (const std::string& path : extraFiles) {
        const OpenedProblem load = ReadProblemPath(path, 0, CharsetDecoder{});
        if (!load.ok) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), load.error.c_str());
            return 1;
        }
        Case c{path.substr(path.find_last_of('/') + 1), {}, load.targetX, load.targetY};
        const std::size_t folder = path.find_last_of('/');
        if (folder != std::string::npos && folder > 0) {
            const std::size_t above = path.find_last_of('/', folder - 1);
            c.name = path.substr(above == std::string::npos ? 0 : above + 1);
        }
        InitBoard(c.board);
        ApplyProblem(c.board, load.stones);
        cases.push_back(c);
    }

    if (!only.empty())
        std::erase_if(cases, [&](const Case& c) { return c.name.find(only) == std::string::npos; });
    if (cases.empty()) return 1;
    std::vector<double> seconds;
    std::uint64_t nodes = 0;
    std::size_t tableBytes = 0;
    int answered = 0;
    std::printf("%-9s %9s %11s  %s\n", "verdict", "ms", "nodes", "problem");
    // Processor time as well as the clock's: on a loaded machine it is the steadier measure.
    const std::clock_t cpuStart = std::clock();
    for (const Case& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        prover::ProveOptions caseOptions = options;
        caseOptions.targetX = c.targetX, caseOptions.targetY = c.targetY;
        const prover::ProveResult r = prover::Prove(c.board, caseOptions);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        seconds.push_back(s);
        nodes += r.nodes;
        tableBytes = std::max(tableBytes, r.tableBytes);
        answered += r.verdict != prover::Verdict::Unknown;
        std::printf("%-9s %9.1f %11llu  %.60s\n", prover::VerdictToken(r.verdict), s * 1000,
                    static_cast<unsigned long long>(r.nodes), c.name.c_str());
        static const char* const status[] = {"kills", "ko", "refuted", "unknown"};
        for (const prover::RootResult& m : moves ? r.firstMoves : std::vector<prover::RootResult>{})
            std::printf("    %2d,%-2d %-8s %11llu  refutation %d,%d\n", m.move.x, m.move.y,
                        status[static_cast<int>(m.status)], static_cast<unsigned long long>(m.nodes), m.refutation.x,
                        m.refutation.y);
    }
    std::vector<double> sorted = seconds;
    std::sort(sorted.begin(), sorted.end());
    double total = 0;
    for (const double s : seconds) total += s;
    std::printf("\nproblems %zu, threads %d\n", cases.size(), options.threads);
    std::printf("median %.1f ms, max %.1f ms\n", sorted[sorted.size() / 2] * 1000, sorted.back() * 1000);
    std::printf("answered (not unknown) %d of %zu = %.0f %%\n", answered, cases.size(),
                100.0 * answered / static_cast<double>(cases.size()));
    std::printf("nodes %llu in %.2f s = %.0f nodes/s\n", static_cast<unsigned long long>(nodes), total,
                static_cast<double>(nodes) / total);
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::printf("processor time %.2f s = %.0f nodes/s\n", cpu, static_cast<double>(nodes) / cpu);
    std::printf("table memory %.1f MiB\n", static_cast<double>(tableBytes) / (1 << 20));
    return 0;
}
