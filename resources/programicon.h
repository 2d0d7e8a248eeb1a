#pragma once

#include <QIcon>
#include <QString>

namespace kestrava {

// The program icon, 32 x 32 pixels in 256 colours: the window icon and the splash logo.
// The resource is linked into every executable that links kestrava_resources.
QString programIconPath();
QIcon programIcon();

} // namespace kestrava
