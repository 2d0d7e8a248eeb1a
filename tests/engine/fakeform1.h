#pragma once

#include "form1controls.h"
#include "ksreportcontrols.h"

#include <array>
#include <string>

namespace kestrava::test {

// The main window as a player would see it: the last value written to each
// control property, laid out like the real window (positions in twips).
struct Form1Screen {
    struct Key {
        Colour backColor = colours::lightGreen;
        int borderStyle = 0;
        bool operator==(const Key&) const = default;
    };
    struct Que {
        std::string caption;
        Colour foreColor = colours::lightGreen;
        float left = 0;
        float top = 0;
        bool operator==(const Que&) const = default;
    };

    std::array<Key, 26> key{};
    std::array<Que, 20> que{};
    float cursorLeft = 30;
    float cursorTop = 120;
    bool qFrameVisible = true;
    bool startLabelVisible = true;
    bool startEnabled = true;
    std::string remainLabel = "0";
    std::string missLabel = "0";
    std::string timeLabel = "0";
    int timer1 = 0;
    int timer2 = 0;
    int timer3 = 0;

    int highlightedKeys() const {
        int n = 0;
        for (const Key& k : key)
            n += k.backColor == colours::nextKey ? 1 : 0;
        return n;
    }

    bool operator==(const Form1Screen&) const = default;
};

class FakeForm1 final : public Form1Controls, public Form1Screen {
public:
    FakeForm1() {
        for (int i = 0; i < 20; ++i) {
            que[i].left = static_cast<float>(60 + 510 * (i % 10));
            que[i].top = i < 10 ? 150.0f : 600.0f;
        }
    }

    void setKeyBackColor(int k, Colour c) override { key.at(k).backColor = c; }
    void setKeyBorderStyle(int k, int style) override { key.at(k).borderStyle = style; }
    std::string queCaption(int i) const override { return que.at(i).caption; }
    void setQueCaption(int i, const std::string& c) override { que.at(i).caption = c; }
    void setQueForeColor(int i, Colour c) override { que.at(i).foreColor = c; }
    float queLeft(int i) const override { return que.at(i).left; }
    float queTop(int i) const override { return que.at(i).top; }
    void setCursorLeft(float left) override { cursorLeft = left; }
    void setCursorTop(float top) override { cursorTop = top; }
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
};

// The result window: whether it exists, how often it was made and shown,
// and its six values.
class FakeKSReport final : public KSReportControls {
public:
    void show() override {
        if (!exists) {
            exists = true;
            ++created;
            tn = miss = time = speed = exactity = eval = "00000";
        }
        ++shown;
    }
    void setTNLabelCaption(const std::string& c) override { tn = c; }
    void setMissLabelCaption(const std::string& c) override { miss = c; }
    void setTimeLabelCaption(const std::string& c) override { time = c; }
    void setSpeedLabelCaption(const std::string& c) override { speed = c; }
    void setExactityLabelCaption(const std::string& c) override { exactity = c; }
    void setEvalLabelCaption(const std::string& c) override { eval = c; }

    // What the OK button does.
    void close() { exists = false; }

    bool exists = false;
    int created = 0;
    int shown = 0;
    std::string tn, miss, time, speed, exactity, eval;
};

} // namespace kestrava::test
