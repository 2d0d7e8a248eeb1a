#include "drillscript.h"

#include <array>

namespace kestrava::test {

namespace {
// Codes around the edges of the letter ranges and of the folding, and some
// beyond the single-byte range, which a random 16-bit code rarely lands on.
constexpr std::array<std::int16_t, 24> edgeCodes{
    0,   8,   13,  31,  32,  64,  65,  90,  91,     96,   97, 122,
    123, 126, 127, 128, 160, 255, 256, 321, 0x3042, -223, -1, -32768,
};

DrillEvent key(int code) {
    return {DrillEvent::Kind::Key, static_cast<std::int16_t>(code)};
}
} // namespace

std::string describe(const DrillEvent& event) {
    const std::string value = std::to_string(event.value);
    switch (event.kind) {
    case DrillEvent::Kind::Key:
        return "key " + value;
    case DrillEvent::Kind::Hit:
        return event.value ? "expected letter, lower case" : "expected letter";
    case DrillEvent::Kind::TN20:
        return "menu 20";
    case DrillEvent::Kind::TN60:
        return "menu 60";
    case DrillEvent::Kind::TN100:
        return "menu 100";
    case DrillEvent::Kind::Tick:
        return "tick of Timer" + value;
    case DrillEvent::Kind::StrayTick:
        return "stray tick of Timer" + value;
    case DrillEvent::Kind::CloseReport:
        return "result window closed";
    case DrillEvent::Kind::SetSeconds:
        return "seconds " + value;
    }
    return "unknown event";
}

DrillScript::DrillScript(std::span<const std::uint8_t> bytes)
    : m_bytes(bytes) {
    if (m_bytes.empty())
        return;
    const std::uint8_t first = take();
    m_setup.separator = (first & 1) ? "," : ".";
    m_setup.edgeFractions = (first & 2) != 0;
}

std::uint8_t DrillScript::take() {
    return m_pos < m_bytes.size() ? m_bytes[m_pos++] : 0;
}

std::optional<DrillEvent> DrillScript::next() {
    using Kind = DrillEvent::Kind;
    if (m_pos >= m_bytes.size())
        return std::nullopt;
    const int b = take();
    if (b < 100)
        return DrillEvent{Kind::Hit, static_cast<std::int16_t>(b & 1)};
    if (b < 152) {
        const int letter = b - 100;
        return key(letter < 26 ? 'A' + letter : 'a' + letter - 26);
    }
    if (b < 164)
        return key(' ');
    if (b < 172) {
        const int low = take();
        return key(low | take() << 8);
    }
    if (b < 180)
        return key(edgeCodes[take() % edgeCodes.size()]);
    if (b == 180)
        return DrillEvent{Kind::TN20};
    if (b == 181)
        return DrillEvent{Kind::TN60};
    if (b == 182)
        return DrillEvent{Kind::TN100};
    if (b < 203)
        return DrillEvent{Kind::Tick, 1};
    if (b < 233)
        return DrillEvent{Kind::Tick, 2};
    if (b < 241)
        return DrillEvent{Kind::Tick, 3};
    if (b < 244)
        return DrillEvent{Kind::StrayTick, static_cast<std::int16_t>(b - 240)};
    if (b < 248)
        return DrillEvent{Kind::CloseReport};
    if (b < 250)
        return DrillEvent{Kind::SetSeconds, static_cast<std::int16_t>(take() % 60)};
    return DrillEvent{Kind::Hit, static_cast<std::int16_t>(b & 1)};
}

} // namespace kestrava::test
