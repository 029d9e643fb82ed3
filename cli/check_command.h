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
// The book's moves agree when they are exactly the outright kills, or the ko
// kills where nothing kills outright; a book move that white refutes, or that
// kills only by ko where another move kills outright, fails. The line ends
// with "; refuted X,Y>X,Y", "; ko only MOVES" and "; not proved MOVES" (the
// book's moves outside the prover's play area or not legal) as they apply.
// Then a "summary:" line. Returns 0, 1 when nothing could be read, 2 on bad usage
// (nothing printed: the caller prints the usage).
int RunCheckCommand(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err);

}  // namespace keldra
