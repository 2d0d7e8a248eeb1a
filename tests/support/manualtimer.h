#pragma once

#include "enginetimer.h"

// A window's timer that ticks only when a test fires it, and like a real one only while it has
// an interval: tests drive time themselves instead of waiting for it.
struct ManualTimer final : EngineTimer {
    using EngineTimer::EngineTimer;
    void setInterval(int ms) override { m_interval = ms > 0 ? ms : 0; }
    int interval() const override { return m_interval; }
    int m_interval = 0;
};

inline TimerSource manualTimers() {
    return [](Qt::TimerType, QObject* parent) -> EngineTimer* { return new ManualTimer(parent); };
}

// Ticks the named timer of a window, as often as asked, while it runs.
inline void fire(const QObject& window, const char* name, int times = 1) {
    auto* timer = window.findChild<EngineTimer*>(QLatin1String(name));
    for (int i = 0; timer != nullptr && i < times && timer->interval() != 0; ++i)
        emit timer->timeout();
}
