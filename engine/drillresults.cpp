#include "drillresults.h"

#include "numbertext.h"

#include <cmath>
#include <limits>

namespace kestrava {

namespace {
float roundedSingle(float value) {
    return static_cast<float>(roundToDecimals(static_cast<double>(value), 4));
}
} // namespace

DrillResults computeResults(const DrillFigures& f) {
    DrillResults results;

    // The clock's text is never negative; "0", before its first tick, would divide by zero.
    if (f.elapsedSeconds && *f.elapsedSeconds > 0)
        results.speed = roundedSingle(static_cast<float>(f.targetCount / *f.elapsedSeconds));

    // Both counters are 32-bit and the sum is formed in double, so no drill
    // can overflow it; a drill lasts at least 20 keys, so it is never zero.
    const double judged = static_cast<double>(f.targetCount) + static_cast<double>(f.missCount);
    results.exactity =
        roundedSingle(static_cast<float>(static_cast<double>(f.targetCount) / judged * 100.0));

    if (results.speed) {
        const double exactity = results.exactity;
        const double speed = *results.speed;
        const double raw = (exactity - (100.0 - exactity)) * static_cast<double>(f.accuracyWeight) +
                           static_cast<double>(f.speedWeight) * speed;
        // nearbyint rounds half to even in the default rounding mode.
        if (std::nearbyint(raw) >= std::numeric_limits<std::int32_t>::min() &&
            std::nearbyint(raw) <= std::numeric_limits<std::int32_t>::max())
            results.score = static_cast<std::int32_t>(std::nearbyint(raw));
    }
    return results;
}

} // namespace kestrava
