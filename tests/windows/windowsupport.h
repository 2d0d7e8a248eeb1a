#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QRect>
#include <QTest>
#include <QWidget>

namespace windowsupport {

// Lets windows closed with WA_DeleteOnClose really go away.
inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

inline bool showAndActivate(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// The window's own rendering, in logical pixels.
inline QImage picture(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline int countPixels(const QImage& image, QRect area, QColor colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                ++count;
            }
        }
    }
    return count;
}

// Top-level widgets of type T that have not been deleted yet.
template <typename T> int countTopLevel() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<T*>(widget) != nullptr) {
            ++count;
        }
    }
    return count;
}

} // namespace windowsupport
