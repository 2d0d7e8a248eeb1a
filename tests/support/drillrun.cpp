#include "drillrun.h"

#include "numbertext.h"

#include <algorithm>
#include <cfenv>

namespace kestrava::test {

namespace {
// The step that the bytes from i make, with DrillScript's proportions.
std::string step(std::span<const std::uint8_t> bytes, std::size_t& i) {
    auto take = [&] { return i < bytes.size() ? bytes[i++] : 0; };
    const int b = take();
    if (b < 100 || b >= 250)
        return b & 1 ? "smallhit" : "hit";
    if (b < 152)
        return std::string(1, static_cast<char>(b < 126 ? 'A' + b - 100 : 'a' + b - 126));
    if (b < 164)
        return "space";
    if (b < 180) {
        const int low = take();
        return "#" + std::to_string(static_cast<std::int16_t>(low | take() << 8));
    }
    if (b == 180)
        return "menu" + std::to_string(std::array{20, 60, 100}[take() % 3]);
    if (b < 241)
        return b < 203 ? "flash" : b < 233 ? "clock" : "blink";
    return b < 248 ? "close" : "sec" + std::to_string(take() % 60);
}
} // namespace

std::vector<std::string> readScript(std::span<const std::uint8_t> bytes) {
    std::vector<std::string> steps;
    for (std::size_t i = 0; i < bytes.size();)
        steps.push_back(step(bytes, i));
    return steps;
}

DrillRun::DrillRun(const std::string& separator)
    : harness(separator)
    , m_separator(separator) {
    harness.random.generator.emplace(0x5EED);
}

std::string DrillRun::apply(const std::string& step) {
    const FakeForm1& f = harness.form;
    const auto code = harness.keyOf(step);
    const int folded = code && *code >= 97 && *code <= 127 ? *code - 32 : code.value_or(-1);
    const std::string& letter = f.que[m_hits % 20];
    const bool hit = m_running && letter.size() == 1 && letter[0] == folded;
    m_ticks += step == "clock" && f.timer2 != 0;
    if (step == "close") {
        reportsClosed += m_reportOpen;
        m_reportOpen = false;
    } else if (step.starts_with("menu")) {
        abandoned += m_running;
        m_running = false;
        m_target = std::stoi(step.substr(4));
    } else if (!m_running && code == ' ') {
        m_running = m_started = true;
        m_drillTarget = m_target;
        m_hits = m_misses = m_ticks = 0;
        ++m_told;
    } else if (m_running && code && !hit) {
        ++m_misses;
        ++m_told; // the same letter again
    } else if (hit && ++m_hits == m_drillTarget) {
        m_running = false;
        m_reportOpen = true;
        ++finished;
        finishedUntimed += m_ticks == 0;
    } else if (hit && m_hits % 20 == 0) { // the hit counted above ended a row
        ++refills;
    }
    m_told += hit && m_running;
    std::feclearexcept(FE_ALL_EXCEPT);
    harness.step(step);
    ++m_steps;
    const std::string broken = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW)
                                   ? "a floating-point fault flag is left set"
                                   : check();
    return broken.empty() ? "" : "step " + std::to_string(m_steps) + ", " + step + ": " + broken;
}

std::string DrillRun::play(const std::vector<std::string>& steps) {
    for (const std::string& step : steps) {
        if (std::string broken = apply(step); !broken.empty())
            return broken;
    }
    return {};
}

std::string DrillRun::check() const {
    const DrillState& s = harness.engine.state();
    const FakeForm1& f = harness.form;
    const FakeKSReport& r = harness.report;
    const bool over = m_started && m_hits == m_drillTarget;
    const int cursor = over ? 20 : m_hits % 20;

    int flashing = 0, badKeys = 0, highlighted = 0, badLetters = 0;
    for (int k = 0; k < 26; ++k) {
        flashing += s.KeyFlash[k] != 0;
        highlighted += f.keyColour[k] == colours::nextKey;
        badKeys += s.KeyFlash[k] < 0 || s.KeyFlash[k] > 5 || f.keyBorder[k] != (s.KeyFlash[k] != 0);
    }
    for (int i = 0; i < 20 && m_started; ++i) {
        badLetters += f.que[i].size() != 1 || f.que[i][0] < 'A' || f.que[i][0] > 'Z' ||
                      f.queColour[i] != (i < cursor ? colours::olive : colours::lightGreen);
    }
    const std::pair<bool, const char*> rules[] = {
        {s.TargetCount == m_target && s.WaitingForStart != m_running && s.MissCount == m_misses &&
             s.Remaining == (m_started ? m_drillTarget - m_hits : 0) && s.CursorPos == cursor,
         "TargetCount, WaitingForStart, MissCount, Remaining or CursorPos is not the steps'"},
        {f.remainLabel == std::to_string(s.Remaining) && f.missLabel == std::to_string(m_misses) &&
             f.timeLabel == (m_ticks ? clockText(m_ticks * 0.05, m_separator) : "0"),
         "the remaining keys or the misses show another number, or the clock not ticks x 0.05 s"},
        {badKeys == 0, "a key has a flash outside 0..5 or a border not matching it"},
        {badLetters == 0, "a question is no capital letter or has the wrong colour for its place"},
        {highlighted == (m_started && !over) && (!m_started || f.boxed() == std::min(cursor, 19)),
         "not exactly one key highlighted while keys remain, or the box not on the letter to type"},
        {f.letterToType == (m_running ? f.boxed() : -1) &&
             f.nextKey == (m_running && f.boxed() >= 0 ? f.que[f.boxed()][0] - 'A' : -1),
         "a screen reader is told another letter to type or key to press than the box's"},
        {f.lettersTold == m_told,
         "the letter to type is not told again after every key of a drill, a miss included"},
        {f.timer1 == (flashing ? 50 : 0) && f.timer2 == (m_running ? 15 : 0) &&
             f.timer3 == (m_running ? 0 : 500),
         "not flash timer exactly while keys flash, clock in a drill and blink while waiting"},
        {f.qFrameVisible == m_running && f.startLabelVisible != m_running,
         "the question frame or the prompt shows at the wrong time"},
        {r.exists == m_reportOpen && r.shown == finished &&
             (!over ||
              (r.tn == std::to_string(m_drillTarget) && r.miss == std::to_string(m_misses) &&
               r.time == f.timeLabel && (m_ticks != 0 || r.speed == "-"))),
         "the result window is not shown with the drill's keys, misses and time at its end"},
    };
    for (const auto& [holds, rule] : rules) {
        if (!holds)
            return rule;
    }
    return {};
}

} // namespace kestrava::test
