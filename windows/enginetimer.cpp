#include "enginetimer.h"

EngineTimer::EngineTimer(Qt::TimerType type, QObject* parent)
    : QObject(parent) {
    m_timer.setTimerType(type);
    connect(&m_timer, &QTimer::timeout, this, &EngineTimer::timeout);
}

void EngineTimer::setInterval(int ms) {
    if (ms <= 0) {
        m_timer.stop();
        return;
    }
    if (m_timer.isActive() && m_timer.interval() == ms)
        return;
    m_timer.start(ms);
}

int EngineTimer::interval() const {
    return m_timer.isActive() ? m_timer.interval() : 0;
}

bool EngineTimer::isActive() const {
    return m_timer.isActive();
}

int EngineTimer::remainingTime() const {
    return m_timer.remainingTime();
}

Qt::TimerType EngineTimer::timerType() const {
    return m_timer.timerType();
}
