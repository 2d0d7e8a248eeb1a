#include "fixedwindow.h"

#include <QEvent>
#include <QWidget>

namespace {

class Unmaximiser : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::WindowStateChange && window->isMaximized())
            window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
        return false;
    }
};

} // namespace

void keepUnmaximised(QWidget& window) {
    window.installEventFilter(new Unmaximiser(&window));
}
