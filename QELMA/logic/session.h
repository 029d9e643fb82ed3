// What the main window's logic keeps, each part a type of the layer that
// uses it: the game (BAN), the latest hint's result and the solving flags
// (the hint commands), and the window's mode and board geometry. The
// program owns one; a test creates a fresh one.
#pragma once

#include <cstdint>

#include "BAN/game.h"
#include "QELMA/logic/hint_commands.h"

namespace keldra {

// Input mode enters stones by clicks; game mode plays black against the computer.
enum class GameMode : std::uint8_t { Input = 0, Play = 1 };

// The window's mode and the board control's geometry.
struct WindowState {
    GameMode mode = GameMode::Input;
    std::uint8_t CellSize = 38;
    int BitmapSize = 550;
};

struct Session {
    Game game;
    HintResult hint;
    SolveFlags flags;
    WindowState window;
};

}  // namespace keldra
