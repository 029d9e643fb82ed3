// Ends the program when the main window's native window is destroyed from
// outside (a window manager or a tool destroying it rather than asking it to
// close): without it the process would live on with no window, and hold the
// single-instance marker for ever.
#pragma once

class QWidget;

namespace keldra {

// Watches `window`'s native X11 window; on other platforms it does nothing.
// The watch lives as long as the application.
void QuitWhenNativeWindowDestroyed(QWidget* window);

}  // namespace keldra
