// The real main window timed on a real platform, in Google Benchmark repetitions:
//   KeyToScreen  one letter key a repetition, from its delivery until its pixels are on the
//                screen; a wrong letter before about one correct key in eight, every drill's
//                last key opening the result window (closed again after every third drill)
//   KeyFlash     one wrong letter a repetition, from its delivery until its key's border is off
//                the screen again; nominally five 50 ms flash ticks
//   ClockRate    the drill clock's ticks a second over a few seconds of an untouched drill,
//                nominally 66.67
// Each figure comes with the library's median and the p99, min or max asked for below.
//
//   kestrava_window_bench [--quick] [BENCHMARK-OPTION...]    (--quick: a few repetitions only)
#include "application.h"
#include "captionlabel.h"
#include "drillplayer.h"
#include "enginetimer.h"
#include "form1.h"
#include "ksreporthost.h"

#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cctype>
#include <chrono>
#include <cstring>
#include <functional>
#include <random>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Brings the screen up to date now rather than at the event loop's next pass: each window paints
// its dirty region into its backing store and flushes it, and on X11 sync() returns once the
// server has carried out every request, the new pixels included.
void paintPendingUpdates() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QGuiApplication::sync();
}

// Whatever earlier keys and ticks queued is handled before the next key, so each is timed alone.
void settle() {
    QCoreApplication::processEvents();
    paintPendingUpdates();
}

char lower(char capital) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(capital)));
}

// Counts the paints of the main window's controls: a key after which nothing was painted would
// have been timed without any drawing. Every key changes a label: a hit the letter's colour, a
// miss the counter.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// The window, made once for all the repetitions.
struct Drill {
    KSReportHost host;
    Form1 form{host};
    DrillPlayer player{form};
    PaintCounter counter;
    std::mt19937 random{1};
    bool waiting = true; // for Space
    int drills = 0;

    void start() {
        settle();
        if (waiting) {
            player.type(' ');
            waiting = false;
            settle();
        }
    }
};

void KeyToScreen(benchmark::State& state, Drill& d) {
    for (auto _ : state) {
        d.start();
        const char letter = d.player.expected();
        if (letter == '\0') {
            state.SkipWithError("no letter is in the cursor box");
            break;
        }
        const bool miss = std::uniform_int_distribution(1, 8)(d.random) == 1;
        const char typed =
            lower(miss ? DrillPlayer::wrongLetter(letter, int(d.random() % 25)) : letter);
        const bool last = !miss && d.player.remaining() == 1;
        const int paintsBefore = d.counter.paints;
        const Clock::time_point start = Clock::now();
        d.player.keyDown(typed);
        paintPendingUpdates();
        state.SetIterationTime(secondsSince(start));
        d.player.keyUp(typed);
        if (d.counter.paints == paintsBefore)
            state.SkipWithError("a key painted nothing");
        if (last) {
            d.waiting = true;
            if (++d.drills % 3 == 0 && d.host.window() != nullptr) {
                d.host.window()->close();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        }
    }
}

void KeyFlash(benchmark::State& state, Drill& d) {
    for (auto _ : state) {
        d.start();
        // Once no flash is left the flash timer stops, and the next key starts a fresh period.
        const auto* timer = d.form.findChild<EngineTimer*>(QStringLiteral("Timer1"));
        if (!QTest::qWaitFor([&] { return timer->interval() == 0; })) {
            state.SkipWithError("the flash timer kept running");
            break;
        }
        // A wrong letter leaves the row as it is, so the drill never ends.
        const char letter = DrillPlayer::wrongLetter(d.player.expected(), 3);
        const auto* key =
            d.form.findChild<CaptionLabel*>(QStringLiteral("Label1_%1").arg(letter - 'A'));
        const Clock::time_point start = Clock::now();
        d.player.type(lower(letter));
        while (key->borderStyle() != CaptionLabel::BorderStyle::None && secondsSince(start) < 2)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        paintPendingUpdates();
        state.SetIterationTime(secondsSince(start));
        if (key->borderStyle() != CaptionLabel::BorderStyle::None)
            state.SkipWithError("a key's border stayed on for 2 s");
    }
}

void ClockRate(benchmark::State& state, Drill& d) {
    d.start();
    int ticks = 0;
    Clock::time_point first, last;
    QObject context; // ends the connection with this repetition
    QObject::connect(d.form.findChild<EngineTimer*>(QStringLiteral("Timer2")),
                     &EngineTimer::timeout, &context, [&] {
                         last = Clock::now();
                         if (ticks++ == 0)
                             first = last;
                     });
    for (auto _ : state) {
        QEventLoop loop;
        QTimer::singleShot(int(state.range(0)), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
    const double seconds = std::chrono::duration<double>(last - first).count();
    state.counters["ticks_per_s"] = seconds > 0 ? (ticks - 1) / seconds : 0.0;
}

double p99(const std::vector<double>& v) { // nearest rank
    std::vector<double> sorted = v;
    const auto rank = sorted.begin() + long((sorted.size() * 99 + 99) / 100 - 1);
    std::nth_element(sorted.begin(), rank, sorted.end());
    return *rank;
}
constexpr auto least = [](const std::vector<double>& v) { return std::ranges::min(v); };
constexpr auto most = [](const std::vector<double>& v) { return std::ranges::max(v); };

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    // Set up as main() sets the program up, so that the figures are the program's.
    setUpPlatform();
    QApplication application(argc, argv);
    setUpApplication();
    Drill window;
    window.form.show();
    window.form.activateWindow();
    if (!QTest::qWaitForWindowExposed(&window.form))
        return 1;
    for (QWidget* control : window.form.findChildren<QWidget*>())
        control->installEventFilter(&window.counter);
    window.player.chooseKeys(100);

    const auto add = [&window](const char* name, auto function, int repetitions) {
        return benchmark::RegisterBenchmark(name, function, std::ref(window))
            ->Iterations(1)
            ->Repetitions(repetitions)
            ->ReportAggregatesOnly(true)
            ->ComputeStatistics("max", most);
    };
    add("KeyToScreen", KeyToScreen, quick ? 300 : 10000)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond)
        ->ComputeStatistics("p99", p99);
    add("KeyFlash", KeyFlash, quick ? 3 : 60)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("min", least);
    add("ClockRate", ClockRate, quick ? 2 : 5)
        ->Arg(quick ? 500 : 6000) // ms a repetition
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("min", least);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
