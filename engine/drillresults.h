#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrava {

// The figures of a finished drill. The speed of a drill the clock never ticked
// in has no valid value and is empty, and so is the score computed from it.
struct DrillResults {
    std::optional<float> speed; // keys per displayed second, four decimals
    float exactity = 0;         // percent of correct keys, four decimals
    std::optional<std::int32_t> score;
};

struct DrillFigures {
    std::int32_t targetCount = 0;
    std::int32_t missCount = 0;
    std::int32_t accuracyWeight = 0;
    std::int32_t speedWeight = 0;
    std::optional<double> elapsedSeconds; // the clock text read back; empty if unreadable
};

DrillResults computeResults(const DrillFigures& figures);

} // namespace kestrava
