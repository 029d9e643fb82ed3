// Helpers for tests: positions written as pictures of 13 rows
// ('.' empty, 'X' black, 'O' white, '*' empty with a ko mark, '#' border code,
// '5'/'7' the generator's marks), and a recording view.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "BAN/rules.h"
#include <optional>

#include "QELMA/logic/form_view.h"
#include "QELMA/logic/session.h"

namespace keldra::test {

// Parses 13 rows of 13 characters (blanks between characters are ignored,
// blank lines too). Row r is Y = r + 1, column c is X = c + 1.
Board BoardFromPicture(std::string_view picture);
Position PositionFromPicture(std::string_view picture);

// A problem as a board could hold it: every group has a liberty.
bool EveryGroupBreathes(const Board& board);

// The 13 rows of the board in the same notation.
std::string PictureOf(const Board& board);

std::string SourcePath(std::string_view relative);

// A fresh folder under the test run's temporary folder, removed with all it
// holds (whatever permissions a test left on it) when the object goes.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string path(const std::string& name) const { return dir + "/" + name; }
    // Writes `content` to the file `name` in the folder and returns its path.
    std::string put(const std::string& name, const std::string& content) const;
    std::string dir;
};

// A view that records what the handlers show, for assertions; the file
// dialogs answer with `openFile` / `saveFile`.
class RecordingView : public FormView {
public:
    std::vector<std::string> messages;
    std::vector<std::string> memo;
    std::string edit1, edit6;
    Rgb edit6Colour{255, 255, 255};
    int paints = 0;
    int events = 0;
    std::uint32_t clock = 0;      // advanced by WaitSince and by `tickStep` per read
    std::uint32_t tickStep = 0;
    std::vector<std::string> edit6History;

    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    void SetEdit1Text(std::string_view text) override { edit1 = text; }
    void SetEdit6Text(std::string_view text) override {
        edit6 = text;
        edit6History.emplace_back(text);
    }
    void SetEdit6Colour(Rgb colour) override { edit6Colour = colour; }
    void MemoClear() override { memo.clear(); }
    void MemoAddLine(std::string_view line) override { memo.emplace_back(line); }
    void PaintBoard() override { ++paints; }
    void ProcessEvents() override { ++events; }
    std::uint32_t TickCount() override { return clock += tickStep; }
    void WaitSince(std::uint32_t start, std::uint32_t ms) override {
        if (clock - start < ms) clock = start + ms;
    }

    std::string modeCaption = "入力．対局";
    std::string windowCaption;
    std::optional<std::string> openFile, saveFile;
    bool timerOn = false;
    int timerInterval = 700;
    bool busy = false;
    std::vector<std::string> moves;  // "black X Y" / "white X Y" as game mode plays them

    void SetModeCaption(std::string_view text) override { modeCaption = text; }
    void SetWindowCaption(std::string_view text) override { windowCaption = text; }
    std::optional<std::string> ChooseOpenFile() override { return openFile; }
    std::optional<std::string> ChooseSaveFile() override { return saveFile; }
    std::optional<std::string> openSgfFile, saveSgfFile;
    std::optional<std::string> ChooseOpenSgfFile() override { return openSgfFile; }
    std::optional<std::string> ChooseSaveSgfFile() override { return saveSgfFile; }
    std::string Memo1Text() override {
        std::string text;
        for (std::size_t i = 0; i < memo.size(); ++i) text += (i ? "\n" : "") + memo[i];
        return text;
    }
    void SetTimerEnabled(bool on) override { timerOn = on; }
    void SetTimerInterval(int ms) override { timerInterval = ms; }
    void SetBusy(bool b) override { busy = b; }
    void GameMovePlayed(StoneColour colour, int x, int y) override {
        moves.push_back((colour == StoneColour::Black ? "black " : "white ") + std::to_string(x) + " " + std::to_string(y));
    }
};

// The hint commands on the parts of a session they work on.
inline void Reply(Session& s, SearchView& view) { Button9Click(s.game, s.hint, s.flags, view); }
inline void BlackHint(Session& s, SearchView& view) { Button10Click(s.game, s.hint, s.flags, view); }
inline void Solve(Session& s, SearchView& view) { Button7Click(s.game, s.hint, s.flags, view); }

}  // namespace keldra::test
