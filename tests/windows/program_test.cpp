// The program as main() builds it, from the splash window through drills and their result
// window to its end, with timers that tick only when the test fires them.
#include "drillplayer.h"
#include "form1.h"
#include "frmsplash.h"
#include "ksreporthost.h"
#include "manualtimer.h"
#include "startup.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace {

auto visibleWindows() {
    return std::ranges::count_if(QApplication::topLevelWidgets(), &QWidget::isVisible);
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        startUp->run();
        splash = startUp->splash();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
    }

    void leaveSplash() {
        QTest::keyClick(splash->windowHandle(), Qt::Key_Space);
        ASSERT_NE(startUp->mainWindow(), nullptr);
        player = std::make_unique<DrillPlayer>(*startUp->mainWindow());
        player->chooseKeys(20);
    }

    // A drill of 20 keys: the misses first, then the clock's ticks, then the letters.
    void playDrill(int misses, int ticks) {
        player->type(' ');
        for (int i = 0; i < misses; ++i)
            player->type(DrillPlayer::wrongLetter(player->expected()));
        fire(player->form(), "Timer2", ticks);
        while (player->remaining() > 0)
            player->type(static_cast<char>(player->expected() + 32));
    }

    QLabel* label(QWidget* window, const char* name) {
        return window->findChild<QLabel*>(QLatin1String(name));
    }

    const qsizetype widgetsBefore = QApplication::allWidgets().size();
    std::unique_ptr<KSReportHost> host = std::make_unique<KSReportHost>();
    std::unique_ptr<StartUp> startUp = std::make_unique<StartUp>(*host, manualTimers());
    QPointer<frmSplash> splash;
    std::unique_ptr<DrillPlayer> player;
};

void click(QWidget* window, QWidget* control, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(window->windowHandle(), button, {}, control->mapTo(window, at));
}

} // namespace

TEST_F(Program, StartsOnTheCentredSplashThatOnlyCharactersClicksOnItsFrameOrTimeClose) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((splash->frameGeometry().center() - screen.center()).manhattanLength(), 1);
    EXPECT_EQ(label(splash, "lblVersion")->text(), QStringLiteral("version 1.0.0"));
    EXPECT_EQ(label(splash, "lblProductName")->text(), QStringLiteral("Kestrava"));
    const QImage picture = splash->grab().toImage();
    EXPECT_EQ(picture.pixelColor(1, 1), QColor(128, 255, 128)) << "the margin";
    EXPECT_EQ(picture.pixelColor(5, 5), QColor(0, 0, 0)) << "the frame";
    EXPECT_EQ(splash->findChild<EngineTimer*>(QStringLiteral("Timer1"))->interval(), 2000);

    for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_F1, Qt::Key_Left})
        QTest::keyClick(splash->windowHandle(), key);
    for (const char* name : {"imgLogo", "lblProductName", "lblVersion"})
        click(splash, label(splash, name), {5, 5});
    click(splash, splash, {1, 50}); // the margin
    click(splash, splash->findChild<QWidget*>(QStringLiteral("Frame1")), {200, 85},
          Qt::RightButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash != nullptr && splash->isVisible());
    EXPECT_EQ(startUp->mainWindow(), nullptr);
}

namespace {

using SplashWay = void (*)(frmSplash&);
const std::pair<const char*, SplashWay> splashWays[] = {
    {"TwoSeconds", [](frmSplash& s) { fire(s, "Timer1"); }},
    {"Letter", [](frmSplash& s) { QTest::keyClick(s.windowHandle(), Qt::Key_A); }},
    {"Escape", [](frmSplash& s) { QTest::keyClick(s.windowHandle(), Qt::Key_Escape); }},
    {"Return", [](frmSplash& s) { QTest::keyClick(s.windowHandle(), Qt::Key_Return); }},
    {"ClickOnTheFrame",
     [](frmSplash& s) {
         click(&s, s.findChild<QWidget*>(QStringLiteral("Frame1")), {200, 85});
     }},
};

} // namespace

class LeavingTheSplash : public Program,
                         public ::testing::WithParamInterface<std::pair<const char*, SplashWay>> {};

TEST_P(LeavingTheSplash, OpensOneMainWindowEvenWhenEveryWayComesAtOnce) {
    GetParam().second(*splash);
    ASSERT_NE(startUp->mainWindow(), nullptr);
    EXPECT_TRUE(startUp->mainWindow()->isVisible());
    // Every other way in the same instant, for as long as the splash is still there.
    for (const auto& [name, way] : splashWays) {
        if (!splash.isNull())
            way(*splash);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
    EXPECT_EQ(visibleWindows(), 1);
}

INSTANTIATE_TEST_SUITE_P(Ways, LeavingTheSplash, ::testing::ValuesIn(splashWays),
                         [](const auto& info) { return std::string(info.param.first); });

TEST_F(Program, DrillEndsInTheResultWindowWithItsSixValues) {
    leaveSplash();
    playDrill(2, 40);
    KSReport* report = host->window();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->windowTitle(), QStringLiteral("KS Report"));
    EXPECT_EQ(report->parentWidget(), nullptr);
    EXPECT_EQ(report->size(), QSize(174, 169));
    EXPECT_EQ(report->minimumSize(), report->maximumSize());
    ASSERT_TRUE(QTest::qWaitForWindowActive(report));
    auto* ok = report->findChild<QPushButton*>(QStringLiteral("Command1"));
    EXPECT_EQ(QApplication::focusWidget(), ok);
    EXPECT_EQ(report->grab().toImage().pixelColor(ok->x() + 5, ok->y() + 9), QColor(0, 255, 0));

    // Each value, and the widest figure of its kind, which still fits: no first digit is cut.
    const std::tuple<const char*, const char*, const char*> values[] = {
        {"TNLabel", "20", "100"},
        {"MissLabel", "2", "10000"},
        {"TimeLabel", "2.00", "9999.95"},
        {"SpeedLabel", "10", "3.9867"},
        {"ExactityLabel", "90.9091", "95.2381"},
        {"EvalLabel", "Better", "Better"},
    };
    for (const auto& [name, text, widest] : values) {
        QLabel* value = label(report, name);
        EXPECT_EQ(value->text(), QLatin1String(text)) << name;
        EXPECT_EQ(value->geometry().right(), 150) << name << " ends on the common edge";
        EXPECT_LE(value->fontMetrics().horizontalAdvance(QLatin1String(widest)), value->width())
            << name;
    }
}

namespace {

using ReportClose = void (*)(KSReport&);
const std::pair<const char*, ReportClose> reportCloses[] = {
    {"OkClicked",
     [](KSReport& r) {
         QTest::mouseClick(r.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
     }},
    {"Space", [](KSReport& r) { QTest::keyClick(r.windowHandle(), Qt::Key_Space); }},
    {"Enter", [](KSReport& r) { QTest::keyClick(r.windowHandle(), Qt::Key_Enter); }},
    {"Return", [](KSReport& r) { QTest::keyClick(r.windowHandle(), Qt::Key_Return); }},
    {"TitleBarClose", [](KSReport& r) { r.close(); }},
};

} // namespace

class Lifetime : public Program, public ::testing::WithParamInterface<bool> {};

// Each way of closing the result window destroys it, and the next drill makes it anew; one left
// open is reused. The event loop then ends by itself when the last window closes, whichever it
// is, and main()'s objects leave no window behind.
TEST_P(Lifetime, ResultWindowsComeAndGoAndTheProgramEndsWithItsLastWindow) {
    leaveSplash();
    for (const auto& [name, close] : reportCloses) {
        playDrill(1, 5);
        QPointer<KSReport> report = host->window();
        ASSERT_TRUE(QTest::qWaitForWindowActive(report)) << name;
        QTest::keyClick(report->windowHandle(), Qt::Key_A); // only keys that press OK close it
        playDrill(0, 5);
        EXPECT_EQ(host->window(), report.data()) << name;
        EXPECT_EQ(label(report, "MissLabel")->text(), QStringLiteral("0")) << name;
        close(*report);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(report.isNull()) << name;
        EXPECT_EQ(host->window(), nullptr) << name;
    }
    playDrill(3, 5);
    ASSERT_NE(host->window(), nullptr);
    EXPECT_TRUE(host->window()->isVisible());

    QPointer<QWidget> windows[] = {startUp->mainWindow(), host->window()};
    if (GetParam())
        std::swap(windows[0], windows[1]);
    int visibleAfterFirst = -1;
    QObject steps;
    QTimer::singleShot(0, &steps, [&] {
        windows[0]->close();
        QTimer::singleShot(0, &steps, [&] {
            visibleAfterFirst = visibleWindows();
            windows[1]->close();
        });
    });
    QTimer::singleShot(10000, &steps, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(visibleAfterFirst, 1);

    startUp.reset();
    host.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
}

INSTANTIATE_TEST_SUITE_P(CloseOrders, Lifetime, ::testing::Bool(), [](const auto& info) {
    return info.param ? "ResultWindowFirst" : "MainWindowFirst";
});
