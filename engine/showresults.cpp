// The end-of-drill step: the result window and its six values.
#include "drillengine.h"
#include "drillresults.h"
#include "numbertext.h"
#include "rating.h"

namespace kestrava {

namespace {
// Shown for a figure that has no valid value, so that nothing is left
// showing the previous drill's numbers as if they were this drill's.
const std::string noValue = "-";
} // namespace

void DrillEngine::ShowResults() {
    const std::string& separator = m_platform.decimalSeparator;
    m_report.show();
    m_report.setTNLabelCaption(integerText(m_state.TargetCount));
    m_report.setMissLabelCaption(integerText(m_state.MissCount));
    const std::string clock = m_form.timeLabelCaption();
    m_report.setTimeLabelCaption(clock);

    const DrillResults results = computeResults({
        .targetCount = m_state.TargetCount,
        .missCount = m_state.MissCount,
        .accuracyWeight = m_state.AccuracyWeight,
        .speedWeight = m_state.SpeedWeight,
        .elapsedSeconds = parseNumber(clock, separator),
    });

    // Figures without a valid value keep the stored ones of the last drill.
    if (results.speed)
        m_state.Speed = *results.speed;
    m_state.Exactity = results.exactity;
    if (results.score)
        m_state.Score = *results.score;

    m_report.setSpeedLabelCaption(results.speed ? floatText(*results.speed, separator) : noValue);
    m_report.setExactityLabelCaption(floatText(results.exactity, separator));
    m_report.setEvalLabelCaption(results.score ? ratingWord(*results.score) : noValue);
}

} // namespace kestrava
