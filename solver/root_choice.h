// The choice of a move among the root candidates of a position: the black
// hint (the first black candidate that kills) and white's reply (the first
// white candidate that kills, else the one with the most lines). The
// candidates are searched ahead on worker threads; the results are taken in
// list order, exactly as one loop over the list would take them, and each
// one is reported as it is taken. Nothing here formats a text.
#pragma once

#include <cstdint>
#include <functional>

#include "BAN/rules.h"
#include "solver/candidates.h"
#include "solver/kill_search.h"

namespace keldra {

// The pass over the root candidates a report belongs to: the kill searches,
// or the line counts of white's reply.
enum class RootPhase : std::uint8_t { Kill, Count };

// A root candidate as the walk in list order reaches it.
struct RootCandidate {
    RootPhase phase;
    int index;  // its number in the list, from 1
    CandidateEntry move;
};

// How a root search reports its progress and learns that it must stop.
// Every member may be left empty.
struct RootSearchEvents {
    // Before the result of a candidate is taken; false stops the search at once.
    std::function<bool(const RootCandidate&)> onRootStarting;
    // After: the candidate's kill value (+1/-1) or line count.
    std::function<void(const RootCandidate&, std::int64_t value)> onRootFinished;
    // Waits for the worker threads. `waitSome(ms)` waits at most ms
    // milliseconds and returns true once the candidate's search is done;
    // the function may return before that. Empty: waits until it is done.
    std::function<void(const std::function<bool(std::uint32_t ms)>& waitSome)> waitForWorkers;
    // Asked after every wait; true stops the search at once.
    std::function<bool()> stopRequested;
};

// What a root search found.
struct RootChoice {
    bool stopped = false;       // a stop request ended it; nothing was chosen
    std::uint8_t X = 0;         // the chosen move; 0 0 when there is none
    std::uint8_t Y = 0;
    std::int64_t value = -1;    // its kill value (+1) or line count; -1 without a move
    bool hasLine = false;       // `line` holds the chosen move's winning line
    SolutionLine line;
    std::uint64_t nodes = 0;    // nodes of the searches whose results were taken
};

// The first black candidate whose kill search (black at ply 1) is worth +1.
// With `recordLine` its line is recorded. Generates black's candidates on
// `pos`: on return a 5 or 7 is left empty and LastX/LastY are 0, the rest
// of the board as on entry.
RootChoice FindKillingMove(Position& pos, bool recordLine, const RootSearchEvents& events = {});

// White's reply at ply 2: with `killPhase`, the first candidate worth +1 by
// the kill search; when none is (or without the kill phase), the candidate
// with the highest line count, the earliest of equal counts. `pos` as above.
RootChoice FindReply(Position& pos, bool killPhase, const RootSearchEvents& events = {});

}  // namespace keldra
