#include "drillresults.h"

#include "numbertext.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace kestrava {

namespace {
constexpr int faultFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// Runs one computation with the status cleared and tells whether it stayed
// valid. An inexact result is normal and not a fault. The caller's status is
// restored afterwards, so a fault found here is not left behind.
template <typename Computation>
auto checked(Computation compute) -> std::optional<decltype(compute())> {
    std::fenv_t outer;
    std::feholdexcept(&outer);
    // volatile keeps the computation from being moved past the status test.
    volatile auto value = compute();
    const bool fault = std::fetestexcept(faultFlags) != 0;
    std::fesetenv(&outer);
    if (fault)
        return std::nullopt;
    return value;
}

std::optional<float> roundedSingle(std::optional<float> value) {
    if (!value)
        return std::nullopt;
    return static_cast<float>(roundToDecimals(static_cast<double>(*value), 4));
}
} // namespace

DrillResults computeResults(const DrillFigures& f) {
    DrillResults results;

    if (f.elapsedSeconds) {
        const double t = *f.elapsedSeconds;
        results.speed = roundedSingle(
            checked([&] { return static_cast<float>(static_cast<double>(f.targetCount) / t); }));
    }

    // Both counters are 32-bit and the sum is formed in double, so no drill
    // can overflow it.
    const double judged = static_cast<double>(f.targetCount) + static_cast<double>(f.missCount);
    results.exactity = roundedSingle(checked(
        [&] { return static_cast<float>(static_cast<double>(f.targetCount) / judged * 100.0); }));

    if (results.speed && results.exactity) {
        const double exactity = *results.exactity;
        const double speed = *results.speed;
        const auto raw = checked([&] {
            return (exactity - (100.0 - exactity)) * static_cast<double>(f.accuracyWeight) +
                   static_cast<double>(f.speedWeight) * speed;
        });
        // nearbyint rounds half to even in the default rounding mode.
        if (raw && std::nearbyint(*raw) >= std::numeric_limits<std::int32_t>::min() &&
            std::nearbyint(*raw) <= std::numeric_limits<std::int32_t>::max())
            results.score = static_cast<std::int32_t>(std::nearbyint(*raw));
    }
    return results;
}

} // namespace kestrava
