// The solver's commands of the main window: the computer's reply (white
// hint), the black hint, automatic solving and the two range displays. They
// work on the one AppState and report through a SearchView.
#pragma once

#include "solver/app_state.h"
#include "solver/search_view.h"

namespace keldra {

// The computer's reply: the first white candidate that wins by the kill
// search (skipped while AutoSolveFlag is 1), else the candidate with the
// highest line count, earliest kept on ties. Leaves HintX, HintY (0, 0 when
// there is none) and HintScore; the board is as on entry.
void Button9Click(AppState& st, SearchView& view);

// The black hint: the first black candidate that kills. With RecordFlag 1 the
// winning line is kept in st.solution and listed in the memo. On failure
// shows "解答不能" and clears RecordFlag. The board is as on entry.
void Button10Click(AppState& st, SearchView& view);

// Automatic solving: the black hint with recording on, then the recorded line
// played out through PlayMove, at least 700 ms per move. Both flags are 0
// when it returns or throws.
void Button7Click(AppState& st, SearchView& view);

// The playable range of `colour` (1 black, 2 white) shown as range marks on
// one repaint, then the message "黒の打てる範囲です" / "白の打てる範囲です".
void ShowRange(AppState& st, SearchView& view, int colour);

}  // namespace keldra
