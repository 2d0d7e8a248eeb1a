#pragma once

#include <QString>

class CaptionLabel;
class Form1;

// Plays the main window as a player does: reads the letter in the cursor box off the question
// labels and types through the window, as the window system delivers keys.
class DrillPlayer {
public:
    explicit DrillPlayer(Form1& form)
        : m_form(form) {}

    // A choice in the TypingNumber menu: 20, 60 or 100 keys a drill.
    void chooseKeys(int keys);
    void keyDown(char character);
    void keyUp(char character);
    void type(char character);

    // The capital letter framed by the cursor box; 0 when no letter is framed.
    char expected() const;
    // A capital letter other than `letter`.
    static char wrongLetter(char letter, int shift = 0);

    int remaining() const { return caption("RemainLabel").toInt(); }
    int misses() const { return caption("MissLabel").toInt(); }
    QString timeCaption() const { return caption("TimeLabel"); }
    CaptionLabel* key(char capital) const;
    Form1& form() const { return m_form; }

private:
    QString caption(const char* counter) const;

    Form1& m_form;
};
