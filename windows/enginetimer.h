#pragma once

#include <QObject>
#include <functional>

// A periodic timer driven only through its interval, as the drill engine drives the main
// window's timers: 0 stops it, any other value makes it tick with that period, and the period it
// already has leaves a running timer's next tick where it was. The windows get
// their timers from a TimerSource, so that a test can make ones that tick only when it says.
class EngineTimer : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0; // 0 while stopped

signals:
    void timeout();
};

// Makes a window's timer, owned by the parent given. The type asks for the precision a timer
// needs: the clock counts its ticks, so they must come on time.
using TimerSource = std::function<EngineTimer*(Qt::TimerType type, QObject* parent)>;

// The program's timers: Qt's.
TimerSource qtTimers();
