#pragma once

class QWidget;

// Keeps a window of fixed size from being maximised. A window manager offers no maximise button
// for such a window, but the title bar that Qt's Wayland platform draws itself where the
// compositor draws none (GNOME, weston) has one, and maximises on a double click too: the window
// would be marked maximised and moved to a corner of the screen, or even stretched. Asked to, the
// window goes back to its normal state at once.
void keepUnmaximised(QWidget& window);
