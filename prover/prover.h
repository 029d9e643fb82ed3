// The verified solver: proves, for a black-to-kill problem, which black
// first moves kill outright, which kill only through ko, and how white
// refutes the others. Every answer other than Unknown is a proof under the
// rules in prover/README.md. Standard library only; threads for the first
// moves.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "BAN/board.h"
#include "prover/problem_frame.h"

namespace keldra::prover {

struct ProveOptions {
    std::uint64_t nodeLimit = 0;              // positions generated, over all threads; 0: none (the time governs)
    double seconds = 10.0;                    // wall time; 0 or less: none
    std::size_t tableBytes = 64u << 20;       // transposition tables, over all threads
    int threads = 2;
    // Nodes of the proof tree (ProveResult::tree) to build after the proof;
    // 0: none.
    int treeNodes = 0;
    // Lines the play area is widened by beyond its usual margin: a proof
    // whose verdict changes with it leaned on where the area stops.
    int areaMargin = 0;
    // A white stone (X, Y) whose group is the target; x == 0, or a point
    // without a white stone: the default rule chooses (prover/README.md).
    std::uint8_t targetX = 0, targetY = 0;
    // The set-up of the position where the game began (FrameOf, or
    // ProveResult::frame of its proof): its area and its stones' roles hold
    // here too, and the named target above is not read. Unset: the stones
    // alone decide.
    ProblemFrame frame;
    // A target whose eye space is dead by its shape counts as captured
    // (prover/README.md, "How a game ends"); off, the search plays it out.
    bool deadEyeSpaces = true;
};

enum class Verdict { Kill, KillByKo, Alive, Seki, Unknown };

// The verdict's one-word name, as keldra-cli prints it: "kill", "ko",
// "alive", "seki" or "unknown".
const char* VerdictToken(Verdict v);

// A move of the proof; x == 0 (and y == 0) is a pass.
struct ProverMove {
    std::uint8_t x = 0, y = 0;
    std::uint8_t colour = 0;  // 1 black, 2 white
    bool isPass() const { return x == 0; }
    friend bool operator==(const ProverMove&, const ProverMove&) = default;
};

enum class FirstMoveStatus { Kills, KillsByKo, Refuted, Unknown };

// The ko threats counted for a ko kill: 0 to CountedThreats, or MoreThreats
// for more than that.
inline constexpr int CountedThreats = 3;
inline constexpr int MoreThreats = CountedThreats + 1;

struct RootResult {
    ProverMove move;
    FirstMoveStatus status = FirstMoveStatus::Unknown;
    ProverMove refutation;   // white's answer when Refuted
    std::uint64_t nodes = 0;  // spent on this move
    // Seconds from the start of the proof until this move's status
    // (Kills, KillsByKo or Refuted) was proved; -1 while Unknown.
    double seconds = -1;
    // The ko status of a ko kill (KillsByKo): the fewest ko threats black
    // needs to kill when white has none, and the fewest white needs to live
    // when black has none; one of them is 0. -1: not counted (another
    // status, or no time left for it).
    int blackNeeds = -1, whiteNeeds = -1;
    bool koCounted() const { return blackNeeds >= 0 && whiteNeeds >= 0; }
    // How good the ko is for black: the more threats white needs, the
    // better; the more black needs, the worse.
    int koAdvantage() const { return whiteNeeds - blackNeeds; }
};

// The proof written out as a tree: nodes[0] is the position (no move); its
// children are black's first moves, each with its status. Under a move that
// kills (outright or by ko), black's proved answer to every white defence,
// breadth first until the capture or the node budget; under a refuted move,
// white's refutation and one line to white's life: at each black move black's
// hardest try, and white's proved answer.
struct ProofTreeNode {
    ProverMove move;  // colour 0 for nodes[0]
    int parent = -1;
    std::vector<int> children;  // after this node in ProofTree::nodes
    FirstMoveStatus status = FirstMoveStatus::Unknown;  // on black's first moves
    int blackNeeds = -1, whiteNeeds = -1;  // on a ko kill: RootResult's counts
    // The line ends here with white's stones on the board: its eye space is
    // dead by its shape (prover/README.md, "How a game ends").
    bool deadShape = false;
};

struct ProofTree {
    std::vector<ProofTreeNode> nodes{ProofTreeNode{}};
    int add(int parent, ProverMove move) {
        ProofTreeNode n;
        n.move = move;
        n.parent = parent;
        nodes.push_back(n);
        const int i = static_cast<int>(nodes.size()) - 1;
        nodes[static_cast<std::size_t>(parent)].children.push_back(i);
        return i;
    }
};

struct ProveResult {
    Verdict verdict = Verdict::Unknown;
    std::vector<ProverMove> kills;    // X, then Y order
    // Kill only when black may retake kos at once, and of those the best
    // kos for black (the largest koAdvantage), with the kos not counted.
    std::vector<ProverMove> koKills;
    // The other ko kills, counted and worse for black than the best: they
    // leave an existing ko as it was, or hand white the first take.
    std::vector<ProverMove> weakerKo;
    std::vector<ProverMove> open;     // first moves still unproved (a limit, the stop flag, a cut-off line)
    std::vector<ProverMove> line;     // from the first (ko) kill: black's proof, white's longest resistance
    std::vector<RootResult> firstMoves;  // every black first move, X then Y order
    ProofTree tree;  // with ProveOptions::treeNodes; the first moves not unknown
    std::uint64_t nodes = 0;
    bool limitReached = false;
    std::size_t tableBytes = 0;
    ProverMove target;  // the target group's first stone, X then Y order (colour White); x == 0: no target
    // The frame the proof used: ProveOptions::frame when set, else the one
    // this position's set-up makes (unset when there is no target). Passed
    // to the proofs of later positions of the same game, it keeps the
    // problem the same.
    ProblemFrame frame;
};

// The frame of `board` as the start of a game (black to move), made as
// Prove sets the problem up (the named target and areaMargin of `options`
// count; options.frame does not), without proving. Unset when the board has
// no target.
ProblemFrame FrameOf(const Board& board, const ProveOptions& options = {});

// Proves the problem on `board` (black to move; the board's ko marks bind
// black's first move). `stopRequested` cancels within a fraction of a second
// and leaves Unknown where nothing was proved. `onRootFinished` runs once per
// first move and ko setting as soon as its proof ends, on a worker thread,
// never two at a time.
ProveResult Prove(const Board& board, const ProveOptions& options = {},
                  const std::atomic<bool>* stopRequested = nullptr,
                  std::function<void(const RootResult&)> onRootFinished = {});

enum class AnswerKind {
    Refutes,   // black's last move does not kill; `move` keeps white alive
    Resists,   // black's last move kills; `move` is white's longest resistance
    NoTarget,  // no white stone to defend
    Unknown,   // nothing proved within the limits; `move` is empty
};

struct ProverAnswer {
    AnswerKind kind = AnswerKind::Unknown;
    ProverMove move;  // a pass when x == 0
    bool needsKo = false;  // the refutation holds only when white may retake kos at once
    std::uint64_t nodes = 0;
};

// White's answer on `board`, white to move (after black's move; the board's
// ko marks bind white's move).
ProverAnswer WhiteAnswer(const Board& board, const ProveOptions& options = {},
                         const std::atomic<bool>* stopRequested = nullptr);

}  // namespace keldra::prover
