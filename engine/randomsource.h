#pragma once

namespace kestrava {

// The program's one pseudo-random source.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed(int seed) = 0;
    // Evenly spread in [0, 1).
    virtual float nextFraction() = 0;
};

} // namespace kestrava
