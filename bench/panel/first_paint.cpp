// Start to first paint, measured from outside on an X server: starts a program, waits for its
// first top-level window to be mapped, then reads the window's pixels until it is painted (at
// least 90 % of them no longer the black of a bare root window). Then lets the program run on
// for a while, reads its peak resident memory and ends it with SIGTERM.
//
//   first_paint [--hold MS] PROGRAM [ARGS...]
//   prints: map_ms=... paint_ms=... peak_rss_kb=...
//
// Run it on a server with a black root (Xvfb -br) and nothing else mapping windows.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

long peakRssKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// True when at least 90 % of the window's pixels are not black.
bool painted(xcb_connection_t* c, xcb_window_t window) {
    auto geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    if (!geometry) return false;
    const int w = geometry->width, h = geometry->height;
    std::free(geometry);
    auto image = xcb_get_image_reply(c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, w, h, ~0u), nullptr);
    if (!image) return false;
    const auto* data = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(image));
    const int pixels = xcb_get_image_data_length(image) / 4;
    int lit = 0;
    for (int i = 0; i < pixels; ++i) lit += (data[i] & 0xFFFFFF) != 0;
    std::free(image);
    return pixels > 0 && lit * 10 >= pixels * 9;
}

}  // namespace

int main(int argc, char** argv) {
    int hold = 1500;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--hold") == 0) {
        hold = std::atoi(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: first_paint [--hold MS] PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    for (int retry = 0; retry < 20 && xcb_connection_has_error(c); ++retry) {  // a busy server
        xcb_disconnect(c);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        c = xcb_connect(nullptr, nullptr);
    }
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "first_paint: no X display\n");
        return 2;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    const auto t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[first], argv + first);
        _exit(127);
    }
    double mapMs = -1, paintMs = -1;
    xcb_window_t window = 0;
    while (!window && msSince(t0) < 10000) {
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (!event) {
            if (xcb_connection_has_error(c)) break;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (!map->override_redirect) {
                window = map->window;
                mapMs = msSince(t0);
            }
        }
        std::free(event);
    }
    while (window && msSince(t0) < 10000) {
        if (painted(c, window)) {
            paintMs = msSince(t0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(hold));
    const long rss = peakRssKb(pid);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    xcb_disconnect(c);
    std::printf("map_ms=%.1f paint_ms=%.1f peak_rss_kb=%ld\n", mapMs, paintMs, rss);
    return paintMs < 0 ? 1 : 0;
}
