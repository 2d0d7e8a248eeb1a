#pragma once

#include "randomsource.h"

#include <array>
#include <cstdint>

namespace kestrava {

// xoshiro256** whose reseed mixes the seed into the running state instead of
// restarting from it. Rows are reseeded with the seconds of the time of day;
// restarting from that alone would allow only 60 different first rows.
class MixingRandom final : public RandomSource {
public:
    explicit MixingRandom(std::uint64_t initialSeed);

    void reseed(int seed) override;
    // k / 2^24 for a 24-bit k: exact in single precision, never 1.
    float nextFraction() override;

private:
    std::uint64_t next();
    void fill(std::uint64_t seed);

    std::array<std::uint64_t, 4> m_state{};
};

} // namespace kestrava
