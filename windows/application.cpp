#include "application.h"

#include "accessibility.h"
#include "displaycheck.h"
#include "displayloss.h"
#include "fonts.h"
#include "platformchoice.h"
#include "programicon.h"
#include "version.h"

#include <QApplication>
#include <cstdlib>
#include <unistd.h>

void setUpPlatform() {
    if (const auto platform = preferredPlatform([](const char* name) { return std::getenv(name); },
                                                hasGnomeDecoration(), xDisplayAnswers))
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
    // Where Qt is asked to reconnect to a compositor that restarts, it does not end.
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_RECONNECT"))
        endWhenTheWaylandDisplayGoes(_exit);
    // On X11 Qt hands each repaint to the server in shared memory, then waits for the server
    // before it may draw into that memory again: a round trip on every tick of the clock. The
    // windows are small, and their pixels cost less sent over the socket. Qt does without shared
    // memory whenever this variable is set, whatever its value, so there is no setting to take
    // it back.
    qputenv("QT_XCB_NO_MITSHM", "1");
}

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral(KESTRAVA_NAME));
    QApplication::setApplicationVersion(QStringLiteral(KESTRAVA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(KESTRAVA_APP_ID));
    // Every window shows it unless it sets an icon of its own, which none does.
    QApplication::setWindowIcon(kestrava::programIcon());
    installFontSubstitutions();
    installAccessibility();
}
