#include "displaycheck.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

std::optional<std::string> messageWith(const std::map<std::string, std::string>& variables) {
    return missingDisplayMessage(
        [&](const char* name) -> const char* {
            const auto found = variables.find(name);
            return found == variables.end() ? nullptr : found->second.c_str();
        },
        "build/release/windows/kestrava");
}

} // namespace

TEST(DisplayCheck, WithoutAnyDisplayItSaysSoAndHowToStartUnderXvfb) {
    for (const auto& variables :
         {std::map<std::string, std::string>{}, std::map<std::string, std::string>{{"DISPLAY", ""}},
          std::map<std::string, std::string>{{"QT_QPA_PLATFORM", ""}}}) {
        const auto message = messageWith(variables);
        ASSERT_TRUE(message.has_value());
        EXPECT_NE(message->find("no display"), std::string::npos) << *message;
        EXPECT_NE(message->find("xvfb-run -a build/release/windows/kestrava"), std::string::npos)
            << *message;
    }
}

TEST(DisplayCheck, AChosenPlatformOrAWaylandDisplayIsLeftToQt) {
    EXPECT_FALSE(messageWith({{"QT_QPA_PLATFORM", "offscreen"}}).has_value());
    EXPECT_FALSE(messageWith({{"WAYLAND_DISPLAY", "wayland-0"}}).has_value());
}

#ifdef KESTRAVA_HAVE_XCB
TEST(DisplayCheck, AnXDisplayThatCannotBeReachedIsNamed) {
    const auto message = messageWith({{"DISPLAY", ":4711"}});
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->find("\":4711\""), std::string::npos) << *message;
    EXPECT_NE(message->find("xvfb-run -a"), std::string::npos) << *message;
}
#endif
