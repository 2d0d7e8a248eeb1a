// repaintfloor: the least a Qt Widgets program can do to show Kestrava's drill clock. A black
// window of the main window's size holds one opaque clock-sized CaptionLabel, rewritten every
// 15 ms with the next displayed time, as the clock does during a drill; nothing else runs.
// bench/program/measure measures its CPU beside Kestrava's, so the drill figure can be told
// apart from what any Qt window costs for repainting that often on the machine.
#include "captionlabel.h"
#include "fonts.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    qputenv("QT_XCB_NO_MITSHM", "1"); // as Kestrava does
    QApplication application(argc, argv);
    installFontSubstitutions();

    QWidget window;
    window.setWindowTitle(QStringLiteral("repaintfloor"));
    window.setFixedSize(367, 248);
    window.setStyleSheet(QStringLiteral("background: black"));
    CaptionLabel clock(&window);
    clock.setGeometry(276, 10, 31, 13);
    clock.setBackColor(Qt::black);
    clock.setForeColor(QColor(128, 255, 128));
    clock.setAlignment(Qt::AlignRight);

    int ticks = 0;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &clock, [&clock, &ticks] {
        ++ticks;
        clock.setCaption(QString::number(ticks / 20.0, 'f', 2));
    });
    timer.start(15);
    window.show();
    return QApplication::exec();
}
