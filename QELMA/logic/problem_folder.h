// Where a problem came from, and the problems around it: the .go and .sgf
// files of its folder in the order a person sorts names, and inside a
// collection file its game trees.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BAN/texts.h"

namespace keldra {

// A problem: a file and, for an SGF collection, one of its game trees.
struct ProblemPlace {
    std::string path;
    int tree = 0;   // from 0; -1 asks for the last game tree of the file
    int trees = 1;  // game trees in the file (1 for a .go file)
};

// True when the path ends in ".sgf" / ".go" (any case).
bool IsSgfPath(std::string_view path);
bool IsGoPath(std::string_view path);

// Names compared as a person sorts them: runs of digits by their value
// ("2" before "10"), letters without regard to case, then byte by byte.
bool NaturalLess(std::string_view a, std::string_view b);

// The .go and .sgf files of a folder (regular files, or links to them), as
// full paths in natural order of their names.
std::vector<std::string> ProblemFilesOf(const std::string& folder);

// The problem after / before `at`: the next game tree of the same file, else
// the first game tree of the next file of the folder (the last game tree of
// the previous one). Nothing at either end of the folder. A file that is no
// longer there still finds its neighbours by its name.
std::optional<ProblemPlace> NextProblem(const ProblemPlace& at);
std::optional<ProblemPlace> PreviousProblem(const ProblemPlace& at);

// The file's name without its folder.
std::string FileNameOf(std::string_view path);

// The window caption for a problem: the caption prefix, the file's name and,
// in a collection, " (k/n)".
std::string ProblemCaption(const ProblemPlace& place);

inline constexpr std::string_view LastProblemMessage = KTEXT("これが最後の問題です");
inline constexpr std::string_view FirstProblemMessage = KTEXT("これが最初の問題です");

}  // namespace keldra
