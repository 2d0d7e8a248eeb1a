#pragma once

// Brings the screen up to date with the widgets now instead of at the event
// loop's next pass: paints every window's pending updates into its backing
// store, flushes them to the window system and, on X11, waits until the
// server has carried out every request, the new pixels included.
void paintPendingUpdates();
