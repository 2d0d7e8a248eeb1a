#pragma once

class QWidget;

// Asks the window manager to leave a top-level window off the taskbar while
// it stays an ordinary window: it keeps its place in the stacking order, gets
// the focus like any other window and is not hidden when the program is
// inactive. Call it while the window is not yet mapped, i.e. from its first
// showEvent. Does nothing on platforms other than X11.
void keepOffTaskbar(QWidget& window);
