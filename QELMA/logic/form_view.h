// What the main window's handler logic needs from the window beyond the
// hint commands' needs: captions, the file dialogs, the replay timer, and blocking
// input while a search or play-out runs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BAN/board.h"
#include "BAN/board_marks.h"
#include "QELMA/logic/search_view.h"

namespace keldra {

class FormView : public SearchView {
public:
    // Caption of the mode button Button6.
    virtual void SetModeCaption(std::string_view text) = 0;
    // Caption of the main window.
    virtual void SetWindowCaption(std::string_view text) = 0;
    // OpenDialog1 / SaveDialog1: the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> ChooseOpenFile() = 0;
    virtual std::optional<std::string> ChooseSaveFile() = 0;
    // The SGF open and save dialogs: the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> ChooseOpenSgfFile() { return std::nullopt; }
    virtual std::optional<std::string> ChooseSaveSgfFile() { return std::nullopt; }
    // The text of Memo1, lines joined by '\n'.
    virtual std::string Memo1Text() { return {}; }
    // Bytes in the named charset as UTF-8, or nothing when the charset is unknown.
    virtual std::optional<std::string> DecodeCharset(std::string_view charset, std::string_view bytes) {
        (void)charset;
        (void)bytes;
        return std::nullopt;
    }
    // Timer1.
    virtual void SetTimerEnabled(bool on) = 0;
    virtual void SetTimerInterval(int ms) = 0;
    // True while a search or the play-out runs: the window disables the board
    // and the commands that act on it; the edit boxes still repaint.
    virtual void SetBusy(bool busy) = 0;
    // Scrolls Memo1 back to its first line.
    virtual void MemoShowFirstLine() {}
    // Scrolls Memo1 to its last line.
    virtual void MemoShowLastLine() {}
    // Marks over the position the board shows now; the board control drops
    // them when the position changes.
    virtual void SetBoardMarks(const std::vector<BoardMark>& marks) { (void)marks; }
    // Game mode played a move: black's click (after its PlayMove) or the
    // computer's reply (HintX, HintY; 0 0 when no move was chosen).
    virtual void GameMovePlayed(StoneColour colour, int x, int y) {
        (void)colour;
        (void)x;
        (void)y;
    }
};

}  // namespace keldra
