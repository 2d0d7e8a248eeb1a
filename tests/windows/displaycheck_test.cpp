#include "displaycheck.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

// What the message names for each environment; none where Qt can take over.
TEST(DisplayCheck, SaysWhatIsMissingAndHowToStartUnderXvfb) {
    const std::pair<std::map<std::string, std::string>, std::string> rows[] = {
        {{}, "no display"},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, ""},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, ""},
#ifdef KESTRAVA_HAVE_XCB
        {{{"DISPLAY", ":4711"}}, "cannot connect to the X display \":4711\""},
#endif
    };
    for (const auto& [environment, says] : rows) {
        const auto message = missingDisplayMessage(
            [&](const char* name) {
                return environment.contains(name) ? environment.at(name).c_str() : nullptr;
            },
            "kestrava");
        ASSERT_EQ(message.has_value(), !says.empty()) << says;
        EXPECT_TRUE(!message || (message->find(says) != std::string::npos &&
                                 message->ends_with("xvfb-run -a kestrava\n")))
            << *message;
    }
}
