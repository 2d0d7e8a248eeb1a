#include "drillresults.h"

#include "numbertext.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace kestrava {

namespace {
constexpr int faultFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// Keeps the caller's floating-point status out of the result computations
// and restores it afterwards, so a fault found here is not left behind. One
// save and restore for all three computations: each costs more than the
// computations themselves.
class StatusGuard {
public:
    StatusGuard() { std::feholdexcept(&m_outer); }
    ~StatusGuard() { std::fesetenv(&m_outer); }
    StatusGuard(const StatusGuard&) = delete;
    StatusGuard& operator=(const StatusGuard&) = delete;

private:
    std::fenv_t m_outer;
};

// Runs one computation with the fault flags cleared and tells whether it
// stayed valid. An inexact result is normal and not a fault.
template <typename Computation>
auto checked(Computation compute) -> std::optional<decltype(compute())> {
    std::feclearexcept(faultFlags);
    // volatile keeps the computation from being moved past the status test.
    volatile auto value = compute();
    if (std::fetestexcept(faultFlags) != 0)
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
    const StatusGuard status;
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
