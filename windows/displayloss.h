#pragma once

// Qt's Wayland platform ends the program as soon as it loses its compositor, right after the
// warning that says so: with status 1 up to Qt 6.7 and with 255 from Qt 6.8 on, where a lost X
// server ends it with 1. More than one of Qt's threads may notice the loss at once, and each of
// them warns. This puts a message handler in front of the one in place that lets the first such
// warning through, whole, and none after it, and then ends the program with status 1 on each thread
// that warned, by end (_exit, but for a test), before Qt can end it its own way.
void endWhenTheWaylandDisplayGoes(void (*end)(int status));
