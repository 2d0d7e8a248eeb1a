// The program as main() builds it, with timers that tick only when the test fires them: the splash
// window, the main window as the player meets it (what it shows at each step, which keys reach
// the drill, its counters, whose numbers are always whole however long), drills and their result
// window, and the end of the program.
#include "drillplayer.h"
#include "frmsplash.h"
#include "ksreporthost.h"
#include "manualtimer.h"
#include "startup.h"

#include <QActionGroup>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

auto visibleWindows() {
    return std::ranges::count_if(QApplication::topLevelWidgets(), &QWidget::isVisible);
}

// A window as it is on the screen: what has really been painted, not a fresh rendering, so that a
// change that forgot its repaint shows.
QImage onScreen(QWidget* window) {
    QCoreApplication::processEvents();
    const QPixmap shot = window->screen()->grabWindow(window->winId());
    return shot.toImage().convertToFormat(QImage::Format_RGB32);
}

// Compares a window with its picture in tests/windows/pictures/, taken when it was right, pixel for
// pixel. The pictures hold where they were taken, with Qt 6.4 and IPAPGothic, and are left alone
// elsewhere; KESTRAVA_TAKE_PICTURES=1 takes them anew.
void expectPicture(QWidget* window, const char* name) {
    const QString path = QStringLiteral(KESTRAVA_PICTURES "/%1.png").arg(QLatin1String(name));
    const QImage shown = onScreen(window);
    if (qEnvironmentVariableIsSet("KESTRAVA_TAKE_PICTURES"))
        shown.save(path);
    if (QFontInfo(QApplication::font()).family() == QLatin1String("IPAPGothic") &&
        QByteArray(qVersion()).startsWith("6.4.")) {
        EXPECT_EQ(shown, QImage(path).convertToFormat(QImage::Format_RGB32)) << name;
    }
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        startUp->run();
        splash = startUp->splash();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
    }

    void leaveSplash() {
        QTest::keyClick(splash->windowHandle(), Qt::Key_Space);
        player = std::make_unique<DrillPlayer>(*startUp->mainWindow());
    }
    Form1& form() { return *startUp->mainWindow(); }

    // A drill of 20 keys: the misses first, then the clock's ticks, then the letters.
    void playDrill(int misses, int ticks) {
        player->type(' ');
        for (int i = 0; i < misses; ++i)
            player->type(DrillPlayer::wrongLetter(player->expected()));
        fire(player->form(), "Timer2", ticks);
        while (player->remaining() > 0)
            player->type(static_cast<char>(player->expected() + 32));
    }

    QLabel* label(QWidget* window, const char* name) {
        return window->findChild<QLabel*>(QLatin1String(name));
    }

    const qsizetype widgetsBefore = QApplication::allWidgets().size();
    std::unique_ptr<KSReportHost> host = std::make_unique<KSReportHost>();
    std::unique_ptr<StartUp> startUp = std::make_unique<StartUp>(*host, manualTimers());
    QPointer<frmSplash> splash;
    std::unique_ptr<DrillPlayer> player;
};

QWidget* frame1(QWidget* splash) {
    return splash->findChild<QWidget*>(QStringLiteral("Frame1"));
}

void click(QWidget* window, QWidget* control, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(window->windowHandle(), button, {}, control->mapTo(window, at));
}

} // namespace

TEST_F(Program, StartsOnTheCentredSplashThatOnlyCharactersClicksOnItsFrameOrTimeClose) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((splash->frameGeometry().center() - screen.center()).manhattanLength(), 1);
    EXPECT_EQ(label(splash, "lblVersion")->text(), QStringLiteral("version 1.0.0"));
    expectPicture(splash, "splash");
    EXPECT_EQ(splash->findChild<EngineTimer*>(QStringLiteral("Timer1"))->interval(), 2000);

    for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_F1, Qt::Key_Left})
        QTest::keyClick(splash->windowHandle(), key);
    for (const char* name : {"imgLogo", "lblProductName", "lblVersion"})
        click(splash, label(splash, name), {5, 5});
    click(splash, splash, {1, 50}); // the margin
    click(splash, frame1(splash), {200, 85}, Qt::RightButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash != nullptr && splash->isVisible());
    EXPECT_EQ(startUp->mainWindow(), nullptr);
}

namespace {

using SplashWay = void (*)(frmSplash&);
const std::pair<const char*, SplashWay> splashWays[] = {
    {"TwoSeconds", [](frmSplash& s) { fire(s, "Timer1"); }},
    {"Letter", [](frmSplash& s) { QTest::keyClick(s.windowHandle(), Qt::Key_A); }},
    {"ClickOnTheFrame",
     [](frmSplash& s) {
         click(&s, frame1(&s), {200, 85});
     }},
};

} // namespace

class LeavingTheSplash : public Program,
                         public ::testing::WithParamInterface<std::pair<const char*, SplashWay>> {};

TEST_P(LeavingTheSplash, OpensOneMainWindowEvenWhenEveryWayComesAtOnce) {
    QSignalSpy unloaded(splash.data(), &frmSplash::unloaded);
    GetParam().second(*splash);
    ASSERT_NE(startUp->mainWindow(), nullptr);
    EXPECT_TRUE(startUp->mainWindow()->isVisible());
    // Every other way in the same instant, for as long as the splash is still there.
    for (const auto& [name, way] : splashWays) {
        if (!splash.isNull())
            way(*splash);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_EQ(visibleWindows(), 1);
}

INSTANTIATE_TEST_SUITE_P(Ways, LeavingTheSplash, ::testing::ValuesIn(splashWays),
                         [](const auto& info) { return std::string(info.param.first); });

namespace {

using ReportClose = void (*)(KSReport&);
const std::pair<const char*, ReportClose> reportCloses[] = {
    {"OkClicked",
     [](KSReport& r) {
         QTest::mouseClick(r.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
     }},
    {"Space", [](KSReport& r) { QTest::keyClick(r.windowHandle(), Qt::Key_Space); }},
    {"Enter", [](KSReport& r) { QTest::keyClick(r.windowHandle(), Qt::Key_Enter); }},
    {"Return", [](KSReport& r) { QTest::keyClick(r.windowHandle(), Qt::Key_Return); }},
    {"TitleBarClose", [](KSReport& r) { r.close(); }},
};

} // namespace

class Lifetime : public Program, public ::testing::WithParamInterface<bool> {};

// Each way of closing the result window destroys it, and the next drill makes it anew, with the
// drill's six values; one left open is reused. The event loop then ends by itself when the last
// window closes, whichever it is, and main()'s objects leave no window behind.
TEST_P(Lifetime, ResultWindowsComeAndGoAndTheProgramEndsWithItsLastWindow) {
    leaveSplash();
    player->chooseKeys(20);
    for (const auto& [name, close] : reportCloses) {
        playDrill(1, 5);
        QPointer<KSReport> report = host->window();
        QTest::keyClick(report->windowHandle(), Qt::Key_A); // only keys that press OK close it
        form().activateWindow();
        playDrill(0, 5);
        EXPECT_EQ(QApplication::activeWindow(), report.data()) << "it comes to the front again";
        EXPECT_EQ(host->window(), report.data()) << name;
        EXPECT_EQ(label(report, "MissLabel")->text(), QStringLiteral("0")) << name;
        close(*report);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(report.isNull()) << name;
    }
    playDrill(2, 40);
    KSReport* report = host->window(); // a new one, beside the main window
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->windowTitle(), QStringLiteral("KS Report"));
    EXPECT_EQ(report->parentWidget(), nullptr);
    EXPECT_EQ(report->minimumSize(), report->maximumSize());
    ASSERT_TRUE(QTest::qWaitForWindowActive(report));
    auto* ok = report->findChild<QPushButton*>(QStringLiteral("Command1"));
    EXPECT_EQ(QApplication::focusWidget(), ok);
    expectPicture(report, "results");

    // Each value, and the widest figure of its kind, which still fits: no first digit is cut.
    const std::tuple<const char*, const char*, const char*> values[] = {
        {"TNLabel", "20", "100"},
        {"MissLabel", "2", "10000"},
        {"TimeLabel", "2.00", "9999.95"},
        {"SpeedLabel", "10", "3.9867"},
        {"ExactityLabel", "90.9091", "95.2381"},
        {"EvalLabel", "Better", "Better"},
    };
    for (const auto& [name, text, widest] : values) {
        QLabel* value = label(report, name);
        EXPECT_EQ(value->text(), QLatin1String(text)) << name;
        EXPECT_LE(value->fontMetrics().horizontalAdvance(QLatin1String(widest)), value->width())
            << name;
    }

    QPointer<QWidget> windows[] = {startUp->mainWindow(), host->window()};
    if (GetParam())
        std::swap(windows[0], windows[1]);
    int visibleAfterFirst = -1;
    QObject steps;
    QTimer::singleShot(0, &steps, [&] {
        windows[0]->close();
        QTimer::singleShot(0, &steps, [&] {
            visibleAfterFirst = visibleWindows();
            windows[1]->close();
        });
    });
    QTimer::singleShot(10000, &steps, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(visibleAfterFirst, 1);

    startUp.reset();
    host.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
}

INSTANTIATE_TEST_SUITE_P(CloseOrders, Lifetime, ::testing::Bool(), [](const auto& info) {
    return info.param ? "ResultWindowFirst" : "MainWindowFirst";
});

// The main window once the splash has gone, looked at as the player sees it.
class MainWindow : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        leaveSplash();
    }

    template <class Widget = QWidget> Widget* control(const QString& name) {
        return form().findChild<Widget*>(name);
    }
    // A pixel of the client area, given in a control's own coordinates.
    QColor pixel(const QString& name, QPoint at) {
        return onScreen(&form()).pixelColor(control(name)->mapTo(&form(), at));
    }
    QImage screen(QWidget* control) {
        return onScreen(&form()).copy({control->mapTo(&form(), QPoint()), control->size()});
    }
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
int pixelsNear(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int i = 0; i < image.width() * image.height(); ++i) {
        const QColor c = image.pixelColor(i % image.width(), i / image.width());
        count += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                     std::abs(c.blue() - colour.blue()) <
                 48;
    }
    return count;
}

} // namespace

TEST_F(MainWindow, ShowsEachStepOfADrillAndTakesEachTypedCode) {
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Kestrava"));
    EXPECT_EQ(form().minimumSize(), form().maximumSize());
    expectPicture(&form(), "mainwindow"); // menu, title, counters, prompt, rules and keyboard
    auto* prompt = control(QStringLiteral("StartLabel"));
    EXPECT_GT(pixelsNear(screen(prompt), lightGreen), 20);
    fire(form(), "Timer3");
    EXPECT_EQ(pixelsNear(screen(prompt), lightGreen), 0) << "greyed by the blink";
    EXPECT_GT(pixelsNear(screen(prompt),
                         control<CaptionLabel>(prompt->objectName())->disabledForeColor()),
              20);

    player->type(' ');
    const char first = player->expected();
    const char other = DrillPlayer::wrongLetter(first);
    EXPECT_EQ(pixel(key(first), {1, 1}), nextKeyBlue);
    EXPECT_EQ(pixel(key(other), {1, 1}), lightGreen);
    EXPECT_EQ(pixel(QStringLiteral("client"), {30, 50}), lightGreen) << "the rim of the box";
    EXPECT_EQ(pixel(QStringLiteral("QFrame"), {5, 11}), black) << "the letter covers the box";
    EXPECT_FALSE(prompt->isVisible());

    player->type(static_cast<char>(other + 32)); // a miss flashes the key typed
    EXPECT_NE(pixel(key(other), {0, 14}), lightGreen) << "the flash border";
    EXPECT_NE(pixel(key(other), {14, 27}), lightGreen) << "all round the key";
    EXPECT_EQ(pixel(key(other), {1, 14}), lightGreen);
    fire(form(), "Timer1", 5);
    EXPECT_EQ(pixel(key(other), {0, 14}), lightGreen) << "gone on the fifth tick";

    auto* que0 = control(QStringLiteral("Que0"));
    EXPECT_GT(pixelsNear(screen(que0), lightGreen), 10);
    player->type(static_cast<char>(first + 32));
    EXPECT_EQ(pixelsNear(screen(que0), lightGreen), 0);
    EXPECT_GT(pixelsNear(screen(que0), olive), 10) << "typed letters turn olive";
    EXPECT_EQ(pixel(QStringLiteral("QFrame"), {3, 20}), black) << "the box has moved on";
    EXPECT_EQ(pixel(QStringLiteral("QFrame"), {37, 20}), lightGreen);

    // Every UTF-16 unit of a typed text is one code for the drill, Tab too, which moves no focus;
    // keys that type no text are no keys.
    QWidget* focus = QApplication::focusWidget();
    for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_F1, Qt::Key_Tab})
        QTest::keyClick(form().windowHandle(), key);
    QKeyEvent text(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                   QStringLiteral("{\U0001F600"));
    QApplication::sendEvent(&form(), &text);
    EXPECT_EQ(player->misses(), 5);
    EXPECT_EQ(QApplication::focusWidget(), focus);
}

// Each number of keys chosen reaches the next drill, and the check mark follows it.
TEST_F(MainWindow, MenuChoosesTheNextDrillsLengthAndMarksIt) {
    for (const int keys : {100, 100, 20, 60}) {
        player->chooseKeys(keys);
        for (QAction* action : control<QAction>(QStringLiteral("TN20"))->actionGroup()->actions())
            EXPECT_EQ(action->isChecked(), action->text().toInt() == keys) << keys;
        player->type(' ');
        EXPECT_EQ(player->remaining(), keys);
    }
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
            const QImage before = screen(frame);
            (form().*set)(text.toStdString());
            const QImage after = screen(frame);
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
    player->type(' ');
    QCoreApplication::processEvents();
    PaintLog log(form());

    fire(form(), "Timer2");
    QCoreApplication::processEvents();

    const QWidget* clock = control(QStringLiteral("TimeLabel"));
    EXPECT_EQ(player->timeCaption(), QStringLiteral("0.05"));
    const std::map<QString, QRegion> clockAlone{{QStringLiteral("TimeLabel"), clock->rect()}};
    EXPECT_EQ(log.painted, clockAlone);
}

// The program's own timers, driven through their interval alone: 0 stops one, and any other
// interval starts a stopped one.
TEST(QtTimers, StopAtZeroAndStartAgainWithTheirInterval) {
    QObject owner;
    EngineTimer* timer = qtTimers()(Qt::CoarseTimer, &owner);
    for (const int ms : {50, 50, 0, 50, 40})
        EXPECT_EQ((timer->setInterval(ms), timer->interval()), ms);
}
