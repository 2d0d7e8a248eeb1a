// The three counters show their whole number, however long, without touching their captions.
#include "mainwindow.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <map>
#include <ostream>

namespace {

// A counter's number, its caption and how the engine writes it.
struct Counter {
    const char* caption;
    void (Form1::*set)(const std::string&);
};
const std::map<std::string, Counter> counters = {
    {"TimeLabel", {"Label5", &Form1::setTimeLabelCaption}},
    {"MissLabel", {"Label4", &Form1::setMissLabelCaption}},
    {"RemainLabel", {"Label3", &Form1::setRemainLabelCaption}},
};

using CounterRow = std::pair<const char*, const char*>; // the number's name, its text
const CounterRow counterRows[] = {
    {"TimeLabel", "0"},
    {"TimeLabel", "9.95"},
    {"TimeLabel", "10.00"},
    {"TimeLabel", "99.95"},
    {"TimeLabel", "100.00"},
    {"TimeLabel", "140.50"},
    {"TimeLabel", "1178,75"},
    {"TimeLabel", "9999.95"},
    {"MissLabel", "9"},
    {"MissLabel", "10000"},
    {"MissLabel", "99999"},
    {"RemainLabel", "100"},
    // A separator the counters' face lacks comes from another face, just as whole.
    {"TimeLabel", "1178\u066B75"},
};

} // namespace

class CounterTest : public MainWindow, public ::testing::WithParamInterface<CounterRow> {};

// The number is drawn right-aligned on the edge it has always had and may reach left up to its
// caption; only a number wider than that is condensed, just enough to fit. Numbers that fit the
// 465 twips the label first had therefore look as they always did.
TEST_P(CounterTest, NumberIsWholeRightAlignedAndClearOfItsCaption) {
    const auto [name, utf8] = GetParam();
    const Counter& counter = counters.at(name);
    const QString text = QString::fromUtf8(utf8);
    const QWidget* number = control(QString::fromLatin1(name));
    QWidget* frame = number->parentWidget();
    const QRect caption = control(QString::fromLatin1(counter.caption))->geometry();
    const int right = number->objectName() == QLatin1String("RemainLabel") ? 79 : 65;
    const QRect reach(QPoint(caption.right() + 1, number->y()),
                      QPoint(right - 1, number->geometry().bottom()));
    const QImage before = frame->grab().toImage();

    (form.*counter.set)(utf8);
    const QImage after = frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(after.copy(caption), before.copy(caption).convertToFormat(QImage::Format_RGB32))
        << "nothing drawn over the caption";

    QImage whole(reach.size(), QImage::Format_RGB32);
    whole.fill(Qt::black);
    QPainter painter(&whole);
    painter.setFont(number->font());
    painter.setPen(QColor(128, 255, 128));
    const QFontMetricsF metrics(number->font());
    const qreal width = metrics.horizontalAdvance(text);
    const qreal scale = std::min<qreal>(1, reach.width() / width);
    painter.translate(reach.width() - width * scale, 0);
    painter.scale(scale, 1);
    painter.drawText(QRectF(0, 0, width, reach.height()), Qt::AlignLeft | Qt::AlignTop, text);
    painter.end();
    EXPECT_EQ(after.copy(reach), whole);
}

INSTANTIATE_TEST_SUITE_P(Values, CounterTest, ::testing::ValuesIn(counterRows),
                         [](const auto& info) { return "Row" + std::to_string(info.index); });

namespace {

// Records which controls of a window paint, and the area each one paints.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget& window) {
        for (QWidget* control : window.findChildren<QWidget*>())
            control->installEventFilter(this);
    }
    std::map<QString, QRegion> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted[watched->objectName()] += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

} // namespace

TEST_F(MainWindow, AClockTickRepaintsTheClockAloneAndOnlyItsOwnArea) {
    player.type(' ');
    QCoreApplication::processEvents();
    PaintLog log(form);

    fire(form, "Timer2");
    QCoreApplication::processEvents();

    const QWidget* clock = control(QStringLiteral("TimeLabel"));
    EXPECT_EQ(player.timeCaption(), QStringLiteral("0.05"));
    const std::map<QString, QRegion> clockAlone{{QStringLiteral("TimeLabel"), clock->rect()}};
    EXPECT_EQ(log.painted, clockAlone);
}
