// The prover's word on automatic solving: after 解答 has announced its kill,
// one memo line says whether the first move it played really kills.
#pragma once

#include <string>
#include <string_view>

#include "BAN/board.h"
#include "QELMA/logic/prove_commands.h"
#include "QELMA/logic/search_view.h"
#include "prover/prover.h"

namespace keldra {

// The memo line for first move (x, y) of a proof of the start position:
// "検証：正しい", "検証：コウ", "検証：誤り（白 X Y で生き）" or
// "検証：判定できません" when the proof settled nothing about that move.
std::string SolutionCheckLine(const prover::ProveResult& result, int x, int y);

// Proves `start` (black to move) on a worker thread within the control's
// limits, Esc stopping it, and returns the line for first move (x, y).
// Edit6 says that the check runs and how to stop it, and then shows
// `edit6After` on red again. Returns an empty line when the window started
// closing.
std::string CheckFirstMove(const Board& start, int x, int y, SearchView& view, ProveControl& control,
                           std::string_view edit6After = {});

}  // namespace keldra
