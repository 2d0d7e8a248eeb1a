#pragma once

#include "drillharness.h"

#include <cstdint>
#include <span>

namespace kestrava::test {

// Bytes read as a plausible session of DrillHarness steps: most bytes type the letter in the box,
// fewer type other keys or tick a timer, and about one in 250 leaves the drill through the menu,
// so that most drills run to their end.
std::vector<std::string> readScript(std::span<const std::uint8_t> bytes);

// Plays steps on a loaded engine and checks, after each one, what must always hold. There is no
// second engine: the run counts from the steps alone the hits (a key whose folded code is the
// letter under the box while a drill runs), the misses and the ticks, and the rules compare the
// windows and the drill's state with those counts and with each other.
class DrillRun {
public:
    explicit DrillRun(const std::string& separator = ".");

    // The first rule broken after a step, with the step, or "".
    std::string apply(const std::string& step);
    std::string play(const std::vector<std::string>& steps); // to the first broken rule
    std::string check() const;

    DrillHarness harness;
    // How far the steps went, to tell how much a run covered: drills finished (untimed: before the
    // clock's first tick), rows refilled, drills abandoned through the menu, result windows closed.
    long finished = 0, finishedUntimed = 0, refills = 0, abandoned = 0, reportsClosed = 0;

private:
    std::string m_separator;
    bool m_running = false, m_started = false, m_reportOpen = false;
    int m_target = 60, m_drillTarget = 0, m_hits = 0, m_misses = 0, m_ticks = 0;
    long m_steps = 0, m_told = 0;
};

} // namespace kestrava::test
