// The program as main() builds it, from the splash window through drills and their result
// window to its end, with timers that tick only when the test fires them.
#include "drillplayer.h"
#include "form1.h"
#include "frmsplash.h"
#include "ksreporthost.h"
#include "manualtimer.h"
#include "startup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int visibleWindows() {
    int count = 0;
    for (const QWidget* window : QApplication::topLevelWidgets())
        count += window->isVisible() ? 1 : 0;
    return count;
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        widgetsBefore = QApplication::allWidgets().size();
        startUp->run();
        splash = startUp->splash();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
    }

    void leaveSplash() {
        QTest::keyClick(splash->windowHandle(), Qt::Key_Space);
        flushDeletes();
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

    QString value(const char* name) {
        return host->window()->findChild<QLabel*>(QLatin1String(name))->text();
    }

    qsizetype widgetsBefore = 0;
    std::unique_ptr<KSReportHost> host = std::make_unique<KSReportHost>();
    std::unique_ptr<StartUp> startUp = std::make_unique<StartUp>(*host, manualTimers());
    QPointer<frmSplash> splash;
    std::unique_ptr<DrillPlayer> player;
};

} // namespace

TEST_F(Program, StartsOnTheCentredSplashThatOnlyCharactersClicksOnItsFrameOrTimeClose) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((splash->frameGeometry().center() - screen.center()).manhattanLength(), 1);
    EXPECT_EQ(splash->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
              QStringLiteral("version 1.0.0"));
    EXPECT_EQ(splash->findChild<QLabel*>(QStringLiteral("lblProductName"))->text(),
              QStringLiteral("Kestrava"));
    const QImage picture = splash->grab().toImage();
    EXPECT_EQ(picture.pixelColor(1, 1), QColor(128, 255, 128)) << "the margin";
    EXPECT_EQ(picture.pixelColor(5, 5), QColor(0, 0, 0)) << "the frame";

    for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_F1, Qt::Key_Left})
        QTest::keyClick(splash->windowHandle(), key);
    QWidget* frame = splash->findChild<QWidget*>(QStringLiteral("Frame1"));
    for (const char* name : {"imgLogo", "lblProductName", "lblVersion"}) {
        auto* label = splash->findChild<QLabel*>(QLatin1String(name));
        QTest::mouseClick(splash->windowHandle(), Qt::LeftButton, {},
                          label->mapTo(splash, label->rect().center()));
    }
    QTest::mouseClick(splash->windowHandle(), Qt::LeftButton, {}, QPoint(1, 50)); // the margin
    QTest::mouseClick(splash->windowHandle(), Qt::RightButton, {},
                      frame->mapTo(splash, QPoint(200, 85)));
    EXPECT_EQ(splash->findChild<EngineTimer*>(QStringLiteral("Timer1"))->interval(), 2000);
    flushDeletes();
    EXPECT_TRUE(splash != nullptr && splash->isVisible());
    EXPECT_EQ(startUp->mainWindow(), nullptr);
}

namespace {

using SplashWay = std::function<void(frmSplash&)>;
void typeOn(frmSplash& splash, Qt::Key key) {
    QTest::keyClick(splash.windowHandle(), key);
}
void clickFrame(frmSplash& splash) {
    QWidget* frame = splash.findChild<QWidget*>(QStringLiteral("Frame1"));
    QTest::mouseClick(splash.windowHandle(), Qt::LeftButton, {},
                      frame->mapTo(&splash, QPoint(200, 85)));
}
const std::pair<const char*, SplashWay> splashWays[] = {
    {"TwoSeconds", [](frmSplash& s) { fire(s, "Timer1"); }},
    {"Letter", [](frmSplash& s) { typeOn(s, Qt::Key_A); }},
    {"Escape", [](frmSplash& s) { typeOn(s, Qt::Key_Escape); }},
    {"Return", [](frmSplash& s) { typeOn(s, Qt::Key_Return); }},
    {"ClickOnTheFrame", clickFrame},
};

} // namespace

class LeavingTheSplash : public Program,
                         public ::testing::WithParamInterface<std::pair<const char*, SplashWay>> {};

TEST_P(LeavingTheSplash, OpensOneMainWindowEvenWhenEveryWayComesAtOnce) {
    EXPECT_EQ(startUp->mainWindow(), nullptr);
    GetParam().second(*splash);
    ASSERT_NE(startUp->mainWindow(), nullptr);
    EXPECT_TRUE(startUp->mainWindow()->isVisible());
    // Every other way in the same instant, for as long as the splash is still there.
    for (const auto& [name, way] : splashWays) {
        if (!splash.isNull())
            way(*splash);
    }
    flushDeletes();
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
    EXPECT_EQ(report->grab().toImage().pixelColor(ok->geometry().left() + 5, ok->y() + 9),
              QColor(0, 255, 0));

    struct Value {
        const char* name;
        const char* text;
        const char* widest; // the widest figure of its kind still fits: no first digit is cut
    };
    const Value values[] = {
        {"TNLabel", "20", "100"},
        {"MissLabel", "2", "10000"},
        {"TimeLabel", "2.00", "9999.95"},
        {"SpeedLabel", "10", "3.9867"},
        {"ExactityLabel", "90.9091", "95.2381"},
        {"EvalLabel", "Better", "Better"},
    };
    for (const auto& [name, text, widest] : values) {
        auto* label = report->findChild<QLabel*>(QLatin1String(name));
        EXPECT_EQ(label->text(), QLatin1String(text)) << name;
        EXPECT_EQ(label->geometry().right(), 150) << name << " ends on the common edge";
        EXPECT_LE(label->fontMetrics().horizontalAdvance(QLatin1String(widest)), label->width())
            << name;
    }
}

namespace {

const std::pair<const char*, std::function<void(KSReport&)>> reportCloses[] = {
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

class ClosingTheResultWindow
    : public Program,
      public ::testing::WithParamInterface<std::pair<const char*, std::function<void(KSReport&)>>> {
};

TEST_P(ClosingTheResultWindow, DestroysItAndTheNextDrillMakesItAnew) {
    leaveSplash();
    playDrill(1, 5);
    QPointer<KSReport> first = host->window();
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(first));
    QTest::keyClick(first->windowHandle(), Qt::Key_A);
    playDrill(0, 5); // while it is open: reused and overwritten
    EXPECT_EQ(host->window(), first.data());
    EXPECT_EQ(value("MissLabel"), QStringLiteral("0"));

    GetParam().second(*first);
    flushDeletes();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(host->window(), nullptr);
    playDrill(3, 5);
    ASSERT_NE(host->window(), nullptr);
    EXPECT_TRUE(host->window()->isVisible());
    EXPECT_EQ(value("MissLabel"), QStringLiteral("3"));
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosingTheResultWindow, ::testing::ValuesIn(reportCloses),
                         [](const auto& info) { return std::string(info.param.first); });

class EndingTheProgram : public Program, public ::testing::WithParamInterface<bool> {};

// The event loop ends by itself when the last window closes, whichever it is, and main()'s
// objects leave no window behind.
TEST_P(EndingTheProgram, WithTheLastWindowAndLeavesNothingBehind) {
    leaveSplash();
    for (int drill = 0; drill < 10; ++drill)
        playDrill(drill % 3, 5);
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
    flushDeletes();
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
}

INSTANTIATE_TEST_SUITE_P(Orders, EndingTheProgram, ::testing::Bool(), [](const auto& info) {
    return info.param ? "ResultWindowFirst" : "MainWindowFirst";
});
