#include "drillharness.h"

#include <gtest/gtest.h>
#include <set>

using namespace kestrava;
using namespace kestrava::test;

TEST(Drill, LoadLeavesTheWindowWaitingForSpace) {
    DrillHarness h;
    const DrillState& s = h.engine.state();
    EXPECT_FALSE(h.form.qFrameVisible);
    EXPECT_TRUE(h.form.startLabelVisible);
    EXPECT_EQ(h.form.timer1, 0);
    EXPECT_EQ(h.form.timer2, 0);
    EXPECT_EQ(h.form.timer3, 500);
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(s.Letters[i], std::string(1, static_cast<char>('A' + i)));
    for (int i = 26; i < 31; ++i)
        EXPECT_EQ(s.Letters[i], "");
    EXPECT_EQ(s.LetterRange, 25);
    EXPECT_EQ(s.TargetCount, 60);
    EXPECT_EQ(s.AccuracyWeight, 1000);
    EXPECT_EQ(s.SpeedWeight, 1000);
    EXPECT_TRUE(s.WaitingForStart);
    EXPECT_EQ(s.LineLength, 0);
    EXPECT_EQ(s.Remaining, 0);
    EXPECT_EQ(s.MissCount, 0);
    EXPECT_EQ(s.CursorPos, 0);
    EXPECT_EQ(s.Score, 0);
    EXPECT_EQ(s.Speed, 0.0f);
    EXPECT_EQ(s.Exactity, 0.0f);
    for (auto flash : s.KeyFlash)
        EXPECT_EQ(flash, 0);
}

TEST(Drill, SpaceStartsADrillWithTheFirstRowShown) {
    DrillHarness h;
    h.form.key[3].backColor = colours::nextKey; // left over from an abandoned drill
    h.start();
    EXPECT_FALSE(h.engine.state().WaitingForStart);
    EXPECT_TRUE(h.form.qFrameVisible);
    EXPECT_FALSE(h.form.startLabelVisible);
    EXPECT_EQ(h.form.timer2, 15);
    EXPECT_EQ(h.form.timer3, 0);
    EXPECT_EQ(h.form.remainLabel, "60");
    EXPECT_EQ(h.form.missLabel, "0");
    EXPECT_EQ(h.form.timeLabel, "0");
    for (const auto& q : h.form.que) {
        ASSERT_EQ(q.caption.size(), 1u);
        EXPECT_GE(q.caption[0], 'A');
        EXPECT_LE(q.caption[0], 'Z');
        EXPECT_EQ(q.foreColor, colours::lightGreen);
    }
    EXPECT_EQ(h.cursorIndex(), 0);
    EXPECT_EQ(h.form.cursorLeft, 35.0f);
    EXPECT_EQ(h.form.cursorTop, 125.0f);
    EXPECT_EQ(h.form.highlightedKeys(), 1);
    EXPECT_EQ(h.form.key[h.expected() - 'A'].backColor, colours::nextKey);
    EXPECT_EQ(h.form.key[h.expected() - 'A'].borderStyle, 0); // the Space is not judged
}

TEST(Drill, ScriptedSixtyKeyDrillWithMisses) {
    DrillHarness h;
    h.start();
    std::set<std::string> rows;
    int misses = 0;
    for (int typed = 0; typed < 60; ++typed) {
        const int pos = typed % 20;
        ASSERT_EQ(h.cursorIndex(), pos);
        EXPECT_EQ(h.form.cursorLeft, h.form.que[pos].left - 25);
        EXPECT_EQ(h.form.cursorTop, h.form.que[pos].top - 25);
        if (pos == 0) {
            std::string row;
            for (const auto& q : h.form.que) {
                EXPECT_EQ(q.foreColor, colours::lightGreen) << "a new row starts untyped";
                row += q.caption;
            }
            rows.insert(row);
        }
        const char want = h.expected();
        EXPECT_EQ(h.form.key[want - 'A'].backColor, colours::nextKey);
        EXPECT_EQ(h.form.highlightedKeys(), 1);

        if (typed % 7 == 3) {
            // A wrong letter flashes its own key and changes nothing else.
            const char wrong = DrillHarness::otherLetter(want);
            h.key(wrong);
            ++misses;
            EXPECT_EQ(h.form.missLabel, std::to_string(misses));
            EXPECT_EQ(h.form.key[wrong - 'A'].borderStyle, 1);
            EXPECT_EQ(h.cursorIndex(), pos);
            EXPECT_EQ(h.form.key[want - 'A'].backColor, colours::nextKey);
            EXPECT_EQ(h.form.que[pos].foreColor, colours::lightGreen);
            EXPECT_EQ(h.form.remainLabel, std::to_string(60 - typed));
        }
        // Lower case counts as its capital.
        h.key(typed % 2 ? static_cast<char>(want + 32) : want);
        EXPECT_EQ(h.form.key[want - 'A'].borderStyle, 1);
        EXPECT_EQ(h.form.remainLabel, std::to_string(59 - typed));
        if (typed < 59 && pos < 19) {
            EXPECT_EQ(h.form.que[pos].foreColor, colours::olive);
            EXPECT_EQ(h.form.key[h.expected() - 'A'].backColor, colours::nextKey);
        }
        EXPECT_EQ(h.form.timer1, 50);
    }
    EXPECT_EQ(rows.size(), 3u) << "60 keys make exactly three rows";
    EXPECT_EQ(h.engine.state().MissCount, misses);
    EXPECT_EQ(h.report.miss, std::to_string(misses));

    // The end of the drill: clock stopped, prompt back, every key idle.
    EXPECT_TRUE(h.engine.state().WaitingForStart);
    EXPECT_EQ(h.form.timer2, 0);
    EXPECT_EQ(h.form.timer3, 500);
    EXPECT_FALSE(h.form.qFrameVisible);
    EXPECT_TRUE(h.form.startLabelVisible);
    EXPECT_EQ(h.form.remainLabel, "0");
    EXPECT_EQ(h.form.highlightedKeys(), 0);
    EXPECT_EQ(h.form.que[19].foreColor, colours::olive);
    EXPECT_EQ(h.engine.state().CursorPos, 20);
    EXPECT_EQ(h.report.shown, 1);
}

TEST(Drill, RepeatedLetterStaysHighlighted) {
    ScriptedRandom random;
    random.fractions = {0.0f, 0.0f, 0.5f}; // "A", "A", then "M"s
    DrillHarness h(".", &random);
    h.start();
    ASSERT_EQ(h.form.que[0].caption, "A");
    ASSERT_EQ(h.form.que[1].caption, "A");
    h.key('A');
    EXPECT_EQ(h.form.key[0].backColor, colours::nextKey);
    EXPECT_EQ(h.form.highlightedKeys(), 1);
    h.key('A');
    EXPECT_EQ(h.form.key[0].backColor, colours::lightGreen);
    EXPECT_EQ(h.form.key['M' - 'A'].backColor, colours::nextKey);
}

TEST(Drill, TwentiethLetterDrawsANewRow) {
    ScriptedRandom random;
    for (int i = 0; i < 20; ++i)
        random.fractions.push_back(1.0f / 25); // "B"
    random.fractions.push_back(24.0f / 25);    // the new row starts with "Y"
    DrillHarness h(".", &random);
    h.start();
    for (int i = 0; i < 20; ++i)
        h.key('B');
    EXPECT_EQ(h.form.que[0].caption, "Y");
    EXPECT_EQ(h.form.que[1].caption, "M");
    for (const auto& q : h.form.que)
        EXPECT_EQ(q.foreColor, colours::lightGreen);
    EXPECT_EQ(h.cursorIndex(), 0);
    EXPECT_EQ(h.form.key['Y' - 'A'].backColor, colours::nextKey);
    EXPECT_EQ(h.form.key['B' - 'A'].backColor, colours::lightGreen);
    EXPECT_EQ(h.form.remainLabel, "40");
    EXPECT_EQ(random.seeds.size(), 2u) << "each row reseeds";
}

TEST(Drill, TwentyKeyDrillEndsWithoutANewRow) {
    DrillHarness h;
    h.engine.TN20_Click();
    h.start();
    const std::string first = h.form.que[0].caption;
    for (int i = 0; i < 20; ++i)
        h.hit();
    EXPECT_TRUE(h.engine.state().WaitingForStart);
    EXPECT_EQ(h.form.que[0].caption, first);
    EXPECT_EQ(h.form.que[0].foreColor, colours::olive);
    EXPECT_EQ(h.report.tn, "20");
}

TEST(Drill, MenuChoiceAbandonsADrillWithoutResults) {
    DrillHarness h;
    h.start();
    for (int i = 0; i < 5; ++i)
        h.hit();
    h.miss();
    h.ticks(2, 40);
    const char next = h.expected();
    h.engine.TN100_Click();

    EXPECT_TRUE(h.engine.state().WaitingForStart);
    EXPECT_EQ(h.form.timer2, 0);
    EXPECT_EQ(h.form.timer3, 500);
    EXPECT_FALSE(h.form.qFrameVisible);
    EXPECT_TRUE(h.form.startLabelVisible);
    EXPECT_FALSE(h.report.exists);
    // The counters stay on screen and the next key stays highlighted.
    EXPECT_EQ(h.form.remainLabel, "55");
    EXPECT_EQ(h.form.missLabel, "1");
    EXPECT_EQ(h.form.timeLabel, "2.00");
    EXPECT_EQ(h.form.key[next - 'A'].backColor, colours::nextKey);
    h.ticks(2, 5);
    EXPECT_EQ(h.form.timeLabel, "2.00") << "the stopped clock is kept until the next start";

    // Keys while waiting do nothing; the next Space starts 100 fresh keys.
    h.key('A');
    EXPECT_EQ(h.form.missLabel, "1");
    h.start();
    EXPECT_EQ(h.form.remainLabel, "100");
    EXPECT_EQ(h.form.missLabel, "0");
    EXPECT_EQ(h.form.timeLabel, "0");
    EXPECT_EQ(h.form.highlightedKeys(), 1);
}

TEST(Drill, MenuChoiceWhileWaitingChangesOnlyTheTarget) {
    DrillHarness h;
    h.engine.TN20_Click();
    EXPECT_EQ(h.engine.state().TargetCount, 20);
    EXPECT_EQ(h.form.remainLabel, "0");
    EXPECT_EQ(h.form.timer3, 500);
    EXPECT_FALSE(h.form.qFrameVisible);
    h.engine.TN60_Click();
    EXPECT_EQ(h.engine.state().TargetCount, 60);
    h.engine.TN100_Click();
    EXPECT_EQ(h.engine.state().TargetCount, 100);
}

TEST(Drill, NewStartWhileTheResultWindowIsOpen) {
    DrillHarness h;
    h.engine.TN20_Click();
    h.playDrill(0, 100);
    ASSERT_TRUE(h.report.exists);
    h.start();
    EXPECT_FALSE(h.engine.state().WaitingForStart);
    EXPECT_EQ(h.form.remainLabel, "20");
}
