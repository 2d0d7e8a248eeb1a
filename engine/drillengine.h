#pragma once

#include "drillstate.h"
#include "form1controls.h"
#include "ksreportcontrols.h"
#include "randomsource.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kestrava {

// The drill: its state and every event handler of the main window. It knows
// the windows only through their control operations; the time of day, the
// random source and the decimal separator come from outside.
class DrillEngine {
public:
    struct Platform {
        std::function<int()> secondsOfTime; // seconds field of the local time, 0..59
        RandomSource& random;
        std::string decimalSeparator;
    };

    // How far above and left of the letter to type the cursor box stands, in twips, whatever the
    // sizes of the two.
    static constexpr float cursorOffsetTwips = 25;

    DrillEngine(Form1Controls& form, KSReportControls& report, Platform platform);

    void Form_Load();
    void Form_KeyPress(std::int16_t keyAscii);
    void TN20_Click();
    void TN60_Click();
    void TN100_Click();

    void Timer1_Timer(); // ends key flashes
    void Timer2_Timer(); // the drill clock
    void Timer3_Timer(); // blinks the start prompt

    const DrillState& state() const { return m_state; }

private:
    void StartDrill();
    static void ToUpperKey(std::int16_t& code);
    void MoveCursor(std::int16_t i);
    void MakeLine();
    void PickLetter();
    void ShowResults();

    void chooseTargetCount(std::int16_t count);
    void judgeKey(std::int16_t code);
    void showNextKey();
    void endDrill();
    void waitForStart();
    int keyOfQuestion(int i) const;

    Form1Controls& m_form;
    KSReportControls& m_report;
    Platform m_platform;
    DrillState m_state;
};

} // namespace kestrava
