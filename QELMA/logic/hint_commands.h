// The hint commands of the main window: the computer's reply (white hint),
// the black hint, automatic solving and the two range displays. They run the
// engine's searches and turn what it finds into the window's texts, colours,
// memo lines and message boxes through a SearchView.
#pragma once

#include <cstdint>
#include <string>

#include "BAN/game.h"
#include "BAN/texts.h"
#include "QELMA/logic/search_view.h"
#include "solver/kill_search.h"

namespace keldra {

// What the latest hint chose: HintX, HintY (0 0 when nothing), HintScore (a
// kill value or a line count), and the line automatic solving recorded.
struct HintResult {
    std::uint8_t X = 0;
    std::uint8_t Y = 0;
    std::int64_t Score = 0;
    SolutionLine line;
};

// The two flags of automatic solving: while AutoSolveFlag is 1 the reply
// skips its kill phase; while RecordFlag is 1 the black hint records its
// winning line.
struct SolveFlags {
    std::uint8_t AutoSolveFlag = 0;
    std::uint8_t RecordFlag = 0;
};

// How a hint ended.
enum class HintOutcome : std::uint8_t {
    Chosen,    // a move was chosen and shown (a reply always chooses one when white has a candidate)
    NoKill,    // the black hint found no killing move
    Stopped,   // the window started closing; nothing was chosen
};

// The memo line of entry i of a recorded line: X, " ", Y, " R", ply, e.g. "4 3 R1".
std::string MemoLine(const SolutionLine& line, int i);

// "N秒かかりました。": the whole seconds since `start` on the view's clock.
std::string ElapsedText(SearchView& view, std::uint32_t start);

// The computer's reply: the first white candidate that wins by the kill
// search (skipped while AutoSolveFlag is 1), else the candidate with the
// highest line count, earliest kept on ties. Leaves HintX, HintY (0, 0 when
// there is none) and HintScore; the board is as on entry.
HintOutcome Button9Click(Game& game, HintResult& hint, SolveFlags& flags, SearchView& view);

// The black hint: the first black candidate that kills. With RecordFlag 1 the
// winning line is kept in hint.line and listed in the memo. On failure shows
// "解答不能" and clears RecordFlag. The board is as on entry.
HintOutcome Button10Click(Game& game, HintResult& hint, SolveFlags& flags, SearchView& view);

// Automatic solving: the black hint with recording on, then the recorded line
// played out through PlayMove, at least 700 ms per move. Both flags are 0
// when it returns or throws.
void Button7Click(Game& game, HintResult& hint, SolveFlags& flags, SearchView& view);

// The playable range of `colour` shown as range marks on one repaint, then
// the message "黒の打てる範囲です" / "白の打てる範囲です".
void ShowRange(Position& pos, SearchView& view, StoneColour colour);

}  // namespace keldra
