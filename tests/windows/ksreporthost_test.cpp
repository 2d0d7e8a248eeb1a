#include "drillresults.h"
#include "form1.h"
#include "ksreporthost.h"
#include "numbertext.h"
#include "rating.h"
#include "windowsupport.h"

#include <QAction>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <set>

using windowsupport::countTopLevel;
using windowsupport::flushDeletes;
using windowsupport::showAndActivate;

namespace {

// A real main window wired to a real result window, played by reading the
// question letters off the screen as a player would.
class DrillThroughWindows : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<Form1>(host);
        ASSERT_TRUE(showAndActivate(*form));
    }

    void TearDown() override {
        form.reset();
        flushDeletes();
    }

    void type(char key) { QTest::keyClick(form->windowHandle(), key); }

    // Starts a drill with Space and types `keys` correct letters, as small
    // letters, with a wrong letter before each of the first `misses`.
    // Pauses now and then so that the clock ticks.
    void playDrill(int keys, int misses) {
        type(' ');
        QTest::qWait(40);
        int position = 0;
        for (int typed = 0; typed < keys; ++typed) {
            const char letter = form->queCaption(position).at(0);
            if (typed < misses) {
                type(static_cast<char>(letter == 'Q' ? 'w' : 'q'));
            }
            type(static_cast<char>(letter - 'A' + 'a'));
            position = (position + 1) % Form1::queCount;
            if (typed % 10 == 9) {
                QTest::qWait(20);
            }
        }
    }

    // The six values the window must show for the drill just finished.
    void expectResults(KSReport& report, int keys, int misses) {
        const std::string separator = QLocale().decimalPoint().toStdString();
        const std::string time = form->timeLabelCaption();
        kestrava::DrillFigures figures;
        figures.targetCount = keys;
        figures.missCount = misses;
        figures.accuracyWeight = 1000;
        figures.speedWeight = 1000;
        figures.elapsedSeconds = kestrava::parseNumber(time, separator);
        const kestrava::DrillResults results = kestrava::computeResults(figures);
        ASSERT_TRUE(results.speed && results.exactity && results.score) << "clock " << time;

        using Value = KSReport::Value;
        EXPECT_EQ(report.caption(Value::TN), QString::number(keys));
        EXPECT_EQ(report.caption(Value::Miss), QString::number(misses));
        EXPECT_EQ(report.caption(Value::Time), QString::fromStdString(time));
        EXPECT_NE(time, "0");
        EXPECT_EQ(report.caption(Value::Speed),
                  QString::fromStdString(kestrava::floatText(*results.speed, separator)));
        EXPECT_EQ(report.caption(Value::Exactity),
                  QString::fromStdString(kestrava::floatText(*results.exactity, separator)));
        EXPECT_EQ(report.caption(Value::Eval),
                  QString::fromStdString(kestrava::ratingWord(*results.score)));
    }

    KSReportHost host;
    std::unique_ptr<Form1> form;
};

} // namespace

TEST(KSReportHostAlone, ShowCreatesOneWindowAndValuesGoIntoIt) {
    KSReportHost host;
    EXPECT_EQ(host.window(), nullptr);
    host.setTNLabelCaption("60"); // no window yet: nothing to write into
    host.show();
    KSReport* report = host.window();
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->caption(KSReport::Value::TN), QStringLiteral("00000"));

    host.setTNLabelCaption("60");
    host.setMissLabelCaption("3");
    host.setTimeLabelCaption("15.00");
    host.setSpeedLabelCaption("4");
    host.setExactityLabelCaption("95.2381");
    host.setEvalLabelCaption("Better");
    using Value = KSReport::Value;
    EXPECT_EQ(report->caption(Value::TN), QStringLiteral("60"));
    EXPECT_EQ(report->caption(Value::Miss), QStringLiteral("3"));
    EXPECT_EQ(report->caption(Value::Time), QStringLiteral("15.00"));
    EXPECT_EQ(report->caption(Value::Speed), QStringLiteral("4"));
    EXPECT_EQ(report->caption(Value::Exactity), QStringLiteral("95.2381"));
    EXPECT_EQ(report->caption(Value::Eval), QStringLiteral("Better"));

    host.show();
    EXPECT_EQ(host.window(), report);
    EXPECT_EQ(countTopLevel<KSReport>(), 1);
}

TEST_F(DrillThroughWindows, WholeDrillEndsInTheResultWindowWithItsSixValues) {
    playDrill(60, 3);
    KSReport* report = host.window();
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->parentWidget(), nullptr);
    EXPECT_EQ(report->caption(KSReport::Value::Exactity), QStringLiteral("95.2381"));
    expectResults(*report, 60, 3);
    EXPECT_TRUE(QTest::qWaitForWindowActive(report));
}

TEST_F(DrillThroughWindows, FirstSpaceAfterADrillClosesTheResultWindow) {
    form->findChild<QAction*>(QStringLiteral("TN20"))->trigger();
    playDrill(20, 0);
    QPointer<KSReport> report = host.window();
    ASSERT_FALSE(report.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowActive(report));

    QTest::keyClick(report->windowHandle(), Qt::Key_Space);
    flushDeletes();
    EXPECT_TRUE(report.isNull());
    EXPECT_EQ(host.window(), nullptr);
    EXPECT_EQ(countTopLevel<KSReport>(), 0);
}

TEST_F(DrillThroughWindows, WindowLeftOpenIsReusedRaisedAndOverwritten) {
    form->findChild<QAction*>(QStringLiteral("TN20"))->trigger();
    playDrill(20, 5);
    QPointer<KSReport> first = host.window();
    ASSERT_FALSE(first.isNull());
    expectResults(*first, 20, 5);

    // The player goes back to the main window and plays on.
    ASSERT_TRUE(showAndActivate(*form));
    playDrill(20, 0);
    EXPECT_EQ(host.window(), first.data());
    EXPECT_EQ(countTopLevel<KSReport>(), 1);
    expectResults(*first, 20, 0);
    EXPECT_EQ(first->caption(KSReport::Value::Exactity), QStringLiteral("100"));
    EXPECT_TRUE(QTest::qWaitForWindowActive(first));
}

TEST_F(DrillThroughWindows, ClosedWindowIsCreatedAnewAtTheNextDrill) {
    form->findChild<QAction*>(QStringLiteral("TN20"))->trigger();
    playDrill(20, 1);
    QPointer<KSReport> first = host.window();
    ASSERT_FALSE(first.isNull());
    QTest::mouseClick(first->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    flushDeletes();
    ASSERT_TRUE(first.isNull());

    ASSERT_TRUE(showAndActivate(*form));
    playDrill(20, 2);
    KSReport* second = host.window();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(countTopLevel<KSReport>(), 1);
    expectResults(*second, 20, 2);
}
