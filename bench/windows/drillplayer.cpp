#include "drillplayer.h"

#include "captionlabel.h"
#include "counterlabel.h"
#include "form1.h"

#include <QAction>
#include <QTest>
#include <QWindow>
#include <stdexcept>

namespace {

template <class T> T* required(const Form1& form, const QString& name) {
    auto* child = form.findChild<T*>(name);
    if (child == nullptr)
        throw std::runtime_error("the main window has no " + name.toStdString());
    return child;
}

} // namespace

DrillPlayer::DrillPlayer(Form1& form)
    : m_form(form)
    , m_cursor(required<CaptionLabel>(form, QStringLiteral("Cursor")))
    , m_remain(required<CounterLabel>(form, QStringLiteral("RemainLabel")))
    , m_miss(required<CounterLabel>(form, QStringLiteral("MissLabel")))
    , m_time(required<CounterLabel>(form, QStringLiteral("TimeLabel"))) {
    for (int i = 0; i < static_cast<int>(m_que.size()); ++i)
        m_que[i] = required<CaptionLabel>(form, QStringLiteral("Que%1").arg(i));
    for (int i = 0; i < static_cast<int>(m_keys.size()); ++i)
        m_keys[i] = required<CaptionLabel>(form, QStringLiteral("Label1_%1").arg(i));
}

void DrillPlayer::chooseKeys(int keys) {
    required<QAction>(m_form, QStringLiteral("TN%1").arg(keys))->trigger();
}

void DrillPlayer::keyDown(char character) {
    QTest::keyPress(m_form.windowHandle(), character);
}

void DrillPlayer::keyUp(char character) {
    QTest::keyRelease(m_form.windowHandle(), character);
}

char DrillPlayer::expected() const {
    const QRect box = m_cursor->geometry();
    for (const CaptionLabel* que : m_que) {
        if (box.contains(que->geometry().center())) {
            const QString caption = que->caption();
            return caption.size() == 1 ? caption.at(0).toLatin1() : '\0';
        }
    }
    return '\0';
}

char DrillPlayer::wrongLetter(char letter, int shift) {
    return static_cast<char>('A' + (letter - 'A' + 1 + shift % 25) % 26);
}

int DrillPlayer::remaining() const {
    return m_remain->caption().toInt();
}

int DrillPlayer::misses() const {
    return m_miss->caption().toInt();
}

QString DrillPlayer::timeCaption() const {
    return m_time->caption();
}

CaptionLabel* DrillPlayer::key(char capital) const {
    return m_keys.at(static_cast<std::size_t>(capital - 'A'));
}
