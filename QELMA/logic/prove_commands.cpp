#include "QELMA/logic/prove_commands.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <future>
#include <thread>

namespace keldra {

namespace {

// The proof tree 検証 keeps for the first move clicked after it.
constexpr int WindowTreeNodes = 2000;

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
    // The lists above leave these first moves out: they are incomplete.
    if (!result.open.empty()) lines.push_back("未確定の手：" + movesText(result.open) + "（一覧は不完全です）");
    if (!result.line.empty()) {
        lines.emplace_back("手順：");
        for (std::size_t i = 0; i < result.line.size(); ++i) {
            const prover::ProverMove& m = result.line[i];
            lines.push_back((m.isPass() ? std::string("パス") : pointText(m)) + " R" + std::to_string(i + 1));
        }
    }
    return lines;
}

const char* FirstMoveStatusText(prover::FirstMoveStatus status) {
    switch (status) {
        case prover::FirstMoveStatus::Kills: return "正解";
        case prover::FirstMoveStatus::KillsByKo: return "コウ";
        case prover::FirstMoveStatus::Refuted: return "失敗";
        case prover::FirstMoveStatus::Unknown: break;
    }
    return "";
}

std::vector<prover::ProverMove> FirstMoveLine(const prover::ProofTree& tree, int x, int y) {
    const auto& nodes = tree.nodes;
    int at = -1;
    for (const int c : nodes[0].children)
        if (nodes[static_cast<std::size_t>(c)].move.x == x && nodes[static_cast<std::size_t>(c)].move.y == y) at = c;
    if (at < 0) return {};
    // Each node's height: children come after their parent, so one pass
    // from the end settles them.
    std::vector<int> height(nodes.size(), 0);
    for (std::size_t i = nodes.size(); i-- > 1;) {
        const int parent = nodes[i].parent;
        height[static_cast<std::size_t>(parent)] = std::max(height[static_cast<std::size_t>(parent)], height[i] + 1);
    }
    std::vector<prover::ProverMove> line{nodes[static_cast<std::size_t>(at)].move};
    while (!nodes[static_cast<std::size_t>(at)].children.empty()) {
        // White's longest resistance; black has one answer.
        int next = -1;
        for (const int c : nodes[static_cast<std::size_t>(at)].children)
            if (next < 0 || height[static_cast<std::size_t>(c)] > height[static_cast<std::size_t>(next)]) next = c;
        at = next;
        line.push_back(nodes[static_cast<std::size_t>(at)].move);
    }
    return line;
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
    prover::ProveOptions options = control.options;
    options.treeNodes = WindowTreeNodes;
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
    control.provedBoard = board;
    control.proof = std::move(result);
    control.proofKept = true;
    return true;
}

bool ShowFirstMoveLine(const Board& board, int x, int y, FormView& view, ProveControl& control) {
    if (!control.proofKept) return false;
    control.proofKept = false;
    if (!(board == control.provedBoard)) return false;
    const std::vector<prover::ProverMove> line = FirstMoveLine(control.proof.tree, x, y);
    if (line.empty()) return false;
    prover::FirstMoveStatus status = prover::FirstMoveStatus::Unknown;
    for (const prover::RootResult& r : control.proof.firstMoves)
        if (r.move.x == x && r.move.y == y) status = r.status;
    view.MemoClear();
    view.MemoAddLine("初手 " + pointText(line.front()) + "：" + FirstMoveStatusText(status));
    for (std::size_t i = 0; i < line.size(); ++i)
        view.MemoAddLine((line[i].isPass() ? std::string("パス") : pointText(line[i])) + " R" + std::to_string(i + 1));
    view.MemoShowFirstLine();
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
