#include "application.h"
#include "displaycheck.h"
#include "ksreporthost.h"
#include "startup.h"

#include <QApplication>
#include <cstdlib>
#include <iostream>

int main(int argc, char* argv[]) {
    const std::string program = argc > 0 ? argv[0] : "kestrava";
    if (const auto message =
            missingDisplayMessage([](const char* name) { return std::getenv(name); }, program)) {
        std::cerr << *message;
        return EXIT_FAILURE;
    }

    // On X11 Qt hands each repaint to the server in shared memory, then waits for the server
    // before it may draw into that memory again: a round trip on every tick of the clock. The
    // windows are small, and their pixels cost less sent over the socket. Qt does without shared
    // memory whenever this variable is set, whatever its value, so there is no setting to take
    // it back.
    qputenv("QT_XCB_NO_MITSHM", "1");

    QApplication application(argc, argv);
    setUpApplication();

    // Outlives every window: the engine reaches the result window through it.
    KSReportHost report;
    StartUp startUp(report);
    startUp.run();
    return QApplication::exec();
}
