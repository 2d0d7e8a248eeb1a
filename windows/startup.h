#pragma once

#include "enginetimer.h"
#include "ksreporthost.h"

#include <QPointer>

class Form1;
class frmSplash;

// The way into the program: the splash window first, and when it unloads one
// main window, which then lives until the end of the run.
class StartUp {
public:
    explicit StartUp(KSReportHost& report, TimerSource timers = qtTimers());
    ~StartUp();
    StartUp(const StartUp&) = delete;
    StartUp& operator=(const StartUp&) = delete;

    // Creates and shows the splash window.
    void run();

    frmSplash* splash() const;
    Form1* mainWindow() const;

private:
    void showMainWindow();

    KSReportHost& m_report;
    TimerSource m_timers;
    QPointer<frmSplash> m_splash;
    QPointer<Form1> m_form1;
};
