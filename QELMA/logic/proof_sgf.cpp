// The proof tree node by node into an SgfTree: both keep a node's children
// after it, so one pass in order maps every parent before its children.
#include "QELMA/logic/proof_sgf.h"

#include <vector>

#include "BAN/texts.h"

namespace keldra {

SgfTree ProofSgfTree(const prover::ProofTree& proof) {
    SgfTree tree;
    std::vector<int> index(proof.nodes.size(), 0);
    for (std::size_t i = 1; i < proof.nodes.size(); ++i) {
        const prover::ProofTreeNode& n = proof.nodes[i];
        const int parent = index[static_cast<std::size_t>(n.parent)];
        const SgfMove move{n.move.colour, n.move.x, n.move.y};
        if (n.parent != 0) {
            index[i] = tree.add(parent, move, n.deadShape ? Tr("死に形") : std::string());
            // The line's judgement comes down from its first move.
            tree.nodes[static_cast<std::size_t>(index[i])].judgement =
                tree.nodes[static_cast<std::size_t>(parent)].judgement;
            continue;
        }
        const SgfJudgement mark = n.status == prover::FirstMoveStatus::Kills     ? SgfJudgement::Correct
                                  : n.status == prover::FirstMoveStatus::Refuted ? SgfJudgement::Wrong
                                                                                 : SgfJudgement::Unknown;
        std::string comment = FirstMoveCommentShown(n.status, n.blackNeeds, n.whiteNeeds);
        if (n.deadShape) comment.append("\n").append(Tr("死に形"));
        index[i] = tree.add(parent, move, comment, mark);
        if (n.status == prover::FirstMoveStatus::KillsByKo)
            tree.nodes[static_cast<std::size_t>(index[i])].judgement = SgfJudgement::Correct;
    }
    return tree;
}

}  // namespace keldra
