#include "mixingrandom.h"

#include <bit>

namespace kestrava {

namespace {
std::uint64_t splitMix64(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
} // namespace

MixingRandom::MixingRandom(std::uint64_t initialSeed) {
    fill(initialSeed);
}

void MixingRandom::fill(std::uint64_t seed) {
    // splitmix64 never yields an all-zero xoshiro state from four draws.
    for (auto& word : m_state)
        word = splitMix64(seed);
}

void MixingRandom::reseed(int seed) {
    fill(next() ^
         (static_cast<std::uint64_t>(static_cast<std::uint32_t>(seed)) * 0xD1B54A32D192ED03ULL));
}

std::uint64_t MixingRandom::next() {
    const std::uint64_t result = std::rotl(m_state[1] * 5, 7) * 9;
    const std::uint64_t t = m_state[1] << 17;
    m_state[2] ^= m_state[0];
    m_state[3] ^= m_state[1];
    m_state[1] ^= m_state[2];
    m_state[0] ^= m_state[3];
    m_state[2] ^= t;
    m_state[3] = std::rotl(m_state[3], 45);
    return result;
}

float MixingRandom::nextFraction() {
    return static_cast<float>(next() >> 40) * 0x1.0p-24f;
}

} // namespace kestrava
