#include "QELMA/logic/solve_check.h"

#include "BAN/texts.h"

namespace keldra {

namespace {

constexpr const char* Undecided = KTEXT("検証：判定できません");

}  // namespace

std::string SolutionCheckLine(const prover::ProveResult& result, int x, int y) {
    for (const prover::RootResult& r : result.firstMoves) {
        if (r.move.x != x || r.move.y != y) continue;
        switch (r.status) {
            case prover::FirstMoveStatus::Kills: return Tr("検証：正しい");
            case prover::FirstMoveStatus::KillsByKo: return Tr("検証：コウ");
            case prover::FirstMoveStatus::Refuted:
                if (r.refutation.isPass()) return Tr("検証：誤り（白 パス で生き）");
                return Fill(Tr("検証：誤り（白 %1 で生き）"),
                            {std::to_string(r.refutation.x) + " " + std::to_string(r.refutation.y)});
            case prover::FirstMoveStatus::Unknown: break;
        }
        break;
    }
    return Tr(Undecided);
}

std::string CheckFirstMove(const Board& start, int x, int y, SearchView& view, ProveControl& control,
                           std::string_view edit6After) {
    view.SetEdit6Colour(Yellow);
    view.SetEdit6Text(Tr("検証中（Escで中止）"));
    view.ProcessEvents();
    struct Edit6Back {
        SearchView& view;
        std::string_view text;
        ~Edit6Back() {
            view.SetEdit6Colour(Red);
            view.SetEdit6Text(text);
        }
    } back{view, edit6After};
    prover::ProveResult result;
    if (!ProveOnWorker(start, view, control, result)) return Tr(Undecided);  // no memory for the tables
    if (view.Cancelled()) return {};
    return SolutionCheckLine(result, x, y);
}

}  // namespace keldra
