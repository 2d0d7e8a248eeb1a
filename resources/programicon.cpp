#include "programicon.h"

namespace kestrava {

QString programIconPath() {
    return QStringLiteral(":/kestrava/kestrava.png");
}

QIcon programIcon() {
    return QIcon(programIconPath());
}

} // namespace kestrava
