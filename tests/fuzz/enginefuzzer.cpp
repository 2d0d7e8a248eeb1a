// Feeds the drill engine scripts of events made from the fuzzer's bytes and
// stops at the first event after which the engine or its windows break a rule.
#include "drillscript.h"
#include "invariantchecker.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kestrava::test;
    DrillScript script({data, size});
    InvariantChecker checker(script.setup());
    while (const auto event = script.next()) {
        if (const std::string broken = checker.apply(*event); !broken.empty()) {
            std::fprintf(stderr, "broken rule: %s\n", broken.c_str());
            std::abort();
        }
    }
    return 0;
}
