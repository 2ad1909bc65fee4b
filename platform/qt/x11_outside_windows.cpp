#include "platform/qt/x11_outside_windows.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace tovik::qt {

namespace {

// The volume control's stand-ins, by WM_CLASS (either part, any case).
struct OutsideProgram {
    const char* windowClass;
    std::vector<const char*> x11Classes;
};
const OutsideProgram kOutsidePrograms[] = {
    {"Volume Control", {"pavucontrol", "pavucontrol-qt", "org.pulseaudio.pavucontrol"}},
};

std::string lowerCase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

class Display {
public:
    Display() : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_)) return;
        const xcb_setup_t* setup = xcb_get_setup(connection_);
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
        if (it.rem) root_ = it.data->root;
    }
    ~Display() { xcb_disconnect(connection_); }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    bool ok() const { return root_ != XCB_NONE; }
    xcb_connection_t* get() const { return connection_; }
    xcb_window_t root() const { return root_; }

    xcb_atom_t atom(const char* name) const {
        Reply<xcb_intern_atom_reply_t> r(
            xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
            &std::free);
        return r ? r->atom : XCB_NONE;
    }
    // A property's bytes; empty when it is missing.
    std::string property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) const {
        Reply<xcb_get_property_reply_t> r(
            xcb_get_property_reply(connection_, xcb_get_property(connection_, 0, window, name, type, 0, 4096), nullptr),
            &std::free);
        if (!r) return {};
        const int length = xcb_get_property_value_length(r.get());
        return std::string(static_cast<const char*>(xcb_get_property_value(r.get())), static_cast<std::size_t>(std::max(length, 0)));
    }
    std::vector<std::uint32_t> cardinals(xcb_window_t window, const char* name, xcb_atom_t type) const {
        const std::string bytes = property(window, atom(name), type);
        std::vector<std::uint32_t> out(bytes.size() / 4);
        std::memcpy(out.data(), bytes.data(), out.size() * 4);
        return out;
    }
    // The managed top-level windows (from the window manager), else the root's children.
    std::vector<xcb_window_t> topLevels() const {
        std::vector<std::uint32_t> clients = cardinals(root_, "_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
        if (!clients.empty()) return clients;
        Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr), &std::free);
        if (!tree) return {};
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        return {children, children + xcb_query_tree_children_length(tree.get())};
    }
    bool minimised(xcb_window_t window) const {
        constexpr std::uint32_t kIconicState = 3;
        const xcb_atom_t wmState = atom("WM_STATE");
        const std::vector<std::uint32_t> state = cardinals(window, "WM_STATE", wmState);
        if (!state.empty() && state[0] == kIconicState) return true;
        const xcb_atom_t hidden = atom("_NET_WM_STATE_HIDDEN");
        const std::vector<std::uint32_t> net = cardinals(window, "_NET_WM_STATE", XCB_ATOM_ATOM);
        return std::find(net.begin(), net.end(), hidden) != net.end();
    }

private:
    xcb_connection_t* connection_;
    xcb_window_t root_ = XCB_NONE;
};

}  // namespace

bool isOutsideWindowClass(const std::string& windowClass) {
    for (const OutsideProgram& p : kOutsidePrograms)
        if (windowClass == p.windowClass) return true;
    return false;
}

bool isOutsideWindowOf(const std::string& windowClass, const std::string& instance,
                       const std::string& className) {
    for (const OutsideProgram& p : kOutsidePrograms) {
        if (windowClass != p.windowClass) continue;
        for (const char* x11 : p.x11Classes)
            if (lowerCase(instance) == x11 || lowerCase(className) == x11) return true;
    }
    return false;
}

std::optional<RemoteWindow> findOutsideWindow(const std::string& windowClass) {
    if (!isOutsideWindowClass(windowClass) || !std::getenv("DISPLAY")) return std::nullopt;
    Display display;
    if (!display.ok()) return std::nullopt;
    for (xcb_window_t window : display.topLevels()) {
        // WM_CLASS: the instance name, a zero, the class name, a zero.
        const std::string wmClass = display.property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
        const std::size_t split = wmClass.find('\0');
        if (split == std::string::npos) continue;
        const std::string instance = wmClass.substr(0, split);
        std::string className = wmClass.substr(split + 1);
        if (auto end = className.find('\0'); end != std::string::npos) className.resize(end);
        if (!isOutsideWindowOf(windowClass, instance, className)) continue;
        RemoteWindow found;
        found.windowClass = windowClass;
        found.title = display.property(window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY);
        found.id = kOutsideWindowIdPrefix + std::to_string(window);
        found.minimised = display.minimised(window);
        return found;
    }
    return std::nullopt;
}

bool activateOutsideWindow(const RemoteWindow& window) {
    const std::string prefix = kOutsideWindowIdPrefix;
    if (!window.id.starts_with(prefix)) return false;
    const auto id = static_cast<xcb_window_t>(std::strtoul(window.id.c_str() + prefix.size(), nullptr, 10));
    Display display;
    if (!display.ok() || id == XCB_NONE) return false;
    // Mapping an iconic window brings it back; the window manager is asked to activate it
    // (which also restores it); without one the window is simply raised.
    xcb_map_window(display.get(), id);
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(display.get(), id, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = display.atom("_NET_ACTIVE_WINDOW");
    message.data.data32[0] = 2;  // from a pager or a program acting for the user
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(display.get(), 0, display.root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    return xcb_flush(display.get()) > 0;
}

}  // namespace tovik::qt
