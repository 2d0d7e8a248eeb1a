#include "skiptaskbar.h"

#include <QGuiApplication>
#include <QWidget>

#if QT_CONFIG(xcb) && defined(KESTRAVA_HAVE_XCB)
#include <QtGui/qguiapplication_platform.h>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <xcb/xcb.h>

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, std::string_view name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr) {
        return XCB_ATOM_NONE;
    }
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

} // namespace

void keepOffTaskbar(QWidget& window) {
    // The offscreen platform answers to the X11 interface too, with no
    // connection behind it.
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return;
    }
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skipTaskbar == XCB_ATOM_NONE) {
        return;
    }
    // A window manager drops _NET_WM_STATE when a window is withdrawn and
    // reads it when the window is mapped; Qt merges its own states into what
    // it finds there, so setting the property before the map is enough.
    const std::array<xcb_atom_t, 1> states{skipTaskbar};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), state, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    xcb_flush(connection);
}

#else

void keepOffTaskbar(QWidget&) {}

#endif
