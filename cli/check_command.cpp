// keldra-cli check: a problem book's answers against the prover.
#include "cli/check_command.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <string>

#include "BAN/sgf/sgf_reader.h"
#include "QELMA/logic/problem_folder.h"
#include "QELMA/logic/problem_open.h"
#include "cli/charset_decoder.h"
#include "cli/prove_command.h"
#include "prover/prover.h"

namespace keldra {

namespace {

constexpr int UsageError = 2;

struct Point {
    int x, y;
    friend bool operator==(const Point&, const Point&) = default;
    friend auto operator<=>(const Point&, const Point&) = default;
};

std::string pointsText(const std::vector<Point>& points) {
    if (points.empty()) return "none";
    std::string t;
    for (const Point& p : points) {
        if (!t.empty()) t += ' ';
        t += std::to_string(p.x);
        t += ',';
        t += std::to_string(p.y);
    }
    return t;
}

enum class Outcome { Agree, BookFails, OthersKill, Unknown, NoAnswer, NotOpened };

struct Tally {
    int counts[6] = {};
    int problems = 0;
};

// The book's correct first moves: black's moves below the root judged correct.
std::vector<Point> bookMoves(const SgfTree& tree) {
    std::vector<Point> moves;
    for (const int c : tree.nodes[0].children) {
        const SgfTreeNode& n = tree.nodes[static_cast<std::size_t>(c)];
        if (n.move.colour != Black || n.move.x == 0 || n.judgement != SgfJudgement::Correct) continue;
        const Point p{n.move.x, n.move.y};
        if (std::find(moves.begin(), moves.end(), p) == moves.end()) moves.push_back(p);
    }
    std::sort(moves.begin(), moves.end());
    return moves;
}

// Checks game tree `tree` of `path`; prints its line unless it has no answer.
void checkProblem(const std::string& path, int tree, int trees, const prover::ProveOptions& options, Tally& tally,
                  std::ostream& out) {
    const std::string head = path + " (" + std::to_string(tree + 1) + "/" + std::to_string(trees) + "): ";
    const OpenedProblem problem = ReadProblemPath(path, tree, IconvDecoder());
    ++tally.problems;
    if (!problem.ok) {
        ++tally.counts[static_cast<int>(Outcome::NotOpened)];
        out << head << "not opened; " << problem.error << '\n';
        return;
    }
    const std::vector<Point> book = bookMoves(problem.tree);
    if (book.empty()) {
        ++tally.counts[static_cast<int>(Outcome::NoAnswer)];
        return;
    }
    Board board;
    InitBoard(board);
    ApplyProblem(board, problem.stones);
    const prover::ProveResult r = prover::Prove(board, options);

    // The book's moves should be the best there are: the outright kills, or
    // the ko kills when nothing kills outright.
    std::vector<Point> kills, ko;
    for (const auto& m : r.kills) kills.push_back({m.x, m.y});
    for (const auto& m : r.koKills) ko.push_back({m.x, m.y});
    const std::vector<Point>& best = kills.empty() ? ko : kills;
    std::string refuted;
    std::vector<Point> outside, koOnly;
    bool unknown = false, fails = false;
    for (const Point& p : book) {
        const auto at = std::find_if(r.firstMoves.begin(), r.firstMoves.end(),
                                     [&](const prover::RootResult& f) { return f.move.x == p.x && f.move.y == p.y; });
        if (at == r.firstMoves.end()) {
            unknown = true;  // outside the area the prover plays in, or not a legal move
            outside.push_back(p);
        } else if (at->status == prover::FirstMoveStatus::Refuted) {
            fails = true;
            refuted += ' ';
            refuted += pointsText({p});
            refuted += '>';
            refuted += pointsText({{at->refutation.x, at->refutation.y}});
        } else if (at->status == prover::FirstMoveStatus::Unknown) {
            unknown = true;
        } else if (at->status == prover::FirstMoveStatus::KillsByKo && !kills.empty()) {
            fails = true;  // a ko where black kills outright elsewhere
            koOnly.push_back(p);
        }
    }
    // Other first moves the prover could not decide leave open whether the
    // book's moves are the only ones.
    const bool othersOpen = std::any_of(r.firstMoves.begin(), r.firstMoves.end(),
                                        [](const prover::RootResult& f) { return f.status == prover::FirstMoveStatus::Unknown; });
    Outcome outcome;
    if (fails) outcome = Outcome::BookFails;
    else if (unknown) outcome = Outcome::Unknown;
    else if (best.size() > book.size()) outcome = Outcome::OthersKill;
    else if (othersOpen) outcome = Outcome::Unknown;
    else outcome = Outcome::Agree;
    ++tally.counts[static_cast<int>(outcome)];
    static const char* const Names[] = {"agree", "book move fails", "other moves also kill", "unknown"};
    out << head << Names[static_cast<int>(outcome)] << "; book " << pointsText(book) << "; kill " << pointsText(kills) << "; ko "
        << pointsText(ko);
    if (!refuted.empty()) out << "; refuted" << refuted;
    if (!koOnly.empty()) out << "; ko only " << pointsText(koOnly);
    if (!outside.empty()) out << "; not proved " << pointsText(outside);
    out << '\n';
}

void checkFile(const std::string& path, const prover::ProveOptions& options, Tally& tally, std::ostream& out) {
    const SgfLoad first = ReadSgfFile(path, 0);
    const int trees = std::max(first.trees, 1);
    if (!first.ok && first.trees == 0) {
        ++tally.problems;
        ++tally.counts[static_cast<int>(Outcome::NotOpened)];
        out << path << " (1/1): not opened; " << first.error << '\n';
        return;
    }
    for (int t = 0; t < trees; ++t) checkProblem(path, t, trees, options, tally, out);
}

}  // namespace

int RunCheckCommand(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err) {
    prover::ProveOptions options;
    if (args.size() == 4 && args[2] == "--seconds") {
        if (!ParseSeconds(args[3], options.seconds)) return UsageError;
    } else if (args.size() != 2) {
        return UsageError;
    }
    namespace fs = std::filesystem;
    const std::string root(args[1]);
    std::error_code ec;
    std::vector<std::string> files;
    if (fs::is_directory(root, ec)) {
        for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
            if (it->is_regular_file(ec) && IsSgfPath(it->path().string())) files.push_back(it->path().string());
        }
        std::sort(files.begin(), files.end());
    } else {
        files.push_back(root);
    }
    Tally tally;
    for (const std::string& f : files) checkFile(f, options, tally, out);
    const int* c = tally.counts;
    out << "summary: " << tally.problems << " problems; agree " << c[0] << "; book move fails " << c[1] << "; other moves also kill "
        << c[2] << "; unknown " << c[3] << "; no marked answer " << c[4] << "; not opened " << c[5] << '\n';
    if (tally.problems == 0 || tally.counts[static_cast<int>(Outcome::NotOpened)] == tally.problems) {
        if (tally.problems == 0) err << "SGF ファイルがありません\n";
        return 1;
    }
    return 0;
}

}  // namespace keldra
