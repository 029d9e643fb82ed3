// Opening a problem from a path, whatever its format (.go problem file or SGF
// by the suffix), and saving the game as SGF.
#pragma once

#include <string>
#include <vector>

#include "BAN/problem_file.h"
#include "BAN/sgf/sgf_reader.h"
#include "BAN/sgf/sgf_tree.h"
#include "QELMA/logic/problem_folder.h"
#include "BAN/game.h"

namespace keldra {

struct OpenedProblem {
    bool ok = false;
    std::string error;               // the message to show when !ok
    ProblemStones stones{};          // the position, in problem-file order
    std::vector<MoveRecord> record;  // an SGF main line that stands on the position
    std::vector<std::string> memo;   // lines for Memo1: the colour note, the fitting's warning, the comment
    SgfTree tree;                    // the book's solution tree on the board (the root alone when none), comments as UTF-8
    ProblemPlace place;              // the game tree taken and how many the file holds
    std::uint8_t targetX = 0, targetY = 0;  // a white stone the SGF file marks (MA, TR, SQ); 0, 0: none
};

// Reads the problem at `path`: an SGF file (by the suffix ".sgf") takes game
// tree `tree` (-1 the last), fitted onto the 13x13 board; any other path is a
// problem file. Nothing changes anywhere; the caller puts it on the board.
OpenedProblem ReadProblemPath(const std::string& path, int tree, const CharsetDecoder& decode);

// Puts an opened problem on a cleared state: the stones on the board, the
// SGF line into the game record (from the loaded position, none of it played).
void ApplyOpenedProblem(Game& st, const OpenedProblem& problem);

// The game as SGF: the position the record starts from (StartSnapshot while
// record 1 holds a move, else the board), every record up to the first empty
// one, and the memo text as the root comment.
std::string GameSgfText(const Game& st, std::string_view memoText);

}  // namespace keldra
