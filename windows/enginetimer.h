#pragma once

#include <QObject>
#include <QTimer>

// A periodic timer driven only through its interval, as the drill engine
// drives its three timers: 0 stops it, any other value makes it tick with that
// period. Writing the interval a running timer already has leaves its period
// alone; restarting it would let a fast typist, who rewrites the 50 ms flash
// interval on every key, keep the flash timer from ever firing.
class EngineTimer : public QObject {
    Q_OBJECT

public:
    explicit EngineTimer(Qt::TimerType type = Qt::CoarseTimer, QObject* parent = nullptr);

    void setInterval(int ms);
    int interval() const; // 0 while stopped
    bool isActive() const;
    // Milliseconds to the next tick, -1 while stopped.
    int remainingTime() const;
    Qt::TimerType timerType() const;

signals:
    void timeout();

private:
    QTimer m_timer;
};
