#include "displaycheck.h"
#include "fonts.h"
#include "ksreporthost.h"
#include "startup.h"
#include "version.h"

#include <QApplication>
#include <QIcon>
#include <cstdlib>
#include <iostream>

int main(int argc, char* argv[]) {
    const std::string program = argc > 0 ? argv[0] : "kestrava";
    if (const auto message =
            missingDisplayMessage([](const char* name) { return std::getenv(name); }, program)) {
        std::cerr << *message;
        return EXIT_FAILURE;
    }

    // On X11, Qt hands each repaint to the server through shared memory and then waits for the
    // server before it may draw into that memory again: a round trip for every clock tick. The
    // windows are small, so sending their pixels over the socket is cheaper (a drill's CPU falls
    // from about 3.1 % to 2.3 % of a core). A setting of the user's own is left alone.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral(KESTRAVA_NAME));
    QApplication::setApplicationVersion(QStringLiteral(KESTRAVA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(KESTRAVA_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kestrava/kestrava.png")));
    installFontSubstitutions();

    // Outlives every window: the engine reaches the result window through it.
    KSReportHost report;
    StartUp startUp(report);
    startUp.run();
    return QApplication::exec();
}
