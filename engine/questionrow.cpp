// Drawing the twenty random letters of a question row.
#include "drillengine.h"

#include <cmath>

namespace kestrava {

void DrillEngine::MakeLine() {
    m_platform.random.reseed(m_platform.secondsOfTime());
    for (int i = 0; i < m_state.LineLength; ++i) {
        PickLetter();
        m_form.setQueCaption(i, m_state.Letters[m_state.PickedLetter]);
        m_form.setQueForeColor(i, colours::lightGreen);
    }
}

void DrillEngine::PickLetter() {
    const float r = m_platform.random.nextFraction();
    // A single times 25 is exact in double. Rounding, not truncation, with
    // halves to even: "A" and "Z" get half the share of the other letters.
    const double x = static_cast<double>(r) * static_cast<double>(m_state.LetterRange);
    m_state.PickedLetter = static_cast<std::int16_t>(std::nearbyint(x));
}

} // namespace kestrava
