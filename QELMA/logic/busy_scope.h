// The window's busy state for the life of a search or play-out.
#pragma once

#include "QELMA/logic/form1_logic.h"

namespace keldra {

// Marks the window busy for the life of a search or play-out, so that no
// click, command or replay tick changes the board under it.
class BusyScope {
public:
    explicit BusyScope(Form1Logic& logic) : logic_(logic) {
        logic_.busy_ = true;
        logic_.view_.SetBusy(true);
    }
    ~BusyScope() {
        logic_.busy_ = false;
        logic_.view_.SetBusy(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Form1Logic& logic_;
};

}  // namespace keldra
