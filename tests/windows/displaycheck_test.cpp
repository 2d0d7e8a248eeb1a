#include "displaycheck.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

struct DisplayRow {
    std::map<std::string, std::string> environment;
    const char* says; // what the message must name; null: no message, Qt takes over
};

const DisplayRow displayRows[] = {
    {{}, "no display"},
    {{{"DISPLAY", ""}}, "no display"},
    {{{"QT_QPA_PLATFORM", ""}}, "no display"},
    {{{"QT_QPA_PLATFORM", "offscreen"}}, nullptr},
    {{{"WAYLAND_DISPLAY", "wayland-0"}}, nullptr},
#ifdef KESTRAVA_HAVE_XCB
    {{{"DISPLAY", ":4711"}}, "cannot connect to the X display \":4711\""},
#endif
};

} // namespace

class DisplayCheck : public ::testing::TestWithParam<DisplayRow> {};

TEST_P(DisplayCheck, SaysWhatIsMissingAndHowToStartUnderXvfb) {
    const auto& environment = GetParam().environment;
    const auto message = missingDisplayMessage(
        [&](const char* name) -> const char* {
            const auto found = environment.find(name);
            return found == environment.end() ? nullptr : found->second.c_str();
        },
        "build/kestrava");
    ASSERT_EQ(message.has_value(), GetParam().says != nullptr);
    if (message) {
        EXPECT_NE(message->find(GetParam().says), std::string::npos) << *message;
        EXPECT_NE(message->find("xvfb-run -a build/kestrava\n"), std::string::npos) << *message;
    }
}

INSTANTIATE_TEST_SUITE_P(Environments, DisplayCheck, ::testing::ValuesIn(displayRows));
