#include "keytoscreen.h"

#include "drillplayer.h"
#include "form1.h"
#include "ksreporthost.h"
#include "screensync.h"

#include <QCoreApplication>
#include <QEvent>
#include <cctype>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

double microsecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// Counts the paint events of the main window's controls, so that a timed key
// after which nothing was drawn shows up: its time would include no drawing.
// Every key changes a label: a hit recolours the letter, a miss the counter.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(const Form1& form) {
        for (QWidget* control : form.findChildren<QWidget*>())
            control->installEventFilter(this);
    }
    int paints() const { return m_paints; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++m_paints;
        return false;
    }

private:
    int m_paints = 0;
};

// Everything the window has queued from earlier keys and timer ticks is
// handled before the next key, so that each key is timed on its own.
void settle() {
    QCoreApplication::processEvents();
    paintPendingUpdates();
}

} // namespace

KeyToScreen measureKeyToScreen(DrillPlayer& player, KSReportHost* host, int keyCount, int missEvery,
                               std::mt19937& random) {
    KeyToScreen result;
    PaintCounter paints(player.form());
    std::uniform_int_distribution<int> missChance(1, missEvery);
    std::uniform_int_distribution<int> anyShift(0, 24);

    // Times one key from its delivery until its pixels are on the screen.
    auto timeKey = [&](char capital, Sample& sample) {
        const char typed = static_cast<char>(std::tolower(static_cast<unsigned char>(capital)));
        const int paintsBefore = paints.paints();
        const Clock::time_point start = Clock::now();
        player.keyDown(typed);
        paintPendingUpdates();
        const double us = microsecondsSince(start);
        player.keyUp(typed);
        sample.add(us);
        result.keys.add(us);
        if (paints.paints() == paintsBefore)
            ++result.unpainted;
        settle();
    };

    player.chooseKeys(100);
    settle();
    int timed = 0;
    while (timed < keyCount) {
        settle();
        const Clock::time_point start = Clock::now();
        player.keyDown(' ');
        paintPendingUpdates();
        result.starts.add(microsecondsSince(start));
        player.keyUp(' ');
        settle();

        int missesTyped = 0;
        while (timed < keyCount) {
            const char letter = player.expected();
            if (letter == '\0') {
                ++result.lostCursor;
                break;
            }
            if (missChance(random) == 1) {
                timeKey(DrillPlayer::wrongLetter(letter, anyShift(random)), result.misses);
                ++missesTyped;
                if (++timed == keyCount)
                    break;
            }
            const bool last = player.remaining() == 1;
            timeKey(letter, last ? result.drillEnds : result.hits);
            ++timed;
            if (last)
                break;
        }
        if (player.remaining() != 0)
            break; // the keys ran out in the middle of a drill
        ++result.drills;
        if (player.misses() != missesTyped)
            ++result.miscountedDrills;
        if (host != nullptr && result.drills % 3 == 0 && host->window() != nullptr) {
            host->window()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    // Leaves the window waiting for Space, whatever drill was left unfinished.
    player.chooseKeys(100);
    settle();
    return result;
}
