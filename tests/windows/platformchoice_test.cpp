#include "platformchoice.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

using Environment = std::map<std::string, std::string>;

struct Case {
    const char* name;
    Environment environment;
    bool gnomeDecoration;
    bool xAnswers;
    const char* platform; // "" where Qt chooses
};

// A GNOME session on Wayland with Xwayland running, as GNOME starts its programs.
Environment gnome(Environment changes = {}) {
    changes.merge(Environment{
        {"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"XDG_CURRENT_DESKTOP", "GNOME"}});
    return changes; // the changes win: merge leaves a name already there as it is
}

const Case cases[] = {
    {"GnomeWithQtsPlainTitleBar", gnome(), false, true, "xcb"},
    {"UbuntusGnome", gnome({{"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}}), false, true, "xcb"},
    {"GnomeWithQtsGnomeTitleBar", gnome(), true, false, ""},
    {"GnomeWithoutXwayland", gnome({{"DISPLAY", ""}}), false, true, ""},
    {"GnomeWhereXwaylandDoesNotAnswer", gnome(), false, false, ""},
    {"PlatformNamedByThePlayer", gnome({{"QT_QPA_PLATFORM", "wayland"}}), false, true, ""},
    {"DecorationNamedByThePlayer", gnome({{"QT_WAYLAND_DECORATION", "bradient"}}), false, true, ""},
    {"ConnectionHandedOverByTheCompositor", gnome({{"WAYLAND_SOCKET", "3"}}), false, true, ""},
    {"Plasma", gnome({{"XDG_CURRENT_DESKTOP", "KDE"}}), false, true, ""},
    {"NoDesktopNamed", gnome({{"XDG_CURRENT_DESKTOP", ""}}), false, true, ""},
    {"DesktopWhoseNameOnlyStartsSo", gnome({{"XDG_CURRENT_DESKTOP", "GNOME-Flashback"}}), false,
     true, ""},
    {"GnomeOnX11", gnome({{"WAYLAND_DISPLAY", ""}}), false, true, ""},
};

class PreferredPlatform : public ::testing::TestWithParam<Case> {};

TEST_P(PreferredPlatform, IsX11OnlyWhereQtWouldDrawMinimiseAndMaximiseOnGnome) {
    const Case& row = GetParam();
    const auto get = [&](const char* name) {
        return row.environment.contains(name) ? row.environment.at(name).c_str() : nullptr;
    };
    std::string askedAt;
    const auto xAnswers = [&](const char* display) { return (askedAt = display, row.xAnswers); };
    const auto platform = preferredPlatform(get, row.gnomeDecoration, xAnswers);
    EXPECT_EQ(platform.value_or(""), row.platform);
    if (platform) {
        EXPECT_EQ(askedAt, row.environment.at("DISPLAY")) << "the X server asked";
    }
}

INSTANTIATE_TEST_SUITE_P(Sessions, PreferredPlatform, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
