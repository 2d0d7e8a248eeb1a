#pragma once

// What the windows take from the application rather than setting themselves: the program's name
// and version, the desktop entry it belongs to (the icon a Wayland taskbar shows), the window icon
// and the faces that captions and numbers are drawn with. Call once, after the QApplication
// exists and before the first window is made.
void setUpApplication();
