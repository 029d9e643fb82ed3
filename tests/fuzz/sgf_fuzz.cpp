// Fuzz target for the SGF reader, the fitting onto 13x13 and the writer.
// Whatever the bytes, the reader ends in a game or one short message; asking
// for the last tree agrees with asking for it by number; a fitted problem is
// written, read and fitted again to the same stones and the same record.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "BAN/sgf/sgf_fit.h"
#include "BAN/sgf/sgf_writer.h"

using namespace keldra;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SgfLoad first = ParseSgf(bytes, 0);
    check(first.ok ? first.error.empty() : !first.error.empty() && first.error.size() < 200);
    if (!first.ok) return 0;
    check(first.trees >= 1 && first.tree == 0);
    check(first.game.width >= 1 && first.game.width <= SgfMaxSide && first.game.height >= 1 && first.game.height <= SgfMaxSide);
    check(first.game.moves.size() <= SgfMaxMoves && first.game.comment.size() <= SgfMaxCommentBytes);

    const SgfLoad last = ParseSgf(bytes, -1);
    if (last.ok) {
        check(last.trees == first.trees && last.tree == first.trees - 1);
        const SgfLoad byNumber = ParseSgf(bytes, last.tree);
        check(byNumber.ok && byNumber.game.setup == last.game.setup && byNumber.game.moves.size() == last.game.moves.size());
    }

    const auto comment = CommentAsUtf8(first.game, nullptr);
    if (comment) check(IsValidUtf8(*comment));

    const FittedProblem fit = FitSgfGame(first.game);
    if (!fit.ok) {
        check(!fit.error.empty());
        return 0;
    }
    Board start{};
    InitBoard(start);
    ApplyProblem(start, fit.stones);
    const std::string text = SgfText(start, fit.record, comment ? *comment : std::string());
    const SgfLoad again = ParseSgf(text, 0);
    check(again.ok && again.trees == 1 && again.game.toPlay == Black);
    if (comment) check(again.game.comment == *comment || comment->find('\r') != std::string::npos);
    const FittedProblem refit = FitSgfGame(again.game);
    check(refit.ok && !refit.swapped && refit.stones == fit.stones && refit.record == fit.record);
    return 0;
}
