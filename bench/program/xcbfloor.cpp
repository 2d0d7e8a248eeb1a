// xcbfloor: Kestrava's drill clock drawn with nothing but the X protocol, no toolkit. A black
// window of the main window's size shows the displayed time (ticks / 20 with two decimals) where
// the clock is, and every 15 ms clears the clock's box, draws the next time in the server's core
// font "fixed" and flushes, as the clock changes during a drill. bench/program/measure measures
// its CPU beside Kestrava's: the least that showing the clock can cost on the machine, so the
// drill's figure can be told apart from what the clock's changes alone cost.
//
// It redraws on Expose and ends when the connection to the X server breaks; SIGTERM ends it by
// its default action.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <poll.h>
#include <xcb/xcb.h>

namespace {

constexpr std::uint16_t windowWidth = 367;
constexpr std::uint16_t windowHeight = 250;
// The clock's box in the main window: below the menu bar, right-aligned text.
constexpr std::int16_t clockX = 270;
constexpr std::int16_t clockY = 30;
constexpr std::uint16_t clockWidth = 31;
constexpr std::uint16_t clockHeight = 13;
constexpr std::int64_t tickNs = 15'000'000;

std::int64_t nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

struct Clock {
    xcb_connection_t* connection;
    xcb_window_t window;
    xcb_gcontext_t gc;
    int charWidth;
    int ascent;
    int ticks = 0;

    void draw() const {
        char text[16];
        const int length = std::snprintf(text, sizeof text, "%d.%02d", ticks / 20, ticks % 20 * 5);
        xcb_clear_area(connection, 0, window, clockX, clockY, clockWidth, clockHeight);
        xcb_image_text_8(connection, std::uint8_t(length), window, gc,
                         std::int16_t(clockX + clockWidth - length * charWidth),
                         std::int16_t(clockY + ascent), text);
        xcb_flush(connection);
    }
};

} // namespace

int main() {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "xcbfloor: cannot open display\n");
        return 1;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_screen_t* screen = screens.data;

    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t windowValues[] = {screen->black_pixel, XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, windowWidth,
                      windowHeight, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, windowValues);
    const char title[] = "xcbfloor";
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, sizeof title - 1, title);

    const xcb_font_t font = xcb_generate_id(connection);
    const char fontName[] = "fixed";
    xcb_open_font(connection, font, sizeof fontName - 1, fontName);
    xcb_query_font_reply_t* metrics =
        xcb_query_font_reply(connection, xcb_query_font(connection, font), nullptr);
    if (metrics == nullptr) {
        std::fprintf(stderr, "xcbfloor: the X server has no font \"fixed\"\n");
        return 1;
    }
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    const std::uint32_t gcValues[] = {0x80ff80, // light green on a 24-bit screen
                                      screen->black_pixel, font};
    xcb_create_gc(connection, gc, window, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND | XCB_GC_FONT,
                  gcValues);
    Clock clock{connection, window, gc, metrics->max_bounds.character_width, metrics->font_ascent};
    std::free(metrics);
    xcb_map_window(connection, window);
    xcb_flush(connection);

    std::int64_t deadline = nowNs() + tickNs;
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7f) == XCB_EXPOSE)
                clock.draw();
            std::free(event);
        }
        if (xcb_connection_has_error(connection))
            return 1;
        const std::int64_t now = nowNs();
        if (now >= deadline) {
            ++clock.ticks;
            clock.draw();
            deadline += tickNs;
            if (deadline <= now) // a tick missed by more than 15 ms is dropped, as Qt does
                deadline = now + tickNs;
            continue;
        }
        pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&fd, 1, int((deadline - now + 999'999) / 1'000'000));
    }
}
