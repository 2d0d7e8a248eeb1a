#include "form1.h"
#include "frmsplash.h"
#include "ksreporthost.h"
#include "startup.h"
#include "windowsupport.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <ostream>
#include <set>
#include <string>

using windowsupport::countTopLevel;
using windowsupport::flushDeletes;

namespace {

// The last two windows of the run, closed one after the other.
enum class CloseOrder { MainWindowFirst, ResultWindowFirst };

std::string name(CloseOrder order) {
    return order == CloseOrder::MainWindowFirst ? "MainWindowFirst" : "ResultWindowFirst";
}

void PrintTo(CloseOrder order, std::ostream* out) {
    *out << name(order);
}

// How a drill's result window is left before the next drill, in turn: open,
// so that the next drill reuses it, or closed in one of the player's ways.
enum class Leave { Open, OkClicked, SpaceOnOk, TitleBarClosed };
constexpr Leave leaveAfter[] = {Leave::Open, Leave::OkClicked, Leave::Open, Leave::SpaceOnOk,
                                Leave::TitleBarClosed};

// Drills per run: enough to make anything a drill or a result window leaves
// behind add up for LeakSanitizer and valgrind, few enough to keep the run
// within a few seconds in a Debug build and well under a minute under the
// sanitizers. Both orders together play a thousand drills.
constexpr int drillsPerRun = 500;

int visibleTopLevelWidgets() {
    int count = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        count += widget->isVisible() ? 1 : 0;
    return count;
}

// The program as main() builds it, from the splash window on, played for
// hundreds of drills of 20 keys and then closed the way a player ends it.
class ManyDrillsThroughTheWindows : public ::testing::TestWithParam<CloseOrder> {
protected:
    void SetUp() override {
        m_widgetsBefore = QApplication::allWidgets().size();
        m_windowsBefore = QGuiApplication::allWindows().size();
        host = std::make_unique<KSReportHost>();
        startUp = std::make_unique<StartUp>(*host);
        startUp->run();
        ASSERT_NE(startUp->splash(), nullptr);
        watch(startUp->splash(), m_splashDestroyed);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(startUp->splash()));
        QTest::keyClick(startUp->splash()->windowHandle(), Qt::Key_Space);
        flushDeletes();
        form = startUp->mainWindow();
        ASSERT_NE(form, nullptr);
        watch(form, m_formDestroyed);
        form->findChild<QAction*>(QStringLiteral("TN20"))->trigger();
    }

    void watch(QObject* window, bool& destroyed) {
        QObject::connect(window, &QObject::destroyed, [&destroyed] { destroyed = true; });
    }

    void type(char key) { QTest::keyClick(form->windowHandle(), key); }

    // One drill of 20 keys with `misses` wrong letters, read off the screen.
    void playDrill(int misses, bool letClockTick) {
        type(' ');
        int position = 0;
        for (int typed = 0; typed < 20; ++typed) {
            const char letter = form->queCaption(position).at(0);
            if (typed < misses)
                type(letter == 'Q' ? 'w' : 'q');
            type(static_cast<char>(letter - 'A' + 'a'));
            position = (position + 1) % Form1::queCount;
            if (letClockTick && typed == 10)
                QTest::qWait(20);
        }
        QCoreApplication::processEvents();
    }

    // Counts every result window that comes into being and every one that goes.
    void noteResultWindow() {
        KSReport* window = host->window();
        if (window == nullptr || m_reports.count(window) != 0)
            return;
        m_reports.insert(window);
        ++m_reportsCreated;
        QObject::connect(window, &QObject::destroyed, [this, window] {
            ++m_reportsDestroyed;
            m_reports.erase(window);
        });
    }

    void leave(Leave how) {
        KSReport* window = host->window();
        switch (how) {
        case Leave::Open:
            return;
        case Leave::OkClicked:
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
            break;
        case Leave::SpaceOnOk:
            QTest::keyClick(window->windowHandle(), Qt::Key_Space);
            break;
        case Leave::TitleBarClosed:
            window->close();
            break;
        }
        flushDeletes();
    }

    // Runs the application's event loop as main() does; it must end by
    // itself when the last window closes, or a watchdog ends it with 99.
    int runEventLoop(const std::function<void()>& closeFirst,
                     const std::function<void()>& closeSecond) {
        QObject steps;
        QObject::connect(qApp, &QGuiApplication::lastWindowClosed, &steps, [this] {
            ++m_lastWindowClosed;
            m_visibleWhenLastClosed = visibleTopLevelWidgets();
        });
        QTimer::singleShot(0, &steps, [&] {
            closeFirst();
            QTimer::singleShot(0, &steps, [&] {
                m_stillRunningAfterFirst = m_lastWindowClosed == 0;
                m_visibleAfterFirst = visibleTopLevelWidgets();
                closeSecond();
            });
        });
        QTimer::singleShot(10000, &steps, [] { QCoreApplication::exit(99); });
        return QApplication::exec();
    }

    std::unique_ptr<KSReportHost> host;
    std::unique_ptr<StartUp> startUp;
    QPointer<Form1> form;

    qsizetype m_widgetsBefore = 0;
    qsizetype m_windowsBefore = 0;
    bool m_splashDestroyed = false;
    bool m_formDestroyed = false;
    std::set<KSReport*> m_reports;
    int m_reportsCreated = 0;
    int m_reportsDestroyed = 0;
    int m_lastWindowClosed = 0;
    int m_visibleWhenLastClosed = -1;
    bool m_stillRunningAfterFirst = false;
    int m_visibleAfterFirst = -1;
};

} // namespace

TEST_P(ManyDrillsThroughTheWindows, LeaveNothingBehindAndEndWithTheLastWindow) {
    const qsizetype formObjects = form->findChildren<QObject*>().size();
    int reused = 0;
    for (int drill = 0; drill < drillsPerRun; ++drill) {
        KSReport* before = host->window();
        const int misses = drill % 3;
        playDrill(misses, drill % 50 == 0);
        noteResultWindow();
        KSReport* window = host->window();
        ASSERT_NE(window, nullptr) << "drill " << drill;
        ASSERT_TRUE(window->isVisible()) << "drill " << drill;
        EXPECT_EQ(window->caption(KSReport::Value::TN), QStringLiteral("20"));
        EXPECT_EQ(window->caption(KSReport::Value::Miss), QString::number(misses));
        if (before != nullptr) {
            ASSERT_EQ(window, before) << "an open result window is not reused, drill " << drill;
            ++reused;
        }
        ASSERT_EQ(countTopLevel<KSReport>(), 1) << "drill " << drill;
        leave(leaveAfter[drill % std::size(leaveAfter)]);
        if (host->window() == nullptr) {
            ASSERT_EQ(countTopLevel<KSReport>(), 0) << "drill " << drill;
        }
    }
    // Nothing piles up inside the main window from drill to drill.
    EXPECT_EQ(form->findChildren<QObject*>().size(), formObjects);
    EXPECT_EQ(reused, drillsPerRun * 2 / 5);
    EXPECT_EQ(m_reportsCreated, drillsPerRun * 3 / 5);
    // The last drill closed its window from the title bar.
    EXPECT_EQ(m_reportsDestroyed, m_reportsCreated);

    // One more drill leaves its result window open beside the main window.
    playDrill(0, false);
    noteResultWindow();
    ASSERT_NE(host->window(), nullptr);
    QPointer<KSReport> report = host->window();
    auto closeMain = [this] { form->close(); };
    auto closeReport = [report] {
        if (report != nullptr)
            QTest::mouseClick(report->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
    };
    const bool mainFirst = GetParam() == CloseOrder::MainWindowFirst;
    EXPECT_EQ(
        mainFirst ? runEventLoop(closeMain, closeReport) : runEventLoop(closeReport, closeMain), 0);
    EXPECT_TRUE(m_stillRunningAfterFirst);
    EXPECT_EQ(m_visibleAfterFirst, 1);
    EXPECT_EQ(m_lastWindowClosed, 1);
    EXPECT_EQ(m_visibleWhenLastClosed, 0);
    EXPECT_EQ(visibleTopLevelWidgets(), 0);

    // The end of main(): the start-up flow and then the host go out of scope.
    flushDeletes();
    startUp.reset();
    host.reset();
    flushDeletes();
    EXPECT_TRUE(m_splashDestroyed);
    EXPECT_TRUE(m_formDestroyed);
    EXPECT_EQ(m_reportsDestroyed, m_reportsCreated);
    EXPECT_TRUE(m_reports.empty());
    EXPECT_EQ(QApplication::allWidgets().size(), m_widgetsBefore);
    EXPECT_EQ(QGuiApplication::allWindows().size(), m_windowsBefore);
}

INSTANTIATE_TEST_SUITE_P(CloseOrders, ManyDrillsThroughTheWindows,
                         ::testing::Values(CloseOrder::MainWindowFirst,
                                           CloseOrder::ResultWindowFirst),
                         [](const ::testing::TestParamInfo<CloseOrder>& info) {
                             return name(info.param);
                         });
