#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrava {

// The figures of a finished drill. A figure without a valid value (the clock
// never ticked, or the floating-point status flagged a fault) is empty, and so
// is every figure computed from it.
struct DrillResults {
    std::optional<float> speed;    // keys per displayed second, four decimals
    std::optional<float> exactity; // percent of correct keys, four decimals
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
