// Running a prover call on a worker thread while the window waits and lets
// its paints through, with a stop flag that Esc or a closing window raises.
#pragma once

#include <atomic>
#include <chrono>
#include <exception>
#include <future>
#include <thread>

#include "QELMA/logic/search_view.h"

namespace keldra {

// Runs `work(&stop)` on a worker thread while the view waits. When the view
// gives up waiting (the window is closing) the stop flag is raised. The
// worker has always ended when this returns; its exception is rethrown.
template <class Work>
auto RunOnWorker(SearchView& view, std::atomic<bool>& stop, Work work) -> decltype(work(&stop)) {
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

}  // namespace keldra
