// The three timers' ticks: key flash, drill clock, prompt blink.
#include "drillengine.h"
#include "numbertext.h"

namespace kestrava {

void DrillEngine::Timer1_Timer() {
    bool flashing = false;
    for (int k = 0; k < 26; ++k) {
        if (m_state.KeyFlash[k] != 0) {
            --m_state.KeyFlash[k];
            if (m_state.KeyFlash[k] == 0)
                m_form.setKeyBorderStyle(k, 0);
            flashing = flashing || m_state.KeyFlash[k] != 0;
        }
    }
    // With nothing left to flash the timer stops, so a waiting window does not wake 20 times a
    // second, and the next key starts a fresh period: a lone flash lasts its full 250 ms. While
    // other flashes run, each key writes the same 50 ms again, which the window's timer takes as
    // leaving its period alone (EngineTimer::setInterval), or fast typing would starve them.
    if (!flashing)
        m_form.setTimer1Interval(0);
}

void DrillEngine::Timer2_Timer() {
    if (m_state.Remaining == 0)
        return;
    const std::string& separator = m_platform.decimalSeparator;
    // The time is re-read from its two-decimal text on every tick, so no
    // rounding error builds up: after n ticks it shows n x 0.05 exactly.
    const double shown = parseNumber(m_form.timeLabelCaption(), separator).value_or(0.0);
    const double next = roundToDecimals(shown + 1.0 / 20.0, 2);
    m_form.setTimeLabelCaption(clockText(next, separator));
}

void DrillEngine::Timer3_Timer() {
    m_form.setStartLabelEnabled(!m_form.startLabelEnabled());
}

} // namespace kestrava
