#pragma once

#include "captionlabel.h"
#include "counterlabel.h"
#include "form1.h"
#include "stubreport.h"

#include <QImage>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

// A shown main window with a stub result window, and ways to look at it as
// the player does: captions, and the colours of the pixels on screen.
class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<Form1>(report);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    QWidget* client() const { return form->centralWidget(); }

    template <class Widget = CaptionLabel> Widget* child(const QString& name) const {
        auto* widget = form->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    CaptionLabel* key(char letter) const {
        return child(QStringLiteral("Label1_%1").arg(letter - 'A'));
    }
    CaptionLabel* que(int i) const { return child(QStringLiteral("Que%1").arg(i)); }
    QString caption(const QString& name) const {
        if (const auto* counter = form->findChild<CounterLabel*>(name))
            return counter->caption();
        return child(name)->caption();
    }

    // The client area as drawn, and one pixel of it in the coordinates of
    // a control inside it.
    QImage screen() const { return client()->grab().toImage(); }
    QColor pixel(const QImage& image, const QWidget* widget, QPoint at) const {
        return image.pixelColor(widget->mapTo(client(), at));
    }
    // How many pixels of a control's area are within a small distance of a colour.
    int pixelsNear(const QImage& image, const QWidget* widget, const QColor& colour,
                   int tolerance = 24) const {
        int count = 0;
        const QPoint origin = widget->mapTo(client(), QPoint(0, 0));
        for (int y = 0; y < widget->height(); ++y) {
            for (int x = 0; x < widget->width(); ++x) {
                const QColor c = image.pixelColor(origin + QPoint(x, y));
                if (std::abs(c.red() - colour.red()) <= tolerance &&
                    std::abs(c.green() - colour.green()) <= tolerance &&
                    std::abs(c.blue() - colour.blue()) <= tolerance)
                    ++count;
            }
        }
        return count;
    }

    void type(const QString& text) { QTest::keyClicks(form.get(), text); }
    // The letter under the cursor box, typed as a small letter.
    void typeLetterOf(int i) { type(QString::fromStdString(form->queCaption(i)).toLower()); }

    StubReport report;
    std::unique_ptr<Form1> form;
};
