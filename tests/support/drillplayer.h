#pragma once

#include "captionlabel.h"
#include "counterlabel.h"
#include "form1.h"

#include <QAction>
#include <QTest>
#include <QWindow>

// Plays the main window as a player does: reads the letter in the cursor box off the question
// labels and types through the window, as the window system delivers keys.
class DrillPlayer {
public:
    explicit DrillPlayer(Form1& form)
        : m_form(form) {}

    // A choice in the TypingNumber menu: 20, 60 or 100 keys a drill.
    void chooseKeys(int keys) {
        m_form.findChild<QAction*>(QStringLiteral("TN%1").arg(keys))->trigger();
    }
    void keyDown(char character) { QTest::keyPress(m_form.windowHandle(), character); }
    void keyUp(char character) { QTest::keyRelease(m_form.windowHandle(), character); }
    void type(char character) {
        keyDown(character);
        keyUp(character);
    }

    // The capital letter framed by the cursor box; 0 when no letter is framed.
    char expected() const {
        const QRect box = m_form.findChild<QWidget*>(QStringLiteral("Cursor"))->geometry();
        for (int i = 0; i < Form1::queCount; ++i) {
            const auto* que = m_form.findChild<CaptionLabel*>(QStringLiteral("Que%1").arg(i));
            if (box.contains(que->geometry().center()) && que->caption().size() == 1)
                return que->caption().at(0).toLatin1();
        }
        return '\0';
    }
    // A capital letter other than `letter`.
    static char wrongLetter(char letter, int shift = 0) {
        return static_cast<char>('A' + (letter - 'A' + 1 + shift % 25) % 26);
    }

    int remaining() const { return caption("RemainLabel").toInt(); }
    int misses() const { return caption("MissLabel").toInt(); }

private:
    QString caption(const char* counter) const {
        return m_form.findChild<CounterLabel*>(QLatin1String(counter))->caption();
    }

    Form1& m_form;
};
