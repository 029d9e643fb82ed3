// keldra-cli prove FILE [TREE] [--seconds S] [--tree OUT.sgf]: the verified
// solver's answer as text, and its proof as an SGF game tree.
#pragma once

#include <ostream>
#include <string_view>
#include <vector>

namespace keldra {

// Runs "prove" (args[0]) on its arguments. Prints verdict:, kill:, ko:,
// line:, refute:, open: (only when some first move is left unproved) and
// nodes: lines on `out` and the time on `err`; with --tree the proof tree
// goes to OUT.sgf as an SGF game tree. Returns 0 whatever the verdict, 1 on
// a load error or when the tree cannot be written, 2 on bad usage (nothing
// printed: the caller prints the usage).
// A positive number of seconds, at most a day ("5", "0.5"), as --seconds
// takes it; false for anything else.
bool ParseSeconds(std::string_view s, double& out);

int RunProveCommand(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err);

}  // namespace keldra
