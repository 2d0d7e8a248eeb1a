#include "invariantchecker.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace kestrava;
using namespace kestrava::test;

namespace {
std::vector<std::uint8_t> randomBytes(std::uint64_t seed, std::size_t count) {
    std::mt19937_64 generator(seed);
    std::vector<std::uint8_t> bytes(count);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(generator() >> 56);
    return bytes;
}

// Runs the script to its end or to the first broken rule.
std::string runScript(InvariantChecker& checker, DrillScript& script, long& events) {
    while (const auto event = script.next()) {
        ++events;
        if (std::string broken = checker.apply(*event); !broken.empty())
            return broken;
    }
    return {};
}
} // namespace

class DrillInvariants : public testing::TestWithParam<int> {};

// The first byte chooses the decimal separator and the random source.
TEST_P(DrillInvariants, HoldThroughHalfAMillionRandomEvents) {
    std::vector<std::uint8_t> bytes = randomBytes(0x6B657374 + GetParam(), 560000);
    bytes[0] = static_cast<std::uint8_t>(GetParam());
    DrillScript script(bytes);
    InvariantChecker checker(script.setup());
    long events = 0;
    const std::string broken = runScript(checker, script, events);
    ASSERT_EQ(broken, "");
    EXPECT_GE(events, 500000);

    // The run has to have reached the corners, or it proves little.
    const InvariantChecker::Tally& t = checker.tally();
    EXPECT_GT(t.finished, 1000);
    EXPECT_GT(t.finishedBeforeFirstTick, 0);
    EXPECT_GT(t.refills, 1000);
    EXPECT_GT(t.abandoned, 100);
    EXPECT_GT(t.reportsClosed, 100);
    EXPECT_GT(t.strayClockTicksCounted, 0);
    EXPECT_GT(t.misses, t.hits / 4);
}

INSTANTIATE_TEST_SUITE_P(Setups, DrillInvariants, testing::Values(0, 3), [](const auto& info) {
    return info.param == 0 ? std::string("PointAndMixingRandom")
                           : std::string("CommaAndEdgeFractions");
});

TEST(DrillInvariants, CheckerNoticesABrokenWindowOrState) {
    using Kind = DrillEvent::Kind;
    struct Fault {
        const char* name;
        std::function<void(DrillHarness&)> cause;
    };
    const Fault faults[] = {
        {"a border without a flash", [](DrillHarness& h) { h.form.key[25].borderStyle = 1; }},
        {"a second highlight",
         [](DrillHarness& h) {
             for (auto& key : h.form.key)
                 key.backColor = colours::nextKey;
         }},
        {"a changed letter",
         [](DrillHarness& h) {
             auto& caption = h.form.que[7].caption;
             caption = caption == "Q" ? "W" : "Q";
         }},
        {"a lower-case letter", [](DrillHarness& h) { h.form.que[3].caption = "q"; }},
        {"a typed colour on an untyped letter",
         [](DrillHarness& h) { h.form.que[19].foreColor = colours::olive; }},
        {"a moved cursor box", [](DrillHarness& h) { h.form.cursorLeft += 1; }},
        {"a clock off by a tick", [](DrillHarness& h) { h.form.timeLabel = "0.10"; }},
        {"a clock with a comma", [](DrillHarness& h) { h.form.timeLabel = "0,05"; }},
        {"a wrong miss count", [](DrillHarness& h) { h.form.missLabel = "2"; }},
        {"a stopped clock timer", [](DrillHarness& h) { h.form.timer2 = 0; }},
        {"a state the events did not make",
         [](DrillHarness& h) { h.engine.Timer3_Timer(); }}, // a blink the account did not see
    };
    for (const Fault& fault : faults) {
        InvariantChecker checker;
        ASSERT_EQ(checker.apply({Kind::Key, ' '}), "");
        ASSERT_EQ(checker.apply({Kind::Key, '{'}), ""); // one miss
        ASSERT_EQ(checker.apply({Kind::Hit}), "");
        ASSERT_EQ(checker.apply({Kind::Tick, 2}), "");
        fault.cause(checker.harness());
        EXPECT_NE(checker.apply({Kind::Tick, 1}), "") << fault.name;
    }
}

TEST(DrillInvariants, CheckerFollowsAFinishedDrillIntoItsResults) {
    using Kind = DrillEvent::Kind;
    InvariantChecker checker;
    ASSERT_EQ(checker.apply({Kind::TN20}), "");
    ASSERT_EQ(checker.apply({Kind::Key, ' '}), "");
    for (int i = 0; i < 147; ++i)
        ASSERT_EQ(checker.apply({Kind::Tick, 2}), "");
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(checker.apply({Kind::Hit, static_cast<std::int16_t>(i % 2)}), "");
    ASSERT_EQ(checker.tally().finished, 1);
    EXPECT_EQ(checker.harness().report.speed, "2.7211");

    checker.harness().report.speed = "2.7212";
    EXPECT_NE(checker.check(), "") << "a speed off by one in the last decimal";
    checker.harness().report.speed = "2.7211";
    checker.harness().report.eval = "Fine";
    EXPECT_NE(checker.check(), "") << "a word that is no rating";
}
