// Static recognition of a dead eye space: a target whose every liberty lies
// in one small enclosed space of a shape that cannot hold two eyes.
#pragma once

#include "prover/position.h"

namespace keldra::prover {

// The most points an eye space recognised as dead may have.
inline constexpr int DeadSpaceMost = 5;

// True when black kills `n`'s target whatever white plays, by the shape of
// its eye space alone (prover/README.md, "How a game ends"): the target
// stones form one string; its liberties and the empty points joined to them
// make one space of at most DeadSpaceMost points, closed by the string,
// black stones and the edge, every point movable and none barred to black
// by a ko; every black string beside the string or the space is never
// captured or has more liberties outside the space than white has moves
// while black fills it; and the space is, with black to move, at most three
// points, the square or pyramid four, the bulky or crossed five; with white
// to move, at most two points or the square four, or one of those shapes
// with a lone black stone on its vital point.
bool DeadEyeSpace(const SearchNode& n, const ProblemSetup& setup, FillScratch& fs);

}  // namespace keldra::prover
