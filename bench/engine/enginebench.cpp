// The cost of one event of the drill engine, against fake windows that only store what they are
// given: a key or a tick must take well under a microsecond.
//
// A key changes the state it is judged in (a hit moves the cursor, the last key ends the drill),
// so each benchmark keeps a batch of engines side by side: each is brought, untimed, to the state
// wanted, then one event per engine is timed. ns_per_event is the figure to read; with
// --benchmark_repetitions its median, min and max over the repetitions are reported.
#include "drillharness.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

using namespace kestrava::test;

namespace {
constexpr int batchSize = 64;
using Clock = std::chrono::steady_clock;

bool running(const DrillHarness& h) {
    return !h.engine.state().WaitingForStart;
}
int cursor(const DrillHarness& h) {
    return h.engine.state().CursorPos;
}
void start(DrillHarness& h) {
    if (!running(h))
        h.key(' ');
}

// The events timed.
constexpr auto typeKey = [](DrillHarness& h, std::int16_t code) { h.engine.Form_KeyPress(code); };
constexpr auto clockTick = [](DrillHarness& h, std::int16_t) { h.engine.Timer2_Timer(); };
constexpr auto flashTick = [](DrillHarness& h, std::int16_t) { h.engine.Timer1_Timer(); };

// Brings each engine of the batch to its state with prepare, which gives the event's argument,
// then times act on every engine in turn.
template <int (*prepare)(DrillHarness&), void (*act)(DrillHarness&, std::int16_t) = typeKey>
void timeBatches(benchmark::State& state) {
    std::vector<std::unique_ptr<DrillHarness>> engines;
    for (int i = 0; i < batchSize; ++i) {
        engines.push_back(std::make_unique<DrillHarness>());
        engines.back()->random.generator.emplace(0x5EED); // the program's own rows
    }
    std::vector<std::int16_t> arguments(batchSize);
    double timed = 0;
    for (auto _ : state) {
        for (int i = 0; i < batchSize; ++i)
            arguments[i] = static_cast<std::int16_t>(prepare(*engines[i]));
        const auto begin = Clock::now();
        for (int i = 0; i < batchSize; ++i)
            act(*engines[i], arguments[i]);
        const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
        state.SetIterationTime(seconds);
        timed += seconds;
    }
    state.counters["ns_per_event"] =
        timed * 1e9 / (static_cast<double>(state.iterations()) * batchSize);
}

// A hit that ends neither the row nor the drill.
int hit(DrillHarness& h) {
    while (!running(h) || cursor(h) == 19)
        h.key(running(h) ? h.expected() : ' ');
    return h.expected();
}

// A wrong letter: its key flashes and the miss is counted.
int miss(DrillHarness& h) {
    start(h);
    return h.expected() == 'Q' ? 'W' : 'Q';
}

// The twentieth letter of a row with keys left: twenty new letters are drawn.
int hitThatRefillsTheRow(DrillHarness& h) {
    while (!running(h) || cursor(h) != 19 || h.engine.state().Remaining == 1)
        h.key(running(h) ? h.expected() : ' ');
    return h.expected();
}

// ClockTick: one tick of the drill clock, which reads its text back and writes it anew. The text
// is set back to 15.00 now and then, untimed, so it stays as long as that of a real drill.
int beforeAClockTick(DrillHarness& h) {
    start(h);
    if (h.form.timeLabel.size() > 5)
        h.form.timeLabel = "15.00";
    return 0;
}

// FlashTick: one tick of the flash timer with three keys flashing, averaged over the five ticks
// of a flash, the last of which removes the borders.
int beforeAFlashTick(DrillHarness& h) {
    start(h);
    const auto& flash = h.engine.state().KeyFlash;
    if (std::all_of(flash.begin(), flash.end(), [](auto f) { return f == 0; })) {
        int pressed = 0;
        for (const char c : {'Q', 'W', 'E', 'R'}) {
            if (c != h.expected() && pressed++ < 3)
                h.key(c); // a miss, so the row stays as it is
        }
    }
    return 0;
}

constexpr auto least = [](const std::vector<double>& v) { return std::ranges::min(v); };
constexpr auto most = [](const std::vector<double>& v) { return std::ranges::max(v); };
} // namespace

int main(int argc, char** argv) {
    using Benchmark = void (*)(benchmark::State&);
    const std::pair<const char*, Benchmark> benchmarks[] = {
        {"Hit", timeBatches<hit>},
        {"Miss", timeBatches<miss>},
        {"HitThatRefillsTheRow", timeBatches<hitThatRefillsTheRow>},
        {"ClockTick", timeBatches<beforeAClockTick, clockTick>},
        {"FlashTick", timeBatches<beforeAFlashTick, flashTick>}};
    for (auto [name, function] : benchmarks)
        benchmark::RegisterBenchmark(name, function)
            ->UseManualTime()
            ->ComputeStatistics("min", least)
            ->ComputeStatistics("max", most);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
