#pragma once

#include "drillengine.h"
#include "fakeform1.h"
#include "mixingrandom.h"

#include <cstdint>
#include <deque>
#include <string>

namespace kestrava::test {

// Fractions chosen by the test; once the script runs out it repeats 0.5 ("M").
class ScriptedRandom final : public RandomSource {
public:
    void reseed(int seed) override { seeds.push_back(seed); }
    float nextFraction() override {
        if (fractions.empty())
            return 0.5f;
        const float f = fractions.front();
        fractions.pop_front();
        return f;
    }

    std::deque<float> fractions;
    std::deque<int> seeds;
};

// A loaded engine wired to fake windows, and the moves of a player.
class DrillHarness {
public:
    explicit DrillHarness(std::string separator = ".", RandomSource* random = nullptr)
        : engine(form, report,
                 {[this] { return seconds; }, random ? *random : m_random, std::move(separator)}) {
        engine.Form_Load();
    }

    // The question label the cursor box frames, found from its position.
    int cursorIndex() const {
        for (int i = 0; i < 20; ++i) {
            if (form.que[i].left - 25 == form.cursorLeft && form.que[i].top - 25 == form.cursorTop)
                return i;
        }
        return -1;
    }
    char expected() const { return form.que.at(cursorIndex()).caption.at(0); }
    static char otherLetter(char c) { return c == 'Q' ? 'W' : 'Q'; }

    void key(char c) { engine.Form_KeyPress(static_cast<std::int16_t>(c)); }
    void start() { key(' '); }
    void hit() { key(expected()); }
    void miss() { key(otherLetter(expected())); }
    // Ticks arrive only while the window's timer has an interval, as from a real timer.
    void ticks(int timer, int n) {
        for (int i = 0; i < n; ++i) {
            if (timer == 1 && form.timer1 != 0)
                engine.Timer1_Timer();
            else if (timer == 2 && form.timer2 != 0)
                engine.Timer2_Timer();
            else if (timer == 3 && form.timer3 != 0)
                engine.Timer3_Timer();
        }
    }

    // Plays a whole drill: misses first, the clock to clockTicks, then the
    // remaining hits, so the drill ends on its last key.
    void playDrill(int misses, int clockTicks) {
        start();
        for (int i = 0; i < misses; ++i)
            miss();
        ticks(2, clockTicks);
        while (!engine.state().WaitingForStart)
            hit();
    }

private:
    MixingRandom m_random{0x5EED};

public:
    FakeForm1 form;
    FakeKSReport report;
    int seconds = 7;
    DrillEngine engine;
};

} // namespace kestrava::test
