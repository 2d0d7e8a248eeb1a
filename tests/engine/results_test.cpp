#include "drillharness.h"

#include <cfenv>
#include <gtest/gtest.h>

using namespace kestrava;
using namespace kestrava::test;

namespace {
// Plays a whole drill of targetCount keys, clockTicks of the 15 ms clock long.
void playTo(DrillHarness& h, int targetCount, int misses, int clockTicks) {
    if (targetCount == 20)
        h.engine.TN20_Click();
    else if (targetCount == 100)
        h.engine.TN100_Click();
    else
        h.engine.TN60_Click();
    h.playDrill(misses, clockTicks);
}
} // namespace

struct ResultRow {
    int targetCount;
    int misses;
    int clockTicks; // 20 to a displayed second
    const char* separator;
    const char* clock;
    const char* speed;
    const char* exactity;
    std::int32_t score;
    const char* rating;
};

void PrintTo(const ResultRow& r, std::ostream* os) {
    *os << r.targetCount << " keys, " << r.misses << " misses, clock " << r.clock;
}

class FinishedDrill : public testing::TestWithParam<ResultRow> {};

TEST_P(FinishedDrill, ShowsItsSixResults) {
    const ResultRow& row = GetParam();
    DrillHarness h(row.separator);
    playTo(h, row.targetCount, row.misses, row.clockTicks);

    ASSERT_TRUE(h.report.exists);
    EXPECT_EQ(h.report.tn, std::to_string(row.targetCount));
    EXPECT_EQ(h.report.miss, std::to_string(row.misses));
    EXPECT_EQ(h.report.time, row.clock);
    EXPECT_EQ(h.report.speed, row.speed);
    EXPECT_EQ(h.report.exactity, row.exactity);
    EXPECT_EQ(h.report.eval, row.rating);
    EXPECT_EQ(h.engine.state().Score, row.score);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, FinishedDrill,
    testing::Values(ResultRow{60, 0, 300, ".", "15.00", "4", "100", 104000, "Great"},
                    ResultRow{60, 0, 400, ".", "20.00", "3", "100", 103000, "Good"},
                    ResultRow{20, 0, 147, ".", "7.35", "2.7211", "100", 102721, "Good"},
                    ResultRow{60, 3, 300, ".", "15.00", "4", "95.2381", 94476, "Better"},
                    ResultRow{100, 10, 800, ".", "40.00", "2.5", "90.9091", 84318, "Ok"},
                    ResultRow{20, 3, 500, ".", "25.00", "0.8", "86.9565", 74713, "Ok"},
                    ResultRow{100, 30, 1000, ".", "50.00", "2", "76.9231", 55846, "Bad"},
                    ResultRow{20, 20, 400, ".", "20.00", "1", "50", 1000, "DAME"}));

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, FinishedDrill,
    testing::Values(ResultRow{60, 0, 301, ".", "15.05", "3.9867", "100", 103987, "Good"},
                    ResultRow{60, 0, 600, ".", "30.00", "2", "100", 102000, "Good"},
                    ResultRow{60, 0, 601, ".", "30.05", "1.9967", "100", 101997, "Better"},
                    ResultRow{100, 0, 1, ".", "0.05", "2000", "100", 2100000, "Great"},
                    ResultRow{100, 400, 1, ".", "0.05", "2000", "20", 1940000, "Great"},
                    ResultRow{20, 0, 147, ",", "7,35", "2,7211", "100", 102721, "Good"},
                    ResultRow{20, 1, 147, ",", "7,35", "2,7211", "95,2381", 93197, "Better"}));

TEST(Results, ClockThatNeverTickedShowsNoSpeedButStillTheExactness) {
    DrillHarness h;
    playTo(h, 60, 2, 0); // a drill of 63 keys typed before the first clock tick
    playTo(h, 60, 2, 300);
    const DrillState before = h.engine.state();
    ASSERT_EQ(h.report.speed, "4");

    playTo(h, 20, 5, 0);
    EXPECT_EQ(h.report.tn, "20");
    EXPECT_EQ(h.report.miss, "5");
    EXPECT_EQ(h.report.time, "0");
    EXPECT_EQ(h.report.speed, "-");
    EXPECT_EQ(h.report.exactity, "80");
    EXPECT_EQ(h.report.eval, "-");
    // What has no valid value keeps the last drill's figure; the rest is new.
    EXPECT_EQ(h.engine.state().Speed, before.Speed);
    EXPECT_EQ(h.engine.state().Score, before.Score);
    EXPECT_EQ(h.engine.state().Exactity, 80.0f);
    EXPECT_TRUE(h.engine.state().WaitingForStart);
}

TEST(Results, FaultyComputationLeavesNoFaultFlagBehind) {
    DrillHarness h;
    std::feclearexcept(FE_ALL_EXCEPT);
    playTo(h, 20, 0, 0);
    ASSERT_EQ(h.report.speed, "-");
    EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0);

    // A flag the caller had raised is its own business and stays raised.
    std::feraiseexcept(FE_OVERFLOW);
    playTo(h, 20, 0, 10);
    EXPECT_EQ(h.report.speed, "40");
    EXPECT_NE(std::fetestexcept(FE_OVERFLOW), 0);
    std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(Results, ReusedWindowGetsAllSixNewValues) {
    DrillHarness h;
    playTo(h, 60, 3, 300);
    ASSERT_EQ(h.report.eval, "Better");
    playTo(h, 20, 0, 147);

    EXPECT_EQ(h.report.created, 1);
    EXPECT_EQ(h.report.shown, 2);
    EXPECT_EQ(h.report.tn, "20");
    EXPECT_EQ(h.report.miss, "0");
    EXPECT_EQ(h.report.time, "7.35");
    EXPECT_EQ(h.report.speed, "2.7211");
    EXPECT_EQ(h.report.exactity, "100");
    EXPECT_EQ(h.report.eval, "Good");
}

TEST(Results, ClosedWindowIsCreatedAnewForTheNextDrill) {
    DrillHarness h;
    playTo(h, 20, 0, 200);
    h.report.close();
    EXPECT_EQ(h.report.created, 1);
    playTo(h, 20, 0, 400);
    EXPECT_TRUE(h.report.exists);
    EXPECT_EQ(h.report.created, 2);
    EXPECT_EQ(h.report.speed, "1");
}

TEST(Results, VeryLongDrillShowsSpeedZero) {
    // Twenty keys over 400000 displayed seconds: 0.00005 rounds to 0.
    DrillHarness h;
    h.engine.TN20_Click();
    h.start();
    h.form.timeLabel = "399999.95";
    h.ticks(2, 1);
    ASSERT_EQ(h.form.timeLabel, "400000.00");
    while (!h.engine.state().WaitingForStart)
        h.hit();
    EXPECT_EQ(h.report.speed, "0");
    EXPECT_EQ(h.engine.state().Score, 100000);
    EXPECT_EQ(h.report.eval, "Better");
}

TEST(Results, ShowsTheWindowBeforeWritingItsValues) {
    DrillHarness h;
    h.start();
    // Until the last key the window stays closed.
    for (int i = 0; i < 59; ++i)
        h.hit();
    EXPECT_FALSE(h.report.exists);
    h.ticks(2, 20);
    h.hit();
    ASSERT_EQ(h.report.shown, 1);
    EXPECT_NE(h.report.tn, "00000");
    EXPECT_NE(h.report.eval, "00000");
    EXPECT_EQ(h.form.missLabel, "0"); // the main window's own counter is untouched
}
