#pragma once

#include "colour.h"

#include <string>

namespace kestrava {

// What the drill engine may do to the main window: one method per control
// property it touches, and what a screen reader is told beside them (below).
// Positions are in twips. Key index i is the letter with code 65 + i; question
// index i is 0..19.
class Form1Controls {
public:
    virtual ~Form1Controls() = default;

    virtual void setKeyBackColor(int key, Colour colour) = 0;
    virtual void setKeyBorderStyle(int key, int style) = 0; // 0 none, 1 single line

    virtual std::string queCaption(int i) const = 0;
    virtual void setQueCaption(int i, const std::string& caption) = 0;
    virtual void setQueForeColor(int i, Colour colour) = 0;
    virtual float queLeft(int i) const = 0;
    virtual float queTop(int i) const = 0;

    virtual void setCursorLeft(float left) = 0;
    virtual void setCursorTop(float top) = 0;

    // What a screen reader is told, nothing drawn: the question to type next and the key to press
    // next, -1 for none, said after every key of a drill whether or not they changed; and that a
    // key missed while question i waits, after the miss count's caption has been written, so
    // that the reader says the miss count and the letter again.
    virtual void setLetterToType(int i) = 0;
    virtual void setNextKey(int key) = 0;
    virtual void announceMiss(int i) = 0;

    virtual void setQFrameVisible(bool visible) = 0;
    virtual void setStartLabelVisible(bool visible) = 0;
    virtual bool startLabelEnabled() const = 0;
    virtual void setStartLabelEnabled(bool enabled) = 0;

    virtual void setRemainLabelCaption(const std::string& caption) = 0;
    virtual void setMissLabelCaption(const std::string& caption) = 0;
    // The elapsed time of a drill lives only in this caption.
    virtual std::string timeLabelCaption() const = 0;
    virtual void setTimeLabelCaption(const std::string& caption) = 0;

    // Milliseconds; 0 stops the timer.
    virtual void setTimer1Interval(int ms) = 0;
    virtual void setTimer2Interval(int ms) = 0;
    virtual void setTimer3Interval(int ms) = 0;
};

} // namespace kestrava
