// qtfloor: the least a Qt Widgets program can do to change the screen as often as Kestrava's
// drill clock does. A window of the main window's size holds one opaque widget in the clock's
// box, which every 15 ms is given its next shade of grey and repainted at once, as the clock is;
// it draws nothing but that filled box, no text. bench/run measures it natively on Wayland
// beside Kestrava on X11: what any Qt Widgets client pays there for a frame every 15 ms.
//
// It ends as a Qt program does when its display goes, or on SIGTERM by its default action.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

struct Box : QWidget {
    using QWidget::QWidget;
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(shade, shade, shade));
    }
    int shade = 0;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(367, 250);
    Box box(&window);
    box.setGeometry(262, 28, 40, 18); // the clock's box, below the menu bar
    box.setAttribute(Qt::WA_OpaquePaintEvent);
    window.show();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &box, [&box] {
        box.shade = (box.shade + 1) % 256;
        box.repaint();
    });
    timer.start(15);
    return QApplication::exec();
}
