#pragma once

#include "captionlabel.h"
#include "drillplayer.h"
#include "form1.h"
#include "ksreporthost.h"
#include "manualtimer.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

// A shown main window whose timers tick only when the test fires them, wired to a real result
// window, and looked at as the player sees it.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    template <class Widget = QWidget> Widget* control(const QString& name) {
        auto* found = form.findChild<Widget*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    // A pixel of the client area, given in a control's own coordinates.
    QColor pixel(const QString& name, QPoint at) {
        QWidget* client = form.centralWidget();
        return client->grab().toImage().pixelColor(control(name)->mapTo(client, at));
    }

    KSReportHost report;
    Form1 form{report, manualTimers()};
    DrillPlayer player{form};
};
