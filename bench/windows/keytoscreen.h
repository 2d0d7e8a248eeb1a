#pragma once

#include "statistics.h"

#include <random>

class DrillPlayer;
class KSReportHost;

// How long the window takes from a key's delivery until the engine has
// written its controls and the window shows the result, in microseconds.
struct KeyToScreen {
    Sample keys;      // every timed letter key: hits, misses and last keys
    Sample hits;      // hits that do not end a drill
    Sample misses;    // wrong letters
    Sample drillEnds; // the last key of a drill, which opens the result window
    Sample starts;    // Space, which starts a drill
    int drills = 0;
    int unpainted = 0;        // letter keys whose key label was not repainted
    int miscountedDrills = 0; // drills whose miss counter disagrees with the misses typed
    int lostCursor = 0;       // keys for which no framed letter could be read
};

// Plays drills of 100 keys until `keyCount` letter keys have been timed, a
// wrong letter before about one correct key in `missEvery`. With a result
// window host, every third result window is closed again, so that both a new
// window and a reused one are timed.
KeyToScreen measureKeyToScreen(DrillPlayer& player, KSReportHost* host, int keyCount, int missEvery,
                               std::mt19937& random);
