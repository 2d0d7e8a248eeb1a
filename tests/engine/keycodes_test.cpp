#include "drillharness.h"

#include <gtest/gtest.h>

using namespace kestrava;
using namespace kestrava::test;

TEST(KeyCodes, WhileWaitingOnlySpaceActs) {
    DrillHarness h;
    const Form1Screen before = h.form;
    const DrillState state = h.engine.state();
    for (int code = -32768; code <= 32767; ++code) {
        if (code == 32)
            continue;
        h.engine.Form_KeyPress(static_cast<std::int16_t>(code));
        ASSERT_TRUE(static_cast<const Form1Screen&>(h.form) == before) << "code " << code;
        ASSERT_TRUE(h.engine.state().WaitingForStart);
        ASSERT_EQ(h.engine.state().MissCount, state.MissCount);
        ASSERT_EQ(h.engine.state().LastKey, state.LastKey);
    }
    h.engine.Form_KeyPress(32);
    EXPECT_FALSE(h.engine.state().WaitingForStart);
}

TEST(KeyCodes, WhileRunningOnlyFoldedLettersFlashAndTheRestMiss) {
    DrillHarness h;
    h.engine.TN100_Click(); // at most 52 codes can hit, so the drill outlasts the sweep
    h.start();
    for (int code = -32768; code <= 32767; ++code) {
        const char expected = h.expected();
        const std::int32_t misses = h.engine.state().MissCount;
        const std::string remaining = h.form.remainLabel;
        h.engine.Form_KeyPress(static_cast<std::int16_t>(code));

        const int folded = code >= 97 && code <= 127 ? code - 32 : code;
        const bool letter = folded >= 'A' && folded <= 'Z';
        for (int k = 0; k < 26; ++k) {
            const bool flashing = letter && k == folded - 'A';
            ASSERT_EQ(h.form.key[k].borderStyle, flashing ? 1 : 0) << "code " << code;
            ASSERT_EQ(h.engine.state().KeyFlash[k], flashing ? 5 : 0) << "code " << code;
        }
        if (letter && folded == expected) {
            ASSERT_EQ(h.engine.state().MissCount, misses) << "code " << code;
            ASSERT_NE(h.form.remainLabel, remaining);
        } else {
            ASSERT_EQ(h.engine.state().MissCount, misses + 1) << "code " << code;
            ASSERT_EQ(h.form.remainLabel, remaining);
            ASSERT_EQ(h.expected(), expected);
        }
        ASSERT_EQ(h.engine.state().LastKey, static_cast<std::int16_t>(folded));
        h.ticks(1, 5);
    }
    EXPECT_FALSE(h.engine.state().WaitingForStart);
    EXPECT_EQ(h.form.missLabel, std::to_string(h.engine.state().MissCount));
}

TEST(KeyCodes, FoldingCoversOnlyLowerCaseLetters) {
    struct Row {
        int code;
        bool hitsA; // typed on a question letter "A"
        bool flashes;
    };
    const Row rows[] = {
        {'A', true, true},   {'a', true, true},         {'{', false, false},  {127, false, false},
        {'[', false, false}, {'A' + 256, false, false}, {-191, false, false}, {' ', false, false},
        {'0', false, false}, {'@', false, false},       {'`', false, false},
    };
    for (const Row& row : rows) {
        ScriptedRandom random;
        random.fractions = {0.0f}; // the row starts with "A"
        DrillHarness h(".", &random);
        h.start();
        h.engine.Form_KeyPress(static_cast<std::int16_t>(row.code));
        EXPECT_EQ(h.form.missLabel, row.hitsA ? "0" : "1") << "code " << row.code;
        EXPECT_EQ(h.form.key[0].borderStyle, row.flashes ? 1 : 0) << "code " << row.code;
        EXPECT_EQ(h.form.timer1, row.flashes ? 50 : 0) << "code " << row.code;
    }
}
