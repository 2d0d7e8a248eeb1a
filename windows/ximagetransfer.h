#pragma once

// On X11, Qt hands each repaint to the server through shared memory and then waits for the
// server before it may draw into that memory again: a round trip for every clock tick. The
// windows are small, so sending their pixels over the socket is cheaper. Call before the
// QApplication exists; a setting of the user's own is left alone.
void preferSocketImageTransfer();
