// Loading, starting a drill, judging typed keys and the menu choices.
#include "drillengine.h"
#include "numbertext.h"

#include <limits>
#include <utility>

namespace kestrava {

namespace {
constexpr std::int16_t space = 32;
constexpr int keyCount = 26;
constexpr std::int16_t rowLength = 20;
constexpr int flashTicks = 5;
constexpr int flashIntervalMs = 50;
constexpr int clockIntervalMs = 15;
constexpr int blinkIntervalMs = 500;
} // namespace

DrillEngine::DrillEngine(Form1Controls& form, KSReportControls& report, Platform platform)
    : m_form(form)
    , m_report(report)
    , m_platform(std::move(platform)) {}

void DrillEngine::Form_Load() {
    m_form.setQFrameVisible(false);
    for (int i = 0; i < keyCount; ++i)
        m_state.Letters[i] = std::string(1, static_cast<char>('A' + i));
    m_state.LetterRange = 25;
    m_state.TargetCount = 60;
    m_state.AccuracyWeight = 1000;
    m_state.SpeedWeight = 1000;
    m_state.WaitingForStart = true;
    m_form.setTimer3Interval(blinkIntervalMs);
}

void DrillEngine::Form_KeyPress(std::int16_t keyAscii) {
    if (keyAscii == space && m_state.WaitingForStart) {
        StartDrill();
        m_state.WaitingForStart = false;
        m_form.setStartLabelVisible(false);
        m_form.setTimer3Interval(0);
        m_form.setQFrameVisible(true);
        return;
    }
    if (m_state.WaitingForStart)
        return;
    judgeKey(keyAscii);
}

void DrillEngine::judgeKey(std::int16_t code) {
    m_state.LastKey = code;
    ToUpperKey(m_state.LastKey);

    const int pressed = m_state.LastKey - 'A';
    if (pressed >= 0 && pressed < keyCount) {
        m_form.setKeyBorderStyle(pressed, 1);
        m_state.KeyFlash[pressed] = flashTicks;
        m_form.setTimer1Interval(flashIntervalMs);
    }

    const std::string expected = m_form.queCaption(m_state.CursorPos);
    const bool hit = expected.size() == 1 && expected[0] == m_state.LastKey;
    if (hit) {
        if (const int key = keyOfQuestion(m_state.CursorPos); key >= 0)
            m_form.setKeyBackColor(key, colours::lightGreen);
        m_form.setQueForeColor(m_state.CursorPos, colours::olive);
        ++m_state.CursorPos;
        --m_state.Remaining;
        m_form.setRemainLabelCaption(integerText(m_state.Remaining));
        if (m_state.Remaining == 0) {
            endDrill();
            return;
        }
        if (m_state.CursorPos >= m_state.LineLength) {
            m_state.CursorPos = 0;
            MakeLine();
        }
    } else {
        if (m_state.MissCount < std::numeric_limits<std::int32_t>::max())
            ++m_state.MissCount;
        m_form.setMissLabelCaption(integerText(m_state.MissCount));
    }

    MoveCursor(m_state.CursorPos);
    showNextKey();
    if (!hit)
        m_form.announceMiss(m_state.CursorPos);
}

void DrillEngine::showNextKey() {
    const int key = keyOfQuestion(m_state.CursorPos);
    if (key >= 0)
        m_form.setKeyBackColor(key, colours::nextKey);
    m_form.setLetterToType(m_state.CursorPos);
    m_form.setNextKey(key);
}

void DrillEngine::endDrill() {
    waitForStart();
    ShowResults();
}

void DrillEngine::waitForStart() {
    m_form.setLetterToType(-1);
    m_form.setNextKey(-1);
    m_form.setTimer2Interval(0);
    m_form.setTimer3Interval(blinkIntervalMs);
    m_form.setQFrameVisible(false);
    m_form.setStartLabelVisible(true);
    m_state.WaitingForStart = true;
}

void DrillEngine::StartDrill() {
    m_state.Remaining = m_state.TargetCount;
    m_form.setRemainLabelCaption(integerText(m_state.Remaining));
    m_state.CursorPos = 0;
    m_state.LineLength = rowLength;
    m_state.MissCount = 0;
    m_form.setTimeLabelCaption("0");
    m_form.setTimer2Interval(clockIntervalMs);
    m_form.setMissLabelCaption(integerText(m_state.MissCount));
    for (int i = 0; i < keyCount; ++i)
        m_form.setKeyBackColor(i, colours::lightGreen);
    MakeLine();
    MoveCursor(m_state.CursorPos);
    showNextKey();
}

void DrillEngine::ToUpperKey(std::int16_t& code) {
    // The range runs to 127, not 122: "{" to DEL fold onto "[" to "_", which
    // are no letters and so stay misses.
    if (code >= 97 && code <= 127)
        code = static_cast<std::int16_t>(code - 32);
}

void DrillEngine::MoveCursor(std::int16_t i) {
    m_form.setCursorTop(m_form.queTop(i) - cursorOffsetTwips);
    m_form.setCursorLeft(m_form.queLeft(i) - cursorOffsetTwips);
}

int DrillEngine::keyOfQuestion(int i) const {
    // Captions only ever come from Letters, so this is always a key index
    // once a drill has started; anything else is ignored rather than trusted.
    const std::string caption = m_form.queCaption(i);
    if (caption.empty())
        return -1;
    const int key = static_cast<unsigned char>(caption[0]) - 'A';
    return key >= 0 && key < keyCount ? key : -1;
}

void DrillEngine::chooseTargetCount(std::int16_t count) {
    waitForStart();
    m_state.TargetCount = count;
}

void DrillEngine::TN20_Click() {
    chooseTargetCount(20);
}

void DrillEngine::TN60_Click() {
    chooseTargetCount(60);
}

void DrillEngine::TN100_Click() {
    chooseTargetCount(100);
}

} // namespace kestrava
