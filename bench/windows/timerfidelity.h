#pragma once

#include "statistics.h"

#include <random>

class DrillPlayer;

// How closely the clock and the key flash keep to their nominal timing while
// a drill runs: the clock should tick every 15 ms, and a key's border should
// go off on the fifth 50 ms flash tick after the key.
struct TimerFidelity {
    double seconds = 0;          // real time from the first clock tick to the last
    int clockTicks = 0;          // clock ticks in that time
    Sample tickIntervalsMs;      // real time between successive clock ticks
    bool captionMatches = false; // the clock shows 0.05 for every tick counted
    Sample flashMs;              // from a key's delivery until its border is off the screen
    Sample flashTicks;           // flash ticks from a key's delivery until its border went off
    // How much later than its nominal end the border went off the screen. The
    // keys here come once the previous flash has ended, when the flash timer has
    // stopped, so each key starts a fresh period and a flash lasts 250 ms by
    // design; this is the part of its length that is the platform's error.
    Sample flashLateMs;
    int flashTickCount = 0;       // flash ticks counted while watching
    double flashTickSeconds = 0;  // real time from the first flash tick to the last
    int flashesWithoutBorder = 0; // keys that did not put their border on
};

// Starts a drill and lets it run for `seconds`, pressing a key now and then
// (a correct one while plenty of keys remain, a wrong one after that) at
// random moments, each once the previous flash has ended.
TimerFidelity measureTimers(DrillPlayer& player, double seconds, std::mt19937& random);
