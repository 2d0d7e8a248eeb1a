#include "timerfidelity.h"

#include "captionlabel.h"
#include "drillplayer.h"
#include "enginetimer.h"
#include "form1.h"
#include "screensync.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLocale>
#include <QTimer>
#include <cctype>
#include <chrono>
#include <cmath>
#include <functional>
#include <optional>
#include <stdexcept>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

EngineTimer& timer(const Form1& form, const char* name) {
    auto* found = form.findChild<EngineTimer*>(QLatin1String(name));
    if (found == nullptr)
        throw std::runtime_error(std::string("the main window has no ") + name);
    return *found;
}

CaptionLabel* key(const Form1& form, char capital) {
    return form.findChild<CaptionLabel*>(QStringLiteral("Label1_%1").arg(capital - 'A'));
}

// The number of 0.05 s steps the clock caption shows, or -1 if it shows none.
int shownTicks(const QString& caption) {
    bool ok = false;
    const double seconds = QLocale().toDouble(caption, &ok);
    if (!ok)
        return -1;
    const double steps = seconds * 20.0;
    return std::abs(steps - std::round(steps)) < 1e-6 ? static_cast<int>(std::round(steps)) : -1;
}

struct PendingFlash {
    char letter;
    Clock::time_point pressed;
    Clock::time_point dueEnd;
    int flashTicksAtPress;
};

} // namespace

TimerFidelity measureTimers(DrillPlayer& player, double seconds, std::mt19937& random) {
    TimerFidelity result;
    Form1& form = player.form();
    std::uniform_int_distribution<int> pause(100, 400);

    std::optional<Clock::time_point> firstTick;
    std::optional<Clock::time_point> lastTick;
    constexpr auto flashLength = std::chrono::milliseconds(250);
    int flashTicks = 0;
    std::optional<Clock::time_point> firstFlashTick;
    std::optional<Clock::time_point> lastFlashTick;
    std::optional<PendingFlash> flash;
    std::function<void()> press;
    // Ends every connection and pending press below before the state they use.
    QObject context;

    QObject::connect(&timer(form, "Timer2"), &EngineTimer::timeout, &context, [&] {
        const Clock::time_point now = Clock::now();
        if (lastTick)
            result.tickIntervalsMs.add(millisecondsBetween(*lastTick, now));
        else
            firstTick = now;
        lastTick = now;
        ++result.clockTicks;
    });

    player.chooseKeys(100);
    player.keyDown(' ');
    player.keyUp(' ');

    auto pressLater = [&] {
        QTimer::singleShot(pause(random), Qt::PreciseTimer, &context, [&] { press(); });
    };
    press = [&] {
        const char expected = player.expected();
        if (expected == '\0')
            return;
        const char letter =
            player.remaining() > 10 ? expected : DrillPlayer::wrongLetter(expected, 3);
        const char typed = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
        const bool running = timer(form, "Timer1").interval() != 0 && lastFlashTick;
        const Clock::time_point pressed = Clock::now();
        player.keyDown(typed);
        paintPendingUpdates();
        player.keyUp(typed);
        if (key(form, letter)->borderStyle() != CaptionLabel::BorderStyle::FixedSingle) {
            ++result.flashesWithoutBorder;
            pressLater();
            return;
        }
        const Clock::time_point dueEnd =
            running ? *lastFlashTick + flashLength : pressed + flashLength;
        flash = PendingFlash{letter, pressed, dueEnd, flashTicks};
    };
    // Connected after the window's own handler, so this runs once the engine
    // has handled the tick.
    QObject::connect(&timer(form, "Timer1"), &EngineTimer::timeout, &context, [&] {
        const Clock::time_point now = Clock::now();
        ++flashTicks;
        if (!firstFlashTick)
            firstFlashTick = now;
        lastFlashTick = now;
        if (!flash || key(form, flash->letter)->borderStyle() != CaptionLabel::BorderStyle::None)
            return;
        paintPendingUpdates();
        const Clock::time_point off = Clock::now();
        result.flashMs.add(millisecondsBetween(flash->pressed, off));
        result.flashLateMs.add(millisecondsBetween(flash->dueEnd, off));
        result.flashTicks.add(flashTicks - flash->flashTicksAtPress);
        flash.reset();
        pressLater();
    });

    pressLater();
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), Qt::PreciseTimer, &loop,
                       &QEventLoop::quit);
    loop.exec();

    if (firstTick && lastTick)
        result.seconds = millisecondsBetween(*firstTick, *lastTick) / 1000.0;
    if (firstFlashTick && lastFlashTick) {
        result.flashTickCount = flashTicks;
        result.flashTickSeconds = millisecondsBetween(*firstFlashTick, *lastFlashTick) / 1000.0;
    }
    result.captionMatches = shownTicks(player.timeCaption()) == result.clockTicks;
    player.chooseKeys(100);
    QCoreApplication::processEvents();
    return result;
}
