// keldra-cli's commands for SGF files and conversions:
//   board FILE [TREE]   the loaded position's board lines, then "moves N",
//                       N the moves of the file's main line kept in the record
//   convert IN OUT      .go <-> .sgf by the suffixes (either way, or the same)
//   tree FILE [TREE]    the game tree on the fitted board, one line per node
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "BAN/problem_file.h"
#include "QELMA/logic/form1_logic.h"
#include "QELMA/logic/problem_open.h"
#include "cli/charset_decoder.h"
#include "QELMA/logic/problem_folder.h"
#include "cli/cli.h"

namespace keldra {

namespace {

constexpr int LoadError = 1;

// Only what loading and saving need: messages, the memo, the save dialog.
// Comments in other charsets than UTF-8 are left out.
class ConvertView : public FormView {
public:
    std::vector<std::string> memo;
    std::vector<std::string> messages;
    std::optional<std::string> saveSgf;

    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    void SetEdit1Text(std::string_view) override {}
    void SetEdit6Text(std::string_view) override {}
    void SetEdit6Colour(Rgb) override {}
    void MemoClear() override { memo.clear(); }
    void MemoAddLine(std::string_view line) override { memo.emplace_back(line); }
    void PaintBoard() override {}
    void ProcessEvents() override {}
    std::uint32_t TickCount() override { return 0; }
    void WaitSince(std::uint32_t, std::uint32_t) override {}
    void SetModeCaption(std::string_view) override {}
    void SetWindowCaption(std::string_view) override {}
    std::optional<std::string> ChooseOpenFile() override { return std::nullopt; }
    std::optional<std::string> ChooseSaveFile() override { return std::nullopt; }
    std::optional<std::string> ChooseSaveSgfFile() override { return saveSgf; }
    std::string Memo1Text() override {
        std::string text;
        for (std::size_t i = 0; i < memo.size(); ++i) text += (i ? "\n" : "") + memo[i];
        return text;
    }
    void SetTimerEnabled(bool) override {}
    void SetTimerInterval(int) override {}
    void SetBusy(bool) override {}
};

bool isProblemPath(std::string_view p) { return IsSgfPath(p) || IsGoPath(p); }

int failed(const ConvertView& view, std::ostream& err) {
    err << (view.messages.empty() ? std::string("?") : view.messages.front()) << '\n';
    return LoadError;
}

}  // namespace

std::optional<int> RunSgfCommand(const std::vector<std::string_view>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || (args[0] != "board" && args[0] != "convert" && args[0] != "tree")) return std::nullopt;
    const bool board = args[0] != "convert";
    int tree = 0;
    if (board) {
        if (args.size() == 3) {
            const std::string_view t = args[2];
            if (t.empty() || t.size() > 6 || t.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
            tree = std::stoi(std::string(t)) - 1;
            if (tree < 0) return std::nullopt;
        } else if (args.size() != 2) {
            return std::nullopt;
        }
    } else if (args.size() != 3 || !isProblemPath(args[1]) || !isProblemPath(args[2])) {
        return std::nullopt;
    }

    if (args[0] == "tree") {
        const OpenedProblem problem = ReadProblemPath(std::string(args[1]), tree, IconvDecoder());
        if (!problem.ok) {
            err << problem.error << '\n';
            return LoadError;
        }
        out << SgfTreeListing(problem.tree);
        return 0;
    }

    auto state = std::make_unique<Session>();
    ConvertView view;
    Form1Logic logic(*state, view);
    if (!logic.OpenProblemPath(std::string(args[1]), tree)) return failed(view, err);

    if (board) {
        PrintBoardLines(out, state->game.pos.board);
        int moves = 0;
        while (moves < MaxMoves && state->game.rec.record(moves + 1).colour != 0) ++moves;
        out << "moves " << moves << '\n';
        return 0;
    }
    const std::string target(args[2]);
    if (IsSgfPath(target)) {
        view.saveSgf = target;
        logic.SaveSgf1Click();
        if (!view.messages.empty()) return failed(view, err);
    } else {
        std::string error;
        if (!WriteProblemFile(target, state->game.pos.board, &error)) {
            err << error << '\n';
            return LoadError;
        }
    }
    return 0;
}

}  // namespace keldra
