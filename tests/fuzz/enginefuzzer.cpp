// Plays the fuzzer's bytes as a script of steps and stops at the first step after which the
// engine or its windows break a rule.
#include "drillrun.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto script = kestrava::test::readScript({data, size});
    if (const auto broken = kestrava::test::DrillRun(script.separator).play(script.steps);
        !broken.empty()) {
        std::fprintf(stderr, "broken rule: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
