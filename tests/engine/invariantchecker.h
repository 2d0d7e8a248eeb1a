#pragma once

#include "drillharness.h"
#include "drillscript.h"

#include <array>
#include <cstdint>
#include <string>

namespace kestrava::test {

// Fractions from the edges of [0, 1): 0, the largest single below 1 and the
// fractions whose product with 25 lies on or next to a half. A reseed picks
// where in the list the next row begins.
class EdgeRandom final : public RandomSource {
public:
    void reseed(int seed) override;
    float nextFraction() override;

private:
    std::size_t m_next = 0;
};

// A loaded engine on fake windows that keeps its own account of the drill
// from the events alone (a key is a hit exactly when a drill runs and its
// folded code is the letter under the cursor) and, after every event, checks
// the drill state and everything on the windows against that account.
class InvariantChecker {
public:
    explicit InvariantChecker(const DrillScript::Setup& setup = {});

    // Delivers the event, then checks: returns the first rule broken, with
    // the event that broke it, or an empty text.
    std::string apply(const DrillEvent& event);
    std::string check() const;

    // For tests that tamper with the windows to see the checks notice.
    DrillHarness& harness() { return m_harness; }

    // What the events so far amounted to, to tell how much a run covered.
    struct Tally {
        long hits = 0;
        long misses = 0;
        long refills = 0;
        long finished = 0;
        long finishedBeforeFirstTick = 0;
        long abandoned = 0;
        long reportsClosed = 0;
        long strayClockTicksCounted = 0;
    };
    const Tally& tally() const { return m_tally; }

private:
    void deliver(const DrillEvent& event);
    void typeKey(std::int16_t code);
    void tick(int timer);
    void rememberRow();
    std::string checkState() const;
    std::string checkKeys() const;
    std::string checkRow() const;
    std::string checkLabels() const;
    std::string checkReport() const;

    std::string m_separator;
    EdgeRandom m_edgeRandom;
    DrillHarness m_harness;

    // The account kept from the events.
    enum class Phase { BeforeFirstDrill, Running, Finished, Abandoned };
    Phase m_phase = Phase::BeforeFirstDrill;
    int m_target = 60;     // the menu's choice
    int m_drillTarget = 0; // the choice when the current or last drill started
    int m_hits = 0;        // in the current or last drill
    int m_misses = 0;
    int m_cursor = 0;      // index of the letter to type
    int m_framed = -1;     // index of the letter the cursor box was last put on
    long m_clockTicks = 0; // counted into the clock text since the last start
    bool m_startEnabled = true;
    std::int16_t m_lastKey = 0;
    std::array<int, 26> m_flash{};
    std::array<char, 20> m_row{}; // the letters as drawn; 0 for a caption of another length
    bool m_reportOpen = false;
    int m_reportsMade = 0;
    std::string m_remainText = "0";
    std::string m_missText = "0";
    std::string m_clockText = "0";
    Tally m_tally;
    long m_events = 0;
};

} // namespace kestrava::test
