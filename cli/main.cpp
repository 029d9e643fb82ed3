// keldra-cli: the headless front end. It loads a problem exactly as the
// window's open command does and drives the same handler logic, printing
// results as plain text on stdout.
#include <chrono>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "QELMA/logic/form1_logic.h"
#include "solver/kill_search.h"

namespace {

using namespace keldra;

constexpr int UsageError = 2;
constexpr int CliCellSize = 38;  // the 800x600 layout's cell size

const char* const Usage =
    "usage: keldra-cli candidates FILE COLOUR | kill FILE X Y PLY | reply FILE | solve FILE |"
    " play FILE X,Y,C... | game FILE X,Y...";

class CliView : public FormView {
public:
    std::string file;          // what the open dialog "chooses"
    bool live = false;         // print messages and mode changes as they happen
    std::vector<std::string> memo;
    std::vector<std::string> messages;
    std::string edit6;

    void ShowMessage(std::string_view text) override {
        messages.emplace_back(text);
        if (live) std::cout << "message: " << text << '\n';
    }
    void SetEdit1Text(std::string_view text) override { std::cerr << text << '\n'; }
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
        if (live) std::cout << (text == "対局" ? "mode game" : "mode input") << '\n';
    }
    void SetWindowCaption(std::string_view) override {}
    std::optional<std::string> ChooseOpenFile() override { return file; }
    std::optional<std::string> ChooseSaveFile() override { return std::nullopt; }
    void SetTimerEnabled(bool) override {}
    void SetTimerInterval(int) override {}
    void SetBusy(bool) override {}
    void GameMovePlayed(int colour, int x, int y) override {
        if (colour == White) std::cout << "edit6: " << edit6 << '\n';
        std::cout << (colour == Black ? "black " : "white ") << x << ' ' << y << '\n';
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

void printBoard(const Board& b) {
    for (int y = 1; y <= BoardSide; ++y) {
        std::string row = "board: ";
        for (int x = 1; x <= BoardSide; ++x) {
            const PointRecord& p = b[x][y];
            switch (p.Stone) {
                case Empty: row += p.KoMark == 1 ? '*' : '.'; break;
                case Black: row += 'X'; break;
                case White: row += 'O'; break;
                default: row += '?'; break;
            }
        }
        std::cout << row << '\n';
    }
}

int usage() {
    std::cerr << Usage << '\n';
    return UsageError;
}

int run(const std::vector<std::string_view>& args) {
    if (args.size() < 2) return usage();
    const std::string_view command = args[0];
    const std::size_t n = args.size();

    // Check the arguments before touching the file.
    std::vector<std::vector<int>> moves;
    std::optional<int> colour, kx, ky, kply;
    if (command == "candidates") {
        if (n != 3 || !(colour = parseNumber(args[2], 1, 2))) return usage();
    } else if (command == "kill") {
        if (n != 5) return usage();
        kx = parseNumber(args[2], 1, 13);
        ky = parseNumber(args[3], 1, 13);
        kply = parseNumber(args[4], 1, 12);
        if (!kx || !ky || !kply) return usage();
    } else if (command == "reply" || command == "solve") {
        if (n != 2) return usage();
    } else if (command == "play" || command == "game") {
        if (n < 3) return usage();
        std::vector<std::pair<int, int>> ranges = {{0, 14}, {0, 14}};
        if (command == "play") ranges.emplace_back(1, 2);
        for (std::size_t i = 2; i < n; ++i) {
            auto m = parseMove(args[i], ranges);
            if (!m) return usage();
            moves.push_back(*m);
        }
    } else {
        return usage();
    }

    AppState state;
    state.CellSize = CliCellSize;
    state.BitmapSize = CliCellSize * 15;
    CliView view;
    view.file = std::string(args[1]);
    Form1Logic logic(state, view);
    logic.Open1Click();
    if (!view.messages.empty()) {
        std::cerr << view.messages.front() << '\n';
        return 1;
    }

    const auto started = std::chrono::steady_clock::now();
    if (command == "candidates") {
        GenerateCandidates(state.pos, *colour, state.candidates);
        std::cout << "count " << int(state.candidates.count) << '\n';
        for (int i = 1; i <= state.candidates.count; ++i) {
            const CandidateEntry& e = state.candidates.entry(i);
            std::cout << int(e.X) << ' ' << int(e.Y) << ' ' << int(e.flag) << '\n';
        }
    } else if (command == "kill") {
        state.RecordFlag = 0;
        const int value = KillSearch(state.pos, *kx, *ky, *kply);
        std::cout << "value " << value << '\n';
    } else if (command == "reply") {
        logic.Button9Click();
        std::cout << "edit6: " << view.edit6 << '\n';
    } else if (command == "solve") {
        logic.Button7Click();
        for (const auto& line : view.memo) std::cout << "memo: " << line << '\n';
        std::cout << "edit6: " << view.edit6 << '\n';
        for (const auto& m : view.messages) std::cout << "message: " << m << '\n';
        printBoard(state.pos.board);
        std::cout << "moves " << int(state.rec.MoveCount) << '\n';
    } else if (command == "play") {
        for (const auto& m : moves) PlayMove(state.pos, state.rec, m[0], m[1], static_cast<std::uint8_t>(m[2]));
        printBoard(state.pos.board);
        std::cout << "moves " << int(state.rec.MoveCount) << '\n';
    } else {  // game
        view.live = true;
        logic.Button6Click();
        for (const auto& m : moves) {
            if (state.GameMode == 0) break;
            logic.BAN1MOUSEDOWN(MouseButton::Left, m[0] * CliCellSize, m[1] * CliCellSize);
        }
        printBoard(state.pos.board);
        std::cout << "moves " << int(state.rec.MoveCount) << '\n';
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    std::cerr << "elapsed " << ms.count() << " ms\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    return run(args);
}
