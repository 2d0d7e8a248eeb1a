#include "displayloss.h"
#include "qtprinters.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <latch>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// What reached the player's terminal, and each status the program was ended with.
std::mutex seeing;
QStringList written;
std::vector<int> ends;

void record(QtMsgType, const QMessageLogContext&, const QString& message) {
    const std::lock_guard lock(seeing);
    written << message;
}

} // namespace

// Qt's threads that notice the lost compositor together each warn: the player reads the first
// warning alone, and each thread ends the program with status 1, as a lost X server does. Every
// way Qt says it lost the connection ends the program, nothing else it says does.
TEST(DisplayLoss, WritesQtsFirstLineAloneAndEndsOnEveryWarningOfTheLoss) {
    written.clear();
    ends.clear();
    const auto before = qInstallMessageHandler(record);
    endWhenTheWaylandDisplayGoes([](int status) {
        const std::lock_guard lock(seeing);
        ends.push_back(status);
    });
    const QString broke = "The Wayland connection broke. Did the Wayland compositor die?";
    constexpr int threads = 8;
    std::latch ready(threads);
    std::vector<std::jthread> warning;
    for (int i = 0; i < threads; ++i)
        warning.emplace_back([&] {
            ready.arrive_and_wait();
            qWarning("%s", qPrintable(broke));
        });
    warning.clear();
    qWarning("The Wayland connection experienced a fatal error: Protocol error");
    qWarning("Wayland does not support QWindow::requestActivate()");
    qInfo("%s", qPrintable(broke));
    qInstallMessageHandler(before);
    EXPECT_EQ(written,
              (QStringList{broke, "Wayland does not support QWindow::requestActivate()", broke}));
    EXPECT_EQ(ends, std::vector<int>(threads + 1, 1));
}
