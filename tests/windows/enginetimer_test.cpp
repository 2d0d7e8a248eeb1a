// The timers as the drill engine drives them: through their interval alone.
#include "enginetimer.h"

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

TEST(EngineTimer, ZeroStopsAndAnyOtherIntervalTicksWithThatPeriod) {
    EngineTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &EngineTimer::timeout, [&] { ++ticks; });
    EXPECT_EQ(timer.interval(), 0);
    EXPECT_FALSE(timer.isActive());

    timer.setInterval(10);
    EXPECT_EQ(timer.interval(), 10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 2000));

    timer.setInterval(0);
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(timer.interval(), 0);
    const int stoppedAt = ticks;
    QTest::qWait(50);
    EXPECT_EQ(ticks, stoppedAt);
}

TEST(EngineTimer, RewritingTheSameIntervalKeepsThePeriodAndANewOneRestartsIt) {
    EngineTimer timer;
    timer.setInterval(300);
    QTest::qWait(150);
    timer.setInterval(300);
    EXPECT_LE(timer.remainingTime(), 200) << "the period was restarted";

    timer.setInterval(400);
    EXPECT_GT(timer.remainingTime(), 300) << "a new interval starts a new period";
}

TEST(EngineTimer, KeysFasterThanThePeriodDoNotStarveIt) {
    EngineTimer timer(Qt::CoarseTimer);
    int ticks = 0;
    QObject::connect(&timer, &EngineTimer::timeout, [&] { ++ticks; });
    QElapsedTimer elapsed;
    elapsed.start();
    // A key every 10 ms rewrites the 50 ms interval each time.
    while (elapsed.elapsed() < 400) {
        timer.setInterval(50);
        QTest::qWait(10);
    }
    EXPECT_GE(ticks, 4);
}

TEST(EngineTimer, ClockTimerIsPrecise) {
    EngineTimer clock(Qt::PreciseTimer);
    clock.setInterval(15);
    EXPECT_EQ(clock.timerType(), Qt::PreciseTimer);
    QElapsedTimer elapsed;
    int ticks = 0;
    QObject::connect(&clock, &EngineTimer::timeout, [&] { ++ticks; });
    elapsed.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 20; }, 3000));
    // 20 ticks of 15 ms: about 300 ms, allowing for a busy machine.
    EXPECT_GE(elapsed.elapsed(), 280);
}
