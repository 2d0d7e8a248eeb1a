#pragma once

// What a screen reader reads of the windows, through Qt's accessibility: the program's own labels
// as static text named by their captions, every container's children in the order of the screen
// (top to bottom, then left to right) rather than in their stacking order, and the result window
// as a dialog whose description, read when a reader asks, is its six values after their
// captions. Call once, before the first window is made.
void installAccessibility();
