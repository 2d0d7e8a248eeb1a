#pragma once

#include <QString>
#include <array>

class CaptionLabel;
class CounterLabel;
class Form1;

// Plays the main window as a player does: reads the letter in the cursor box
// off the question labels and types through the window, as the window system
// delivers keys.
class DrillPlayer {
public:
    explicit DrillPlayer(Form1& form);

    // A choice in the TypingNumber menu: 20, 60 or 100 keys a drill.
    void chooseKeys(int keys);

    // Key down and key up of a character key, delivered to the main window.
    void keyDown(char character);
    void keyUp(char character);

    // The capital letter framed by the cursor box; 0 when no letter is framed.
    char expected() const;
    // A capital letter other than `letter`.
    static char wrongLetter(char letter, int shift);

    int remaining() const;
    int misses() const;
    QString timeCaption() const;

    CaptionLabel* key(char capital) const;
    CounterLabel* timeLabel() const { return m_time; }
    Form1& form() const { return m_form; }

private:
    Form1& m_form;
    CaptionLabel* m_cursor = nullptr;
    CounterLabel* m_remain = nullptr;
    CounterLabel* m_miss = nullptr;
    CounterLabel* m_time = nullptr;
    std::array<CaptionLabel*, 20> m_que{};
    std::array<CaptionLabel*, 26> m_keys{};
};
