// qtfloor: the least a Qt Widgets program can do to change the screen as often as Kestrava's
// drill clock does. A window of the main window's size holds one opaque widget in the clock's
// box, which every 15 ms is given its next shade of grey and repainted at once, as the clock is;
// it draws nothing but that filled box, no text. bench/run measures it on X11 and natively on
// Wayland: what any Qt Widgets client pays on each platform for a frame every 15 ms, so that
// Kestrava's own share can be told from its platform plugin's.
//
// It ends as a Qt program does when its display goes, or on SIGTERM by its default action.
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class Box : public QWidget {
public:
    explicit Box(QWidget* parent)
        : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent, true);
    }

    void tick() {
        m_shade = (m_shade + 1) % 256;
        repaint();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter(this).fillRect(event->rect(), QColor(m_shade, m_shade, m_shade));
    }

private:
    int m_shade = 0;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(367, 250);
    Box box(&window);
    box.setGeometry(262, 28, 40, 18); // the clock's box, below the menu bar
    window.show();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &box, &Box::tick);
    timer.start(15);
    return QApplication::exec();
}
