#pragma once

#include "drillengine.h"
#include "mixingrandom.h"

#include <deque>
#include <optional>
#include <string_view>

namespace kestrava::test {

// The main window as a player sees it: the last value written to each control (colours 0 until
// the engine sets them). Its twenty questions stand in four rows of five, unlike the real
// window's two of ten, so that an engine that put the box anywhere but by the question's own
// place would show.
struct FakeForm1 final : Form1Controls {
    void setKeyBackColor(int k, Colour c) override { keyColour.at(k) = c; }
    void setKeyBorderStyle(int k, int style) override { keyBorder.at(k) = style; }
    std::string queCaption(int i) const override { return que.at(i); }
    void setQueCaption(int i, const std::string& c) override { que.at(i) = c; }
    void setQueForeColor(int i, Colour c) override { queColour.at(i) = c; }
    float queLeft(int i) const override { return 100.0f + 700.0f * static_cast<float>(i % 5); }
    float queTop(int i) const override { return 40.0f + 555.0f * static_cast<float>(i / 5); }
    void setCursorLeft(float left) override { cursorLeft = left; }
    void setCursorTop(float top) override { cursorTop = top; }
    void setLetterToType(int i) override { letterToType = i; }
    void setNextKey(int k) override { nextKey = k; }
    // What a reader last heard of a miss: the miss count and the letter, as they read then.
    void announceMiss(int i) override { missHeard = missLabel + " " + que.at(i); }
    void setQFrameVisible(bool v) override { qFrameVisible = v; }
    void setStartLabelVisible(bool v) override { startLabelVisible = v; }
    bool startLabelEnabled() const override { return startEnabled; }
    void setStartLabelEnabled(bool e) override { startEnabled = e; }
    void setRemainLabelCaption(const std::string& c) override { remainLabel = c; }
    void setMissLabelCaption(const std::string& c) override { missLabel = c; }
    std::string timeLabelCaption() const override { return timeLabel; }
    void setTimeLabelCaption(const std::string& c) override { timeLabel = c; }
    void setTimer1Interval(int ms) override { timer1 = ms; }
    void setTimer2Interval(int ms) override { timer2 = ms; }
    void setTimer3Interval(int ms) override { timer3 = ms; }

    // The question the cursor box frames, -1 for none.
    int boxed() const {
        constexpr float off = DrillEngine::cursorOffsetTwips;
        for (int i = 0; i < 20; ++i)
            if (queLeft(i) - off == cursorLeft && queTop(i) - off == cursorTop)
                return i;
        return -1;
    }

    std::array<Colour, 26> keyColour{};
    std::array<int, 26> keyBorder{};
    std::array<std::string, 20> que;
    std::array<Colour, 20> queColour{};
    float cursorLeft = 30, cursorTop = 120;
    bool qFrameVisible = true, startLabelVisible = true, startEnabled = true;
    std::string remainLabel = "0", missLabel = "0", timeLabel = "0", missHeard = "-";
    int letterToType = -1, nextKey = -1, timer1 = 0, timer2 = 0, timer3 = 0; // timers in ms, 0: off
};

// The result window: its six values, which read "00000" in a window just made, as in the real one.
struct FakeKSReport final : KSReportControls {
    void show() override {
        if (!exists)
            tn = miss = time = speed = exactity = eval = "00000";
        exists = true;
    }
    void setTNLabelCaption(const std::string& c) override { tn = c; }
    void setMissLabelCaption(const std::string& c) override { miss = c; }
    void setTimeLabelCaption(const std::string& c) override { time = c; }
    void setSpeedLabelCaption(const std::string& c) override { speed = c; }
    void setExactityLabelCaption(const std::string& c) override { exactity = c; }
    void setEvalLabelCaption(const std::string& c) override { eval = c; }

    bool exists = false;
    std::string tn, miss, time, speed, exactity, eval;
};

// The source of the question letters: the queued fractions first, then the mixing generator's
// when one is set, else 0.5, an "M", for ever.
struct ScriptedRandom final : RandomSource {
    void reseed(int seed) override {
        ++reseeds;
        lastSeed = seed;
        if (generator)
            generator->reseed(seed);
    }
    float nextFraction() override {
        if (fractions.empty())
            return generator ? generator->nextFraction() : 0.5f;
        const float f = fractions.front();
        fractions.pop_front();
        return f;
    }

    std::deque<float> fractions;
    std::optional<MixingRandom> generator;
    int reseeds = 0, lastSeed = -1;
};

// A loaded engine on the fake windows, the seconds of its time of day and its random letters in
// the test's hands, and the moves of a player.
struct DrillHarness {
    explicit DrillHarness(std::string separator = ".")
        : engine(form, report, {[this] { return seconds; }, random, std::move(separator)}) {
        engine.Form_Load();
    }

    // The letter in the box, found from where the box is; "?" when it frames none.
    char expected() const {
        const int i = form.boxed();
        return i < 0 || form.que[i].empty() ? '?' : form.que[i][0];
    }
    void key(int code) { engine.Form_KeyPress(static_cast<std::int16_t>(code)); }

    // Steps: a key as its one character, as #code or as space; menu20, menu60 or menu100; flash,
    // clock or blink (a tick of timer 1, 2 or 3, only while it runs, as from a real timer); stray
    // (a clock tick whatever its timer); secN (the time of day's seconds become N); drawF (F is the
    // next random fraction). In text, steps are separated by blanks and step*N repeats one.
    void play(std::string_view text);
    void step(const std::string& step);

    FakeForm1 form;
    FakeKSReport report;
    ScriptedRandom random;
    int seconds = 7;
    DrillEngine engine;
};

} // namespace kestrava::test
