// What the engine tells a screen reader besides the captions: the letter to type and the key to
// press next, told again after every key of a drill, so that a miss is heard too.
#include "drillharness.h"

#include <gtest/gtest.h>

using namespace kestrava::test;

namespace {

struct Told {
    const char* name;
    const char* steps;
    int letterToType; // the question, -1 for none
    int nextKey;      // the key, -1 for none
    int lettersTold;  // how often a letter to type was told
};

// Unless a row draws other fractions, every question is an "M" (key 12), so Q is a miss.
const Told told[] = {
    {"BeforeADrill", "", -1, -1, 0},
    {"AtTheStart", "space", 0, 12, 1},
    {"AfterAHit", "space M", 1, 12, 2},
    {"AfterAMiss", "space Q", 0, 12, 2},
    {"AfterMissesAndAHit", "space Q W M", 1, 12, 4},
    {"WhenTheFirstLetterIsC", "draw0.08 space", 0, 2, 1}, // a "C"
    {"WithANewRow", "space M*19 draw0 M", 0, 0, 21},      // a new row, its first letter an "A"
    {"OnTheLastLetterOfARow", "space M*19", 19, 12, 20},  // the last letter of the first row
    {"AtTheEnd", "menu20 space M*20", -1, -1, 20},        // the drill's end
    {"AfterTheMenuLeftADrill", "space M*3 menu100", -1, -1, 4}, // a drill left through the menu
    {"ForKeysWhileWaiting", "space M*3 menu100 Q", -1, -1, 4},  // keys while waiting tell nothing
    {"AtANewStart", "menu20 space M*20 space", 0, 12, 21},
};

class ScreenReaderIsTold : public ::testing::TestWithParam<Told> {};

TEST_P(ScreenReaderIsTold, TheLetterToTypeAndTheKeyToPressNext) {
    DrillHarness h;
    h.play(GetParam().steps);
    EXPECT_EQ(h.form.letterToType, GetParam().letterToType) << "the letter to type";
    EXPECT_EQ(h.form.nextKey, GetParam().nextKey) << "the key to press next";
    EXPECT_EQ(h.form.lettersTold, GetParam().lettersTold) << "how often a letter was told";
}

INSTANTIATE_TEST_SUITE_P(Steps, ScreenReaderIsTold, ::testing::ValuesIn(told),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
