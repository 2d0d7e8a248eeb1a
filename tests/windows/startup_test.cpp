#include "form1.h"
#include "frmsplash.h"
#include "ksreporthost.h"
#include "startup.h"
#include "windowsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

using windowsupport::countTopLevel;
using windowsupport::flushDeletes;

namespace {

// Notes whether the main window was already on screen when the splash hid.
class HideWatcher : public QObject {
public:
    explicit HideWatcher(StartUp& startUp)
        : m_startUp(startUp) {}

    bool hidden = false;
    bool mainWindowWasVisible = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && !hidden) {
            hidden = true;
            mainWindowWasVisible =
                m_startUp.mainWindow() != nullptr && m_startUp.mainWindow()->isVisible();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    StartUp& m_startUp;
};

void typeOnSplash(StartUp& startUp, Qt::Key key) {
    ASSERT_NE(startUp.splash(), nullptr);
    QTest::keyClick(startUp.splash()->windowHandle(), key);
}

} // namespace

TEST(StartUpFlow, SplashComesFirstAndItsUnloadShowsOneMainWindow) {
    KSReportHost host;
    StartUp startUp(host);
    startUp.run();
    ASSERT_NE(startUp.splash(), nullptr);
    EXPECT_TRUE(startUp.splash()->isVisible());
    EXPECT_EQ(startUp.mainWindow(), nullptr);
    EXPECT_EQ(countTopLevel<Form1>(), 0);

    HideWatcher watcher(startUp);
    startUp.splash()->installEventFilter(&watcher);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(startUp.splash()));
    typeOnSplash(startUp, Qt::Key_Space);
    flushDeletes();

    EXPECT_EQ(startUp.splash(), nullptr);
    EXPECT_TRUE(watcher.hidden);
    EXPECT_TRUE(watcher.mainWindowWasVisible);
    ASSERT_NE(startUp.mainWindow(), nullptr);
    EXPECT_TRUE(startUp.mainWindow()->isVisible());
    EXPECT_EQ(countTopLevel<Form1>(), 1);

    // The splash's timer is gone with it: no second main window follows.
    QTest::qWait(2300);
    EXPECT_EQ(countTopLevel<Form1>(), 1);
    EXPECT_EQ(countTopLevel<frmSplash>(), 0);
}

TEST(StartUpFlow, WithoutInputTheMainWindowOpensAfterTwoSeconds) {
    QElapsedTimer clock;
    clock.start();
    KSReportHost host;
    StartUp startUp(host);
    startUp.run();
    QTest::qWait(1700 - static_cast<int>(clock.elapsed()));
    EXPECT_EQ(countTopLevel<Form1>(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return startUp.mainWindow() != nullptr; }, 3000));
    EXPECT_GE(clock.elapsed(), 2000);
    EXPECT_EQ(countTopLevel<Form1>(), 1);
    EXPECT_TRUE(startUp.mainWindow()->isVisible());
}

TEST(StartUpFlow, ClickOnTheFrameOpensOneMainWindow) {
    KSReportHost host;
    StartUp startUp(host);
    startUp.run();
    QWidget* frame1 = startUp.splash()->findChild<QWidget*>(QStringLiteral("Frame1"));
    ASSERT_NE(frame1, nullptr);
    QTest::mouseClick(startUp.splash()->windowHandle(), Qt::LeftButton, {},
                      frame1->mapTo(startUp.splash(), QPoint(200, 85)));
    flushDeletes();
    EXPECT_EQ(startUp.splash(), nullptr);
    EXPECT_EQ(countTopLevel<Form1>(), 1);
}

// These run the application's event loop, which ends by itself when the
// last window closes; a watchdog ends it with 99 if that never happens.
class ProgramLifetime : public ::testing::Test {
protected:
    static int runEventLoop() {
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        watchdog.start(10000);
        return QApplication::exec();
    }

    // A step of the test at a given time; steps still pending when the test
    // ends are dropped with the fixture.
    void after(int ms, std::function<void()> step) { QTimer::singleShot(ms, &m_steps, step); }

private:
    QObject m_steps;
};

TEST_F(ProgramLifetime, RunsFromSplashToMainWindowAndEndsWhenItCloses) {
    KSReportHost host;
    StartUp startUp(host);
    startUp.run();
    bool mainWindowSeen = false;
    after(100, [&] { typeOnSplash(startUp, Qt::Key_A); });
    after(400, [&] {
        mainWindowSeen = startUp.mainWindow() != nullptr && startUp.mainWindow()->isVisible();
        if (startUp.mainWindow() != nullptr) {
            startUp.mainWindow()->close();
        }
    });
    EXPECT_EQ(runEventLoop(), 0);
    EXPECT_TRUE(mainWindowSeen);
}

TEST_F(ProgramLifetime, AnOpenResultWindowOutlivesTheMainWindow) {
    KSReportHost host;
    StartUp startUp(host);
    startUp.run();
    bool stillRunning = false;
    after(100, [&] { typeOnSplash(startUp, Qt::Key_A); });
    after(300, [&] {
        host.show();
        startUp.mainWindow()->close();
    });
    after(600, [&] {
        stillRunning = host.window() != nullptr && host.window()->isVisible();
        if (host.window() != nullptr) {
            host.window()->close();
        }
    });
    EXPECT_EQ(runEventLoop(), 0);
    EXPECT_TRUE(stillRunning);
}
