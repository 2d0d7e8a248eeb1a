// xcbfloor: Kestrava's drill clock drawn with nothing but the X protocol, no toolkit. A black
// window of the main window's size shows the time (ticks / 20, two decimals) where the clock is,
// and every 15 ms clears the clock's box, draws the next time in the server's core font "fixed"
// and flushes, as the clock changes during a drill. Its CPU, measured by bench/run beside
// Kestrava's, is the least that showing the clock can cost on the machine.
//
// It ends when the connection to the X server breaks, or on SIGTERM by its default action.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <xcb/xcb.h>

int main() {
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c))
        return 1;
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_screen_t* screen = screens.data;

    const xcb_window_t window = xcb_generate_id(c);
    const std::uint32_t black[] = {screen->black_pixel};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 367, 250, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL, black);
    const xcb_font_t font = xcb_generate_id(c);
    xcb_open_font(c, font, 5, "fixed");
    const xcb_gcontext_t gc = xcb_generate_id(c);
    const std::uint32_t gcValues[] = {0x80ff80, screen->black_pixel, font}; // light green
    xcb_create_gc(c, gc, window, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND | XCB_GC_FONT, gcValues);
    xcb_map_window(c, window);

    // The clock's box in the main window, below the menu bar; "fixed" is 6 x 13 pixels a letter.
    constexpr std::int16_t x = 270, y = 30, width = 31, height = 13, charWidth = 6, ascent = 10;
    constexpr auto tick = std::chrono::milliseconds(15);
    auto due = std::chrono::steady_clock::now();
    for (int ticks = 0; !xcb_connection_has_error(c); ++ticks) {
        char text[16];
        const int length = std::snprintf(text, sizeof text, "%d.%02d", ticks / 20, ticks % 20 * 5);
        xcb_clear_area(c, 0, window, x, y, width, height);
        xcb_image_text_8(c, std::uint8_t(length), window, gc,
                         std::int16_t(x + width - length * charWidth), y + ascent, text);
        xcb_flush(c);
        while (xcb_generic_event_t* event = xcb_poll_for_event(c))
            std::free(event);
        // A tick missed by more than 15 ms is dropped, as Qt's timers do.
        const auto now = std::chrono::steady_clock::now();
        due = due + tick <= now ? now + tick : due + tick;
        std::this_thread::sleep_until(due);
    }
    return 1;
}
