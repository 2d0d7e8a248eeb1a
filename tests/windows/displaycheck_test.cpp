#include "displaycheck.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A compositor's socket, listening in a runtime folder of its own, as libwayland's clients find it.
struct Compositor {
    Compositor() {
        const std::string path = folder.filePath(QStringLiteral("wayland-test")).toStdString();
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                listen(fd, 1) == 0;
    }
    ~Compositor() { close(fd); }
    QTemporaryDir folder;
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    bool bound = false;
};

} // namespace

// Where Qt can take over, a platform chosen by the user, a compositor's connection handed over or a
// compositor listening where WAYLAND_DISPLAY says, the program says nothing and starts; where no
// compositor listens, and no X server either, it says which display it could not reach. What it
// says where there is no display at all, or no X server, is checked on the program itself.
TEST(DisplayCheck, LeavesToQtWhatItCanReachAndNamesTheWaylandDisplayItCannot) {
    Compositor compositor;
    ASSERT_TRUE(compositor.bound);
    const std::string runtime = compositor.folder.path().toStdString();
    const std::string socket = runtime + "/wayland-test";
    const std::pair<std::map<std::string, std::string>, std::string> rows[] = {
        {{{"QT_QPA_PLATFORM", "offscreen"}}, ""},
        {{{"WAYLAND_SOCKET", "3"}}, ""},
        {{{"WAYLAND_DISPLAY", "wayland-test"}, {"XDG_RUNTIME_DIR", runtime}}, ""},
        {{{"WAYLAND_DISPLAY", socket}}, ""},
        {{{"WAYLAND_DISPLAY", "wayland-none"}, {"XDG_RUNTIME_DIR", runtime}},
         "the Wayland display \"wayland-none\" (no compositor listens on " + runtime +
             "/wayland-none)"},
        {{{"WAYLAND_DISPLAY", "wayland-test"}},
         "the Wayland display \"wayland-test\" (XDG_RUNTIME_DIR is not set)"},
    };
    for (const auto& [set, said] : rows) {
        const auto environment = [&](const char* name) {
            const auto value = set.find(name);
            return value == set.end() ? nullptr : value->second.c_str();
        };
        const std::optional<std::string> message = missingDisplayMessage(environment, "kestrava");
        const std::string row = set.begin()->first + "=" + set.begin()->second;
        if (said.empty()) {
            EXPECT_EQ(message, std::nullopt) << row;
        } else {
            ASSERT_TRUE(message.has_value()) << row;
            EXPECT_EQ(message->substr(0, message->find('\n')),
                      "kestrava: cannot connect to " + said + ".")
                << row;
        }
    }
}
