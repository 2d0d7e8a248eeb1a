#include "displaycheck.h"

#include <gtest/gtest.h>
#include <string>

// Where Qt can take over, a platform chosen by the user or a Wayland session, the program says
// nothing and starts; what it says where there is no display is checked on the program itself.
TEST(DisplayCheck, LeavesAChosenPlatformOrWaylandToQt) {
    for (const std::string set : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY"}) {
        const auto environment = [&](const char* name) { return set == name ? "x" : nullptr; };
        EXPECT_EQ(missingDisplayMessage(environment, "kestrava"), std::nullopt) << set;
    }
}
