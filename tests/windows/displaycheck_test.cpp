#include "displaycheck.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

using Environment = std::map<std::string, std::string>;

// What the message must name, for each environment; none when Qt is left to it.
const std::pair<Environment, const char*> displayRows[] = {
    {{}, "no display"},
    {{{"DISPLAY", ""}}, "no display"},
    {{{"QT_QPA_PLATFORM", ""}}, "no display"},
    {{{"QT_QPA_PLATFORM", "offscreen"}}, nullptr},
    {{{"WAYLAND_DISPLAY", "wayland-0"}}, nullptr},
#ifdef KESTRAVA_HAVE_XCB
    {{{"DISPLAY", ":4711"}}, "cannot connect to the X display \":4711\""},
#endif
};

TEST(DisplayCheck, SaysWhatIsMissingAndHowToStartUnderXvfb) {
    for (const auto& [environment, says] : displayRows) {
        const auto message = missingDisplayMessage(
            [&](const char* name) -> const char* {
                const auto found = environment.find(name);
                return found == environment.end() ? nullptr : found->second.c_str();
            },
            "build/kestrava");
        ASSERT_EQ(message.has_value(), says != nullptr) << (says ? says : "no message");
        if (message) {
            EXPECT_NE(message->find(says), std::string::npos) << *message;
            EXPECT_NE(message->find("xvfb-run -a build/kestrava\n"), std::string::npos);
        }
    }
}
