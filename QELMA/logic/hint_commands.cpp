#include "QELMA/logic/hint_commands.h"

#include "solver/candidates.h"
#include "solver/root_choice.h"

namespace keldra {

namespace {

constexpr std::uint32_t PlayOutMsPerMove = 700;

// "X=4 Y=3 を計算中" while a candidate is searched, "を再計算中" while it is counted.
std::string progressText(const RootCandidate& c) {
    return Fill(c.phase == RootPhase::Kill ? Tr("X=%1 Y=%2 を計算中") : Tr("X=%1 Y=%2 を再計算中"),
                {std::to_string(c.move.X), std::to_string(c.move.Y)});
}

// The window is closing: the board goes back to the hint's start position
// (when it was already saved), both flags are cleared and no hint is left to
// be played.
void abandonHint(Game& game, HintResult& hint, SolveFlags& flags, const Board* hintBoard) {
    if (hintBoard != nullptr) game.pos.board = *hintBoard;
    flags.AutoSolveFlag = 0;
    flags.RecordFlag = 0;
    hint.X = 0;
    hint.Y = 0;
}

// Lets pending events through; true when the window started closing.
bool closingAfterEvents(SearchView& view) {
    view.ProcessEvents();
    return view.Cancelled();
}

// The frame of both hints: the status texts, the start position saved, the
// engine's walk over the candidates with every candidate announced (the
// start position back, its text, pending events through), then the choice
// shown and kept. `search(pos, events)` runs the engine; `chosen(choice)`
// adds what one hint shows of its own before the common end. Any exception
// shows "解答不能" and goes on to the caller.
template <class Search, class Chosen>
HintOutcome runHint(Game& game, HintResult& hint, SolveFlags& flags, SearchView& view, const std::string& thinking,
                    Search search, Chosen chosen) {
    try {
        view.SetEdit1Text(thinking);
        const std::uint32_t start = view.TickCount();
        view.SetEdit6Colour(Yellow);
        if (closingAfterEvents(view)) {
            abandonHint(game, hint, flags, nullptr);
            return HintOutcome::Stopped;
        }
        const Board hintBoard = game.pos.board;
        RootSearchEvents events;
        events.onRootStarting = [&](const RootCandidate& c) {
            game.pos.board = hintBoard;
            view.SetEdit6Text(progressText(c));
            return !closingAfterEvents(view);
        };
        events.waitForWorkers = [&](const std::function<bool(std::uint32_t)>& waitSome) { view.WaitFor(waitSome); };
        events.stopRequested = [&] { return view.Cancelled(); };

        const RootChoice choice = search(game.pos, events);
        if (choice.stopped) {
            abandonHint(game, hint, flags, &hintBoard);
            return HintOutcome::Stopped;
        }
        const HintOutcome outcome = chosen(choice);

        view.SetEdit6Colour(Red);
        game.pos.board = hintBoard;
        view.PaintBoard();
        view.SetEdit6Text("X= " + std::to_string(choice.X) + "  Y= " + std::to_string(choice.Y) +
                          "  TOTAL= " + std::to_string(choice.value));
        view.SetEdit1Text(ElapsedText(view, start));
        hint.X = choice.X;
        hint.Y = choice.Y;
        hint.Score = choice.value;
        return outcome;
    } catch (...) {
        view.ShowMessage(Tr("解答不能"));
        throw;
    }
}

}  // namespace

std::string ElapsedText(SearchView& view, std::uint32_t start) {
    return Fill(Tr("%1秒かかりました。"), {std::to_string((view.TickCount() - start) / 1000)});
}

std::string MemoLine(const SolutionLine& line, int i) {
    const MoveRecord& m = line.entries[static_cast<std::size_t>(i)];
    return std::to_string(m.X) + " " + std::to_string(m.Y) + " R" +
           std::to_string(line.plies[static_cast<std::size_t>(i)]);
}

HintOutcome Button9Click(Game& game, HintResult& hint, SolveFlags& flags, SearchView& view) {
    const bool killPhase = (flags.AutoSolveFlag == 0);
    return runHint(
        game, hint, flags, view, Tr("　　白　が思考中"),
        [&](Position& pos, const RootSearchEvents& events) { return FindReply(pos, killPhase, events); },
        [](const RootChoice&) { return HintOutcome::Chosen; });
}

HintOutcome Button10Click(Game& game, HintResult& hint, SolveFlags& flags, SearchView& view) {
    // Lines are kept only when automatic solving records one; the plain
    // hint's searches may then use the memo of finished positions.
    const bool recordLine = (flags.RecordFlag == 1);
    return runHint(
        game, hint, flags, view, Tr("　　黒　が思考中"),
        [&](Position& pos, const RootSearchEvents& events) { return FindKillingMove(pos, recordLine, events); },
        [&](const RootChoice& choice) {
            if (choice.hasLine) {
                hint.line = choice.line;
                view.MemoClear();
                for (int k = 0; k <= hint.line.SolutionLast; ++k) view.MemoAddLine(MemoLine(hint.line, k));
            }
            if (choice.value < 1) {
                view.ShowMessage(Tr("解答不能"));
                flags.RecordFlag = 0;
                return HintOutcome::NoKill;
            }
            return HintOutcome::Chosen;
        });
}

void Button7Click(Game& game, HintResult& hint, SolveFlags& flags, SearchView& view) {
    // Both flags end at 0 however automatic solving ends: normally, on a
    // cancellation or through an exception.
    struct FlagsOff {
        SolveFlags& flags;
        ~FlagsOff() {
            flags.AutoSolveFlag = 0;
            flags.RecordFlag = 0;
        }
    } flagsOff{flags};

    view.SetEdit1Text(Tr("解答時間"));
    const std::uint32_t start = view.TickCount();
    flags.AutoSolveFlag = 1;
    flags.RecordFlag = 1;
    // A game already under way keeps its start position and records; the
    // solution is recorded after them.
    if (game.rec.MoveCount == 0) game.rec.StartSnapshot = game.pos.board;

    if (Button10Click(game, hint, flags, view) != HintOutcome::Chosen) return;

    view.SetEdit1Text(ElapsedText(view, start));
    view.ShowMessage(Tr("詰みました。黒の勝ち。"));

    // A copy, so that a handler run between two moves cannot change the line.
    const SolutionLine line = hint.line;
    const Board hintBoard = game.pos.board;
    for (int i = 0; i <= line.SolutionLast; ++i) {
        const std::uint32_t moveStart = view.TickCount();
        const MoveRecord& m = line.entries[static_cast<std::size_t>(i)];
        PlayMove(game.pos, game.rec, m.X, m.Y, m.colour);
        view.PaintBoard();
        if (closingAfterEvents(view)) {
            abandonHint(game, hint, flags, &hintBoard);
            return;
        }
        view.WaitSince(moveStart, PlayOutMsPerMove);
    }
}

void ShowRange(Position& pos, SearchView& view, StoneColour colour) {
    CandidateList list;
    GenerateCandidates(pos, CodeOf(colour), list);
    for (int i = 1; i <= list.count; ++i) pos.at(list.entry(i).X, list.entry(i).Y).Stone = RangeMark;
    view.PaintBoard();
    for (int i = 1; i <= list.count; ++i) pos.at(list.entry(i).X, list.entry(i).Y).Stone = Empty;
    view.ShowMessage(colour == StoneColour::White ? Tr("白の打てる範囲です") : Tr("黒の打てる範囲です"));
}

}  // namespace keldra
