// The headless front end: commands over a problem file, results as text.
//
//   candidates FILE COLOUR | kill FILE X Y PLY | reply FILE | solve FILE |
//   play FILE X,Y,C... | game FILE X,Y... | prove FILE [--seconds S]
#pragma once

#include <ostream>
#include <string_view>
#include <vector>

namespace keldra {

// Runs one command (args without the program name). Results go to `out`,
// messages and timings to `err`. Returns the exit status: 0 success, 1 a load
// error, 2 bad usage.
int RunCli(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err);

}  // namespace keldra
