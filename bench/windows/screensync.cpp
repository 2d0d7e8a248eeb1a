#include "screensync.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

#if QT_CONFIG(xcb) && defined(KESTRAVA_HAVE_XCB)
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

void waitForXServer() {
    // The offscreen platform answers to the X11 interface too, with no
    // connection behind it.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr)
        return;
    // A reply comes only after the server has handled every earlier request.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

} // namespace

#else

namespace {
void waitForXServer() {}
} // namespace

#endif

void paintPendingUpdates() {
    // A widget's update() posts one update request to its top-level window;
    // handling it paints the dirty region and flushes the backing store.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    waitForXServer();
}
