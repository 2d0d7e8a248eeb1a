// The program as main() builds it, with timers that tick only when the test fires them: the splash
// window, the main window as the player meets it (what it shows at each step, which keys reach
// the drill, its counters, whose numbers are always whole however long), drills and their result
// window, and the end of the program; the sizes, faces and repaints of every window, and the
// windows compared with pictures where the machine is the one they were taken on.
#include "counterlabel.h"
#include "drillplayer.h"
#include "frmsplash.h"
#include "ksreporthost.h"
#include "manualtimer.h"
#include "qtprinters.h"
#include "startup.h"
#include "version.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>
#include <ranges>
#include <sstream>

namespace {

const QColor lightGreen(128, 255, 128), blue(125, 125, 255), olive(192, 192, 0), black(0, 0, 0);

template <class Widget = QWidget> Widget* find(const QObject* in, const QString& name) {
    return in->findChild<Widget*>(name);
}

// A window as it is on the screen: what has really been painted, not a fresh rendering, so that a
// change that forgot its repaint shows. The platform's frame tick, which would bring what is
// pending to the screen within milliseconds, is given at once.
QImage onScreen(QWidget* window) {
    QCoreApplication::processEvents();
    QEvent frame(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(window->windowHandle(), &frame);
    const QPixmap shown = window->screen()->grabWindow(window->winId());
    return shown.toImage().convertToFormat(QImage::Format_RGB32);
}

int distance(const QColor& a, const QColor& b) {
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue());
}

// How many pixels of a picture are near a colour: antialiased text is never quite its colour.
int pixelsNear(const QImage& image, const QColor& colour, int within = 48) {
    int count = 0;
    for (int i = 0; i < image.width() * image.height(); ++i)
        count += distance(image.pixelColor(i % image.width(), i / image.width()), colour) < within;
    return count;
}

// The pixels of an image farther than `within` from the colour wanted at their place (none: any
// will do): "" when at most `allowed` are, else their count and the first few, with the colour
// shown and the colour wanted.
using Want = std::function<std::optional<QColor>(int x, int y)>;
std::string mismatches(const QImage& shown, const Want& want, int within = 0, int allowed = 0) {
    int count = 0;
    std::ostringstream first;
    for (int i = 0; i < shown.width() * shown.height(); ++i) {
        const QPoint at(i % shown.width(), i / shown.width());
        const QColor is = shown.pixelColor(at), w = want(at.x(), at.y()).value_or(is);
        if (distance(is, w) > within && ++count <= 4)
            first << " (" << at.x() << ", " << at.y() << ") " << is.name().toStdString() << " for "
                  << w.name().toStdString() << ";";
    }
    return count <= allowed ? "" : std::to_string(count) + " pixels differ, first" + first.str();
}

// The set of pictures for the Qt this runs on: Qt draws text and frames a little differently from
// one minor release to the next, so each Qt that a Debian release brings has its own folder
// (qt6.4 for Debian 12, qt6.8 for Debian 13, qt6.11 for unstable).
QString picturesFolder() {
    return QStringLiteral(KESTRAVA_PICTURES "/qt") +
           QString::fromLatin1(qVersion()).section(u'.', 0, 1);
}

// Why the pictures in picturesFolder() cannot hold here, or "" where they do: each set was taken
// with its Qt drawing IPAPGothic. Decided from the machine alone, never from the faces the program
// chose, so a program that loses its face fails its pictures.
std::string picturesDoNotApply() {
    if (!QDir(picturesFolder()).exists())
        return std::string("no set in ") + KESTRAVA_PICTURES + " was taken with Qt " + qVersion();
    if (!QFontDatabase::hasFamily(QStringLiteral("IPAPGothic")))
        return "IPAPGothic, the pictures' face, is not installed";
    if (QFontDatabase::hasFamily(QStringLiteral("ＭＳ Ｐゴシック")))
        return "the designed face itself is installed and takes IPAPGothic's place";
    return "";
}

// Runs the program's event loop through two steps, each in a pass of its own, and returns how it
// ended: 0 when its last window closed, 99 when it had to be stopped.
int runSteps(const std::function<void()>& first, const std::function<void()>& second) {
    QObject steps;
    QTimer::singleShot(0, &steps, [&] {
        first();
        QTimer::singleShot(0, &steps, second);
    });
    QTimer::singleShot(10000, &steps, [] { QCoreApplication::exit(99); });
    return QApplication::exec();
}

void click(QWidget* window, QWidget* control, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(window->windowHandle(), button, {}, control->mapTo(window, at));
}

// What a screen reader reads of a window, in its order: the name of every node shown but the
// fillers, with the caption it is labelled by after a slash.
QString readOut(QAccessibleInterface* node) {
    QStringList names;
    if (!node->state().invisible && node->role() != QAccessible::Client &&
        node->role() != QAccessible::Grouping)
        names << node->text(QAccessible::Name);
    for (const auto& [label, relation] : node->relations(QAccessible::Label))
        names.last() += '/' + label->text(QAccessible::Name);
    for (int i = 0; i < node->childCount(); ++i)
        names << readOut(node->child(i));
    names.removeAll(QString());
    return names.join(' ');
}

const auto accessible = QAccessible::queryAccessibleInterface;

// What a screen reader says of the news the tests are about: the reading focus moving, by the name
// its object has for the reader, and what it is told unasked, an announcement (Qt 6.8 and later)
// or a notification shown. Like a real reader it keeps the name it first read, until a NameChanged
// event tells it the new one. Qt's other news (widgets shown, hidden, moved or changing state),
// which each Qt release sends a little differently, passes unheard.
QStringList heard;
QHash<QObject*, QString> namesRead;
void listen(QAccessibleEvent* event) {
    const int type = event->type();
    if (type == QAccessible::NameChanged || !namesRead.contains(event->object()))
        namesRead.insert(event->object(), event->accessibleInterface()->text(QAccessible::Name));
    if (type == QAccessible::Focus)
        heard << "focus " + namesRead.value(event->object());
    else if (type == QAccessible::ObjectShow &&
             event->accessibleInterface()->role() == QAccessible::Notification)
        heard << "told " + event->accessibleInterface()->text(QAccessible::Name);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    else if (type == QAccessible::Announcement)
        heard << "told " + static_cast<QAccessibleAnnouncementEvent*>(event)->message();
#endif
}

class Program : public ::testing::Test {
public:
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

    // A drill of 20 keys, started by a Space typed into `keyboard` (the main window when null): the
    // misses first, then the clock's ticks, then the letters; a letter that never comes ends it
    // after a drill's worth of keys.
    void playDrill(int misses, int ticks, QWindow* keyboard = nullptr) {
        QTest::keyClick(keyboard ? keyboard : form().windowHandle(), Qt::Key_Space);
        ASSERT_EQ(player->remaining(), 20) << "the Space started no drill";
        for (int i = 0; i < misses; ++i)
            player->type(DrillPlayer::wrongLetter(player->expected()));
        fire(form(), "Timer2", ticks);
        for (int i = 0; i < 20 && player->remaining() > 0; ++i)
            player->type(static_cast<char>(player->expected() + 32));
        ASSERT_EQ(player->remaining(), 0) << "the letter in the box was not taken";
    }
    // The result window after a drill of 20 keys with 2 misses in 2 seconds.
    KSReport* results() {
        leaveSplash();
        player->chooseKeys(20);
        playDrill(2, 40);
        EXPECT_TRUE(QTest::qWaitForWindowActive(host->window()));
        return host->window();
    }

    const qsizetype widgetsBefore = QApplication::allWidgets().size();
    std::unique_ptr<KSReportHost> host = std::make_unique<KSReportHost>();
    std::unique_ptr<StartUp> startUp = std::make_unique<StartUp>(*host, manualTimers());
    QPointer<frmSplash> splash;
    std::unique_ptr<DrillPlayer> player;
};

// The states an X window asks its window manager for, as xprop reads its _NET_WM_STATE.
QString askedStates(const QWidget* window) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window->winId()), "_NET_WM_STATE"});
    return xprop.waitForFinished() ? QString::fromLatin1(xprop.readAllStandardOutput()) : "";
}

// Names a parameter of a table of named rows in the test's name.
const auto rowName = [](const auto& info) { return std::string(info.param.first); };

// The program with a table of such rows, each a step on its windows or on the fixture.
template <class Step>
class ProgramRows : public Program,
                    public ::testing::WithParamInterface<std::pair<const char*, Step>> {};

} // namespace

TEST_F(Program, StartsOnTheSplashCentredOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((splash->frameGeometry().center() - screen.center()).manhattanLength(), 1);
    EXPECT_EQ(splash->size(), QSize(373, 101)) << "371 x 99 inside a one-pixel border";
    EXPECT_EQ(find(splash, "client")->size(), QSize(371, 99));
}

TEST_F(Program, SplashStaysThroughKeysWithoutTextAndClicksBesideItsFrame) {
    for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_F1, Qt::Key_Left})
        QTest::keyClick(splash->windowHandle(), key);
    for (const char* name : {"imgLogo", "lblProductName", "lblVersion"})
        click(splash, find(splash, name), {5, 5});
    click(splash, splash, {1, 50}); // the margin
    click(splash, find(splash, "Frame1"), {200, 85}, Qt::RightButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(splash.isNull());
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(startUp->mainWindow(), nullptr);
}

using LeavingTheSplash = ProgramRows<void (*)(frmSplash&)>;
const LeavingTheSplash::ParamType splashWays[] = {
    {"TwoSeconds", [](frmSplash& s) { fire(s, "Timer1"); }},
    {"Letter", [](frmSplash& s) { QTest::keyClick(s.windowHandle(), Qt::Key_A); }},
    {"ClickOnTheFrame", [](frmSplash& s) { click(&s, find(&s, "Frame1"), QPoint(200, 85)); }},
};

// In the running program: the splash goes once, whichever ways come at once, leaves one main
// window behind and not itself, and ends nothing; the program ends when the main window closes.
TEST_P(LeavingTheSplash, OpensOneMainWindowAndEndsNothing) {
    QSignalSpy unloaded(splash.data(), &frmSplash::unloaded);
    const auto leave = [&] {
        GetParam().second(*splash);
        EXPECT_NE(startUp->mainWindow(), nullptr) << "not opened by this way alone";
        for (const auto& [name, way] : splashWays)
            if (!splash.isNull())
                way(*splash);
    };
    const auto look = [&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(splash.isNull());
        EXPECT_EQ(std::ranges::count_if(QApplication::topLevelWidgets(), &QWidget::isVisible), 1);
        startUp->mainWindow()->close();
    };
    EXPECT_EQ(runSteps(leave, look), 0);
    EXPECT_EQ(unloaded.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Ways, LeavingTheSplash, ::testing::ValuesIn(splashWays), rowName);

using ClosingTheResultWindow = ProgramRows<void (*)(KSReport&)>;
const ClosingTheResultWindow::ParamType reportCloses[] = {
    {"OkClicked", [](KSReport& r) { click(&r, find(&r, "Command1"), QPoint(5, 5)); }},
    {"Space", [](KSReport& r) { QTest::keyClick(r.windowHandle(), Qt::Key_Space); }},
    {"Enter", [](KSReport& r) { QTest::keyClick(r.windowHandle(), Qt::Key_Enter); }},
    {"Return", [](KSReport& r) { QTest::keyClick(r.windowHandle(), Qt::Key_Return); }},
    {"TitleBarClose", [](KSReport& r) { r.close(); }},
};

// Closing it gives the keyboard back to the main window, so the next Space starts a drill even
// where no window manager would hand the focus on.
TEST_P(ClosingTheResultWindow, DestroysItGivesTheKeyboardBackAndTheNextDrillMakesItAnew) {
    QPointer<KSReport> report = results();
    GetParam().second(*report);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(report.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    playDrill(0, 5, QGuiApplication::focusWindow());
    EXPECT_NE(host->window(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosingTheResultWindow, ::testing::ValuesIn(reportCloses), rowName);

// Only keys that press OK close it; one left open is the window the next drill shows its values
// in, at the front again.
TEST_F(Program, AResultWindowLeftOpenTakesTheNextDrillToTheFront) {
    QPointer<KSReport> report = results();
    QTest::keyClick(report->windowHandle(), Qt::Key_A);
    form().activateWindow();
    playDrill(0, 5);
    ASSERT_EQ(host->window(), report.data());
    EXPECT_EQ(QApplication::activeWindow(), report.data());
}

// No first digit is cut.
TEST_F(Program, ResultWindowFitsTheWidestFigureOfEachValue) {
    KSReport* report = results();
    for (const auto& [name, widest] : {std::pair{"TNLabel", "100"},
                                       {"MissLabel", "10000"},
                                       {"TimeLabel", "9999.95"},
                                       {"SpeedLabel", "3.9867"},
                                       {"ExactityLabel", "95.2381"}}) {
        const QLabel* value = find<QLabel>(report, name);
        EXPECT_LE(value->fontMetrics().horizontalAdvance(QLatin1String(widest)), value->width())
            << name;
    }
}

// Each window reads top to bottom and left to right; the result window's values, as they show,
// are labelled by their captions. The splash's is the one place the release is checked on a
// window: the pictures leave it out.
TEST_F(Program, ScreenReaderReadsEachWindowInScreenOrder) {
    EXPECT_EQ(readOut(accessible(splash)), "Kestrava KS工房 version " KESTRAVA_RELEASE);
    KSReport* report = results();
    EXPECT_EQ(readOut(accessible(&form())),
              QStringLiteral("Kestrava 設定 Kestrava 残り 0 時間 2.00 ミス 2 スペースで開始 "
                             "Q W E R T Y U I O P A S D F G H J K L Z X C V B N M"));
    EXPECT_EQ(
        readOut(accessible(report)),
        QStringLiteral("KS Report Result 問題数 20/問題数 ミスタッチ 2/ミスタッチ 所要時間（秒） "
                       "2.00/所要時間（秒） スピード（タイプ/秒） 10/スピード（タイプ/秒） "
                       "正確性（％） 90.9091/正確性（％） 総合評価 Better/総合評価 OK"));
}

// Both keep the size of their client areas, whatever the faces (the splash's is checked above),
// offer only to be closed and show the program's icon. Nor can they be maximised, as a title bar
// that Qt draws itself offers (on GNOME and weston, whose compositors draw none): asked to, they
// stay as they were.
TEST_F(Program, MainAndResultWindowsHaveAFixedSizeACloseButtonAndTheProgramsIcon) {
    KSReport* report = results();
    EXPECT_EQ(form().centralWidget()->geometry(), QRect(0, form().menuBar()->height(), 367, 230));
    EXPECT_EQ(report->size(), QSize(174, 169));
    const auto buttons = Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    for (QWidget* window : {static_cast<QWidget*>(&form()), static_cast<QWidget*>(report)}) {
        const std::string name = window->objectName().toStdString();
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << name;
        EXPECT_EQ(window->windowFlags() & buttons, Qt::WindowCloseButtonHint) << name;
        EXPECT_EQ(window->windowIcon().pixmap(32).size(), QSize(32, 32)) << name;
        const QRect before = window->geometry();
        window->windowHandle()->setWindowStates(Qt::WindowMaximized);
        QCoreApplication::processEvents();
        EXPECT_EQ(window->windowHandle()->windowStates(), Qt::WindowNoState)
            << name << " maximised";
        EXPECT_EQ(window->geometry(), before) << name << " resized";
    }
}

// The desktop knows the program by its entry's name and id.
TEST_F(Program, BelongsToItsDesktopEntry) {
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Kestrava"));
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("org.kestrava.Kestrava"));
}

// The main window is the program's one entry in the desktop's task list: the splash and the result
// window ask the window manager to leave them off it, before they map. Read on an X server with no
// window manager, which leaves each window's request as it was made.
TEST_F(Program, OnlyTheMainWindowIsOnTheTaskList) {
#if !defined(KESTRAVA_HAVE_XCB)
    GTEST_SKIP() << "built without the X protocol library (libxcb), through which it asks";
#endif
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "the requests are read from an X server; this is "
                     << QGuiApplication::platformName().toStdString();
    const QString offTheList = QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR");
    EXPECT_TRUE(askedStates(splash).contains(offTheList)) << "the splash";
    KSReport* report = results();
    EXPECT_FALSE(askedStates(&form()).contains(offTheList)) << "the main window";
    EXPECT_TRUE(askedStates(report).contains(offTheList)) << "the result window";
}

// The result window stands on its own beside the main window, with OK to press; it is a dialog, and
// what a screen reader speaks of a dialog as it opens, its description, holds the six values after
// their captions.
TEST_F(Program, ResultWindowIsATopLevelDialogWithOkFocusedDescribedByItsValues) {
    KSReport* report = results();
    EXPECT_EQ(report->parentWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), find(report, "Command1"));
    EXPECT_EQ(accessible(report)->role(), QAccessible::Dialog);
    EXPECT_EQ(accessible(report)->text(QAccessible::Description),
              QStringLiteral("問題数 20 ミスタッチ 2 所要時間（秒） 2.00 スピード（タイプ/秒） 10 "
                             "正確性（％） 90.9091 総合評価 Better"));
}

using ClosingTheWindows = ProgramRows<QWidget* (*)(Program&)>; // the window closed first
const ClosingTheWindows::ParamType closeOrders[] = {
    {"MainWindowFirst", [](Program& p) -> QWidget* { return &p.form(); }},
    {"ResultWindowFirst", [](Program& p) -> QWidget* { return p.host->window(); }},
};

// The event loop ends by itself when the last window closes, whichever it is, and main()'s objects
// leave no widget behind.
TEST_P(ClosingTheWindows, EndsTheProgramWithTheLastAndLeavesNothing) {
    KSReport* report = results();
    QPointer<QWidget> windows[] = {GetParam().second(*this), nullptr};
    windows[1] = windows[0] == report ? static_cast<QWidget*>(&form()) : report;
    const auto closeTheOther = [&] {
        EXPECT_EQ(std::ranges::count_if(QApplication::topLevelWidgets(), &QWidget::isVisible), 1);
        windows[1]->close();
    };
    EXPECT_EQ(runSteps([&] { windows[0]->close(); }, closeTheOther), 0);
    startUp.reset();
    host.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
}

INSTANTIATE_TEST_SUITE_P(Orders, ClosingTheWindows, ::testing::ValuesIn(closeOrders), rowName);

// Each window as its picture shows it, from the start on the splash.
using Pictures = ProgramRows<QWidget* (*)(Program&)>; // the window shown
const Pictures::ParamType pictures[] = {
    {"splash", [](Program& p) -> QWidget* { return p.splash; }},
    {"mainwindow", [](Program& p) -> QWidget* { return (p.leaveSplash(), &p.form()); }},
    {"results", [](Program& p) -> QWidget* { return p.results(); }},
};

// Pixel for pixel where the pictures were taken, but for the release on the splash, which changes
// with every release and is read out above. KESTRAVA_TAKE_PICTURES=1 takes them anew, there only.
// A mismatch leaves the window as shown beside the test in the build tree.
TEST_P(Pictures, MatchTheWindowsAsTheyWereWhenRight) {
    const auto& [name, show] = GetParam();
    const bool take = qEnvironmentVariableIsSet("KESTRAVA_TAKE_PICTURES");
    if (const std::string why = picturesDoNotApply(); !why.empty())
        GTEST_SKIP() << "pictures not " << (take ? "taken" : "compared") << ": " << why;
    QWidget* window = show(*this);
    const QImage shown = onScreen(window);
    const QString path = picturesFolder() + QStringLiteral("/%1.png").arg(QLatin1String(name));
    ASSERT_TRUE(!take || shown.save(path)) << "not taken: " << path.toStdString();
    const QImage want = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), want.size());
    const QWidget* release = find(window, QStringLiteral("lblVersion"));
    const QRect leftOut =
        release ? QRect(release->mapTo(window, QPoint()), release->size()) : QRect();
    const std::string differences = mismatches(shown, [&](int x, int y) -> std::optional<QColor> {
        return leftOut.contains(x, y) ? std::nullopt : std::optional(want.pixelColor(x, y));
    });
    const std::string out = QDir::currentPath().toStdString() + "/" + name + "-shown.png";
    if (!differences.empty())
        shown.save(QString::fromStdString(out));
    EXPECT_EQ(differences, "") << name << " is not as in " << path.toStdString() << ". See " << out;
}

INSTANTIATE_TEST_SUITE_P(Windows, Pictures, ::testing::ValuesIn(pictures), rowName);

// The main window once the splash has gone, looked at as the player sees it.
class MainWindow : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        leaveSplash();
    }

    QWidget* control(const QString& name) { return find(&form(), name); }
    // What a control shows of the main window, and one of its pixels, in its own coordinates.
    QImage screen(QWidget* control) {
        return onScreen(&form()).copy({control->mapTo(&form(), QPoint()), control->size()});
    }
    QColor pixel(const QString& name, QPoint at) { return screen(control(name)).pixelColor(at); }
    QString key(char letter) { return QStringLiteral("Label1_%1").arg(letter - 'A'); }
    char start() { return (player->type(' '), player->expected()); } // the letter to type
};

// The blink greys the prompt and leaves it legible, whatever grey the desktop's palette has for
// disabled text.
TEST_F(MainWindow, BlinkGreysThePromptLegiblyWhateverThePalette) {
    auto* prompt = control(QStringLiteral("StartLabel"));
    for (const auto& [disabled, whose] :
         {std::pair{form().palette().color(QPalette::Disabled, QPalette::WindowText), "its own"},
          {QColor(24, 24, 24), "one lost on the black"},
          {lightGreen, "the prompt's own green"}}) {
        QPalette palette = form().palette();
        palette.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
        form().setPalette(palette);
        EXPECT_GT(pixelsNear(screen(prompt), lightGreen), 20) << whose;
        fire(form(), "Timer3");
        EXPECT_EQ(pixelsNear(screen(prompt), lightGreen), 0) << "not greyed, with " << whose;
        EXPECT_GT(pixelsNear(screen(prompt), QColor(128, 128, 128), 96), 20) << whose;
        fire(form(), "Timer3");
    }
}

// Space shows the row, every letter uncovered, the box on the first, framing it with a two-pixel
// rim, and its key highlighted; for a screen reader that letter is named and focused (which of the
// window's controls has its reading focus, and which key is selected, is followed below). That the
// prompt goes is the engine's to decide, and its hiding reaches the screen as each write does.
TEST_F(MainWindow, SpaceShowsTheRowWithTheLetterToTypeBoxedAndItsKeyMarked) {
    const char first = start();
    for (int i = 0; i < Form1::queCount; ++i)
        EXPECT_GT(pixelsNear(screen(control(QStringLiteral("Que%1").arg(i))), lightGreen), 10) << i;
    EXPECT_EQ(pixel(key(first), {1, 1}), blue);
    QAccessibleInterface* que0 = accessible(control(QStringLiteral("Que0")));
    EXPECT_EQ(que0->text(QAccessible::Name), QString(QLatin1Char(first)));
    EXPECT_TRUE(que0->state().focused);
    const QRect around = control(QStringLiteral("Que0"))->geometry().adjusted(-3, -3, 3, 3);
    const QImage box = screen(control(QStringLiteral("QFrame"))).copy(around);
    const std::string offRim = mismatches(box, [&](int x, int y) -> std::optional<QColor> {
        const int out = std::max({3 - x, x - box.width() + 4, 3 - y, y - box.height() + 4});
        return out <= 0 ? std::nullopt : std::optional(out <= 2 ? lightGreen : black); // 0: letter
    });
    EXPECT_EQ(offRim, "") << "the box's rim";
}

// A miss flashes the key typed, with a border all round, until the fifth flash tick.
TEST_F(MainWindow, AKeyTypedFlashesABorderRoundItsKeyForFiveTicks) {
    const char other = DrillPlayer::wrongLetter(start());
    player->type(static_cast<char>(other + 32));
    for (const QPoint edge : {QPoint(0, 14), QPoint(14, 0), QPoint(27, 14), QPoint(14, 27)})
        EXPECT_NE(pixel(key(other), edge), lightGreen) << edge.x() << ", " << edge.y();
    EXPECT_EQ(pixel(key(other), {1, 14}), lightGreen) << "inside the border";
    fire(form(), "Timer1", 5);
    EXPECT_EQ(pixel(key(other), {0, 14}), lightGreen) << "left after the fifth tick";
}

TEST_F(MainWindow, AHitTurnsTheLetterOliveAndMovesTheBoxOn) {
    player->type(static_cast<char>(start() + 32));
    const QImage que0 = screen(control(QStringLiteral("Que0")));
    EXPECT_EQ(pixelsNear(que0, lightGreen), 0);
    EXPECT_GT(pixelsNear(que0, olive), 10);
    EXPECT_EQ(pixel(QStringLiteral("QFrame"), {3, 20}), black) << "the box left the first letter";
    EXPECT_EQ(pixel(QStringLiteral("QFrame"), {37, 20}), lightGreen) << "for the second";
}

// Typing reaches the window at once. A Japanese input method, as IBus or Fcitx runs one, takes keys
// for its preedit wherever the focus accepts input methods; the window accepts none, so that
// letters arrive as keys all the same. Every UTF-16 unit of a typed text is one code for the
// drill, Tab too, which moves no focus; keys that type no text are no keys.
TEST_F(MainWindow, IsActiveDeclinesInputMethodsAndTakesEachUtf16UnitAsOneCode) {
    EXPECT_EQ(QApplication::activeWindow(), &form());
    start();
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(QGuiApplication::focusObject(), &query);
    EXPECT_FALSE(query.value(Qt::ImEnabled).toBool());
    QWidget* focus = QApplication::focusWidget();
    for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_F1, Qt::Key_Tab})
        QTest::keyClick(form().windowHandle(), key);
    QKeyEvent text(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                   QStringLiteral("{\U0001F600"));
    QApplication::sendEvent(&form(), &text);
    EXPECT_EQ(player->misses(), 4);
    EXPECT_EQ(QApplication::focusWidget(), focus);
}

// Each number of keys chosen reaches the next drill, and the check mark follows it. (The menu bar's
// own title is read out with the main window.)
TEST_F(MainWindow, MenuChoosesTheNextDrillsLengthAndMarksIt) {
    EXPECT_EQ(find<QMenu>(&form(), "TypingNumber")->title(), QStringLiteral("問題数"));
    EXPECT_TRUE(find<QAction>(&form(), "TN60")->isChecked()) << "60 keys at the start";
    for (const int keys : {100, 100, 20, 60}) {
        player->chooseKeys(keys);
        for (const int marked : {20, 60, 100})
            EXPECT_EQ(find<QAction>(&form(), QStringLiteral("TN%1").arg(marked))->isChecked(),
                      marked == keys)
                << marked << " after " << keys;
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

// A number is drawn right-aligned on its edge and may reach left up to its caption, and nowhere
// else; only a number wider than that is condensed, so that it shows whole. Numbers that fit the
// 465 twips the label first had therefore look as they always did. Each new number reaches the
// screen by itself.
TEST_F(MainWindow, CountersShowTheirWholeNumberRightAlignedAndClearOfTheirCaptions) {
    for (const auto& [name, captionName, set, texts, right] : counterRows) {
        const QWidget* number = control(QString::fromLatin1(name));
        const QRect caption = control(QLatin1String(captionName))->geometry();
        const QRect reach(QPoint(caption.right() + 1, number->y()),
                          QPoint(right - 1, number->geometry().bottom()));
        const QFontMetricsF metrics(number->font());
        for (const QString& text : QString::fromUtf8(texts).split(QLatin1Char(' '))) {
            const QImage before = screen(number->parentWidget());
            (form().*set)(text.toStdString());
            const QImage after = screen(number->parentWidget());
            EXPECT_EQ(after.copy(caption), before.copy(caption)) << "over the caption: " << name;
            // As the face draws the number at its natural width, squeezed into the reach where that
            // is wider: alike but for the antialiasing of at most one pixel in ten.
            const qreal width = metrics.horizontalAdvance(text);
            QImage natural(qCeil(width), reach.height(), QImage::Format_RGB32);
            natural.fill(black);
            QPainter painter(&natural);
            painter.setFont(number->font());
            painter.setPen(lightGreen);
            painter.drawText(QPointF(natural.width() - width, metrics.ascent()), text);
            painter.end();
            const QSize fit(std::min(natural.width(), reach.width()), reach.height());
            const QImage want =
                natural.scaled(fit, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            const int margin = reach.width() - want.width();
            const std::string drawn = mismatches(
                after.copy(reach),
                [&](int x, int y) { return x < margin ? black : want.pixelColor(x - margin, y); },
                255, reach.width() * reach.height() / 10);
            EXPECT_EQ(drawn, "") << name << " " << text.toStdString();
        }
    }
}

// One write of the engine's at a time reaches the screen by itself, with no other change to bring
// a repaint along; the writes come in an order in which each has something to change. The blink,
// a key's colour and its border are each seen alone above, in the blink, Space and a typed key.
TEST_F(MainWindow, EachWriteToAControlReachesTheScreenByItself) {
    const std::tuple<const char*, const char*, void (*)(Form1&)> writes[] = {
        {"StartLabel", "visible", [](Form1& f) { f.setStartLabelVisible(false); }},
        {"QFrame", "visible", [](Form1& f) { f.setQFrameVisible(true); }},
        {"Que3", "caption", [](Form1& f) { f.setQueCaption(3, "W"); }},
        {"Que3", "fore colour", [](Form1& f) { f.setQueForeColor(3, 0xC0C0); }},
        {"QFrame", "box left", [](Form1& f) { f.setCursorLeft(f.queLeft(1) - 25); }},
        {"QFrame", "box top", [](Form1& f) { f.setCursorTop(f.queTop(11) - 25); }},
        {"QFrame", "hidden", [](Form1& f) { f.setQFrameVisible(false); }},
        {"StartLabel", "shown", [](Form1& f) { f.setStartLabelVisible(true); }},
    };
    for (const auto& [name, what, write] : writes) {
        QWidget* changed = control(QLatin1String(name));
        const QImage before = screen(changed);
        write(form());
        EXPECT_NE(screen(changed), before) << name << " " << what;
    }
}

// Where the machine has a Japanese face and a fixed-pitch one, each control is drawn in a face of
// its kind: captions, keys and numbers in a face that has the kana itself rather than borrowing
// them from another, and the question letters in a fixed-pitch face.
TEST_F(Program, EachControlIsDrawnInAFaceOfItsKind) {
    if (QFontDatabase::families(QFontDatabase::Japanese).isEmpty() ||
        std::ranges::none_of(QFontDatabase::families(QFontDatabase::Latin),
                             [](const QString& face) { return QFontDatabase::isFixedPitch(face); }))
        GTEST_SKIP() << "this machine has no Japanese face or no fixed-pitch face";
    const QRegularExpression drawsText("^(lbl\\w+|Label[\\d_]+|Que\\d+|\\w+Label|Command1)$");
    const auto expectFaces = [&](const QWidget* window) {
        const auto controls = window->findChildren<QWidget*>(drawsText);
        EXPECT_FALSE(controls.isEmpty()) << window->objectName().toStdString();
        for (const QWidget* control : controls) {
            const QFontInfo face = control->fontInfo();
            EXPECT_TRUE(control->objectName().startsWith(QLatin1String("Que"))
                            ? face.fixedPitch()
                            : QRawFont::fromFont(control->font()).supportsCharacter(QChar(0x30B9)))
                << control->objectName().toStdString() << " in " << face.family().toStdString();
        }
    };
    expectFaces(splash);
    expectFaces(results());
    expectFaces(&form());
}

// The program's own timers, driven through their interval alone: 0 stops one, any other interval
// starts it; the clock's counts its ticks, so it asks for precision.
TEST(QtTimers, StartAndStopByTheirInterval) {
    QObject owner;
    EngineTimer* timer = qtTimers()(Qt::PreciseTimer, &owner);
    EXPECT_EQ(timer->findChild<QTimer*>()->timerType(), Qt::PreciseTimer);
    for (const int ms : {50, 50, 0, 0, 50, 40})
        EXPECT_EQ((timer->setInterval(ms), timer->interval()), ms);
}

// What a screen reader finds in focus: the prompt while it shows, and in a drill the letter under
// the box, after every hit and across a new row, with its key the one selected.
TEST_F(MainWindow, ReadingFocusIsThePromptOrTheLetterUnderTheBox) {
    const auto focused = [this] {
        return qobject_cast<QWidget*>(accessible(&form())->focusChild()->object());
    };
    const auto selected = [this](int k) {
        return accessible(control(key(static_cast<char>('A' + k))))->state().selected;
    };
    EXPECT_EQ(focused(), control(QStringLiteral("StartLabel"))) << "before a drill";
    player->type(' ');
    for (int hit = 0; hit < 60; ++hit) { // three rows
        const QRect box = control(QStringLiteral("Cursor"))->geometry();
        EXPECT_TRUE(box.contains(focused()->geometry().center()))
            << "after " << hit << " hits the focus is on " << focused()->objectName().toStdString();
        EXPECT_TRUE(selected(player->expected() - 'A')) << "after " << hit << " hits";
        EXPECT_EQ(std::ranges::count_if(std::views::iota(0, Form1::keyCount), selected), 1);
        player->type(player->expected());
    }
    EXPECT_EQ(focused(), control(QStringLiteral("StartLabel"))) << "after the drill";
}

// A player whose locale writes decimals with a comma reads the clock and the results with one.
struct UnderACommaLocale : Program {
    UnderACommaLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~UnderACommaLocale() override { QLocale::setDefault(before); }
    const QLocale before;
};

TEST_F(UnderACommaLocale, ClockAndResultsWriteTheirDecimalsWithAComma) {
    KSReport* report = results();
    EXPECT_EQ(find<CounterLabel>(&form(), "TimeLabel")->caption(), QStringLiteral("2,00"));
    EXPECT_EQ(find<QLabel>(report, "ExactityLabel")->text(), QStringLiteral("90,9091"));
}

// A screen reader hears the letter to type each time it changes, at the start, after each hit and
// with a new row; each miss told with its count and the letter again; the prompt when the main
// window comes back; and the clock at most once a displayed second, not on each of its ticks. Qt
// sends these only where an accessibility bus listens: CTest runs this test there too
// (tests/windows/CMakeLists.txt).
TEST_F(MainWindow, ScreenReaderHearsTheLetterToTypeMissesAndThePrompt) {
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        !QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000))
        GTEST_SKIP() << "no accessibility bus listens here";
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form())); // and told so
    QCoreApplication::processEvents();                 // what its coming to the front tells
    const QAccessible::UpdateHandler platform = QAccessible::installUpdateHandler(listen);
    heard.clear();
    namesRead.clear();
    player->chooseKeys(20);
    player->type(' ');
    QStringList want{QStringLiteral("focus ") + QLatin1Char(player->expected())};
    for (const char* count : {"1", "2"}) { // each miss with its count, the same letter again
        player->type(DrillPlayer::wrongLetter(player->expected()));
        want << QStringLiteral("told ミス %1 %2").arg(QLatin1String(count)).arg(player->expected());
    }
    QObject* clock = control(QStringLiteral("TimeLabel"));
    int clockNames = 0;
    for (int tick = 0; tick < 60; ++tick) {
        const QString before = namesRead.value(clock);
        fire(form(), "Timer2");
        clockNames += namesRead.value(clock) != before;
    }
    for (int i = 0; i < 19; ++i) {
        player->type(player->expected());
        want << QStringLiteral("focus ") + QLatin1Char(player->expected());
    }
    EXPECT_EQ(heard, want);
    EXPECT_EQ(namesRead.value(control(QStringLiteral("MissLabel"))), "2") << "read as it stands";
    EXPECT_GE(clockNames, 2) << "60 ticks are three displayed seconds";
    EXPECT_LE(clockNames, 3) << "the clock tells its name once a displayed second at most";

    player->type(player->expected());
    ASSERT_TRUE(QTest::qWaitForWindowActive(host->window()));
    heard.clear();
    QTest::keyClick(host->window()->windowHandle(), Qt::Key_Space);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    QCoreApplication::processEvents();
    QAccessible::installUpdateHandler(platform);
    EXPECT_TRUE(heard.contains(QStringLiteral("focus スペースで開始")))
        << "the prompt: " << heard.join(", ").toStdString();
}
