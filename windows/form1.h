#pragma once

#include "drillengine.h"
#include "enginetimer.h"
#include "form1controls.h"
#include "ksreportcontrols.h"
#include "mixingrandom.h"

#include <QMainWindow>
#include <array>

class CaptionLabel;
class CounterLabel;
class Notice;
class QAction;
class QKeyEvent;

// The drill window. It lays out its controls, hands every typed character,
// menu choice and timer tick to the drill engine and carries out the engine's
// writes to its controls and what the engine tells a screen reader; it
// decides nothing itself. Positions the engine
// reads and writes are in twips.
//
// Controls carry their designed names as object names: "Label7", "Frame3",
// "Frame4", "Frame5", "Label3", "Label4", "Label5", "RemainLabel",
// "TimeLabel", "MissLabel", "Line4", "Line5", "QFrame", "Cursor", "Que0" to
// "Que19", "StartLabel", "Frame1", "Label1_0" ("A") to "Label1_25" ("Z");
// the menus "setting" and "TypingNumber" and the actions "TN20", "TN60",
// "TN100"; the timers "Timer1", "Timer2", "Timer3".
class Form1 : public QMainWindow, public kestrava::Form1Controls {
    Q_OBJECT

public:
    static constexpr int keyCount = 26;
    static constexpr int queCount = 20;

    // Builds the window and runs the engine's load handler; the window is
    // ready to show.
    explicit Form1(kestrava::KSReportControls& report, const TimerSource& timers = qtTimers(),
                   QWidget* parent = nullptr);
    ~Form1() override;

    void setKeyBackColor(int key, kestrava::Colour colour) override;
    void setKeyBorderStyle(int key, int style) override;

    std::string queCaption(int i) const override;
    void setQueCaption(int i, const std::string& caption) override;
    void setQueForeColor(int i, kestrava::Colour colour) override;
    float queLeft(int i) const override;
    float queTop(int i) const override;

    void setCursorLeft(float left) override;
    void setCursorTop(float top) override;

    void setLetterToType(int i) override;
    void setNextKey(int key) override;
    void announceMiss(int i) override;

    void setQFrameVisible(bool visible) override;
    void setStartLabelVisible(bool visible) override;
    bool startLabelEnabled() const override;
    void setStartLabelEnabled(bool enabled) override;

    void setRemainLabelCaption(const std::string& caption) override;
    void setMissLabelCaption(const std::string& caption) override;
    std::string timeLabelCaption() const override;
    void setTimeLabelCaption(const std::string& caption) override;

    void setTimer1Interval(int ms) override;
    void setTimer2Interval(int ms) override;
    void setTimer3Interval(int ms) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Tab and Backtab are typed characters here, not focus moves.
    bool focusNextPrevChild(bool next) override;

private:
    void buildClientArea();
    void buildMenu();
    void announceReadingFocus();

    kestrava::MixingRandom m_random;
    kestrava::DrillEngine m_engine;
    EngineTimer* m_timer1 = nullptr;
    EngineTimer* m_timer2 = nullptr;
    EngineTimer* m_timer3 = nullptr;

    std::array<CaptionLabel*, keyCount> m_keys{};
    std::array<CaptionLabel*, queCount> m_que{};
    CaptionLabel* m_cursor = nullptr;
    QWidget* m_qFrame = nullptr;
    CaptionLabel* m_startLabel = nullptr;
    CounterLabel* m_remainLabel = nullptr;
    CounterLabel* m_timeLabel = nullptr;
    CounterLabel* m_missLabel = nullptr;
    CaptionLabel* m_missCaption = nullptr;
    CaptionLabel* m_letterToType = nullptr;
    CaptionLabel* m_nextKey = nullptr;
    Notice* m_missNotice = nullptr;
};
