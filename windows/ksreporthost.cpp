#include "ksreporthost.h"

KSReportHost::~KSReportHost() {
    delete m_window;
}

void KSReportHost::show() {
    if (m_window == nullptr) {
        m_window = new KSReport;
        // Once the window is gone, so that no unmapping of it takes the focus away again.
        QObject::connect(m_window, &QObject::destroyed, [this] {
            if (m_returnTo != nullptr && m_returnTo->isVisible())
                m_returnTo->activateWindow();
        });
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void KSReportHost::setCaption(KSReport::Value value, const std::string& caption) {
    // The engine shows the window before it writes the values; a value that
    // arrives with no window open has nowhere to go.
    if (m_window != nullptr) {
        m_window->setCaption(value, QString::fromStdString(caption));
    }
}

void KSReportHost::setTNLabelCaption(const std::string& caption) {
    setCaption(KSReport::Value::TN, caption);
}

void KSReportHost::setMissLabelCaption(const std::string& caption) {
    setCaption(KSReport::Value::Miss, caption);
}

void KSReportHost::setTimeLabelCaption(const std::string& caption) {
    setCaption(KSReport::Value::Time, caption);
}

void KSReportHost::setSpeedLabelCaption(const std::string& caption) {
    setCaption(KSReport::Value::Speed, caption);
}

void KSReportHost::setExactityLabelCaption(const std::string& caption) {
    setCaption(KSReport::Value::Exactity, caption);
}

void KSReportHost::setEvalLabelCaption(const std::string& caption) {
    setCaption(KSReport::Value::Eval, caption);
}
