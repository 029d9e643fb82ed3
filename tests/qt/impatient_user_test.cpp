// The main window under an impatient user: while automatic solving (解答)
// searches and plays out, or while the computer thinks over its reply in a
// game, board clicks, every button, the menu commands, the replay tick and a
// close arrive from inside the running operation. None of them may change
// the board, the game record or the memo the operation leaves behind, and a
// close must stop the operation first and the window after it.
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "BAN/problem_file.h"
#include "helpgo/tform2.h"
#include "tests/qt/window_fixture.h"
#include "tests/test_support.h"

namespace keldra {
namespace {

// Where the user clicks on the bent three: its eye space, a white and a
// black stone of it, and a point away from it.
constexpr std::pair<int, int> ClickedPoints[] = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {7, 7}};

// What the file dialog offers while the operation runs: a load that slips
// through shows on the board.
constexpr const char* Elsewhere = R"(
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . X O . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .
    . . . . . . . . . . . . .)";

std::string koMarks(const Board& board) {
    std::string out;
    for (int x = 1; x <= BoardSide; ++x) {
        for (int y = 1; y <= BoardSide; ++y) {
            if (board[x][y].KoMark != 0) {
                out += "KoMark " + std::to_string(x) + "," + std::to_string(y) + "=" +
                       std::to_string(board[x][y].KoMark) + "\n";
            }
        }
    }
    return out;
}

// Everything of the game the user can see or step through, as text: every
// Stone and KoMark of the board and of StartSnapshot, the MoveList records,
// MoveCount, ReplayCursor, the memo, the mode, the caption and the timer.
std::string seen(const TForm1& form, const Session& st) {
    std::string s = "board\n" + test::PictureOf(st.game.pos.board) + koMarks(st.game.pos.board);
    s += "StartSnapshot\n" + test::PictureOf(st.game.rec.StartSnapshot) + koMarks(st.game.rec.StartSnapshot);
    s += "MoveList";
    for (int k = 1; k <= MaxMoves; ++k) {
        const MoveRecord& m = st.game.rec.record(k);
        if (m == MoveRecord{0, 0, 0}) continue;
        s += ' ';
        s += std::to_string(k) + ":" + std::to_string(m.X) + "," + std::to_string(m.Y) + "," + std::to_string(m.colour);
    }
    s += "\nMoveCount " + std::to_string(st.game.rec.MoveCount) + " ReplayCursor " + std::to_string(st.game.rec.ReplayCursor);
    s += "\nmode " + std::to_string(static_cast<int>(st.window.mode)) + " " + form.Button6->text().toStdString();
    s += "\ncaption " + form.windowTitle().toStdString();
    s += std::string("\nreplay timer ") + (form.Timer1->isActive() ? "on" : "off");
    s += "\nmemo\n" + form.Memo1->toPlainText().toStdString() + "\n";
    return s;
}

// The lines of `after` that differ from `before`, for a failure message.
std::string changedLines(const std::string& before, const std::string& after) {
    std::istringstream a(before), b(after);
    std::string out, la, lb;
    while (static_cast<bool>(std::getline(a, la)) | static_cast<bool>(std::getline(b, lb))) {
        if (la != lb) out += "  was: " + la + "\n  now: " + lb + "\n";
        la.clear();
        lb.clear();
    }
    return out;
}

// A press and a release, as the window system delivers them: sent at once,
// or posted to arrive with the next events the program lets through.
void mouseClick(QWidget* widget, QPoint at, Qt::MouseButton button, bool post) {
    const QPointF global = widget->mapToGlobal(QPointF(at));
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        if (post) {
            QCoreApplication::postEvent(widget, new QMouseEvent(type, QPointF(at), global, button, held, {}));
        } else {
            QMouseEvent event(type, QPointF(at), global, button, held, {});
            QCoreApplication::sendEvent(widget, &event);
        }
    }
}

struct Act {
    std::string name;
    std::function<void()> fire;
};

// What the user can do to the window: clicks with every mouse button on
// empty points of the problem, on its stones and away from it; each button
// pressed; each menu command chosen; and the replay tick. With
// `reachHandlers` the same input also arrives as if its control had taken
// it: the board's handlers called, the buttons' and commands' signals emitted.
std::vector<Act> userActs(TForm1& form, bool reachHandlers) {
    std::vector<Act> acts;
    const std::pair<Qt::MouseButton, const char*> mouse[] = {
        {Qt::LeftButton, "left"}, {Qt::RightButton, "right"}, {Qt::MiddleButton, "middle"}};
    for (const auto& [button, buttonName] : mouse) {
        for (const auto& [x, y] : ClickedPoints) {
            const std::string where = std::string(buttonName) + " click on (" + std::to_string(x) + ", " +
                                      std::to_string(y) + ")";
            const int cell = form.logic().state().window.CellSize;
            const QPoint at(x * cell, y * cell);
            acts.push_back({where, [&form, at, button] {
                                if (form.BAN1) mouseClick(form.BAN1, at, button, false);
                            }});
            if (!reachHandlers) continue;
            acts.push_back({where + " reaching the handlers", [&form, at, button] {
                                const MouseButton b = button == Qt::LeftButton    ? MouseButton::Left
                                                      : button == Qt::RightButton ? MouseButton::Right
                                                                                  : MouseButton::Middle;
                                form.logic().BoardMouseDown(b, at.x(), at.y());
                                form.BAN1MOUSEDOWN(button, {}, at.x(), at.y());
                            }});
        }
    }
    for (QPushButton* b : {form.Button1, form.Button2, form.Button4, form.Button3, form.Button6, form.Button7,
                           form.Button12}) {
        const std::string name = b->text().toStdString();
        acts.push_back({"press " + name, [b] { b->click(); }});
        if (reachHandlers) acts.push_back({name + " clicked", [b] { emit b->clicked(false); }});
    }
    for (QAction* a : {form.Open1, form.SaveAs1, form.K1}) {
        const std::string name = a->text().toStdString();
        acts.push_back({"choose " + name, [a] { a->trigger(); }});
        if (reachHandlers) acts.push_back({name + " triggered", [a] { emit a->triggered(false); }});
    }
    // A stopped timer does not tick.
    acts.push_back({"replay tick", [&form] {
                        if (form.Timer1->isActive()) QMetaObject::invokeMethod(form.Timer1, "timeout");
                    }});
    if (reachHandlers) acts.push_back({"replay tick reaching the handler", [&form] { form.Timer1Timer(); }});
    return acts;
}

// Scripted dialogs; while a message box of the operation is up, the user
// acts too, as the real box's event loop would let them.
class Dialogs : public test::ScriptedDialogs {
public:
    std::function<void()> whileShown;

    void message(QWidget* parent, const QString& text) override {
        test::ScriptedDialogs::message(parent, text);
        if (whileShown) whileShown();
    }
};

// A main window laid out for an 800x600 screen on fresh state, shown.
struct Window {
    Window() {
        test::EnsureQtApp();
        form.setDialogs(&dialogs);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    void clickPoint(int x, int y) {
        QTest::mouseClick(form.BAN1, Qt::LeftButton, {}, QPoint(x * state.window.CellSize, y * state.window.CellSize));
    }
    void press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    std::string seen() const { return keldra::seen(form, state); }

    Session state;
    Dialogs dialogs;
    TForm1 form{state, QSize(800, 600)};
};

// Comes back with every batch of events the running operation lets through
// and fires all the user's acts at the window, each checked on its own: what
// the user sees of the game must not change under it. Can close the window
// at a chosen moment; after that it also posts clicks that are still waiting
// when the operation stops, and once the operation has stopped it checks
// that the closing window takes no more input before it goes.
class ImpatientUser : public QObject {
public:
    explicit ImpatientUser(TForm1& form) : form_(form) { form_.Form2->installEventFilter(this); }

    // The first pass comes with the first events the operation lets through.
    void arm() { QCoreApplication::postEvent(this, new QEvent(PassEvent)); }

    // Returns true when it fired a volley.
    bool pass() {
        if (firing_) return false;
        firing_ = true;
        bool fired = false;
        if (form_.busy()) {
            ++passes;
            if (close && !closeAsked && closeWhen()) {
                closeAsked = true;
                sinceClose.start();
                close();
            }
            if (closeAsked) {
                if (!form_.isVisible() || !form_.BAN1) {
                    fault("closed", "the window went before the operation stopped");
                } else {
                    mouseClick(form_.BAN1, QPoint(7, 7) * form_.logic().state().window.CellSize, Qt::LeftButton, true);
                    mouseClick(form_.Button1, QPoint(5, 5), Qt::LeftButton, true);
                }
            }
            // One volley for each step the operation takes.
            const std::string now = progress();
            if (now != lastVolley_) {
                ++volleys;
                fired = true;
                fireAll(userActs(form_, true), "while busy");
                lastVolley_ = progress();
            }
        } else if (closeAsked && form_.isVisible()) {
            fireAll(userActs(form_, false), "between the end of the operation and the close");
            if (form_.Timer1->isActive()) fault("replay timer", "still runs while the window closes");
        }
        firing_ = false;
        return fired;
    }

    std::function<bool()> closeWhen;
    std::function<void()> close;
    bool closeAsked = false;
    QElapsedTimer sinceClose;
    int passes = 0;
    int volleys = 0;
    std::vector<std::string> faults;

protected:
    bool event(QEvent* e) override {
        if (e->type() != PassEvent) return QObject::event(e);
        if (!form_.busy()) {
            pass();
            return true;
        }
        // While the operation only waits, the next pass comes a little
        // later rather than at once, so that the wait is not a busy loop.
        if (pass()) {
            arm();
        } else {
            QTimer::singleShot(5, this, [this] { arm(); });
        }
        return true;
    }

    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == form_.Form2 && e->type() == QEvent::Show) {
            fault("help window", "shown while busy=" + std::to_string(form_.busy()));
            QMetaObject::invokeMethod(form_.Form2, &QDialog::reject, Qt::QueuedConnection);
        }
        return false;
    }

private:
    static constexpr QEvent::Type PassEvent = static_cast<QEvent::Type>(QEvent::User + 7);

    void fireAll(const std::vector<Act>& acts, const char* when) {
        for (const Act& act : acts) {
            const std::string before = seen(form_, form_.logic().state());
            act.fire();
            const std::string after = seen(form_, form_.logic().state());
            if (after != before) {
                fault(act.name, std::string("changed the game ") + when + ":\n" + changedLines(before, after));
            }
        }
    }

    // Each act is reported once, with the first change it made.
    void fault(const std::string& act, const std::string& what) {
        if (reported_.insert(act).second) faults.push_back(act + ": " + what);
    }

    // What the operation has done so far, the status boxes included.
    std::string progress() const {
        return seen(form_, form_.logic().state()) + form_.Edit1->text().toStdString() +
               form_.Edit6->text().toStdString();
    }

    TForm1& form_;
    bool firing_ = false;
    std::string lastVolley_;
    std::set<std::string> reported_;
};

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

class ImpatientUserTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::EnsureQtApp(); }

    // The problem is the bent three. Black kills at (1, 1), the third of
    // black's candidates, so automatic solving searches three times before it
    // plays its line out; after black's (1, 1) in a game no white reply wins
    // by force, so the computer tries each with the kill search and then
    // counts them.
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        problem = dir.filePath("bent.go");
        elsewhere = dir.filePath("elsewhere.go");
        std::ofstream(problem.toStdString(), std::ios::binary) << ProblemFileText(test::BoardFromPicture(test::BentThree));
        std::ofstream(elsewhere.toStdString(), std::ios::binary) << ProblemFileText(test::BoardFromPicture(Elsewhere));
    }

    // A problem loaded through the menu in input mode; a stone entered away
    // from it and taken back, so that the cursor stands at 0 with a record
    // after it, which a forward step or a replay tick would play; and the
    // replay started at its fastest, so that its timer ticks meanwhile.
    void solveInInputMode(Window& w) {
        w.dialogs.openAnswers.push_back(problem);
        w.form.Open1->trigger();
        w.clickPoint(7, 7);
        w.press(w.form.Button2);
        replayFast(w);
    }

    // The problem button loads and enters game mode; one exchange played and
    // taken back, so that the cursor stands at 0 with two records after it.
    void solveInGameMode(Window& w) {
        w.dialogs.openAnswers.push_back(problem);
        w.press(w.form.Button12);
        w.clickPoint(1, 1);
        w.press(w.form.Button2);
        w.press(w.form.Button2);
        replayFast(w);
    }

    void replayFast(Window& w) {
        w.form.TrackBar1->setValue(100);
        w.press(w.form.Button3);
    }

    // A game on the problem with a note the user typed into the memo.
    void game(Window& w) {
        w.dialogs.openAnswers.push_back(problem);
        w.press(w.form.Button12);
        w.form.Memo1->setPlainText(QStringLiteral("the vital point first"));
    }

    void solve(Window& w) { w.press(w.form.Button7); }
    void blackAtTheVitalPoint(Window& w) { w.clickPoint(1, 1); }

    using Step = std::function<void(Window&)>;

    // Runs `operation` after `setUp` once undisturbed and once with the
    // impatient user at work, and compares what both leave.
    void expectUndisturbed(const Step& setUp, const Step& operation, int minMoves, int minVolleys) {
        Window calm;
        setUp(calm);
        operation(calm);
        ASSERT_GE(calm.state.game.rec.MoveCount, minMoves) << "the operation on its own";
        const std::string expected = calm.seen();

        Window busy;
        setUp(busy);
        for (int i = 0; i < 1000; ++i) busy.dialogs.openAnswers.push_back(elsewhere);
        const QString saved = dir.filePath("saved.go");
        busy.dialogs.saveAnswers.push_back(saved);
        ImpatientUser user(busy.form);
        busy.dialogs.whileShown = [&] { user.pass(); };
        user.arm();
        operation(busy);

        EXPECT_GE(user.volleys, minVolleys) << "the user did not get in often enough";
        EXPECT_TRUE(user.faults.empty()) << joined(user.faults);
        EXPECT_EQ(busy.seen(), expected) << changedLines(expected, busy.seen());
        EXPECT_EQ(busy.dialogs.messages, calm.dialogs.messages);
        EXPECT_FALSE(QFile::exists(saved)) << "saved during the operation";
        EXPECT_FALSE(busy.form.busy());
        EXPECT_TRUE(busy.form.Button7->isEnabled()) << "the commands come back";
    }

    QTemporaryDir dir;
    QString problem;
    QString elsewhere;
};

TEST_F(ImpatientUserTest, AutomaticSolvingInInputMode) {
    expectUndisturbed([this](Window& w) { solveInInputMode(w); }, [this](Window& w) { solve(w); }, 3, 5);
}

TEST_F(ImpatientUserTest, AutomaticSolvingInGameMode) {
    expectUndisturbed([this](Window& w) { solveInGameMode(w); }, [this](Window& w) { solve(w); }, 3, 5);
}

TEST_F(ImpatientUserTest, ComputersReply) {
    expectUndisturbed([this](Window& w) { game(w); }, [this](Window& w) { blackAtTheVitalPoint(w); }, 2, 3);
}

// Every way of closing, at every stage of both operations: the operation
// stops at once, the window stays with its board control until it has, then
// closes; input still waiting when the operation stops, and input after it,
// acts on nothing, and a late replay tick touches no board control.
TEST_F(ImpatientUserTest, ClosingStopsTheOperationThenTheWindow) {
    enum class Closer { CloseBox, EndButton, ExitCommand };
    const struct {
        const char* what;
        bool solving;
        Closer closer;
        std::function<bool(Window&, const ImpatientUser&)> when;
    } rows[] = {
        {"close box while black's candidates are searched", true, Closer::CloseBox,
         [](Window&, const ImpatientUser& u) { return u.passes == 1; }},
        {"終了 while the kill is announced", true, Closer::EndButton,
         [](Window& w, const ImpatientUser&) { return !w.dialogs.messages.empty(); }},
        {"終了(&X) during the play-out", true, Closer::ExitCommand,
         [](Window& w, const ImpatientUser&) { return w.state.game.rec.MoveCount >= 2; }},
        {"close box while the computer thinks", false, Closer::CloseBox,
         [](Window&, const ImpatientUser& u) { return u.passes == 2; }},
        {"終了 while the computer thinks", false, Closer::EndButton,
         [](Window&, const ImpatientUser& u) { return u.passes == 3; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Window w;
        row.solving ? solveInInputMode(w) : game(w);
        if (!row.solving) replayFast(w);
        ImpatientUser user(w.form);
        std::size_t messagesAtClose = 0;
        user.closeWhen = [&] { return row.when(w, user); };
        user.close = [&] {
            messagesAtClose = w.dialogs.messages.size();
            switch (row.closer) {
                case Closer::CloseBox: w.form.close(); break;
                case Closer::EndButton: w.form.Button5->click(); break;
                case Closer::ExitCommand: w.form.Exit1->trigger(); break;
            }
        };
        w.dialogs.whileShown = [&] { user.pass(); };
        user.arm();
        row.solving ? solve(w) : blackAtTheVitalPoint(w);

        ASSERT_TRUE(user.closeAsked);
        EXPECT_LT(user.sinceClose.elapsed(), 700) << "the operation went on after the close";
        const std::string returned = w.seen();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.form.isVisible(); }, 2000)) << "the window stayed";
        EXPECT_TRUE(w.form.BAN1.isNull());
        EXPECT_FALSE(w.form.Timer1->isActive());
        EXPECT_TRUE(user.faults.empty()) << joined(user.faults);
        EXPECT_EQ(w.seen(), returned) << "input waiting when the operation stopped acted:\n"
                                      << changedLines(returned, w.seen());
        EXPECT_EQ(w.dialogs.messages.size(), messagesAtClose) << "announced after the close";

        for (const Act& act : userActs(w.form, false)) act.fire();
        EXPECT_EQ(w.seen(), returned) << "the closed window took input:\n" << changedLines(returned, w.seen());
        w.form.Timer1Timer();  // a late tick
    }
}

}  // namespace
}  // namespace keldra
