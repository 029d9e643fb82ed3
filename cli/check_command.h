// keldra-cli check FILE|DIR [--seconds S]: the book's correct first moves of
// every problem against the prover's verdict.
#pragma once

#include <ostream>
#include <string_view>
#include <vector>

namespace keldra {

// Runs "check" (args[0]). For each game tree of each SGF file (a folder's
// files in name order, its subfolders too) whose book marks correct first
// moves, proves the problem and prints one line:
//   PATH (K/N): agree|book move fails|other moves also kill|unknown; book MOVES; kill MOVES; ko MOVES
// (with "; refuted X,Y>X,Y" for the book's moves that white refutes, and
// "; not proved MOVES" for the book's moves outside the prover's play area or
// not legal), then a
// "summary:" line. Returns 0, 1 when nothing could be read, 2 on bad usage
// (nothing printed: the caller prints the usage).
int RunCheckCommand(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err);

}  // namespace keldra
