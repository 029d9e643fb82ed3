// GNU Go, driven over GTP, as an outside opponent of the prover's proofs: it
// plays white against every proved kill of the composed and bundled problems
// and black against every proved life. Black's answers in a kill come from
// proving the position again after each white move, white's answers in a life
// from WhiteAnswer. Every proof of a line keeps the problem of its start
// (its frame). The proof holds when white never lives in a kill and black
// never captures the group in a life.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "BAN/problem_file.h"
#include "BAN/rules.h"
#include "QELMA/logic/problem_open.h"
#include "gtp_client.h"
#include "prover/prover.h"
#include "prover_composed_problems.h"
#include "test_support.h"

namespace {

using namespace keldra;
using prover::AnswerKind;
using prover::ProverMove;
using prover::Verdict;
using test::GtpClient;

// The program is GNU Go at /usr/games/gnugo, or the one KELDRA_GNUGO names.
std::string gnugoPath() {
    const char* chosen = std::getenv("KELDRA_GNUGO");
    return chosen != nullptr && *chosen != '\0' ? chosen : "/usr/games/gnugo";
}
constexpr int MovesPerLine = 8;      // GNU Go's moves in one line, at most
constexpr int FirstAlternatives = 1;  // GNU Go's top moves tried as its first move
constexpr double MoveSeconds = 20.0;  // an answer from GNU Go, at most

struct Problem {
    std::string name;
    Board board;
    Verdict verdict;
};

// The composed problems and the bundled files, each with the verdict the
// prover gives it.
std::vector<Problem> provedProblems() {
    std::vector<Problem> out;
    for (const test::Composed& c : test::ComposedProblems) out.push_back({c.name, test::ComposedBoard(c.rows), c.verdict});
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(test::SourcePath("problems")))
        if (e.path().extension() == ".go") files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    for (const std::string& f : files) {
        const ProblemLoad load = ReadProblemFile(f);
        if (!load.ok) continue;
        Board board;
        InitBoard(board);
        ApplyProblem(board, load.stones);
        out.push_back({std::filesystem::path(f).filename().string(), board, Verdict::Kill});
    }
    return out;
}

// The limits of every proof in a duel; `frame`, the problem as the line's
// start set it up, keeps later positions to that problem.
prover::ProveOptions quickOptions(const prover::ProblemFrame& frame = {}) {
    prover::ProveOptions o;
    o.seconds = 20.0;
    o.tableBytes = 16u << 20;
    o.frame = frame;
    return o;
}

std::string moveText(const ProverMove& m) {
    std::string s = m.colour == Black ? "B " : "W ";
    if (m.isPass()) {
        s += "pass";
    } else {
        s += std::to_string(m.x);
        s += ',';
        s += std::to_string(m.y);
    }
    return s;
}

std::string lineText(const std::vector<ProverMove>& line) {
    std::string s;
    for (const auto& m : line) {
        if (!s.empty()) s += ' ';
        s += moveText(m);
    }
    return s;
}

// The white stones of the problem that touch black: the group the fight is
// about. Stones that touch nothing black (the surroundings) are left out:
// the line's frame keeps them out of the target.
std::vector<std::pair<int, int>> fightStones(const Board& b) {
    std::vector<std::pair<int, int>> out;
    std::vector<std::vector<bool>> seen(GridSide, std::vector<bool>(GridSide, false));
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (b[x][y].Stone != White || seen[x][y]) continue;
            std::vector<std::pair<int, int>> chain{{x, y}}, todo{{x, y}};
            seen[x][y] = true;
            bool touchesBlack = false;
            while (!todo.empty()) {
                const auto [px, py] = todo.back();
                todo.pop_back();
                for (const auto& [nx, ny] : {std::pair{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}}) {
                    if (nx < 1 || ny < 1 || nx > BoardSide || ny > BoardSide) continue;
                    if (b[nx][ny].Stone == Black) touchesBlack = true;
                    if (b[nx][ny].Stone == White && !seen[nx][ny]) {
                        seen[nx][ny] = true;
                        chain.push_back({nx, ny});
                        todo.push_back({nx, ny});
                    }
                }
            }
            if (touchesBlack) out.insert(out.end(), chain.begin(), chain.end());
        }
    }
    return out;
}

// GNU Go's candidate moves for `colour` in the position it holds, best first.
std::vector<ProverMove> topMoves(GtpClient& gnugo, std::uint8_t colour, int count) {
    std::vector<ProverMove> out;
    const auto reply = gnugo.send(colour == Black ? "top_moves_black" : "top_moves_white", MoveSeconds);
    if (!reply) return out;
    std::istringstream in(*reply);
    std::string vertex, value;
    while (static_cast<int>(out.size()) < count && in >> vertex >> value)
        if (const auto m = GtpClient::point(vertex, colour)) out.push_back(*m);
    return out;
}

// One game between the prover and GNU Go on one problem: the rules engine's
// position and GNU Go's board move together.
class Duel {
public:
    Duel(GtpClient& gnugo, const Board& start) : gnugo_(gnugo), fight_(fightStones(start)) {
        pos_.board = start;
        ok_ = gnugo_.send("boardsize 13").has_value() && gnugo_.send("clear_board").has_value();
        for (int x = 1; x <= BoardSide && ok_; ++x)
            for (int y = 1; y <= BoardSide && ok_; ++y)
                if (start[x][y].Stone == Black || start[x][y].Stone == White)
                    ok_ = gnugo_.send("play " + std::string(start[x][y].Stone == Black ? "B " : "W ") +
                                      GtpClient::vertex({static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 1}))
                              .has_value();
    }

    bool ok() const { return ok_; }
    const Board& board() const { return pos_.board; }
    const std::vector<ProverMove>& line() const { return line_; }
    // Every stone of the fight's white group is off the board.
    bool groupCaptured() const {
        return std::none_of(fight_.begin(), fight_.end(), [&](const auto& p) { return pos_.board[p.first][p.second].Stone == White; });
    }

    // Plays `m` on both boards; false when either refuses it.
    bool play(const ProverMove& m, bool tellGnuGo = true) {
        line_.push_back(m);
        if (tellGnuGo && !gnugo_.send(std::string("play ") + (m.colour == Black ? "B " : "W ") + GtpClient::vertex(m)))
            return false;
        if (m.isPass()) {
            // A pass ends the ban on retaking a ko.
            for (int x = 1; x <= BoardSide; ++x)
                for (int y = 1; y <= BoardSide; ++y) pos_.at(x, y).KoMark = 0;
            return true;
        }
        if (pos_.at(m.x, m.y).Stone != Empty) return false;
        PlaceStone(pos_, m.x, m.y, m.colour);
        return pos_.at(m.x, m.y).Stone == m.colour;
    }

    enum class Turn { Played, GaveUp, Refused };

    // GNU Go's move for `colour`, played on both boards: its owl reading's
    // attack (black) or defence (white) of the fight's group where that finds
    // a move, else the best of its top moves near the group, else its own
    // choice. GaveUp when it resigns, passes as black or does not answer;
    // Refused when the rules engine refuses the move.
    Turn gnugoTurn(std::uint8_t colour, int& owlMoves) {
        std::optional<ProverMove> m = owlMove(colour);
        if (m) {
            ++owlMoves;
        } else {
            const std::vector<ProverMove> tops = topMoves(gnugo_, colour, 10);
            const auto near = std::find_if(tops.begin(), tops.end(), [&](const ProverMove& t) { return nearFight(t); });
            if (near != tops.end()) {
                m = *near;
            } else {
                const auto reply = gnugo_.send(colour == Black ? "reg_genmove B" : "reg_genmove W", MoveSeconds);
                m = reply ? GtpClient::point(*reply, colour) : std::nullopt;
            }
        }
        if (!m || (colour == Black && m->isPass())) return Turn::GaveUp;
        return play(*m) ? Turn::Played : Turn::Refused;
    }

    // GNU Go's owl reading finds a black attack on the fight's group.
    bool owlCanKill() {
        const auto stone = std::find_if(fight_.begin(), fight_.end(), [&](const auto& p) { return pos_.board[p.first][p.second].Stone == White; });
        if (stone == fight_.end()) return true;
        const ProverMove at{static_cast<std::uint8_t>(stone->first), static_cast<std::uint8_t>(stone->second), White};
        const auto reply = gnugo_.send("owl_attack " + GtpClient::vertex(at), MoveSeconds);
        return reply && !reply->empty() && (*reply)[0] != '0';
    }

private:
    // Within two lines of a white stone of the fight that still stands.
    bool nearFight(const ProverMove& m) const {
        if (m.isPass()) return false;
        return std::any_of(fight_.begin(), fight_.end(), [&](const auto& p) {
            return pos_.board[p.first][p.second].Stone == White && std::abs(p.first - m.x) <= 2 && std::abs(p.second - m.y) <= 2;
        });
    }

    std::optional<ProverMove> owlMove(std::uint8_t colour) {
        const auto stone = std::find_if(fight_.begin(), fight_.end(), [&](const auto& p) { return pos_.board[p.first][p.second].Stone == White; });
        if (stone == fight_.end()) return std::nullopt;
        const ProverMove at{static_cast<std::uint8_t>(stone->first), static_cast<std::uint8_t>(stone->second), White};
        const auto reply = gnugo_.send((colour == Black ? "owl_attack " : "owl_defend ") + GtpClient::vertex(at), MoveSeconds);
        if (!reply) return std::nullopt;
        std::istringstream in(*reply);
        int result = 0;
        std::string vertex;
        if (!(in >> result >> vertex) || result == 0) return std::nullopt;
        const auto m = GtpClient::point(vertex, colour);
        if (!m || m->isPass() || pos_.at(m->x, m->y).Stone != Empty) return std::nullopt;
        return m;
    }

    GtpClient& gnugo_;
    std::vector<std::pair<int, int>> fight_;
    Position pos_;
    std::vector<ProverMove> line_;
    bool ok_ = false;
};

struct Tally {
    int lines = 0;
    int gnugoMoves = 0;
    int owlMoves = 0;       // of those, found by its owl reading of the group
    int captured = 0;       // kill lines that ended with the target off the board
    int heldToTheEnd = 0;   // lines that ran their full length with the proof standing
    int gaveUp = 0;         // GNU Go resigned or passed
    int koRefutations = 0;  // white's answers in a life that hold only as ko master
    std::vector<std::string> failures;
    std::vector<std::string> unproved;       // lines where the prover ran out of time: no verdict either way
    std::vector<std::string> gnugoSeesLife;  // held kill lines whose group GNU Go's owl reading calls alive
};

// GNU Go's move for `colour` in the duel, or `forced` when given, counted in
// the tally. False when the line ends here: GNU Go gave up, or its move was
// illegal (a failure).
bool gnugoPlays(Duel& duel, std::uint8_t colour, std::optional<ProverMove> forced, const Problem& p, Tally& t) {
    const Duel::Turn turn = forced ? (duel.play(*forced) ? Duel::Turn::Played : Duel::Turn::Refused)
                                   : duel.gnugoTurn(colour, t.owlMoves);
    if (turn == Duel::Turn::GaveUp) {
        ++t.gaveUp;
        return false;
    }
    ++t.gnugoMoves;
    if (turn == Duel::Turn::Refused) {
        t.failures.push_back(p.name + ": GNU Go's move is illegal here: " + lineText(duel.line()));
        return false;
    }
    return true;
}

// A proved kill: black plays its first kill, GNU Go answers as white (with `reply` as
// its first move when given), black answers with a clean kill proved again.
void playKill(GtpClient& gnugo, const Problem& p, std::optional<ProverMove> reply, Tally& t) {
    Duel duel(gnugo, p.board);
    ASSERT_TRUE(duel.ok()) << p.name << ": GNU Go refused the position";
    ++t.lines;
    prover::ProveResult proof = prover::Prove(p.board, quickOptions());
    const prover::ProveOptions framed = quickOptions(proof.frame);
    for (int move = 0; move < MovesPerLine; ++move) {
        if (proof.verdict == Verdict::Unknown) {
            t.unproved.push_back(p.name + ": " + lineText(duel.line()));
            return;
        }
        if (proof.verdict != Verdict::Kill || proof.kills.empty()) {
            t.failures.push_back(p.name + ": no clean kill proved after " + lineText(duel.line()));
            return;
        }
        if (!duel.play(proof.kills.front())) {
            t.failures.push_back(p.name + ": black's kill refused after " + lineText(duel.line()));
            return;
        }
        if (duel.groupCaptured()) {
            ++t.captured;
            return;
        }
        const prover::ProverAnswer after = prover::WhiteAnswer(duel.board(), framed);
        if (after.kind == AnswerKind::NoTarget) {
            ++t.captured;  // the target is off the board, though stones of the fight stand
            return;
        }
        if (after.kind == AnswerKind::Refutes) {
            t.failures.push_back(p.name + ": white refutes black's proved kill after " + lineText(duel.line()));
            return;
        }
        if (!gnugoPlays(duel, White, move == 0 ? reply : std::nullopt, p, t)) return;
        proof = prover::Prove(duel.board(), framed);
    }
    if (proof.verdict == Verdict::Unknown) {
        t.unproved.push_back(p.name + ": " + lineText(duel.line()));
    } else if (proof.verdict == Verdict::Kill) {
        ++t.heldToTheEnd;
        if (!duel.owlCanKill()) t.gnugoSeesLife.push_back(p.name + ": " + lineText(duel.line()));
    } else {
        t.failures.push_back(p.name + ": the kill no longer proved after " + lineText(duel.line()));
    }
}

// A proved life: GNU Go plays black (with `first` as its first move when
// given), white answers with the prover's refutation.
void playLife(GtpClient& gnugo, const Problem& p, std::optional<ProverMove> first, Tally& t) {
    Duel duel(gnugo, p.board);
    ASSERT_TRUE(duel.ok()) << p.name << ": GNU Go refused the position";
    ++t.lines;
    const prover::ProveOptions framed = quickOptions(prover::FrameOf(p.board));
    for (int move = 0; move < MovesPerLine; ++move) {
        if (!gnugoPlays(duel, Black, move == 0 ? first : std::nullopt, p, t)) return;
        if (duel.groupCaptured()) {
            t.failures.push_back(p.name + ": GNU Go's black captured the group: " + lineText(duel.line()));
            return;
        }
        const prover::ProverAnswer a = prover::WhiteAnswer(duel.board(), framed);
        if (a.kind == AnswerKind::Unknown) {
            t.unproved.push_back(p.name + ": " + lineText(duel.line()));
            return;
        }
        if (a.kind != AnswerKind::Refutes) {
            t.failures.push_back(p.name + ": GNU Go's black move is not refuted: " + lineText(duel.line()));
            return;
        }
        if (a.needsKo) ++t.koRefutations;
        ProverMove w = a.move;
        w.colour = White;
        if (!duel.play(w)) {
            t.failures.push_back(p.name + ": white's refutation refused after " + lineText(duel.line()));
            return;
        }
    }
    ++t.heldToTheEnd;
}

std::string report(const char* what, const Tally& t) {
    std::ostringstream s;
    s << what << ": " << t.lines << " lines, " << t.gnugoMoves << " moves by GNU Go (" << t.owlMoves << " from owl reading), " << t.captured << " captured, "
      << t.heldToTheEnd << " held for " << MovesPerLine << " moves, " << t.gaveUp << " resigned or passed, "
      << t.koRefutations << " ko refutations, " << t.unproved.size() << " unproved, " << t.failures.size() << " failures";
    for (const auto& f : t.failures) s << "\n  " << f;
    if (!t.gnugoSeesLife.empty()) s << "\n" << t.gnugoSeesLife.size() << " held kills GNU Go's owl reading calls alive:";
    for (const auto& f : t.gnugoSeesLife) s << "\n  " << f;
    return s.str();
}

class GnuGoAdversary : public ::testing::Test {
protected:
    void SetUp() override {
        if (access(gnugoPath().c_str(), X_OK) != 0)
            GTEST_SKIP() << "GNU Go is not installed at " << gnugoPath() << " (scripts/install-deps.sh installs it)";
    }
};

// Kill lines on every problem proved a clean kill: one with GNU Go's own
// replies, and one from each of its top replies to black's first kill.
void duelKills(GtpClient& gnugo, const std::vector<Problem>& problems, int alternatives, Tally& t, bool verbose = false) {
    for (const Problem& p : problems) {
        if (p.verdict != Verdict::Kill) continue;
        const prover::ProveResult proof = prover::Prove(p.board, quickOptions());
        ASSERT_FALSE(proof.kills.empty()) << p.name;
        std::vector<ProverMove> replies;
        {
            Duel probe(gnugo, p.board);
            ASSERT_TRUE(probe.ok() && probe.play(proof.kills.front())) << p.name;
            replies = topMoves(gnugo, White, alternatives);
        }
        const std::size_t failed = t.failures.size();
        playKill(gnugo, p, std::nullopt, t);
        for (const ProverMove& r : replies) playKill(gnugo, p, r, t);
        if (verbose) {
            std::cout << (t.failures.size() > failed ? "FAILED kill " : "held kill ") << p.name << std::endl;
            for (std::size_t i = failed; i < t.failures.size(); ++i) std::cout << "  " << t.failures[i] << std::endl;
        }
    }
}

// Life lines on every problem proved alive or seki, the same way round.
void duelLives(GtpClient& gnugo, const std::vector<Problem>& problems, int alternatives, Tally& t, bool verbose = false) {
    for (const Problem& p : problems) {
        if (p.verdict != Verdict::Alive && p.verdict != Verdict::Seki) continue;
        std::vector<ProverMove> firsts;
        {
            Duel probe(gnugo, p.board);
            ASSERT_TRUE(probe.ok()) << p.name;
            firsts = topMoves(gnugo, Black, alternatives);
        }
        const std::size_t failed = t.failures.size();
        playLife(gnugo, p, std::nullopt, t);
        for (const ProverMove& f : firsts) playLife(gnugo, p, f, t);
        if (verbose) {
            std::cout << (t.failures.size() > failed ? "FAILED life " : "held life ") << p.name << std::endl;
            for (std::size_t i = failed; i < t.failures.size(); ++i) std::cout << "  " << t.failures[i] << std::endl;
        }
    }
}

// Problem files named one a line in the file `list`, each with the verdict
// the prover gives it in ten seconds.
std::vector<Problem> listedProblems(const std::string& list) {
    std::vector<Problem> out;
    std::ifstream in(list);
    std::string path;
    while (std::getline(in, path)) {
        if (path.empty()) continue;
        const OpenedProblem load = ReadProblemPath(path, 0, CharsetDecoder{});
        if (!load.ok) continue;
        Board board;
        InitBoard(board);
        ApplyProblem(board, load.stones);
        prover::ProveOptions options;
        options.seconds = 10.0;
        out.push_back({path, board, prover::Prove(board, options).verdict});
        std::cout << prover::VerdictToken(out.back().verdict) << ' ' << path << std::endl;
    }
    return out;
}

TEST_F(GnuGoAdversary, NeverLivesAgainstAProvedKill) {
    GtpClient gnugo(gnugoPath(), {"--mode", "gtp", "--level", "10"});
    ASSERT_TRUE(gnugo.running());
    Tally t;
    duelKills(gnugo, provedProblems(), FirstAlternatives, t);
    std::cout << report("kills", t) << '\n';
    EXPECT_TRUE(t.failures.empty()) << report("kills", t);
    EXPECT_GT(t.gnugoMoves, 0);
}

TEST_F(GnuGoAdversary, NeverKillsAProvedLife) {
    GtpClient gnugo(gnugoPath(), {"--mode", "gtp", "--level", "10"});
    ASSERT_TRUE(gnugo.running());
    Tally t;
    duelLives(gnugo, provedProblems(), FirstAlternatives, t);
    std::cout << report("lives", t) << '\n';
    EXPECT_TRUE(t.failures.empty()) << report("lives", t);
    EXPECT_GT(t.gnugoMoves, 0);
}

// The same duels on problem files that KELDRA_GNUGO_PROBLEMS lists, one path
// a line (published problems kept outside the repository); skipped without it.
TEST_F(GnuGoAdversary, ListedProblemFiles) {
    const char* list = std::getenv("KELDRA_GNUGO_PROBLEMS");
    if (list == nullptr || *list == '\0') GTEST_SKIP() << "KELDRA_GNUGO_PROBLEMS names no list of problem files";
    GtpClient gnugo(gnugoPath(), {"--mode", "gtp", "--level", "10"});
    ASSERT_TRUE(gnugo.running());
    const std::vector<Problem> problems = listedProblems(list);
    Tally kills, lives;
    duelKills(gnugo, problems, 0, kills, true);
    duelLives(gnugo, problems, 1, lives, true);
    std::cout << problems.size() << " files\n" << report("kills", kills) << '\n' << report("lives", lives) << '\n';
    EXPECT_TRUE(kills.failures.empty() && lives.failures.empty());
}

}  // namespace
