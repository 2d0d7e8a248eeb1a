#include "drillharness.h"
#include "numbertext.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace kestrava;
using namespace kestrava::test;

class Clock : public testing::TestWithParam<const char*> {};

TEST_P(Clock, ShowsExactlyTicksTimesFiveHundredths) {
    const std::string separator = GetParam();
    DrillHarness h(separator);
    h.start();
    ASSERT_EQ(h.form.timeLabel, "0");
    for (int n = 1; n <= 20000; ++n) {
        h.engine.Timer2_Timer();
        // n x 0.05 written from integers, so the expectation has no rounding of its own.
        const std::string want = std::to_string(n / 20) + separator + (n % 20 < 2 ? "0" : "") +
                                 std::to_string(n % 20 * 5);
        ASSERT_EQ(h.form.timeLabel, want) << "after " << n << " ticks";
    }
    EXPECT_EQ(h.form.timeLabel, "1000" + separator + "00");
}

INSTANTIATE_TEST_SUITE_P(Separators, Clock, testing::Values(".", ","));

TEST(Clock, StandsStillOutsideADrill) {
    DrillHarness h;
    h.engine.Timer2_Timer(); // a stray tick while Remaining is 0, before the first drill
    EXPECT_EQ(h.form.timeLabel, "0");

    h.engine.TN20_Click();
    h.playDrill(0, 7);
    EXPECT_EQ(h.form.timeLabel, "0.35");
    EXPECT_EQ(h.form.timer2, 0);
    h.engine.Timer2_Timer(); // one that was already queued when the drill ended
    EXPECT_EQ(h.form.timeLabel, "0.35");
    h.start();
    EXPECT_EQ(h.form.timeLabel, "0");
    h.ticks(2, 1);
    EXPECT_EQ(h.form.timeLabel, "0.05");
}

TEST(KeyFlash, BorderGoesOffOnTheFifthTickAfterTheLatestPress) {
    DrillHarness h;
    h.start();
    const char a = h.expected();
    h.miss(); // flashes the wrong key, not the expected one
    const int wrong = DrillHarness::otherLetter(a) - 'A';
    EXPECT_EQ(h.form.key[wrong].borderStyle, 1);
    EXPECT_EQ(h.form.key[a - 'A'].borderStyle, 0);
    h.ticks(1, 4);
    EXPECT_EQ(h.form.key[wrong].borderStyle, 1);
    h.ticks(1, 1);
    EXPECT_EQ(h.form.key[wrong].borderStyle, 0);

    // Pressed again after two ticks: five ticks from the second press.
    h.miss();
    h.ticks(1, 2);
    h.miss();
    h.ticks(1, 4);
    EXPECT_EQ(h.form.key[wrong].borderStyle, 1);
    EXPECT_EQ(h.engine.state().KeyFlash[wrong], 1);
    h.ticks(1, 1);
    EXPECT_EQ(h.form.key[wrong].borderStyle, 0);
    EXPECT_EQ(h.engine.state().KeyFlash[wrong], 0);

    // The tick that ends the last flash stops the timer; the next key starts it again.
    EXPECT_EQ(h.form.timer1, 0);
    h.form.key[wrong].borderStyle = 7;
    h.ticks(1, 10);
    EXPECT_EQ(h.form.key[wrong].borderStyle, 7);
    h.miss();
    EXPECT_EQ(h.form.timer1, 50);
}

TEST(KeyFlash, LastKeyOfADrillStillGoesOff) {
    DrillHarness h;
    h.engine.TN20_Click();
    h.start();
    for (int i = 0; i < 19; ++i)
        h.hit();
    const int last = h.expected() - 'A';
    h.hit();
    ASSERT_TRUE(h.engine.state().WaitingForStart);
    EXPECT_EQ(h.form.key[last].borderStyle, 1);
    h.ticks(1, 5);
    EXPECT_EQ(h.form.key[last].borderStyle, 0);
}

TEST(Prompt, BlinksEveryTickWhileWaiting) {
    DrillHarness h;
    EXPECT_TRUE(h.form.startEnabled);
    h.ticks(3, 1);
    EXPECT_FALSE(h.form.startEnabled);
    h.ticks(3, 1);
    EXPECT_TRUE(h.form.startEnabled);
    h.ticks(3, 1);
    h.start();
    EXPECT_EQ(h.form.timer3, 0);
    EXPECT_FALSE(h.form.startEnabled) << "left as it was when the drill started";
    h.engine.TN60_Click();
    EXPECT_EQ(h.form.timer3, 500);
    h.ticks(3, 1);
    EXPECT_TRUE(h.form.startEnabled);
}
