#pragma once

#include "ksreport.h"
#include "ksreportcontrols.h"

#include <QPointer>

// The result window as the drill engine sees it. There is at most one window:
// showing creates it when none is open and otherwise brings the open one to
// the front, so a drill that ends while it is open overwrites its values.
class KSReportHost : public kestrava::KSReportControls {
public:
    KSReportHost() = default;
    ~KSReportHost() override;
    KSReportHost(const KSReportHost&) = delete;
    KSReportHost& operator=(const KSReportHost&) = delete;

    void show() override;

    void setTNLabelCaption(const std::string& caption) override;
    void setMissLabelCaption(const std::string& caption) override;
    void setTimeLabelCaption(const std::string& caption) override;
    void setSpeedLabelCaption(const std::string& caption) override;
    void setExactityLabelCaption(const std::string& caption) override;
    void setEvalLabelCaption(const std::string& caption) override;

    // The open window, or null when none has been shown or the last was closed.
    KSReport* window() const { return m_window; }

    // The window that takes the keyboard back when a result window closes. Without a window
    // manager nobody else gives it back, and the next Space would be lost.
    void returnFocusTo(QWidget* window) { m_returnTo = window; }

private:
    void setCaption(KSReport::Value value, const std::string& caption);

    QPointer<KSReport> m_window;
    QPointer<QWidget> m_returnTo;
};
