#include "displaycheck.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// Where Qt can take over, a platform chosen by the user, a compositor's connection handed over or a
// compositor listening where WAYLAND_DISPLAY says, the program says nothing and starts; where no
// compositor listens, and no X server either, it says which display it could not reach. What it
// says where there is no display at all, or no X server, is checked on the program itself.
TEST(DisplayCheck, LeavesToQtWhatItCanReachAndNamesTheWaylandDisplayItCannot) {
    const QTemporaryDir runtime; // with a compositor's socket listening in it
    const std::string folder = runtime.path().toStdString(), socket = folder + "/wayland-test";
    sockaddr_un address{AF_UNIX, {}};
    socket.copy(address.sun_path, sizeof address.sun_path - 1);
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listening, 1), 0);
    const std::pair<std::map<std::string, std::string>, std::string> rows[] = {
        {{{"QT_QPA_PLATFORM", "offscreen"}}, ""},
        {{{"WAYLAND_SOCKET", "3"}}, ""},
        {{{"WAYLAND_DISPLAY", "wayland-test"}, {"XDG_RUNTIME_DIR", folder}}, ""},
        {{{"WAYLAND_DISPLAY", socket}}, ""},
        {{{"WAYLAND_DISPLAY", "wayland-none"}, {"XDG_RUNTIME_DIR", folder}},
         "the Wayland display \"wayland-none\" (no compositor listens on " + folder +
             "/wayland-none)"},
        {{{"WAYLAND_DISPLAY", "wayland-test"}},
         "the Wayland display \"wayland-test\" (XDG_RUNTIME_DIR is not set)"},
    };
    for (const auto& [set, said] : rows) {
        const auto message = missingDisplayMessage(
            [&](const char* name) { return set.contains(name) ? set.at(name).c_str() : nullptr; },
            "kestrava");
        EXPECT_EQ(message ? message->substr(0, message->find('\n')) : "",
                  said.empty() ? "" : "kestrava: cannot connect to " + said + ".")
            << set.begin()->first << "=" << set.begin()->second;
    }
    close(listening);
}
