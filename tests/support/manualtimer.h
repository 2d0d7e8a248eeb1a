#pragma once

#include "enginetimer.h"

#include <gtest/gtest.h>

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

// Ticks the named timer of a window, as often as asked, while it runs; a window without that
// timer fails the test, which would otherwise go on as if time had passed.
inline void fire(const QObject& window, const char* name, int times = 1) {
    auto* timer = window.findChild<EngineTimer*>(QLatin1String(name));
    ASSERT_NE(timer, nullptr) << window.objectName().toStdString() << " has no timer " << name;
    for (int i = 0; i < times && timer->interval() != 0; ++i)
        emit timer->timeout();
}
