// The three counters show their whole number, however long, without touching their captions.
#include "mainwindow.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <map>
#include <ostream>

namespace {

struct CounterRow {
    const char* number;
    const char* caption;
    void (Form1::*set)(const std::string&);
    const char* text;
};

void PrintTo(const CounterRow& row, std::ostream* out) {
    *out << row.number << " \"" << row.text << '"';
}

const CounterRow counterRows[] = {
    {"TimeLabel", "Label5", &Form1::setTimeLabelCaption, "0"},
    {"TimeLabel", "Label5", &Form1::setTimeLabelCaption, "9.95"},
    {"TimeLabel", "Label5", &Form1::setTimeLabelCaption, "10.00"},
    {"TimeLabel", "Label5", &Form1::setTimeLabelCaption, "99.95"},
    {"TimeLabel", "Label5", &Form1::setTimeLabelCaption, "100.00"},
    {"TimeLabel", "Label5", &Form1::setTimeLabelCaption, "140.50"},
    {"TimeLabel", "Label5", &Form1::setTimeLabelCaption, "1178,75"},
    {"TimeLabel", "Label5", &Form1::setTimeLabelCaption, "9999.95"},
    {"MissLabel", "Label4", &Form1::setMissLabelCaption, "9"},
    {"MissLabel", "Label4", &Form1::setMissLabelCaption, "10000"},
    {"MissLabel", "Label4", &Form1::setMissLabelCaption, "99999"},
    {"RemainLabel", "Label3", &Form1::setRemainLabelCaption, "100"},
    // A separator the counters' face lacks comes from another face, just as whole.
    {"TimeLabel", "Label5", &Form1::setTimeLabelCaption, "1178\u066B75"},
};

} // namespace

class CounterTest : public MainWindow, public ::testing::WithParamInterface<CounterRow> {};

// The number is drawn right-aligned on the edge it has always had and may reach left up to its
// caption; only a number wider than that is condensed, just enough to fit. Numbers that fit the
// 465 twips the label first had therefore look as they always did.
TEST_P(CounterTest, NumberIsWholeRightAlignedAndClearOfItsCaption) {
    const CounterRow& row = GetParam();
    const QString text = QString::fromUtf8(row.text);
    const QWidget* number = control(QString::fromLatin1(row.number));
    QWidget* frame = number->parentWidget();
    const QRect caption = control(QString::fromLatin1(row.caption))->geometry();
    const int right = number->objectName() == QLatin1String("RemainLabel") ? 79 : 65;
    const QRect reach(QPoint(caption.right() + 1, number->y()),
                      QPoint(right - 1, number->geometry().bottom()));
    const QImage before = frame->grab().toImage();

    (form.*row.set)(row.text);
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
