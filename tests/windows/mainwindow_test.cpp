// The main window as the player meets it: what it shows at each step, which keys reach the drill,
// and its counters, whose numbers are always whole however long.
#include "captionlabel.h"
#include "drillplayer.h"
#include "form1.h"
#include "ksreporthost.h"
#include "manualtimer.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

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

namespace {

const QColor lightGreen(128, 255, 128);
const QColor nextKeyBlue(125, 125, 255);
const QColor olive(192, 192, 0);
const QColor black(0, 0, 0);

QString key(char letter) {
    return QStringLiteral("Label1_%1").arg(letter - 'A');
}

// How much of a control's picture is near a colour: antialiased text is never quite it.
int pixelsNear(QWidget* control, const QColor& colour) {
    const QImage image = control->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                         std::abs(c.blue() - colour.blue()) <
                     48;
        }
    }
    return count;
}

} // namespace

TEST_F(MainWindow, ShowsEachStepOfADrillInItsColours) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kestrava"));
    EXPECT_EQ(form.centralWidget()->size(), QSize(367, 230));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(pixel(key('A'), {1, 1}), lightGreen);
    auto* prompt = control(QStringLiteral("StartLabel"));
    EXPECT_GT(pixelsNear(prompt, lightGreen), 20);
    fire(form, "Timer3");
    EXPECT_EQ(pixelsNear(prompt, lightGreen), 0) << "greyed by the blink";
    EXPECT_GT(pixelsNear(prompt, control<CaptionLabel>(prompt->objectName())->disabledForeColor()),
              20);

    player.type(' ');
    const char first = player.expected();
    const char other = DrillPlayer::wrongLetter(first);
    EXPECT_EQ(pixel(key(first), {1, 1}), nextKeyBlue);
    EXPECT_EQ(pixel(key(other), {1, 1}), lightGreen);
    EXPECT_EQ(pixel(QStringLiteral("QFrame"), {3, 20}), lightGreen) << "the rim of the box";
    EXPECT_EQ(pixel(QStringLiteral("QFrame"), {5, 11}), black) << "the letter covers the box";
    EXPECT_FALSE(prompt->isVisible());

    player.type(static_cast<char>(other + 32)); // a miss flashes the key typed
    EXPECT_NE(pixel(key(other), {0, 14}), lightGreen) << "the flash border";
    EXPECT_EQ(pixel(key(other), {1, 14}), lightGreen);
    fire(form, "Timer1", 5);
    EXPECT_EQ(pixel(key(other), {0, 14}), lightGreen) << "gone on the fifth tick";

    auto* que0 = control(QStringLiteral("Que0"));
    EXPECT_GT(pixelsNear(que0, lightGreen), 10);
    player.type(static_cast<char>(first + 32));
    EXPECT_EQ(pixelsNear(que0, lightGreen), 0);
    EXPECT_GT(pixelsNear(que0, olive), 10) << "typed letters turn olive";
    EXPECT_EQ(pixel(QStringLiteral("QFrame"), {3, 20}), black) << "the box has moved on";
    EXPECT_EQ(pixel(QStringLiteral("QFrame"), {37, 20}), lightGreen);
}

namespace {

// A few pixels of the waiting window that pin the layout: the keyboard's corners and gaps, and
// where the rules begin and end.
const std::pair<QPoint, QColor> layoutPixels[] = {
    {{36, 132}, lightGreen},  {{35, 140}, black},  {{64, 140}, black},      {{66, 140}, lightGreen},
    {{333, 140}, lightGreen}, {{334, 140}, black}, {{48, 162}, lightGreen}, {{47, 170}, black},
    {{271, 219}, lightGreen}, {{272, 200}, black}, {{64, 192}, lightGreen}, {{64, 220}, black},
    {{154, 28}, olive},       {{153, 28}, black},  {{366, 28}, olive},      {{12, 116}, olive},
    {{11, 116}, black},       {{355, 116}, olive}, {{356, 116}, black},
};

} // namespace

TEST_F(MainWindow, LaysOutTheKeyboardAndRulesToThePixel) {
    const QImage client = form.centralWidget()->grab().toImage();
    for (const auto& [point, colour] : layoutPixels)
        EXPECT_EQ(client.pixelColor(point), colour) << point.x() << "," << point.y();
}

// Every UTF-16 unit of a typed text is one character code for the drill, Tab too, which moves no
// focus; keys that type no text are no keys.
TEST_F(MainWindow, TypedTextReachesTheDrillOneCodeAUnit) {
    player.type(' ');
    QWidget* focus = QApplication::focusWidget();
    const std::pair<Qt::Key, QString> keys[] = {{Qt::Key_Shift, {}},
                                                {Qt::Key_F1, {}},
                                                {Qt::Key_Tab, QStringLiteral("\t")},
                                                {Qt::Key_Backtab, QStringLiteral("\t")},
                                                {Qt::Key_unknown, QStringLiteral("{\U0001F600")}};
    for (const auto& [key, text] : keys) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&form, &press);
    }
    EXPECT_EQ(player.misses(), 5);
    EXPECT_EQ(player.remaining(), 60);
    EXPECT_EQ(QApplication::focusWidget(), focus);
}

// Each number of keys chosen reaches the next drill, and the check mark follows it.
TEST_F(MainWindow, MenuChoosesTheNextDrillsLengthAndMarksIt) {
    for (const int keys : {100, 100, 20, 60}) {
        player.chooseKeys(keys);
        for (QAction* action : control<QAction>(QStringLiteral("TN20"))->actionGroup()->actions())
            EXPECT_EQ(action->isChecked(), action->text().toInt() == keys) << keys;
        player.type(' ');
        EXPECT_EQ(player.remaining(), keys);
    }
}

// The faces that stand in for the designed fonts have every character of every caption, menu and
// question letter themselves, without the fallback faces that would hide a missing glyph.
TEST_F(MainWindow, EveryCaptionIsDrawnByTheFaceChosenForIt) {
    const auto drawsAll = [](const QFont& font, const QString& text) {
        QFont face(QFontInfo(font).family());
        face.setPointSizeF(font.pointSizeF());
        face.setStyleStrategy(QFont::NoFontMerging);
        return std::ranges::all_of(text.toUcs4(),
                                   [&](uint c) { return QFontMetrics(face).inFontUcs4(c); });
    };
    EXPECT_NEAR(QFontInfo(QApplication::font()).pointSizeF(), 9, 0.5);
    EXPECT_TRUE(drawsAll(QApplication::font(), QStringLiteral("設定問題数0123456789.,")));
    const QFont letters = control(QStringLiteral("Que0"))->font();
    EXPECT_TRUE(QFontInfo(letters).fixedPitch());
    EXPECT_TRUE(drawsAll(letters, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")));
    for (const CaptionLabel* label : form.findChildren<CaptionLabel*>())
        EXPECT_TRUE(drawsAll(label->font(), label->caption())) << label->objectName().toStdString();
}

// Each counter's numbers, as its engine writes them; its caption; and its right edge, where it
// has always been. A separator the counters' face lacks comes from another face, just as whole.
const std::tuple<const char*, const char*, void (Form1::*)(const std::string&), const char*, int>
    counterRows[] = {
        {"TimeLabel", "Label5", &Form1::setTimeLabelCaption,
         "0 9.95 10.00 99.95 100.00 140.50 1178,75 9999.95 1178\u066B75", 65},
        {"MissLabel", "Label4", &Form1::setMissLabelCaption, "9 10000 99999", 65},
        {"RemainLabel", "Label3", &Form1::setRemainLabelCaption, "100", 79},
};

// A number is drawn right-aligned on its edge and may reach left up to its caption; only a number
// wider than that is condensed, just enough to fit. Numbers that fit the 465 twips the label first
// had therefore look as they always did.
TEST_F(MainWindow, CountersShowTheirWholeNumberRightAlignedAndClearOfTheirCaptions) {
    for (const auto& [name, captionName, set, texts, right] : counterRows) {
        const QWidget* number = control(QString::fromLatin1(name));
        QWidget* frame = number->parentWidget();
        const QRect caption = control(QString::fromLatin1(captionName))->geometry();
        const QRect reach(QPoint(caption.right() + 1, number->y()),
                          QPoint(right - 1, number->geometry().bottom()));
        for (const QString& text : QString::fromUtf8(texts).split(QLatin1Char(' '))) {
            const QImage before = frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
            (form.*set)(text.toStdString());
            const QImage after = frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
            EXPECT_EQ(after.copy(caption), before.copy(caption)) << "over the caption: " << name;

            QImage whole(reach.size(), QImage::Format_RGB32);
            whole.fill(Qt::black);
            QPainter painter(&whole);
            painter.setFont(number->font());
            painter.setPen(QColor(128, 255, 128));
            const qreal width = QFontMetricsF(number->font()).horizontalAdvance(text);
            const qreal scale = std::min<qreal>(1, reach.width() / width);
            painter.translate(reach.width() - width * scale, 0);
            painter.scale(scale, 1);
            painter.drawText(QPointF(0, QFontMetricsF(number->font()).ascent()), text);
            painter.end();
            EXPECT_EQ(after.copy(reach), whole) << name << " " << text.toStdString();
        }
    }
}

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
