#include "displaycheck.h"

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

#ifdef KESTRAVA_HAVE_XCB
bool canConnect(const char* display) {
    xcb_connection_t* connection = xcb_connect(display, nullptr);
    const bool connected = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return connected;
}
#else
bool canConnect(const char*) {
    return true;
}
#endif

} // namespace

std::optional<std::string>
missingDisplayMessage(const std::function<const char*(const char*)>& environment,
                      const std::string& program) {
    // A chosen platform (offscreen, vnc, eglfs, ...) is the user's business.
    if (isSet(environment("QT_QPA_PLATFORM")) || isSet(environment("WAYLAND_DISPLAY"))) {
        return std::nullopt;
    }
    const char* display = environment("DISPLAY");
    if (!isSet(display)) {
        return "kestrava: there is no display to show the windows on "
               "(neither DISPLAY nor WAYLAND_DISPLAY is set).\n" +
               howToStart(program);
    }
    if (!canConnect(display)) {
        return "kestrava: cannot connect to the X display \"" + std::string(display) + "\".\n" +
               howToStart(program);
    }
    return std::nullopt;
}
