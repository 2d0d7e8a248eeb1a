#pragma once

#include "ksreportcontrols.h"

#include <string>

// The result window as far as the main window's tests need it: how often it
// was shown and the values written into it.
class StubReport final : public kestrava::KSReportControls {
public:
    void show() override { ++shown; }
    void setTNLabelCaption(const std::string& c) override { tn = c; }
    void setMissLabelCaption(const std::string& c) override { miss = c; }
    void setTimeLabelCaption(const std::string& c) override { time = c; }
    void setSpeedLabelCaption(const std::string& c) override { speed = c; }
    void setExactityLabelCaption(const std::string& c) override { exactity = c; }
    void setEvalLabelCaption(const std::string& c) override { eval = c; }

    int shown = 0;
    std::string tn, miss, time, speed, exactity, eval;
};
