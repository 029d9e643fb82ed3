// The window while a search runs on the worker threads: the status boxes
// repaint, input stays blocked, and a close ends the wait.
#include <atomic>
#include <chrono>
#include <thread>

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "tests/qt/window_fixture.h"

namespace keldra {
namespace {

using namespace std::chrono_literals;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// A job on another thread that ends when told to, or after `limit`.
class SlowJob {
public:
    explicit SlowJob(std::chrono::milliseconds limit)
        : thread_([this, limit] {
              const auto until = std::chrono::steady_clock::now() + limit;
              while (!finish_ && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(1ms);
              done_ = true;
          }) {}
    ~SlowJob() {
        finish_ = true;
        thread_.join();
    }
    // What the hints hand to WaitFor: wait a little, say whether it is done.
    bool waitSome(std::uint32_t ms) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!done_ && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(1ms);
        return done_;
    }
    void finish() { finish_ = true; }
    bool done() const { return done_; }

private:
    std::atomic<bool> finish_{false};
    std::atomic<bool> done_{false};
    std::thread thread_;
};

class BusyWaitTest : public test::WindowTest {};

TEST_F(BusyWaitTest, StatusBoxesRepaintWhileTheJobRuns) {
    QtFormView view(form);
    PaintCounter counter;
    form.Edit6->installEventFilter(&counter);
    form.setBusy(true);
    view.SetEdit6Text("X=4 Y=1 を計算中");
    const int before = counter.paints;

    SlowJob job(10s);
    // The job ends only once the new text has been painted: a wait that
    // lets no paint through would run into the 10 s limit.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (counter.paints > before) job.finish();
    });
    watch.start(5);
    const auto start = std::chrono::steady_clock::now();
    view.WaitFor([&](std::uint32_t ms) { return job.waitSome(ms); });

    EXPECT_TRUE(job.done());
    EXPECT_GT(counter.paints, before);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_FALSE(form.Button7->isEnabled()) << "the commands stay disabled while busy";
    form.Edit6->removeEventFilter(&counter);
    form.setBusy(false);
}

TEST_F(BusyWaitTest, CloseEndsTheWaitBeforeTheJob) {
    QtFormView view(form);
    form.setBusy(true);
    SlowJob job(10s);
    QTimer::singleShot(20, &form, [&] { form.close(); });
    view.WaitFor([&](std::uint32_t ms) { return job.waitSome(ms); });

    EXPECT_TRUE(view.Cancelled());
    EXPECT_FALSE(job.done());
    EXPECT_TRUE(form.isVisible()) << "the close waits for the operation to return";
    form.setBusy(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, 2000));
}

}  // namespace
}  // namespace keldra
