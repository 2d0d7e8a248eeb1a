#pragma once

#include <string>

namespace kestrava {

// What the drill engine may do to the result window.
class KSReportControls {
public:
    virtual ~KSReportControls() = default;

    // Creates the window when none exists, then shows it modeless, without
    // an owner, in front: a window still open from the last drill is reused.
    virtual void show() = 0;

    virtual void setTNLabelCaption(const std::string& caption) = 0;
    virtual void setMissLabelCaption(const std::string& caption) = 0;
    virtual void setTimeLabelCaption(const std::string& caption) = 0;
    virtual void setSpeedLabelCaption(const std::string& caption) = 0;
    virtual void setExactityLabelCaption(const std::string& caption) = 0;
    virtual void setEvalLabelCaption(const std::string& caption) = 0;
};

} // namespace kestrava
