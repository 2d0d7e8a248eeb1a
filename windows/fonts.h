#pragma once

#include <QFont>

// The windows name their fonts as designed, "ＭＳ Ｐゴシック" and "Lucida Console";
// this maps those names onto faces the machine has, and sets the application
// font used by labels that name none. Call once, after the QApplication exists
// and before the first window is made.
void installFontSubstitutions();

QFont msPGothic(double pointSize, bool bold = false);
QFont lucidaConsole(double pointSize);
