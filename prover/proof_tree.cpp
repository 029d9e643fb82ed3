// The proof tree: kills breadth first over the table's proofs, refutations
// as one line over its disproofs.
#include "prover/proof_tree.h"

#include <algorithm>
#include <deque>

#include "prover/move_generator.h"
#include "prover/play_out.h"

namespace keldra::prover {

namespace {

constexpr int LineLimit = 60;
// Positions searched, over the whole tree and for one dead eye space, to
// play the dead eye spaces out.
constexpr std::uint64_t PlayOutNodes = 400'000, PlayOutNodesEach = 50'000;

ProverMove moveOf(int point, std::uint8_t colour) {
    if (point == PassMove) return ProverMove{0, 0, colour};
    return ProverMove{static_cast<std::uint8_t>(PointX(point)), static_cast<std::uint8_t>(PointY(point)), colour};
}

class TreeBuilder {
public:
    TreeBuilder(const ProblemSetup& setup, const SearchNode& root, const ProofTable& table)
        : setup_(setup), table_(table) {
        positions_.push_back(root);
        keys_.push_back(0);  // the root's key never repeats under the same rules
    }

    ProofTree& tree() { return tree_; }

    // Adds black's first move `point`. Returns its node, or -1 when it
    // cannot be played under `rules` or ends the game at once (nothing to
    // write below it).
    int firstMove(int point, const RootResult& r, const SearchRules& rules) {
        SearchNode child;
        const bool legal = PlayInto(positions_[0], point, child, setup_, rules, fs_, true);
        const int t = tree_.add(0, moveOf(point, Black));
        ProofTreeNode& node = tree_.nodes[static_cast<std::size_t>(t)];
        node.status = r.status;
        node.blackNeeds = r.blackNeeds, node.whiteNeeds = r.whiteNeeds;
        positions_.push_back(legal ? child : positions_[0]);
        keys_.push_back(legal ? KeyOf(child, rules) : 0);
        const Outcome o = legal ? TerminalOf(child, point, false, setup_, rules, fs_) : Outcome::None;
        node.deadShape = o == Outcome::BlackWins && child.targets != 0;
        if (!legal || o != Outcome::None) return -1;
        return t;
    }

    // Under the black move at `from`: every white defence, each with black's
    // proved answer, breadth first until the capture or `budget` nodes.
    void expandKill(int from, const SearchRules& rules, int budget) {
        std::deque<int> open{from};
        int added = 0;
        while (!open.empty() && added < budget) {
            const int t = open.front();
            open.pop_front();
            const SearchNode n = positions_[static_cast<std::size_t>(t)];
            SearchNode c;
            MoveGenerator moves(n, setup_, rules, false, fs_);
            if (n.toMove == White) {
                for (int move = moves.next(c); move >= 0; move = moves.next(c)) {
                    const Outcome o = TerminalOf(c, move, n.lastPass != 0, setup_, rules, fs_);
                    const int child = addNode(t, move, White, c, rules, o);
                    ++added;
                    if (o == Outcome::None && !repeats(child)) open.push_back(child);
                }
                continue;
            }
            // Black: a capture of every target, else the proved move that
            // cost the least work.
            int chosen = -1, chosenWork = 1 << 30;
            bool captures = false;
            for (int move = moves.next(c); move >= 0 && !captures; move = moves.next(c)) {
                if (TerminalOf(c, move, n.lastPass != 0, setup_, rules, fs_) == Outcome::BlackWins) {
                    chosen = move, captures = true;
                    continue;
                }
                const std::uint64_t key = KeyOf(c, rules);
                const TableEntry e = table_.find(key);
                if (e.key == 0 || e.pn() != 0 || onPath(t, key)) continue;
                if (e.workLog() < chosenWork) chosen = move, chosenWork = e.workLog();
            }
            if (chosen < 0) continue;
            PlayInto(n, chosen, c, setup_, rules, fs_, false);
            const int child = addNode(t, chosen, Black, c, rules, captures ? Outcome::BlackWins : Outcome::None);
            ++added;
            if (!captures) open.push_back(child);
        }
    }

    // Under the black move at `from`: white's refutation, then one line of
    // black's hardest tries and white's proved answers, until white lives or
    // the table holds no more of it.
    void expandRefutation(int from, const ProverMove& refutation, const SearchRules& rules) {
        int t = from;
        for (int ply = 0; ply < LineLimit; ++ply) {
            const SearchNode n = positions_[static_cast<std::size_t>(t)];
            SearchNode c;
            int chosen = -1;
            if (n.toMove == White && ply == 0) {
                chosen = refutation.isPass() ? PassMove : IndexOf(refutation.x, refutation.y);
                MoveGenerator moves(n, setup_, rules, false, fs_);
                if (!moves.allows(chosen) || !PlayInto(n, chosen, c, setup_, rules, fs_, false)) return;
            } else {
                MoveGenerator moves(n, setup_, rules, false, fs_);
                int chosenWork = -1;
                for (int move = moves.next(c); move >= 0; move = moves.next(c)) {
                    const Outcome o = TerminalOf(c, move, n.lastPass != 0, setup_, rules, fs_);
                    const std::uint64_t key = KeyOf(c, rules);
                    const TableEntry e = table_.find(key);
                    const bool disproved = o == Outcome::WhiteWins || (o == Outcome::None && e.key != 0 && e.dn() == 0);
                    if (!disproved || onPath(t, key)) continue;
                    // White: its first proved answer, a life at once first;
                    // black: the try whose disproof cost the most work.
                    const int work = o == Outcome::WhiteWins ? 64 : e.workLog();
                    if (n.toMove == White) {
                        if (chosen < 0 || o == Outcome::WhiteWins) chosen = move;
                        if (o == Outcome::WhiteWins) break;
                    } else if (work > chosenWork && o == Outcome::None) {
                        chosen = move, chosenWork = work;
                    }
                }
                if (chosen < 0) return;
                PlayInto(n, chosen, c, setup_, rules, fs_, false);
            }
            const Outcome o = TerminalOf(c, chosen, n.lastPass != 0, setup_, rules, fs_);
            t = addNode(t, chosen, n.toMove, c, rules, o);
            if (o != Outcome::None) return;
        }
    }

    // Under every kill's node that ends on a dead eye space: one line, black's
    // proof and white's longest resistance, to the capture, while the
    // play-outs' positions last.
    void playOutDeadShapes(const SearchRules& whiteMaster, const SearchRules& blackMaster) {
        SearchLimits limits;
        limits.nodeLimit = PlayOutNodes;
        const std::size_t count = tree_.nodes.size();
        for (std::size_t t = 1; t < count && !limits.reached.load(); ++t) {
            if (!tree_.nodes[t].deadShape || !tree_.nodes[t].children.empty()) continue;
            int first = static_cast<int>(t);
            while (tree_.nodes[static_cast<std::size_t>(first)].parent != 0) first = tree_.nodes[static_cast<std::size_t>(first)].parent;
            const FirstMoveStatus status = tree_.nodes[static_cast<std::size_t>(first)].status;
            if (status != FirstMoveStatus::Kills && status != FirstMoveStatus::KillsByKo) continue;
            const SearchRules& rules = status == FirstMoveStatus::Kills ? whiteMaster : blackMaster;
            std::vector<SearchNode> path;
            for (int i = static_cast<int>(t); i > 0; i = tree_.nodes[static_cast<std::size_t>(i)].parent)
                path.push_back(positions_[static_cast<std::size_t>(i)]);
            path.push_back(positions_[0]);
            std::reverse(path.begin(), path.end());
            int at = static_cast<int>(t);
            SearchNode n = path.back(), c;
            for (const int m : PlayOutDeadSpace(setup_, path.data(), static_cast<int>(path.size()), rules, limits,
                                                PlayOutNodesEach)) {
                PlayInto(n, m, c, setup_, rules, fs_, false);
                at = addNode(at, m, n.toMove, c, rules, Outcome::None);  // marked once, where it was recognised
                n = c;
            }
        }
    }

private:
    // Adds the node of `point` and its position `n`, whose terminal outcome
    // is `o`: a win for black with targets left is a dead eye space.
    int addNode(int parent, int point, std::uint8_t colour, const SearchNode& n, const SearchRules& rules, Outcome o) {
        const int t = tree_.add(parent, moveOf(point, colour));
        tree_.nodes[static_cast<std::size_t>(t)].deadShape = o == Outcome::BlackWins && n.targets != 0;
        positions_.push_back(n);
        keys_.push_back(KeyOf(n, rules));
        return t;
    }
    // The key stands on the path from the root to tree node t.
    bool onPath(int t, std::uint64_t key) const {
        for (int i = t; i > 0; i = tree_.nodes[static_cast<std::size_t>(i)].parent)
            if (keys_[static_cast<std::size_t>(i)] == key) return true;
        return false;
    }
    bool repeats(int t) const { return onPath(tree_.nodes[static_cast<std::size_t>(t)].parent, keys_[static_cast<std::size_t>(t)]); }

    const ProblemSetup& setup_;
    const ProofTable& table_;
    FillScratch fs_;
    ProofTree tree_;
    std::vector<SearchNode> positions_;  // per tree node
    std::vector<std::uint64_t> keys_;
};

}  // namespace

ProofTree BuildProofTree(const ProblemSetup& setup, const SearchNode& root, const ProofTable& table,
                         const std::vector<RootResult>& firstMoves, int maxNodes) {
    TreeBuilder b(setup, root, table);
    const SearchRules whiteMaster{White, false, 0, true};
    const SearchRules blackMaster{Black, false};
    int kills = 0;
    for (const RootResult& r : firstMoves)
        kills += r.status == FirstMoveStatus::Kills || r.status == FirstMoveStatus::KillsByKo;
    const int share = std::max(1, maxNodes / std::max(1, kills));
    for (const RootResult& r : firstMoves) {
        const int point = IndexOf(r.move.x, r.move.y);
        switch (r.status) {
            case FirstMoveStatus::Kills: {
                const int t = b.firstMove(point, r, whiteMaster);
                if (t >= 0) b.expandKill(t, whiteMaster, share);
                break;
            }
            case FirstMoveStatus::KillsByKo: {
                const int t = b.firstMove(point, r, blackMaster);
                if (t >= 0) b.expandKill(t, blackMaster, share);
                break;
            }
            case FirstMoveStatus::Refuted: {
                // Refuted even when black is ko master: the line holds then.
                const int t = b.firstMove(point, r, blackMaster);
                if (t >= 0) b.expandRefutation(t, r.refutation, blackMaster);
                break;
            }
            case FirstMoveStatus::Unknown: break;
        }
    }
    b.playOutDeadShapes(whiteMaster, blackMaster);
    return std::move(b.tree());
}

}  // namespace keldra::prover
