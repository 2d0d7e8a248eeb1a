#pragma once

#include "enginetimer.h"

#include <QWidget>

class QLabel;

// The start-up window: logo, title, maker's line and version, centred on the
// screen. It unloads on the first of its timer, a typed character or a click
// on its frame, and its unload is where the main window opens.
class frmSplash : public QWidget {
    Q_OBJECT

public:
    explicit frmSplash(const TimerSource& timers = qtTimers());

signals:
    // Emitted once, while the splash is still on screen, so that the main
    // window can appear before the splash goes away.
    void unloaded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();
    void Timer1_Timer();
    void Frame1_Click();

    QWidget* m_client = nullptr;
    QWidget* m_frame1 = nullptr;
    QLabel* m_lblProductName = nullptr;
    QLabel* m_lblVersion = nullptr;
    EngineTimer* m_timer1 = nullptr;
    bool m_unloaded = false;
};
