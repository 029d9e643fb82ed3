// keldra-cli prove: loads the problem (a problem file or SGF, as the window
// opens it), proves it and prints the result.
#include "cli/prove_command.h"

#include <algorithm>
#include <chrono>
#include <charconv>
#include <fstream>
#include <string>

#include "QELMA/logic/problem_open.h"
#include "QELMA/logic/prove_commands.h"
#include "QELMA/logic/proof_sgf.h"
#include "prover/prover.h"

namespace keldra {

namespace {

constexpr int UsageError = 2;
// The proof tree's size: a player can still walk it in an SGF editor.
constexpr int TreeNodes = 3000;

std::string point(const prover::ProverMove& m) { return std::to_string(m.x) + "," + std::to_string(m.y); }

// A node limit: 1 to 10^12 positions.
bool parseNodes(std::string_view s, std::uint64_t& out) {
    if (s.empty() || s.size() > 13) return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size() && out >= 1 && out <= 1'000'000'000'000ull;
}

// A ko threat count: the number, or "more" past the counted ones.
std::string threats(int n) { return n >= prover::MoreThreats ? std::string("more") : std::to_string(n); }

// Lines to widen the play area by: "0" to "9".
bool parseWiden(std::string_view s, int& out) {
    if (s.size() != 1 || s[0] < '0' || s[0] > '9') return false;
    out = s[0] - '0';
    return true;
}

// A board point "X,Y", each from 1 to 13.
bool parsePoint(std::string_view s, std::uint8_t& x, std::uint8_t& y) {
    const std::size_t comma = s.find(',');
    if (comma == std::string_view::npos) return false;
    int vx = 0, vy = 0;
    const auto [ex, cx] = std::from_chars(s.data(), s.data() + comma, vx);
    const auto [ey, cy] = std::from_chars(s.data() + comma + 1, s.data() + s.size(), vy);
    if (cx != std::errc() || cy != std::errc() || ex != s.data() + comma || ey != s.data() + s.size()) return false;
    if (vx < 1 || vx > BoardSide || vy < 1 || vy > BoardSide) return false;
    x = static_cast<std::uint8_t>(vx), y = static_cast<std::uint8_t>(vy);
    return true;
}

struct ProveArguments {
    std::string_view file;
    int tree = 0;
    std::string_view treeOut;  // --tree: where the proof tree goes
    bool target = false;       // --target given
    prover::ProveOptions options;
};

// prove FILE [TREE] [--seconds S] [--nodes N] [--tree OUT] [--widen N] [--target X,Y]: the file, then an
// optional game-tree number (counted from 1, as `board` takes it), then the options. --nodes alone lifts the
// time limit, so that a measurement does not depend on the machine's load.
bool parseArguments(const std::vector<std::string_view>& args, ProveArguments& a) {
    if (args.size() < 2) return false;
    a.file = args[1];
    std::size_t i = 2;
    if (i < args.size() && !args[i].empty() && args[i].size() <= 6 &&
        args[i].find_first_not_of("0123456789") == std::string_view::npos) {
        a.tree = std::stoi(std::string(args[i])) - 1;
        if (a.tree < 0) return false;
        ++i;
    }
    bool seconds = false, widen = false, nodes = false;
    for (; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return false;
        if (args[i] == "--seconds" && !seconds) {
            if (!ParseSeconds(args[i + 1], a.options.seconds)) return false;
            seconds = true;
        } else if (args[i] == "--nodes" && !nodes) {
            if (!parseNodes(args[i + 1], a.options.nodeLimit)) return false;
            nodes = true;
        } else if (args[i] == "--tree" && a.treeOut.empty() && !args[i + 1].empty()) {
            a.treeOut = args[i + 1];
            a.options.treeNodes = TreeNodes;
        } else if (args[i] == "--widen" && !widen) {
            if (!parseWiden(args[i + 1], a.options.areaMargin)) return false;
            widen = true;
        } else if (args[i] == "--target" && !a.target) {
            if (!parsePoint(args[i + 1], a.options.targetX, a.options.targetY)) return false;
            a.target = true;
        } else {
            return false;
        }
    }
    if (nodes && !seconds) a.options.seconds = 0;
    return true;
}

}  // namespace

bool ParseSeconds(std::string_view s, double& out) {
    if (s.empty() || s.size() > 12) return false;
    for (const char c : s)
        if (!((c >= '0' && c <= '9') || c == '.')) return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size() && out > 0 && out <= 86400;
}

int RunProveCommand(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err) {
    ProveArguments a;
    if (!parseArguments(args, a)) return UsageError;
    const OpenedProblem load = ReadProblemPath(std::string(a.file), a.tree, CharsetDecoder{});
    if (!load.ok) {
        err << load.error << '\n';
        return 1;
    }
    Board board;
    InitBoard(board);
    ApplyProblem(board, load.stones);
    // The target named on the command line, else the one the file marks.
    prover::ProveOptions& options = a.options;
    if (options.targetX == 0) options.targetX = load.targetX, options.targetY = load.targetY;
    if (options.targetX != 0 && board[options.targetX][options.targetY].Stone != White) {
        err << "no white stone at " << int(options.targetX) << ',' << int(options.targetY) << '\n';
        return 1;
    }

    const auto started = std::chrono::steady_clock::now();
    const prover::ProveResult r = prover::Prove(board, options);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);

    out << "verdict: " << prover::VerdictToken(r.verdict) << '\n';
    out << "kill:";
    for (const auto& m : r.kills) out << ' ' << point(m);
    out << "\nko:";
    for (const auto& m : r.koKills) out << ' ' << point(m);
    out << "\nline:";
    for (const auto& m : r.line) out << ' ' << point(m) << ',' << int(m.colour);
    out << "\nrefute:";
    for (const auto& f : r.firstMoves)
        if (f.status == prover::FirstMoveStatus::Refuted) out << ' ' << point(f.move) << '>' << point(f.refutation);
    out << '\n';
    // Under a limit the lists above leave out the first moves not proved.
    if (!r.open.empty()) {
        out << "open:";
        for (const auto& m : r.open) out << ' ' << point(m);
        out << '\n';
    }
    out << "nodes: " << r.nodes << '\n';
    out << "target:";
    if (!r.target.isPass()) out << ' ' << point(r.target);
    out << '\n';
    // The ko kills' counts, X,Y,B,W: the threats black needs to kill when
    // white has none, and those white needs to live when black has none.
    // After the lines above, so that their readers see what they saw.
    bool counted = false;
    for (const auto& f : r.firstMoves) counted |= f.koCounted();
    if (counted) {
        out << "ko-threats:";
        for (const auto& f : r.firstMoves)
            if (f.koCounted()) out << ' ' << point(f.move) << ',' << threats(f.blackNeeds) << ',' << threats(f.whiteNeeds);
        out << '\n';
    }
    if (!r.weakerKo.empty()) {
        out << "weaker-ko:";
        for (const auto& m : r.weakerKo) out << ' ' << point(m);
        out << '\n';
    }
    // When each kill and ko kill was proved, in milliseconds from the start:
    // how soon a player would have had that answer. Cut to the millisecond
    // as the elapsed time is, so no move is proved after the run ended.
    const auto kills = [](const prover::RootResult& f) {
        return f.status == prover::FirstMoveStatus::Kills || f.status == prover::FirstMoveStatus::KillsByKo;
    };
    if (std::any_of(r.firstMoves.begin(), r.firstMoves.end(), kills)) {
        out << "proved-at:";
        for (const auto& f : r.firstMoves)
            if (kills(f)) out << ' ' << point(f.move) << ',' << static_cast<long long>(f.seconds * 1000.0);
        out << '\n';
    }
    if (!a.treeOut.empty()) {
        std::ofstream file{std::string(a.treeOut), std::ios::binary};
        file << SgfTreeText(board, ProofSgfTree(r.tree), VerdictText(r.verdict));
        if (!file.flush()) {
            err << "cannot write " << a.treeOut << '\n';
            return 1;
        }
    }
    err << "elapsed " << ms.count() << " ms\n";
    return 0;
}

}  // namespace keldra
