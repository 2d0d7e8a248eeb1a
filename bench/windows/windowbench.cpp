// Times the real main window: from a key to the screen, and the clock and key
// flash against real time. Prints one "name value" line per figure; lines
// starting with '#' are notes for a reader.
#include "drillplayer.h"
#include "fonts.h"
#include "form1.h"
#include "keytoscreen.h"
#include "ksreporthost.h"
#include "timerfidelity.h"

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <random>
#include <string>

namespace {

struct Options {
    int keys = 10000;
    int missEvery = 8;
    double clockSeconds = 30.0;
    unsigned seed = 1;
};

void usage(const char* program) {
    std::cerr << "usage: " << program
              << " [--keys N] [--miss-every N] [--clock-seconds S] [--seed N]\n"
                 "  --keys N           letter keys timed from key to screen (10000)\n"
                 "  --miss-every N     about one wrong letter per N correct ones (8)\n"
                 "  --clock-seconds S  real time the clock and flash are watched (30)\n"
                 "  --seed N           seed of the typist's choices (1)\n";
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--keys" && hasValue) {
            options.keys = std::atoi(argv[++i]);
        } else if (arg == "--miss-every" && hasValue) {
            options.missEvery = std::atoi(argv[++i]);
        } else if (arg == "--clock-seconds" && hasValue) {
            options.clockSeconds = std::atof(argv[++i]);
        } else if (arg == "--seed" && hasValue) {
            options.seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else {
            return false;
        }
    }
    return options.keys >= 0 && options.missEvery >= 1 && options.clockSeconds > 0;
}

void print(const char* name, double value, int decimals = 0) {
    std::printf("%s %.*f\n", name, decimals, value);
}

void printSample(const std::string& name, const Sample& sample, int decimals = 0) {
    print((name + "_p50" + "_us").c_str(), sample.median(), decimals);
    print((name + "_p99" + "_us").c_str(), sample.percentile(99), decimals);
    print((name + "_max" + "_us").c_str(), sample.max(), decimals);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        usage(argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    installFontSubstitutions();

    KSReportHost host;
    auto form = std::make_unique<Form1>(host);
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowExposed(form.get())) {
        std::cerr << "the main window was never exposed\n";
        return 1;
    }

    std::mt19937 random(options.seed);
    DrillPlayer player(*form);
    std::printf("# platform %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("# key to screen: from a key's delivery to its pixels, target p99 < 2000 us\n");
    const KeyToScreen keys =
        measureKeyToScreen(player, &host, options.keys, options.missEvery, random);
    print("key_to_screen_keys", static_cast<double>(keys.keys.size()));
    printSample("key_to_screen", keys.keys);
    printSample("key_hit", keys.hits);
    printSample("key_miss", keys.misses);
    printSample("key_drill_end", keys.drillEnds);
    printSample("key_start", keys.starts);
    print("key_drills", keys.drills);
    print("key_unpainted", keys.unpainted);
    print("key_miscounted_drills", keys.miscountedDrills);
    print("key_lost_cursor", keys.lostCursor);

    if (KSReport* window = host.window())
        window->close();
    std::printf("# timers over %.1f s of a drill: clock nominal 66.67 ticks/s; flash 5 ticks of 50 "
                "ms, 250 ms after the key\n",
                options.clockSeconds);
    const TimerFidelity timers = measureTimers(player, options.clockSeconds, random);
    const double ticksPerSecond =
        timers.seconds > 0 ? (timers.clockTicks - 1) / timers.seconds : 0.0;
    print("clock_seconds", timers.seconds, 3);
    print("clock_ticks", timers.clockTicks);
    print("clock_ticks_per_s", ticksPerSecond, 2);
    print("clock_ticks_per_s_error_pct", (ticksPerSecond * 0.015 - 1.0) * 100.0, 2);
    print("clock_interval_p50_ms", timers.tickIntervalsMs.median(), 3);
    print("clock_interval_p99_ms", timers.tickIntervalsMs.percentile(99), 3);
    print("clock_interval_max_ms", timers.tickIntervalsMs.max(), 3);
    print("clock_caption_matches", timers.captionMatches ? 1 : 0);
    print("flash_count", static_cast<double>(timers.flashMs.size()));
    print("flash_ms_median", timers.flashMs.median(), 1);
    print("flash_ms_min", timers.flashMs.min(), 1);
    print("flash_ms_p10", timers.flashMs.percentile(10), 1);
    print("flash_ms_p90", timers.flashMs.percentile(90), 1);
    print("flash_ms_max", timers.flashMs.max(), 1);
    print("flash_late_ms_median", timers.flashLateMs.median(), 2);
    print("flash_late_ms_max", timers.flashLateMs.max(), 2);
    print("flash_ticks_per_s",
          timers.flashTickSeconds > 0 ? (timers.flashTickCount - 1) / timers.flashTickSeconds : 0.0,
          2);
    print("flash_ticks_min", timers.flashTicks.min());
    print("flash_ticks_max", timers.flashTicks.max());
    print("flash_without_border", timers.flashesWithoutBorder);

    form.reset();
    const bool sound = keys.unpainted == 0 && keys.miscountedDrills == 0 && keys.lostCursor == 0 &&
                       timers.captionMatches && timers.flashesWithoutBorder == 0 &&
                       timers.clockTicks > 1;
    if (!sound)
        std::cerr << "the measurement went wrong: see the counts above\n";
    return sound ? 0 : 1;
}
