#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kestrava {

// The fields of a drill, with their values before the main window loads.
// The question row has no copy here: its letters live only as the captions of
// the question labels, and the elapsed time only as the clock's caption.
struct DrillState {
    std::int16_t LastKey = 0;                // the code being judged, after case folding
    std::array<std::string, 31> Letters{};   // 0..25 hold "A".."Z" after load
    std::array<std::int16_t, 27> KeyFlash{}; // ticks left per key; slot 26 unused
    std::int16_t CursorPos = 0;
    std::int16_t LineLength = 0;
    std::int16_t LetterRange = 0;
    std::int32_t MissCount = 0; // 32-bit, and held at its largest value rather than wrapping
    bool WaitingForStart = false;
    std::int16_t PickedLetter = 0;
    std::int16_t Remaining = 0;
    std::int16_t TargetCount = 0;
    float Exactity = 0;
    std::int32_t Score = 0;
    std::int16_t AccuracyWeight = 0;
    std::int16_t SpeedWeight = 0;
    float Speed = 0;
};

} // namespace kestrava
