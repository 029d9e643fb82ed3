// Random games for the rules engine and the game record: after every move and
// every history step the position must obey the rules' invariants, and the
// record must rebuild exactly the board that is shown.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "QELMA/logic/form1_logic.h"
#include "test_support.h"

namespace keldra {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int DefaultGames = 300;
#else
constexpr int DefaultGames = 3000;
#endif

int gamesToPlay() {
    const char* env = std::getenv("KELDRA_STRESS_GAMES");
    return env ? std::atoi(env) : DefaultGames;
}

// Every group on the board has a liberty; returns a description of the first
// group that has none.
std::string groupWithoutLiberty(Position& pos) {
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            const std::uint8_t c = pos.at(x, y).Stone;
            if (c != Black && c != White) continue;
            Position probe = pos;
            probe.LastX = static_cast<std::uint8_t>(x);  // count the group as the mover's own
            probe.LastY = static_cast<std::uint8_t>(y);
            CountAndCapture(probe, x, y);
            if (probe.at(x, y).Liberties == 0) return "group at " + std::to_string(x) + "," + std::to_string(y);
        }
    }
    return "";
}

bool borderIntact(const Board& b) {
    for (int i = 0; i < GridSide; ++i) {
        if (b[i][0].Stone != BorderCode || b[i][14].Stone != BorderCode || b[0][i].Stone != BorderCode ||
            b[14][i].Stone != BorderCode)
            return false;
    }
    return true;
}

// Stones and ko marks: what the rules and the display depend on.
std::string visible(const Board& b) { return test::PictureOf(b); }

std::string rebuilt(const GameRecord& rec, int moves) {
    Position p;
    p.board = rec.StartSnapshot;
    for (int k = 1; k <= moves; ++k) PlaceStone(p, rec.record(k).X, rec.record(k).Y, rec.record(k).colour);
    return visible(p.board);
}

TEST(Stress, RandomGamesKeepRulesAndRecordConsistent) {
    std::mt19937 rng(20261208);
    const int games = gamesToPlay();
    long steps = 0;
    for (int game = 0; game < games; ++game) {
        Session st;
        st.window.CellSize = 38;
        test::RecordingView view;
        Form1Logic logic(st, view);
        std::uint8_t lastStoodX = 0, lastStoodY = 0;
        const int length = 20 + static_cast<int>(rng() % 90);
        for (int step = 0; step < length; ++step, ++steps) {
            const unsigned action = rng() % 10;
            std::string what;
            if (action < 6) {
                // a move, sometimes off the board or onto a stone
                const int x = static_cast<int>(rng() % 15), y = static_cast<int>(rng() % 15);
                const std::uint8_t colour = static_cast<std::uint8_t>(rng() % 2 + 1);
                const std::uint8_t before = IsPlayable(x, y) ? st.game.pos.at(x, y).Stone : BorderCode;
                const int count = st.game.rec.MoveCount;
                PlayMove(st.game.pos, st.game.rec, x, y, colour);
                what = "move " + std::to_string(x) + "," + std::to_string(y);
                if (before != Empty) {
                    ASSERT_EQ(st.game.rec.MoveCount, count) << what;
                } else if (HoldsStone(st.game.pos.at(x, y).Stone)) {
                    lastStoodX = static_cast<std::uint8_t>(x);
                    lastStoodY = static_cast<std::uint8_t>(y);
                }
            } else if (action == 6) {
                logic.Button2Click();
                what = "undo";
                lastStoodX = lastStoodY = 0;
            } else if (action == 7) {
                logic.Button4Click();
                what = "forward";
                lastStoodX = lastStoodY = 0;
            } else {
                // a replay to a random depth: press, then some ticks
                logic.Button3Click();
                const int ticks = 1 + static_cast<int>(rng() % 12);
                for (int t = 0; t < ticks && view.timerOn; ++t) logic.Timer1Timer();
                what = "replay";
                lastStoodX = lastStoodY = 0;
            }

            ASSERT_TRUE(borderIntact(st.game.pos.board)) << what;
            ASSERT_EQ(groupWithoutLiberty(st.game.pos), "") << what << "\n" << visible(st.game.pos.board);
            ASSERT_LE(st.game.rec.MoveCount, MaxMoves) << what;
            ASSERT_TRUE(st.game.rec.ReplayCursor == ReplayIdle || st.game.rec.ReplayCursor <= MaxMoves) << what;
            ASSERT_EQ(st.game.rec.MoveList[0], (MoveRecord{0, 0, 0})) << what;  // nothing before record 1
            for (int x = 1; x <= BoardSide; ++x) {
                for (int y = 1; y <= BoardSide; ++y) {
                    if (st.game.pos.at(x, y).KoMark == 0 || lastStoodX == 0) continue;
                    // after a move, ko marks lie next to the last stone that stood
                    ASSERT_EQ(std::abs(x - lastStoodX) + std::abs(y - lastStoodY), 1) << what;
                }
            }
            // the record rebuilds the board: records up to the cursor while
            // stepping, up to MoveCount otherwise
            const int onBoard = st.game.rec.ReplayCursor == ReplayIdle ? st.game.rec.MoveCount : st.game.rec.ReplayCursor;
            ASSERT_EQ(rebuilt(st.game.rec, onBoard), visible(st.game.pos.board)) << what << " game " << game << " step " << step;
        }
    }
    RecordProperty("steps", std::to_string(steps));
    EXPECT_GT(steps, games * 20L);
}

}  // namespace
}  // namespace keldra
