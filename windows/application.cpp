#include "application.h"

#include "accessibility.h"
#include "fonts.h"
#include "programicon.h"
#include "version.h"

#include <QApplication>

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral(KESTRAVA_NAME));
    QApplication::setApplicationVersion(QStringLiteral(KESTRAVA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(KESTRAVA_APP_ID));
    // Every window shows it unless it sets an icon of its own, which none does.
    QApplication::setWindowIcon(kestrava::programIcon());
    installFontSubstitutions();
    installAccessibility();
}
