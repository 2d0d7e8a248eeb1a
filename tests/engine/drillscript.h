#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kestrava::test {

// One thing that can happen to the main window.
struct DrillEvent {
    enum class Kind : std::uint8_t {
        Key, // any 16-bit character code, in value
        Hit, // the letter the cursor frames ("A" when it frames none); value 1 = lower case
        TN20,
        TN60,
        TN100,
        Tick,        // a tick of timer value (1..3), only while its interval is not 0
        StrayTick,   // a tick of timer value (1..3) whatever its interval
        CloseReport, // the result window's OK button
        SetSeconds,  // the seconds of the time of day become value (0..59)
    };
    Kind kind = Kind::Key;
    std::int16_t value = 0;
};

std::string describe(const DrillEvent& event);

// Reads bytes as a script of events, so that random bytes make a plausible
// session: most bytes type the expected letter, fewer are wrong keys, ticks
// and Space, and only about one in eighty abandons the drill through the menu,
// so that most drills run to their end. Whatever the bytes, every event is
// one the window could deliver. The first byte chooses the set-up.
class DrillScript {
public:
    struct Setup {
        std::string separator = ".";
        bool edgeFractions = false; // random fractions from the edges of [0, 1)
    };

    explicit DrillScript(std::span<const std::uint8_t> bytes);

    const Setup& setup() const { return m_setup; }
    std::optional<DrillEvent> next();

private:
    std::uint8_t take();

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    Setup m_setup;
};

} // namespace kestrava::test
