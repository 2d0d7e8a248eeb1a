#include "drillharness.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

using namespace kestrava;
using namespace kestrava::test;

TEST(QuestionRow, FractionsMapOntoLettersByRoundingHalfToEven) {
    struct Row {
        float fraction;
        const char* letter;
    };
    const Row rows[] = {
        {0.0f, "A"},
        {0.5f, "M"}, // x = 12.5 exactly: to the even 12, not 13
        {1.0f / 25, "B"},
        {0.1f, "D"}, // x = 2.5000000373: no tie, so up
        {0.9f, "W"}, // x = 22.4999994: down
        {1.0f - 0x1.0p-24f, "Z"},
    };
    for (const Row& row : rows) {
        ScriptedRandom random;
        random.fractions = {row.fraction};
        DrillHarness h(".", &random);
        h.start();
        EXPECT_EQ(h.form.que[0].caption, row.letter) << "fraction " << row.fraction;
        EXPECT_EQ(h.form.que[1].caption, "M");
    }
}

TEST(QuestionRow, EveryRowIsReseededWithTheSecondsOfTheTime) {
    ScriptedRandom random;
    DrillHarness h(".", &random);
    h.seconds = 42;
    h.start();
    h.seconds = 43;
    for (int i = 0; i < 20; ++i)
        h.hit();
    EXPECT_EQ(random.seeds, (std::deque<int>{42, 43}));
}

TEST(QuestionRow, LetterFrequenciesOverManyRows) {
    DrillHarness h;
    h.engine.TN100_Click();
    std::array<int, 26> counts{};
    int total = 0;
    while (total < 100000) {
        h.start();
        while (!h.engine.state().WaitingForStart) {
            if (h.cursorIndex() == 0) {
                for (const auto& q : h.form.que)
                    ++counts[q.caption.at(0) - 'A'];
                total += 20;
            }
            h.hit();
        }
        h.seconds = (h.seconds + 1) % 60;
    }
    for (int i = 0; i < 26; ++i) {
        const double share = static_cast<double>(counts[i]) / total;
        const double expected = i == 0 || i == 25 ? 0.02 : 0.04;
        EXPECT_NEAR(share, expected, 0.003) << static_cast<char>('A' + i);
    }
}

TEST(QuestionRow, RowsBegunInTheSameSecondDiffer) {
    // Two drills started at 10:15:07 and 10:42:07 see the same seconds value.
    DrillHarness h;
    std::set<std::string> firstRows;
    for (int drill = 0; drill < 50; ++drill) {
        h.start();
        std::string row;
        for (const auto& q : h.form.que)
            row += q.caption;
        firstRows.insert(row);
        h.engine.TN60_Click();
    }
    EXPECT_EQ(firstRows.size(), 50u);
}

TEST(MixingRandom, ReseedMixesIntoTheStateAndFractionsAreExact) {
    MixingRandom a(1), b(2), c(1);
    a.reseed(7);
    b.reseed(7);
    c.reseed(7);
    const float fa = a.nextFraction();
    EXPECT_NE(fa, b.nextFraction()) << "the same seed on different states must differ";
    EXPECT_EQ(fa, c.nextFraction()) << "the same history gives the same sequence";
    a.reseed(7);
    c.reseed(8);
    EXPECT_NE(a.nextFraction(), c.nextFraction());

    MixingRandom r(99);
    for (int i = 0; i < 100000; ++i) {
        if (i % 20 == 0)
            r.reseed(i % 60);
        const float f = r.nextFraction();
        ASSERT_GE(f, 0.0f);
        ASSERT_LT(f, 1.0f);
        const double scaled = static_cast<double>(f) * 0x1.0p24;
        ASSERT_EQ(scaled, std::floor(scaled)) << "a multiple of 2^-24";
    }
}
