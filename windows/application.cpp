#include "application.h"

#include "accessibility.h"
#include "displaycheck.h"
#include "fonts.h"
#include "platformchoice.h"
#include "programicon.h"
#include "version.h"

#include <QApplication>
#include <cstdlib>
#include <unistd.h>

namespace {

QtMessageHandler qtMessageHandler = nullptr;

// Qt's Wayland platform ends the program as soon as it loses its compositor, right after the one
// warning that says so: with status 1 up to Qt 6.7 and with 255 from Qt 6.8 on, where a lost X
// server ends it with 1. Ending it here, once the warning is written, gives a lost display one
// status whatever the Qt.
void endAsWhenTheDisplayGoes(QtMsgType type, const QMessageLogContext& context,
                             const QString& message) {
    qtMessageHandler(type, context, message);
    if (type == QtWarningMsg && message.startsWith(QLatin1String("The Wayland connection ")))
        _exit(EXIT_FAILURE);
}

} // namespace

void setUpPlatform() {
    if (const auto platform = preferredPlatform([](const char* name) { return std::getenv(name); },
                                                hasGnomeDecoration(), xDisplayAnswers))
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
    // Where Qt is asked to reconnect to a compositor that restarts, it does not end.
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_RECONNECT"))
        qtMessageHandler = qInstallMessageHandler(endAsWhenTheDisplayGoes);
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
