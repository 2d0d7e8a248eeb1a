#pragma once

// Which platform Qt is to reach the display through and how, which it reads once, as the
// QApplication is made, and how the program ends when the display goes away: call before.
void setUpPlatform();

// What the windows take from the application rather than setting themselves: the program's name
// and version, the desktop entry it belongs to (the icon a Wayland taskbar shows), the window icon,
// the faces that captions and numbers are drawn with, and what a screen reader reads. Call once,
// after the QApplication exists and before the first window is made.
void setUpApplication();
