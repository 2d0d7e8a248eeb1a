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

    setUpPlatform();
    QApplication application(argc, argv);
    setUpApplication();

    // Outlives every window: the engine reaches the result window through it.
    KSReportHost report;
    StartUp startUp(report);
    startUp.run();
    return QApplication::exec();
}
