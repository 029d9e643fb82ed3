// The problem file: 169 lines of decimal stone codes, column by column
// (X outer, Y inner), each line ended by CR LF.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "board.h"
#include "texts.h"

namespace keldra {

inline constexpr int ProblemLines = BoardSide * BoardSide;

// The stone codes of the 169 playable points in file order.
using ProblemStones = std::array<std::uint8_t, ProblemLines>;

struct ProblemLoad {
    bool ok = false;
    std::string error;  // the message to show when !ok
    ProblemStones stones{};
};

// Reads problem text incrementally: feed it the file's bytes in any chunks.
// Each of the 169 lines must be an integer and one of the stone codes 0, 1, 2;
// the first line that is not ends the reading with its message, the points
// before it keeping the codes read.
// Lines end at CR, LF or CR LF; a zero byte ends the text; lines after the
// 169th are ignored. Memory stays bounded whatever the input: only a short
// prefix of each line is kept, for the error message, and a line of more than
// 1 MiB is not an integer.
class ProblemReader {
public:
    // Returns false once nothing more is needed (done, or a line failed).
    bool feed(std::string_view bytes);
    // Ends the text and returns the outcome.
    ProblemLoad finish();
    bool needsMore() const { return !stopped_; }

private:
    void endLine();
    void failLine();

    ProblemLoad result_;
    int line_ = 0;         // lines completed so far
    bool stopped_ = false;
    bool failed_ = false;
    bool lastWasCR_ = false;
    bool lineOpen_ = false;  // bytes seen since the last line end

    // integer state machine of the current line
    enum class Scan { Blanks, Sign, Digits, Bad } scan_ = Scan::Blanks;
    bool negative_ = false;
    std::int64_t value_ = 0;
    std::size_t lineBytes_ = 0;
    std::string text_;        // prefix of the line, for the message
    bool textCut_ = false;
};

// Parses a whole problem text held in memory.
ProblemLoad ParseProblemText(std::string_view bytes);

// Opens `path` for reading when it is a regular file, without blocking on a
// named pipe. Returns the descriptor (the caller closes it) and sets `size`
// when given, or returns -1.
int OpenRegularFile(const std::string& path, std::uint64_t* size);

// Opens and reads a problem file. A path that is not a readable regular file
// gives "ﾌｧｲﾙ %s は開けません".
ProblemLoad ReadProblemFile(const std::string& path);

// The 169 lines of the board's stones, each with CR LF.
std::string ProblemFileText(const Board& board);

// Writes the board to `path` through a temporary file beside it that is
// renamed over the target only once it is completely written, so a failed
// save never destroys an existing file. On failure returns false and sets
// `error` to "ﾌｧｲﾙ %s を作成できません".
bool WriteProblemFile(const std::string& path, const Board& board, std::string* error);

// Writes `text` to `path` the same way: through a temporary file renamed over
// the target once complete; "ﾌｧｲﾙ %s を作成できません" on failure.
bool WriteFileReplacing(const std::string& path, std::string_view text, std::string* error);

// Puts the loaded codes on the board's playable points.
void ApplyProblem(Board& board, const ProblemStones& stones);

// The messages, with %s filled in.
std::string CannotOpenMessage(std::string_view name);
std::string NotIntegerMessage(std::string_view text);
std::string CannotCreateMessage(std::string_view name);
// An integer line that is not 0, 1 or 2, with its number (from 1) and text.
std::string NotStoneCodeMessage(int line, std::string_view text);
inline constexpr std::string_view IndexOutOfRangeMessage = KTEXT("ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");

}  // namespace keldra
