#include "enginetimer.h"

#include <QTimer>

namespace {

class QtTimer final : public EngineTimer {
public:
    QtTimer(Qt::TimerType type, QObject* parent)
        : EngineTimer(parent)
        , m_timer(this) {
        m_timer.setTimerType(type);
        connect(&m_timer, &QTimer::timeout, this, &EngineTimer::timeout);
    }

    void setInterval(int ms) override {
        if (ms <= 0)
            m_timer.stop();
        // Writing the interval a running timer already has leaves its period alone:
        // restarting it would let a fast typist, who rewrites the flash interval on every key,
        // keep the flash timer from ever firing.
        else if (!m_timer.isActive() || m_timer.interval() != ms)
            m_timer.start(ms);
    }

    int interval() const override { return m_timer.isActive() ? m_timer.interval() : 0; }

private:
    QTimer m_timer; // a child, so that a test can find it and read its type
};

} // namespace

TimerSource qtTimers() {
    return [](Qt::TimerType type, QObject* parent) -> EngineTimer* {
        return new QtTimer(type, parent);
    };
}
