#include "QELMA/logic/prove_commands.h"

#include <algorithm>
#include <exception>

#include "QELMA/logic/worker.h"

namespace keldra {

namespace {

// The proof tree 検証 keeps for the first move clicked after it.
constexpr int WindowTreeNodes = 2000;

std::string pointText(const prover::ProverMove& m) { return std::to_string(m.x) + " " + std::to_string(m.y); }

std::string movesText(const std::vector<prover::ProverMove>& moves) {
    std::string text;
    for (const auto& m : moves) {
        if (!text.empty()) text += Tr("　");  // between two moves
        text += pointText(m);
    }
    return text.empty() ? Tr("なし") : text;
}

const prover::ProofTreeNode& nodeOf(const prover::ProofTree& tree, int node) {
    return tree.nodes[static_cast<std::size_t>(node)];
}

// Each node's height: children come after their parent, so one pass from
// the end settles them.
std::vector<int> heights(const prover::ProofTree& tree) {
    std::vector<int> height(tree.nodes.size(), 0);
    for (std::size_t i = tree.nodes.size(); i-- > 1;) {
        int& parent = height[static_cast<std::size_t>(tree.nodes[i].parent)];
        parent = std::max(parent, height[i] + 1);
    }
    return height;
}

// The child of `node` with the longest line below it (the first of equals),
// or -1 for a leaf.
int longestChild(const prover::ProofTree& tree, const std::vector<int>& height, int node) {
    int best = -1;
    for (const int c : nodeOf(tree, node).children)
        if (best < 0 || height[static_cast<std::size_t>(c)] > height[static_cast<std::size_t>(best)]) best = c;
    return best;
}

// Shows in the status boxes that a proof runs and lets the window repaint
// them. Returns false once the window is closing.
bool announceProof(SearchView& view, const std::string& edit1) {
    view.SetEdit1Text(edit1);
    view.SetEdit6Colour(Yellow);
    view.SetEdit6Text(Tr("検証中（Escで中止）"));
    view.ProcessEvents();
    return !view.Cancelled();
}

// 検証's proof of `board` with its tree: Edit1 and Edit6 say that it runs,
// Esc stops it; then Edit6 shows the verdict and Edit1 the time, and the
// proof is kept. nullptr when it could not run ("解答不能") or the window
// started closing.
const prover::ProveResult* proveAndKeep(const Board& board, SearchView& view, ProveControl& control) {
    const std::uint32_t start = view.TickCount();
    if (!announceProof(view, Tr("　　検証中"))) return nullptr;
    control.lineOffered = false;
    prover::ProveResult result;
    if (!ProveOnWorker(board, view, control, result, WindowTreeNodes)) {
        // Out of memory for the tables: the proof did not run; the window goes on.
        view.SetEdit6Colour(Red);
        view.ShowMessage(Tr("解答不能"));
        return nullptr;
    }
    if (view.Cancelled()) return nullptr;
    view.SetEdit6Colour(Red);
    view.SetEdit6Text(Tr(VerdictText(result.verdict)));
    view.SetEdit1Text(ElapsedText(view, start));
    control.proofStopped = control.stop.load() && result.limitReached;
    control.provedBoard = board;
    control.proof = std::move(result);
    control.proofKept = true;
    return &control.proof;
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

bool ProveOnWorker(const Board& board, SearchView& view, ProveControl& control, prover::ProveResult& result,
                   int treeNodes) {
    control.stop = false;
    forgetTargetOfAnotherPosition(board, control);
    const Board proved = board;  // the worker's own copy
    prover::ProveOptions options = control.options;
    options.treeNodes = treeNodes;
    options.frame = control.gameFrame;
    try {
        result = RunOnWorker(view, control.stop,
                             [&](const std::atomic<bool>* stop) { return prover::Prove(proved, options, stop); });
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

prover::ProverAnswer WhiteAnswerOnWorker(const Board& board, SearchView& view, ProveControl& control) {
    control.stop = false;
    forgetTargetOfAnotherPosition(board, control);
    const Board position = board;  // the worker's own copy
    prover::ProveOptions options = control.options;
    options.frame = control.gameFrame;
    try {
        return RunOnWorker(view, control.stop, [&](const std::atomic<bool>* stop) {
            return prover::WhiteAnswer(position, options, stop);
        });
    } catch (const std::exception&) {
        return {};  // no memory for the tables: nothing proved
    }
}

void BeginGameFrame(const Board& start, int moves, ProveControl& control) {
    if (control.gameFrameMoves >= 0 && moves >= control.gameFrameMoves) return;
    forgetTargetOfAnotherPosition(start, control);
    control.gameFrame = prover::FrameOf(start, control.options);
    control.gameFrameMoves = moves;
}

void EndGameFrame(ProveControl& control) {
    control.gameFrame = {};
    control.gameFrameMoves = -1;
}

void FollowRecord(int moves, ProveControl& control) {
    if (moves < control.gameFrameMoves) EndGameFrame(control);
}

const char* VerdictText(prover::Verdict verdict) {
    switch (verdict) {
        case prover::Verdict::Kill: return KTEXT("黒先白死（無条件）");
        case prover::Verdict::KillByKo: return KTEXT("コウで白死");
        case prover::Verdict::Alive: return KTEXT("白生き");
        case prover::Verdict::Seki: return KTEXT("セキで白生き");
        case prover::Verdict::Unknown: break;
    }
    return KTEXT("判定できません");
}

std::vector<std::string> ProveMemoLines(const prover::ProveResult& result, bool stopped) {
    std::vector<std::string> lines{Tr(VerdictText(result.verdict))};
    if (result.verdict == prover::Verdict::Unknown && result.firstMoves.empty() && !result.limitReached && !stopped) {
        lines.push_back(Tr("囲まれた白石がありません。"));
        return lines;
    }
    lines.push_back(Fill(Tr("殺す手：%1"), {movesText(result.kills)}));
    if (!result.koKills.empty()) lines.push_back(Fill(Tr("コウで殺す手：%1"), {movesText(result.koKills)}));
    if (!result.weakerKo.empty()) lines.push_back(Fill(Tr("劣るコウの手：%1"), {movesText(result.weakerKo)}));
    // Each counted ko: who needs how many threats.
    for (const prover::RootResult& f : result.firstMoves)
        if (f.koCounted())
            lines.push_back(Fill(Tr("%1：%2"), {pointText(f.move), KoThreatsShown(f.blackNeeds, f.whiteNeeds)}));
    if (!result.target.isPass()) lines.push_back(Fill(Tr("対象：%1 の石"), {pointText(result.target)}));
    if (stopped) {
        lines.push_back(Tr("検証を中止しました。"));
    } else if (result.limitReached) {
        lines.push_back(Tr("時間内に調べ切れない手がありました。"));
    }
    // The lists above leave these first moves out: they are incomplete.
    if (!result.open.empty()) lines.push_back(Fill(Tr("未確定の手：%1（一覧は不完全です）"), {movesText(result.open)}));
    if (!result.line.empty()) {
        lines.push_back(Tr("手順："));
        for (std::size_t i = 0; i < result.line.size(); ++i) {
            const prover::ProverMove& m = result.line[i];
            lines.push_back((m.isPass() ? Tr("パス") : pointText(m)) + " R" + std::to_string(i + 1));
        }
    }
    return lines;
}

const char* FirstMoveStatusText(prover::FirstMoveStatus status) {
    switch (status) {
        case prover::FirstMoveStatus::Kills: return KTEXT("正解");
        case prover::FirstMoveStatus::KillsByKo: return KTEXT("コウ");
        case prover::FirstMoveStatus::Refuted: return KTEXT("失敗");
        case prover::FirstMoveStatus::Unknown: break;
    }
    return "";
}

std::string StatusTextShown(prover::FirstMoveStatus status) {
    const char* text = FirstMoveStatusText(status);
    return *text ? Tr(text) : std::string();
}

std::string KoThreatsShown(int blackNeeds, int whiteNeeds) {
    if (blackNeeds < 0 || whiteNeeds < 0) return {};
    const bool white = whiteNeeds > 0;  // black takes first: white needs the threats
    const int n = white ? whiteNeeds : blackNeeds;
    if (n >= prover::MoreThreats) return Tr(white ? "白はコウ材 4 以上" : "黒はコウ材 4 以上");
    return Fill(Tr(white ? "白はコウ材 %1" : "黒はコウ材 %1"), {std::to_string(n)});
}

std::string FirstMoveCommentShown(prover::FirstMoveStatus status, int blackNeeds, int whiteNeeds) {
    const std::string threats = KoThreatsShown(blackNeeds, whiteNeeds);
    if (status != prover::FirstMoveStatus::KillsByKo || threats.empty()) return StatusTextShown(status);
    return Fill(Tr("%1（%2）"), {StatusTextShown(status), threats});
}

std::vector<prover::ProverMove> FirstMoveLine(const prover::ProofTree& tree, int x, int y) {
    int at = -1;
    for (const int c : tree.nodes[0].children)
        if (nodeOf(tree, c).move.x == x && nodeOf(tree, c).move.y == y) at = c;
    if (at < 0) return {};
    const std::vector<int> height = heights(tree);
    std::vector<prover::ProverMove> line{nodeOf(tree, at).move};
    // White's longest resistance; black has one answer.
    for (at = longestChild(tree, height, at); at >= 0; at = longestChild(tree, height, at))
        line.push_back(nodeOf(tree, at).move);
    return line;
}

prover::ProverAnswer TreeAnswer(const prover::ProofTree& tree, const std::vector<prover::ProverMove>& line) {
    int at = 0;
    for (const prover::ProverMove& m : line) {
        int next = -1;
        for (const int c : nodeOf(tree, at).children)
            if (nodeOf(tree, c).move == m) next = c;
        if (next < 0) return {};
        at = next;
    }
    if (line.empty() || line.back().colour != Black) return {};
    const int answer = longestChild(tree, heights(tree), at);
    if (answer < 0) return {};
    int first = at;
    while (nodeOf(tree, first).parent != 0) first = nodeOf(tree, first).parent;
    prover::ProverAnswer out;
    switch (nodeOf(tree, first).status) {
        case prover::FirstMoveStatus::Refuted: out.kind = prover::AnswerKind::Refutes; break;
        case prover::FirstMoveStatus::Kills:
        case prover::FirstMoveStatus::KillsByKo: out.kind = prover::AnswerKind::Resists; break;
        case prover::FirstMoveStatus::Unknown: return {};
    }
    out.move = nodeOf(tree, answer).move;
    return out;
}

std::vector<BoardMark> ProveMarks(const prover::ProveResult& result) {
    std::vector<BoardMark> marks;
    for (const auto& m : result.kills) marks.push_back({m.x, m.y, MarkKind::Kill});
    for (const auto& m : result.koKills) marks.push_back({m.x, m.y, MarkKind::KoKill});
    return marks;
}

const prover::ProveResult* KeptProof(const ProveControl& control, const Board& board) {
    return control.proofKept && !control.proofStopped && board == control.provedBoard ? &control.proof : nullptr;
}

const prover::ProveResult* ProofWithTree(const Board& board, SearchView& view, ProveControl& control) {
    if (const prover::ProveResult* kept = KeptProof(control, board)) return kept;
    return proveAndKeep(board, view, control);
}

bool NameProveTarget(const Board& board, int x, int y, FormView& view, ProveControl& control) {
    if (!IsPlayable(x, y) || board[x][y].Stone != White) return false;
    control.options.targetX = static_cast<std::uint8_t>(x);
    control.options.targetY = static_cast<std::uint8_t>(y);
    control.targetOn = board;
    EndGameFrame(control);
    view.SetBoardMarks({BoardMark{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), MarkKind::Target}});
    view.PaintBoard();
    return true;
}

bool ProveCommand(const Board& board, FormView& view, ProveControl& control) {
    const prover::ProveResult* result = proveAndKeep(board, view, control);
    if (!result) return !view.Cancelled();
    view.MemoClear();
    for (const std::string& line : ProveMemoLines(*result, control.proofStopped)) view.MemoAddLine(line);
    view.MemoShowFirstLine();  // the verdict first, however long the line
    view.SetBoardMarks(ProveMarks(*result));
    view.PaintBoard();
    control.lineOffered = true;
    return true;
}

bool ShowFirstMoveLine(const Board& board, int x, int y, FormView& view, ProveControl& control) {
    if (!control.lineOffered) return false;
    control.lineOffered = false;
    if (!control.proofKept || !(board == control.provedBoard)) return false;
    const std::vector<prover::ProverMove> line = FirstMoveLine(control.proof.tree, x, y);
    if (line.empty()) return false;
    prover::FirstMoveStatus status = prover::FirstMoveStatus::Unknown;
    for (const prover::RootResult& r : control.proof.firstMoves)
        if (r.move.x == x && r.move.y == y) status = r.status;
    view.MemoClear();
    view.MemoAddLine(Fill(Tr("初手 %1：%2"), {pointText(line.front()), StatusTextShown(status)}));
    for (std::size_t i = 0; i < line.size(); ++i)
        view.MemoAddLine((line[i].isPass() ? Tr("パス") : pointText(line[i])) + " R" + std::to_string(i + 1));
    view.MemoShowFirstLine();
    return true;
}

bool ProverReply(const Board& board, HintResult& hint, SearchView& view, ProveControl& control) {
    const std::uint32_t start = view.TickCount();
    if (!announceProof(view, Tr("　　白　が思考中"))) return false;

    const prover::ProverAnswer answer = WhiteAnswerOnWorker(board, view, control);
    if (answer.kind != prover::AnswerKind::Refutes && answer.kind != prover::AnswerKind::Resists) return false;
    if (view.Cancelled()) return false;

    view.SetEdit6Colour(Red);
    view.SetEdit6Text(answer.move.isPass() ? Tr("白はパス  検証")
                                           : Fill(Tr("X= %1  Y= %2  検証"), {std::to_string(answer.move.x),
                                                                          std::to_string(answer.move.y)}));
    view.SetEdit1Text(ElapsedText(view, start));
    hint.X = answer.move.x;
    hint.Y = answer.move.y;
    return true;
}

}  // namespace keldra
