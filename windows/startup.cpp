#include "startup.h"

#include "form1.h"
#include "frmsplash.h"

#include <utility>

StartUp::StartUp(KSReportHost& report, TimerSource timers)
    : m_report(report)
    , m_timers(std::move(timers)) {}

StartUp::~StartUp() {
    delete m_splash;
    delete m_form1;
}

void StartUp::run() {
    m_splash = new frmSplash(m_timers);
    QObject::connect(m_splash, &frmSplash::unloaded, m_splash, [this] { showMainWindow(); });
    m_splash->show();
    m_splash->activateWindow();
}

frmSplash* StartUp::splash() const {
    return m_splash;
}

Form1* StartUp::mainWindow() const {
    return m_form1;
}

void StartUp::showMainWindow() {
    if (m_form1 == nullptr) {
        m_form1 = new Form1(m_report, m_timers);
        m_report.returnFocusTo(m_form1);
    }
    m_form1->show();
    m_form1->activateWindow();
}
