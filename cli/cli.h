// The headless front end: commands over a problem file, results as text.
//
//   candidates FILE COLOUR | kill FILE X Y PLY | reply FILE | solve FILE |
//   play FILE X,Y,C... | game FILE X,Y... | board FILE [TREE] | convert IN OUT |
//   tree FILE [TREE] | prove FILE [--seconds S] | check FILE|DIR [--seconds S]
#pragma once

#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

#include "BAN/board.h"

namespace keldra {

// Runs one command (args without the program name). Results go to `out`,
// messages and timings to `err`. Returns the exit status: 0 success, 1 a load
// error, 2 bad usage.
int RunCli(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err);

// The SGF commands `board`, `convert` and `tree` (cli/sgf_commands.cpp): the exit
// status, or nothing when `args` is not one of them (bad usage included).
std::optional<int> RunSgfCommand(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err);

// The board lines "board: " + 13 characters, one per row.
void PrintBoardLines(std::ostream& out, const Board& board);

}  // namespace keldra
