// The cost of one event of the drill engine, against fake windows that only
// store what they are given: a key must take well under a microsecond.
//
// A key changes the state it is judged in (a hit moves the cursor, the last
// key ends the drill), so most benchmarks keep a batch of engines side by
// side: each is brought, untimed, to the state wanted, then one event per
// engine is timed between two clock reads. Their Time is that of a batch of
// 64 events; ns_per_event is the figure to read.
#include "drillharness.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

using namespace kestrava;
using namespace kestrava::test;

namespace {
constexpr int batchSize = 64;

using Clock = std::chrono::steady_clock;

bool running(const DrillHarness& h) {
    return !h.engine.state().WaitingForStart;
}

// A letter that is not c, to type a miss.
char otherLetter(char c) {
    return c == 'Q' ? 'W' : 'Q';
}

int cursor(const DrillHarness& h) {
    return h.engine.state().CursorPos;
}

// A harness whose rows come from the program's own generator, as in a real drill.
std::unique_ptr<DrillHarness> harness() {
    auto h = std::make_unique<DrillHarness>();
    h->random.generator.emplace(0x5EED);
    return h;
}

// Brings each engine of the batch to its state with prepare, which gives the
// event's argument, then times act on every engine in turn.
template <typename Prepare, typename Act>
void timeBatches(benchmark::State& state, Prepare prepare, Act act) {
    std::vector<std::unique_ptr<DrillHarness>> engines;
    for (int i = 0; i < batchSize; ++i)
        engines.push_back(harness());
    std::vector<decltype(prepare(*engines[0]))> arguments(batchSize);

    double timed = 0;
    for (auto _ : state) {
        for (int i = 0; i < batchSize; ++i)
            arguments[i] = prepare(*engines[i]);
        const auto begin = Clock::now();
        for (int i = 0; i < batchSize; ++i)
            act(*engines[i], arguments[i]);
        const auto end = Clock::now();
        const double seconds = std::chrono::duration<double>(end - begin).count();
        state.SetIterationTime(seconds);
        timed += seconds;
    }
    // The library's rates divide by CPU time, which includes the set-up.
    state.counters["ns_per_event"] =
        timed * 1e9 / (static_cast<double>(state.iterations()) * batchSize);
}

void typeKey(DrillHarness& h, std::int16_t code) {
    h.engine.Form_KeyPress(code);
}

// A hit that neither ends the row nor the drill.
void Hit(benchmark::State& state) {
    timeBatches(
        state,
        [](DrillHarness& h) {
            while (!running(h) || cursor(h) == 19)
                h.key(running(h) ? h.expected() : ' ');
            return static_cast<std::int16_t>(h.expected());
        },
        typeKey);
}
BENCHMARK(Hit)->UseManualTime();

// A wrong letter: its key flashes and the miss is counted.
void Miss(benchmark::State& state) {
    timeBatches(
        state,
        [](DrillHarness& h) {
            if (!running(h))
                h.key(' ');
            return static_cast<std::int16_t>(otherLetter(h.expected()));
        },
        typeKey);
}
BENCHMARK(Miss)->UseManualTime();

// The same miss over and over in one engine, timed by the library: a miss
// leaves the state as it found it, so this needs no batches and checks them.
void MissRepeated(benchmark::State& state) {
    const auto engine = harness();
    DrillHarness& h = *engine;
    h.key(' ');
    const auto code = static_cast<std::int16_t>(otherLetter(h.expected()));
    for (auto _ : state)
        h.engine.Form_KeyPress(code);
}
BENCHMARK(MissRepeated);

// The twentieth letter of a row with keys left: twenty new letters are drawn.
void HitThatRefillsTheRow(benchmark::State& state) {
    timeBatches(
        state,
        [](DrillHarness& h) {
            while (!running(h) || cursor(h) != 19 || h.engine.state().Remaining == 1)
                h.key(running(h) ? h.expected() : ' ');
            return static_cast<std::int16_t>(h.expected());
        },
        typeKey);
}
BENCHMARK(HitThatRefillsTheRow)->UseManualTime();

// The last key of a 20-key drill: the drill ends and the results are
// computed and written into the result window, which stays open between
// drills and so is reused.
void LastKeyOfADrill(benchmark::State& state) {
    timeBatches(
        state,
        [](DrillHarness& h) {
            if (h.engine.state().TargetCount != 20)
                h.engine.TN20_Click();
            if (!running(h))
                h.key(' ');
            while (h.engine.state().Remaining > 1)
                h.key(h.expected());
            h.form.timeLabel = "7.35"; // the clock after 147 ticks
            return static_cast<std::int16_t>(h.expected());
        },
        typeKey);
}
BENCHMARK(LastKeyOfADrill)->UseManualTime();

// One tick of the drill clock, which reads its text back and writes it anew.
// The text is set back to 15.00 now and then, untimed, so it stays as long as
// that of a real drill.
void ClockTick(benchmark::State& state) {
    timeBatches(
        state,
        [](DrillHarness& h) {
            if (!running(h))
                h.key(' ');
            if (h.form.timeLabel.size() > 5)
                h.form.timeLabel = "15.00";
            return 0;
        },
        [](DrillHarness& h, int) { h.engine.Timer2_Timer(); });
}
BENCHMARK(ClockTick)->UseManualTime();

// One tick of the flash timer with three keys flashing, averaged over the
// five ticks of a flash, the last of which removes the borders.
void FlashTick(benchmark::State& state) {
    timeBatches(
        state,
        [](DrillHarness& h) {
            if (!running(h))
                h.key(' ');
            const auto& flash = h.engine.state().KeyFlash;
            if (std::all_of(flash.begin(), flash.end(), [](auto f) { return f == 0; })) {
                int pressed = 0;
                for (const char c : {'Q', 'W', 'E', 'R'}) {
                    if (c != h.expected() && pressed < 3) {
                        h.key(c); // a miss, so the row stays as it is
                        ++pressed;
                    }
                }
            }
            return 0;
        },
        [](DrillHarness& h, int) { h.engine.Timer1_Timer(); });
}
BENCHMARK(FlashTick)->UseManualTime();
} // namespace

BENCHMARK_MAIN();
