#include "displaycheck.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#ifdef KESTRAVA_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace {

bool isSet(const char* value) {
    return value != nullptr && *value != '\0';
}

std::string howToStart(const std::string& program) {
    return "Start it from a desktop session, or under a virtual X server:\n"
           "    xvfb-run -a " +
           program + "\n";
}

// Where a Wayland client looks for its compositor: WAYLAND_DISPLAY itself when it is a path,
// else that name in XDG_RUNTIME_DIR; "" where it cannot know.
std::string waylandSocket(const char* display, const char* runtimeDirectory) {
    if (*display == '/')
        return display;
    return isSet(runtimeDirectory) ? std::string(runtimeDirectory) + "/" + display : "";
}

bool compositorListens(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    path.copy(address.sun_path, path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool listens =
        fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0)
        close(fd);
    return listens;
}

} // namespace

#ifdef KESTRAVA_HAVE_XCB
bool xDisplayAnswers(const char* display) {
    xcb_connection_t* connection = xcb_connect(display, nullptr);
    const bool connected = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return connected;
}
#else
bool xDisplayAnswers(const char*) {
    return true;
}
#endif

std::optional<std::string>
missingDisplayMessage(const std::function<const char*(const char*)>& environment,
                      const std::string& program) {
    // A chosen platform (offscreen, vnc, eglfs, ...) is the user's business, and so is a
    // compositor that handed the program its connection (WAYLAND_SOCKET).
    if (isSet(environment("QT_QPA_PLATFORM")) || isSet(environment("WAYLAND_SOCKET"))) {
        return std::nullopt;
    }
    // Qt tries Wayland first where WAYLAND_DISPLAY is set, and X11 after it.
    const char* wayland = environment("WAYLAND_DISPLAY");
    std::string socket;
    if (isSet(wayland)) {
        socket = waylandSocket(wayland, environment("XDG_RUNTIME_DIR"));
        if (compositorListens(socket)) {
            return std::nullopt;
        }
    }
    const char* display = environment("DISPLAY");
    if (isSet(display) && xDisplayAnswers(display)) {
        return std::nullopt;
    }
    std::string unreachable;
    if (isSet(wayland)) {
        unreachable = "the Wayland display \"" + std::string(wayland) + "\" (" +
                      (socket.empty() ? std::string("XDG_RUNTIME_DIR is not set")
                                      : "no compositor listens on " + socket) +
                      ")";
    }
    if (isSet(display)) {
        unreachable += (unreachable.empty() ? "" : ", nor to ") + std::string("the X display \"") +
                       display + "\"";
    }
    const std::string what = unreachable.empty() ? "there is no display to show the windows on "
                                                   "(neither DISPLAY nor WAYLAND_DISPLAY is set)"
                                                 : "cannot connect to " + unreachable;
    return "kestrava: " + what + ".\n" + howToStart(program);
}
