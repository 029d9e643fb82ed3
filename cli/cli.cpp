// keldra-cli: the headless front end. It loads a problem exactly as the
// window's open command does and drives the same handler logic, printing
// results as plain text.
#include "cli/cli.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BAN/board_picture.h"
#include "QELMA/logic/form1_logic.h"
#include "cli/check_command.h"
#include "cli/prove_command.h"
#include "solver/kill_search.h"

namespace {

using namespace keldra;

constexpr int UsageError = 2;
constexpr int CliCellSize = 38;  // the 800x600 layout's cell size

const char* const Usage =
    "usage: keldra-cli candidates FILE COLOUR | kill FILE X Y PLY | reply FILE | solve FILE |"
    " play FILE X,Y,C... | game FILE X,Y... | board FILE [TREE] | convert IN OUT | tree FILE [TREE] |"
    " prove FILE [TREE] [--seconds S] [--nodes N] [--tree OUT.sgf] [--widen N] [--target X,Y] | check FILE|DIR [--seconds S]";

class CliView : public FormView {
public:
    CliView(std::ostream& out, std::ostream& err) : out(out), err(err) {}
    std::ostream& out;
    std::ostream& err;
    std::string file;          // what the open dialog "chooses"
    bool live = false;         // print messages and mode changes as they happen
    std::vector<std::string> memo;
    std::vector<std::string> messages;
    std::string edit6;

    void ShowMessage(std::string_view text) override {
        messages.emplace_back(text);
        if (live) out << "message: " << text << '\n';
    }
    void SetEdit1Text(std::string_view text) override { err << text << '\n'; }
    void SetEdit6Text(std::string_view text) override { edit6 = text; }
    void SetEdit6Colour(Rgb) override {}
    void MemoClear() override { memo.clear(); }
    void MemoAddLine(std::string_view line) override { memo.emplace_back(line); }
    void PaintBoard() override {}
    void ProcessEvents() override {}
    std::uint32_t TickCount() override {
        using namespace std::chrono;
        return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void WaitSince(std::uint32_t, std::uint32_t) override {}  // the play-out runs without pauses
    void SetModeCaption(std::string_view text) override {
        if (live) out << (text == "対局" ? "mode game" : "mode input") << '\n';
    }
    void SetWindowCaption(std::string_view) override {}
    std::optional<std::string> ChooseOpenFile() override { return file; }
    std::optional<std::string> ChooseSaveFile() override { return std::nullopt; }
    void SetTimerEnabled(bool) override {}
    void SetTimerInterval(int) override {}
    void SetBusy(bool) override {}
    void GameMovePlayed(StoneColour colour, int x, int y) override {
        if (colour == StoneColour::White) out << "edit6: " << edit6 << '\n';
        out << (colour == StoneColour::Black ? "black " : "white ") << x << ' ' << y << '\n';
    }
};

// A whole decimal number within [lo, hi], nothing else.
std::optional<int> parseNumber(std::string_view s, int lo, int hi) {
    if (s.empty() || s.size() > 3) return std::nullopt;
    int v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v < lo || v > hi) return std::nullopt;
    return v;
}

// "A,B" or "A,B,C": comma-separated numbers, each checked against its range.
std::optional<std::vector<int>> parseMove(std::string_view s, const std::vector<std::pair<int, int>>& ranges) {
    std::vector<int> out;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const auto comma = s.find(',');
        const bool last = (i + 1 == ranges.size());
        if (last != (comma == std::string_view::npos)) return std::nullopt;
        const auto n = parseNumber(s.substr(0, comma), ranges[i].first, ranges[i].second);
        if (!n) return std::nullopt;
        out.push_back(*n);
        if (!last) s.remove_prefix(comma + 1);
    }
    return out;
}

int usage(std::ostream& err) {
    err << Usage << '\n';
    return UsageError;
}

}  // namespace

namespace keldra {

void PrintBoardLines(std::ostream& out, const Board& board) {
    out << BoardPicture(board, PictureCodes::Played, "board: ");
}

int RunCli(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err) {
    if (args.size() >= 2 && args[0] == "prove") {
        const int status = RunProveCommand(args, out, err);
        return status == UsageError ? usage(err) : status;
    }
    if (args.size() >= 2 && args[0] == "check") {
        const int status = RunCheckCommand(args, out, err);
        return status == UsageError ? usage(err) : status;
    }
    if (args.size() < 2) return usage(err);
    if (const auto status = RunSgfCommand(args, out, err)) return *status;
    const std::string_view command = args[0];
    const std::size_t n = args.size();

    // Check the arguments before touching the file.
    std::vector<std::vector<int>> moves;
    std::optional<int> colour, kx, ky, kply;
    if (command == "candidates") {
        if (n != 3 || !(colour = parseNumber(args[2], 1, 2))) return usage(err);
    } else if (command == "kill") {
        if (n != 5) return usage(err);
        kx = parseNumber(args[2], 1, 13);
        ky = parseNumber(args[3], 1, 13);
        kply = parseNumber(args[4], 1, 12);
        if (!kx || !ky || !kply) return usage(err);
    } else if (command == "reply" || command == "solve") {
        if (n != 2) return usage(err);
    } else if (command == "play" || command == "game") {
        if (n < 3) return usage(err);
        std::vector<std::pair<int, int>> ranges = {{0, 14}, {0, 14}};
        if (command == "play") ranges.emplace_back(1, 2);
        for (std::size_t i = 2; i < n; ++i) {
            auto m = parseMove(args[i], ranges);
            if (!m) return usage(err);
            moves.push_back(*m);
        }
    } else {
        return usage(err);
    }

    auto owned = std::make_unique<Session>();
    Session& state = *owned;
    state.window.CellSize = CliCellSize;
    state.window.BitmapSize = CliCellSize * 15;
    CliView view(out, err);
    view.file = std::string(args[1]);
    Form1Logic logic(state, view);
    logic.Open1Click();
    if (!view.messages.empty()) {
        err << view.messages.front() << '\n';
        return 1;
    }

    const auto started = std::chrono::steady_clock::now();
    if (command == "candidates") {
        CandidateList candidates;
        GenerateCandidates(state.game.pos, *colour, candidates);
        out << "count " << int(candidates.count) << '\n';
        for (int i = 1; i <= candidates.count; ++i) {
            const CandidateEntry& e = candidates.entry(i);
            out << int(e.X) << ' ' << int(e.Y) << ' ' << int(e.flag) << '\n';
        }
    } else if (command == "kill") {
        const int value = KillSearch(state.game.pos, *kx, *ky, *kply);
        out << "value " << value << '\n';
    } else if (command == "reply") {
        logic.Button9Click();
        out << "edit6: " << view.edit6 << '\n';
    } else if (command == "solve") {
        logic.Button7Click();
        for (const auto& line : view.memo) out << "memo: " << line << '\n';
        out << "edit6: " << view.edit6 << '\n';
        for (const auto& m : view.messages) out << "message: " << m << '\n';
        PrintBoardLines(out, state.game.pos.board);
        out << "moves " << int(state.game.rec.MoveCount) << '\n';
    } else if (command == "play") {
        for (const auto& m : moves) PlayMove(state.game.pos, state.game.rec, m[0], m[1], static_cast<std::uint8_t>(m[2]));
        PrintBoardLines(out, state.game.pos.board);
        out << "moves " << int(state.game.rec.MoveCount) << '\n';
    } else {  // game
        view.live = true;
        logic.Button6Click();
        for (const auto& m : moves) {
            if (state.window.mode == GameMode::Input) break;
            logic.BAN1MOUSEDOWN(MouseButton::Left, m[0] * CliCellSize, m[1] * CliCellSize);
        }
        PrintBoardLines(out, state.game.pos.board);
        out << "moves " << int(state.game.rec.MoveCount) << '\n';
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    err << "elapsed " << ms.count() << " ms\n";
    return 0;
}

}  // namespace keldra
