// What the hint handlers need from the window: message boxes, the two
// status edit boxes, the solution memo, board repaints, letting pending
// events through, waiting for the searches' worker threads, and a
// millisecond clock. The desktop window, the CLI and the tests each
// implement it.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace keldra {

struct Rgb {
    std::uint8_t r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb Yellow{255, 255, 0};
inline constexpr Rgb Red{255, 0, 0};

class SearchView {
public:
    virtual ~SearchView() = default;

    // Modal message box with an OK button; returns when the user closes it.
    virtual void ShowMessage(std::string_view text) = 0;
    virtual void SetEdit1Text(std::string_view text) = 0;
    virtual void SetEdit6Text(std::string_view text) = 0;
    virtual void SetEdit6Colour(Rgb colour) = 0;
    virtual void MemoClear() = 0;
    virtual void MemoAddLine(std::string_view line) = 0;
    // Draws the current board at once.
    virtual void PaintBoard() = 0;
    // Lets pending window events through (repaints of the edit boxes).
    virtual void ProcessEvents() = 0;
    // Steady millisecond clock.
    virtual std::uint32_t TickCount() = 0;
    // Waits until TickCount() - start >= ms (the pause between played-out moves).
    virtual void WaitSince(std::uint32_t start, std::uint32_t ms) = 0;
    // True once the window is closing: long operations stop at the next chance.
    virtual bool Cancelled() { return false; }
    // Waits for work running on other threads. `waitSome(ms)` waits at most
    // ms milliseconds and returns true once the work is done. A window lets
    // paint events through between the calls (its input stays blocked while
    // busy) and may return early once Cancelled(); this default just waits.
    virtual void WaitFor(const std::function<bool(std::uint32_t ms)>& waitSome) {
        while (!waitSome(1000)) {
        }
    }
};

}  // namespace keldra
