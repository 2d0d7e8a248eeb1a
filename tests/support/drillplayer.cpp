#include "drillplayer.h"

#include "captionlabel.h"
#include "counterlabel.h"
#include "form1.h"

#include <QAction>
#include <QTest>
#include <QWindow>

void DrillPlayer::chooseKeys(int keys) {
    m_form.findChild<QAction*>(QStringLiteral("TN%1").arg(keys))->trigger();
}

void DrillPlayer::keyDown(char character) {
    QTest::keyPress(m_form.windowHandle(), character);
}

void DrillPlayer::keyUp(char character) {
    QTest::keyRelease(m_form.windowHandle(), character);
}

void DrillPlayer::type(char character) {
    keyDown(character);
    keyUp(character);
}

char DrillPlayer::expected() const {
    const QRect box = m_form.findChild<QWidget*>(QStringLiteral("Cursor"))->geometry();
    for (int i = 0; i < Form1::queCount; ++i) {
        const auto* que = m_form.findChild<CaptionLabel*>(QStringLiteral("Que%1").arg(i));
        if (box.contains(que->geometry().center()) && que->caption().size() == 1)
            return que->caption().at(0).toLatin1();
    }
    return '\0';
}

char DrillPlayer::wrongLetter(char letter, int shift) {
    return static_cast<char>('A' + (letter - 'A' + 1 + shift % 25) % 26);
}

CaptionLabel* DrillPlayer::key(char capital) const {
    return m_form.findChild<CaptionLabel*>(QStringLiteral("Label1_%1").arg(capital - 'A'));
}

QString DrillPlayer::caption(const char* counter) const {
    return m_form.findChild<CounterLabel*>(QLatin1String(counter))->caption();
}
