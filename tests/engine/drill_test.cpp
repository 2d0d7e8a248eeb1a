// The engine on fake windows: tables of drills played step by step (the steps are
// DrillHarness::play's), each row checking one view of the windows afterwards; the letters'
// generator; the number texts and ratings.
// Unless a row draws other fractions, every question is an "M", so M is the hit and Q or W a miss.
#include "drillharness.h"
#include "mixingrandom.h"
#include "numbertext.h"
#include "rating.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <ranges>

using namespace kestrava;
using namespace kestrava::test;

namespace {
// The main window in one line: the remaining keys, misses and clock; the highlighted and the
// bordered keys; the question the box frames and how many show as typed; which of question frame
// and prompt show, and whether the prompt is dimmed by its blink; the intervals of the flash, clock
// and blink timers.
std::string screen(const DrillHarness& h) {
    const FakeForm1& f = h.form;
    std::string next, border;
    for (int k = 0; k < 26; ++k) {
        const std::string letter(1, static_cast<char>('A' + k));
        next += f.keyColour[k] == 0xFF7D7D ? letter : ""; // blue: 125, 125, 255
        border += f.keyBorder[k] == 1 ? letter : "";
    }
    const auto typed = std::ranges::count(f.queColour, colours::olive);
    return f.remainLabel + "/" + f.missLabel + "/" + f.timeLabel + " next " +
           (next.empty() ? "-" : next) + " border " + (border.empty() ? "-" : border) + " box " +
           (f.boxed() < 0 ? "-" : std::to_string(f.boxed())) + " typed " + std::to_string(typed) +
           (f.qFrameVisible ? " frame" : "") + (f.startLabelVisible ? " prompt" : "") +
           (f.startEnabled ? "" : " dim") + " " + std::to_string(f.timer1) + "/" +
           std::to_string(f.timer2) + "/" + std::to_string(f.timer3);
}

// The result window's six values.
std::string results(const DrillHarness& h) {
    const FakeKSReport& r = h.report;
    return r.tn + " " + r.miss + " " + r.time + " " + r.speed + " " + r.exactity + " " + r.eval;
}

// The question row's letters, then how often rows were drawn and the last seed.
std::string letters(const DrillHarness& h) {
    const auto row = h.form.que | std::views::join;
    return std::string(row.begin(), row.end()) + " " + std::to_string(h.random.reseeds) + " " +
           std::to_string(h.random.lastSeed);
}

// What a screen reader is told beside the captions: the question to type, the key to press next
// and the last miss heard, its count and letter.
std::string told(const DrillHarness& h) {
    const FakeForm1& f = h.form;
    return "letter " + (f.letterToType < 0 ? "-" : std::to_string(f.letterToType)) + " key " +
           (f.nextKey < 0 ? "-" : std::string(1, static_cast<char>('A' + f.nextKey))) + " miss " +
           f.missHeard;
}

// A drill played from load, and what one view of the windows shows afterwards.
struct Row {
    const char* name;
    const char* steps;
    const char* want;
    std::string (*view)(const DrillHarness&) = screen;
    const char* separator = ".";
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << '"' << row.steps << '"';
}

const auto rowName = [](const auto& info) { return std::string(info.param.name); };
} // namespace

class Drill : public ::testing::TestWithParam<Row> {};

TEST_P(Drill, ShowsWhatTheRowWants) {
    const Row& row = GetParam();
    DrillHarness h(row.separator);
    h.play(row.steps);
    EXPECT_EQ(row.view(h), row.want) << "after \"" << row.steps << "\"";
}

const Row keysRowsAndMenu[] = {
    {"HitHitMiss", "space M m Q", "58/1/0 next M border MQ box 2 typed 2 frame 50/15/0"},
    // The twentieth letter draws a new row, the last key of a drill does not.
    {"TwentiethLetterDrawsANewRow", "space M*20",
     "40/0/0 next M border M box 0 typed 0 frame 50/15/0"},
    {"LastKeyDrawsNoRow", "menu20 space M*20",
     "0/0/0 next - border M box 19 typed 20 prompt 50/0/500"},
    // A menu choice leaves a drill without results, and keys do nothing until Space.
    {"MenuLeavesADrillWithoutResults", "space M*5 Q clock*40 menu100 W",
     "55/1/2.00 next M border MQ box 5 typed 5 prompt 50/0/500"},
    {"SpaceAfterTheMenuStartsAfresh", "space M*5 Q clock*40 menu100 W space",
     "100/0/0 next M border MQ box 0 typed 0 frame 50/15/0"},
    // A new start while the result window is still open.
    {"NewStartWithTheResultWindowOpen", "menu20 space M*20 space",
     "20/0/0 next M border M box 0 typed 0 frame 50/15/0"},
    // Codes 97 to 127 fold onto 65 to 95: only letters can hit, and only letters flash.
    {"SmallAMissesAndFlashesA", "space a", "60/1/0 next M border A box 0 typed 0 frame 50/15/0"},
    {"SmallZMissesAndFlashesZ", "space z", "60/1/0 next M border Z box 0 typed 0 frame 50/15/0"},
    // Other codes are misses and flash nothing, Space during a drill too.
    {"OtherCodesMissAndFlashNothing", "space @ [ ` { #127 #128 space #333 #-179 #-32768",
     "60/10/0 next M border - box 0 typed 0 frame 0/15/0"},
    // Only the key of the letter to type is highlighted, A's too: a new drill or a hit leaves
    // none of the keys highlighted before.
    {"HitHighlightsOnlyTheNextKeyA", "draw0.5 draw0 space M",
     "59/0/0 next A border M box 1 typed 1 frame 50/15/0"},
    {"HitLeavesAUnhighlighted", "draw0 space A",
     "59/0/0 next M border A box 1 typed 1 frame 50/15/0"},
    {"NewDrillHighlightsOnlyItsFirstKey", "space menu20 draw0 space",
     "20/0/0 next A border - box 0 typed 0 frame 0/15/0"},
    // A fraction f picks letter f x 25 rounded, halves to even: 0.5 gives 12.5, an "M".
    {"FractionsPickLettersHalvesToEven",
     "draw0 draw0.02 draw0.04 draw0.1 draw0.5 draw0.9 draw0.98 draw0.99999994 space",
     "AABDMWZZMMMMMMMMMMMM 1 7", letters},
    // Each row is drawn after a reseed with the seconds of the time of day.
    {"RowsReseedWithTheSeconds", "space sec43 M*19 draw0 M", "AMMMMMMMMMMMMMMMMMMM 2 43", letters},
};
INSTANTIATE_TEST_SUITE_P(KeysRowsAndMenu, Drill, ::testing::ValuesIn(keysRowsAndMenu), rowName);

// The letter to type and its key follow the box; a miss is heard with the count it brought and the
// letter still to type, even where a new row was drawn just before; once the drill ends there is
// no letter to type (a menu choice ends it through the same step, and then keys go unjudged).
const Row whatAScreenReaderIsTold[] = {
    {"NothingBeforeADrill", "", "letter - key - miss -", told},
    {"NextLetterAfterAHit", "space M", "letter 1 key M miss -", told},
    {"MissesWithTheirCount", "space Q W", "letter 0 key M miss 2 M", told},
    {"LetterOfAnotherKey", "draw0.08 space", "letter 0 key C miss -", told},
    {"MissOnANewRow", "space M*19 draw0 M Q", "letter 0 key A miss 1 A", told},
    {"MissNamesTheLetterInTheBox", "draw0.5 draw0.08 space M Q", "letter 1 key C miss 1 C", told},
    {"NoneOnceTheDrillEnds", "menu20 space M*20", "letter - key - miss -", told},
};
INSTANTIATE_TEST_SUITE_P(WhatAScreenReaderIsTold, Drill,
                         ::testing::ValuesIn(whatAScreenReaderIsTold), rowName);

const Row flashClockAndBlinkTimers[] = {
    // A key flashes until the fifth flash tick after its latest press; the flash timer stops
    // when no key flashes, and every letter typed starts it, as in HitHitMiss.
    {"FlashLastsFromTheLatestPress", "space Q flash*2 Q flash*4",
     "60/2/0 next M border Q box 0 typed 0 frame 50/15/0"},
    {"FlashEndsAndItsTimerStops", "space Q flash*2 Q flash*5",
     "60/2/0 next M border - box 0 typed 0 frame 0/15/0"},
    {"OtherKeyFlashesOnItsOwn", "space Q flash*3 W flash*2",
     "60/2/0 next M border W box 0 typed 0 frame 50/15/0"},
    // The clock shows ticks x 0.05 s exactly and stands still outside a drill, even for a
    // tick that comes after its timer stopped.
    {"StrayTickIsIgnored", "stray", "0/0/0 next - border - box - typed 0 prompt 0/0/500"},
    {"ClockCountsExactlyWithComma", "space clock*20000",
     "60/0/1000,00 next M border - box 0 typed 0 frame 0/15/0", screen, ","},
    {"ClockStopsAtTheEnd", "menu20 space clock*7 M*20 stray flash*5",
     "0/0/0.35 next - border - box 19 typed 20 prompt 0/0/500"},
    // The prompt blinks only while waiting, and a drill leaves it as it was.
    {"PromptBlinksOnlyWhileWaiting", "blink space blink menu60",
     "60/0/0 next M border - box 0 typed 0 prompt dim 0/0/500"},
};
INSTANTIATE_TEST_SUITE_P(FlashClockAndBlinkTimers, Drill,
                         ::testing::ValuesIn(flashClockAndBlinkTimers), rowName);

const Row resultsOfFinishedDrills[] = {
    {"Great", "space clock*300 M*60", "60 0 15.00 4 100 Great", results},
    {"Good", "space clock*301 M*60", "60 0 15.05 3.9867 100 Good", results},
    {"Better", "space Q*3 clock*300 M*60", "60 3 15.00 4 95.2381 Better", results},
    {"Ok", "menu100 space Q*10 clock*800 M*100", "100 10 40.00 2.5 90.9091 Ok", results},
    {"Dame", "menu20 space Q*20 clock*400 M*20", "20 20 20.00 1 50 DAME", results},
    {"GreatWithManyMisses", "menu100 space Q*400 clock M*100", "100 400 0.05 2000 20 Great",
     results},
    {"BetterWithComma", "menu20 space Q clock*147 M*20", "20 1 7,35 2,7211 95,2381 Better", results,
     ","},
    // Typed before the clock's first tick: no speed, so no rating.
    {"NoSpeedNoRating", "menu20 space clock*147 M*20 space Q*5 M*20", "20 5 0 - 80 -", results},
    // The window stays open between drills, keeps its values while the next drill runs and
    // then gets all six anew.
    {"WindowKeepsValuesInTheNextDrill", "menu20 space M*20 space M*19", "20 0 0 - 100 -", results},
    {"WindowGetsAllSixAnew", "space Q*3 clock*300 M*60 menu20 space clock*147 M*20",
     "20 0 7.35 2.7211 100 Good", results},
};
INSTANTIATE_TEST_SUITE_P(ResultsOfFinishedDrills, Drill,
                         ::testing::ValuesIn(resultsOfFinishedDrills), rowName);

// The letters' generator is xoshiro256** seeded by splitmix64: the first fractions of seed 1, as an
// implementation of both that gives their published outputs works them out. A reseed mixes the
// seconds it is given into the state it has reached.
TEST(MixingRandom, DrawsXoshiro256StarStarAndReseedsWithTheSecondsGiven) {
    MixingRandom random(1), seven(1), eight(1);
    for (const int k : {11793071, 8731477, 9631895, 6565404})
        EXPECT_EQ(random.nextFraction(), static_cast<float>(k) * 0x1p-24f);
    seven.reseed(7);
    eight.reseed(8);
    EXPECT_NE(seven.nextFraction(), eight.nextFraction());
    seven.reseed(7);
    const float before = seven.nextFraction();
    seven.reseed(7);
    EXPECT_NE(seven.nextFraction(), before) << "a second reseed in the same second";
}

// What drills hardly reach, one unit a test: seven significant digits and a separator of two bytes
// (Arabic's); texts in the other notation or none; exact ties; the rating bands' bounds.
TEST(FloatText, HasSevenSignificantDigitsAndTheSeparatorGiven) {
    EXPECT_EQ(floatText(2.7210884f, "."), "2.721088");
    EXPECT_EQ(floatText(4.0f, "\u066B") + " " + floatText(2.5f, "\u066B"), "4 2\u066B5");
}

TEST(ParseNumber, ReadsTheSeparatorGivenAndNothingElse) {
    EXPECT_EQ(parseNumber("7\u066B35", "\u066B"), 7.35);
    for (const auto& [text, separator] :
         {std::pair{"7.35", ","}, {"7,35", "."}, {"", "."}, {"1x", "."}})
        EXPECT_FALSE(parseNumber(text, separator)) << text;
    EXPECT_FALSE(parseNumber(std::string(400, '9'), ".")) << "beyond any double";
}

TEST(RoundToDecimals, TakesExactTiesToTheEvenDigit) {
    std::string rounded;
    for (const auto& [value, decimals] :
         {std::pair{0.03125, 4}, {0.09375, 4}, {2.5, 0}, {3.5, 0}, {0.15, 1}})
        rounded += floatText(static_cast<float>(roundToDecimals(value, decimals)), ".") + " ";
    EXPECT_EQ(rounded, "0.0312 0.0938 2 4 0.1 "); // 0.15 is 0.1499999999999999944..., no tie
}

TEST(RatingWord, ChangesAtEachBandsBound) {
    std::string rated;
    for (const int score :
         {104000, 103999, 102000, 101999, 90000, 89999, 70000, 69999, 40000, 39999})
        rated += ratingWord(score) + " ";
    EXPECT_EQ(rated, "Great Good Good Better Better Ok Ok Bad Bad DAME ");
}
