#include "QELMA/logic/prove_commands.h"

#include <chrono>
#include <exception>
#include <future>
#include <thread>

namespace keldra {

namespace {

std::string pointText(const prover::ProverMove& m) { return std::to_string(m.x) + " " + std::to_string(m.y); }

std::string movesText(const std::vector<prover::ProverMove>& moves) {
    std::string text;
    for (const auto& m : moves) text += (text.empty() ? "" : "　") + pointText(m);
    return text.empty() ? "なし" : text;
}

// Runs `work(stop)` on a worker thread while the view waits (a window lets
// paints through; its input is blocked while busy). When the view gives up
// waiting because the window is closing, the stop flag is raised. The worker
// has always ended when this returns.
template <class Work>
auto runOnWorker(SearchView& view, std::atomic<bool>& stop, Work work) -> decltype(work(&stop)) {
    using Result = decltype(work(&stop));
    std::promise<Result> promise;
    std::future<Result> done = promise.get_future();
    std::thread worker([&] {
        try {
            promise.set_value(work(&stop));
        } catch (...) {
            promise.set_exception(std::current_exception());
        }
    });
    // Whatever happens while waiting, the worker is stopped and joined.
    struct Joiner {
        std::thread& worker;
        std::atomic<bool>& stop;
        std::future<Result>& done;
        ~Joiner() {
            if (done.wait_for(std::chrono::seconds(0)) != std::future_status::ready) stop = true;
            worker.join();
        }
    };
    {
        Joiner joiner{worker, stop, done};
        view.WaitFor([&](std::uint32_t ms) {
            return done.wait_for(std::chrono::milliseconds(ms)) == std::future_status::ready;
        });
    }
    return done.get();
}

// Shows in the status boxes that a proof runs and lets the window repaint
// them. Returns false once the window is closing.
bool announceProof(SearchView& view, const char* edit1) {
    view.SetEdit1Text(edit1);
    view.SetEdit6Colour(Yellow);
    view.SetEdit6Text("検証中（Escで中止）");
    view.ProcessEvents();
    return !view.Cancelled();
}

// A named target belongs to the position it was named on: once the stones
// differ, the default rule chooses again.
void forgetTargetOfAnotherPosition(const Board& board, ProveControl& control) {
    if (control.options.targetX == 0) return;
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (board[x][y].Stone == control.targetOn[x][y].Stone) continue;
            control.options.targetX = control.options.targetY = 0;
            return;
        }
    }
}

}  // namespace

const char* VerdictText(prover::Verdict verdict) {
    switch (verdict) {
        case prover::Verdict::Kill: return "黒先白死（無条件）";
        case prover::Verdict::KillByKo: return "コウで白死";
        case prover::Verdict::Alive: return "白生き";
        case prover::Verdict::Seki: return "セキで白生き";
        case prover::Verdict::Unknown: break;
    }
    return "判定できません";
}

std::vector<std::string> ProveMemoLines(const prover::ProveResult& result, bool stopped) {
    std::vector<std::string> lines{VerdictText(result.verdict)};
    if (result.verdict == prover::Verdict::Unknown && result.firstMoves.empty() && !result.limitReached && !stopped) {
        lines.emplace_back("囲まれた白石がありません。");
        return lines;
    }
    lines.push_back("殺す手：" + movesText(result.kills));
    if (!result.koKills.empty()) lines.push_back("コウで殺す手：" + movesText(result.koKills));
    if (!result.target.isPass()) lines.push_back("対象：" + pointText(result.target) + " の石");
    if (stopped) {
        lines.emplace_back("検証を中止しました。");
    } else if (result.limitReached) {
        lines.emplace_back("時間内に調べ切れない手がありました。");
    }
    if (!result.line.empty()) {
        lines.emplace_back("手順：");
        for (std::size_t i = 0; i < result.line.size(); ++i) {
            const prover::ProverMove& m = result.line[i];
            lines.push_back((m.isPass() ? std::string("パス") : pointText(m)) + " R" + std::to_string(i + 1));
        }
    }
    return lines;
}

std::vector<BoardMark> ProveMarks(const prover::ProveResult& result) {
    std::vector<BoardMark> marks;
    for (const auto& m : result.kills) marks.push_back({m.x, m.y, MarkKind::Kill});
    for (const auto& m : result.koKills) marks.push_back({m.x, m.y, MarkKind::KoKill});
    return marks;
}

bool NameProveTarget(const Board& board, int x, int y, FormView& view, ProveControl& control) {
    if (!IsPlayable(x, y) || board[x][y].Stone != White) return false;
    control.options.targetX = static_cast<std::uint8_t>(x);
    control.options.targetY = static_cast<std::uint8_t>(y);
    control.targetOn = board;
    view.SetBoardMarks({BoardMark{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), MarkKind::Target}});
    view.PaintBoard();
    return true;
}

bool ProveCommand(const Board& board, FormView& view, ProveControl& control) {
    const std::uint32_t start = view.TickCount();
    if (!announceProof(view, "　　検証中")) return false;

    control.stop = false;
    const Board proved = board;  // the worker's own copy
    forgetTargetOfAnotherPosition(board, control);
    const prover::ProveOptions options = control.options;
    prover::ProveResult result;
    try {
        result = runOnWorker(view, control.stop,
                             [&](const std::atomic<bool>* stop) { return prover::Prove(proved, options, stop); });
    } catch (const std::exception&) {
        // Out of memory for the tables: the proof did not run; the window goes on.
        view.SetEdit6Colour(Red);
        view.ShowMessage("解答不能");
        return true;
    }
    if (view.Cancelled()) return false;
    const bool stopped = control.stop.load() && result.limitReached;

    view.SetEdit6Colour(Red);
    view.SetEdit6Text(VerdictText(result.verdict));
    view.SetEdit1Text(ElapsedText(view, start));
    view.MemoClear();
    for (const std::string& line : ProveMemoLines(result, stopped)) view.MemoAddLine(line);
    view.MemoShowFirstLine();  // the verdict first, however long the line
    view.SetBoardMarks(ProveMarks(result));
    view.PaintBoard();
    return true;
}

bool ProverReply(const Board& board, HintResult& hint, SearchView& view, ProveControl& control) {
    const std::uint32_t start = view.TickCount();
    if (!announceProof(view, "　　白　が思考中")) return false;

    control.stop = false;
    forgetTargetOfAnotherPosition(board, control);
    const Board position = board;
    const prover::ProveOptions options = control.options;
    prover::ProverAnswer answer;
    try {
        answer = runOnWorker(view, control.stop, [&](const std::atomic<bool>* stop) {
            return prover::WhiteAnswer(position, options, stop);
        });
    } catch (const std::exception&) {
        return false;  // the usual reply answers
    }
    if (answer.kind != prover::AnswerKind::Refutes && answer.kind != prover::AnswerKind::Resists) return false;
    if (view.Cancelled()) return false;

    view.SetEdit6Colour(Red);
    view.SetEdit6Text(answer.move.isPass() ? std::string("白はパス  検証")
                                           : "X= " + std::to_string(answer.move.x) + "  Y= " +
                                                 std::to_string(answer.move.y) + "  検証");
    view.SetEdit1Text(ElapsedText(view, start));
    hint.X = answer.move.x;
    hint.Y = answer.move.y;
    return true;
}

}  // namespace keldra
