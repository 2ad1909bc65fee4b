#include "launcher/tray_launcher.h"

#include <optional>

#include "launcher/about_placement.h"
#include "resources/strings.h"

namespace tovik::launcher {

namespace {

// The first `count` characters of a UTF-8 text.
std::string firstChars(const std::string& utf8, std::size_t count) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const bool startsChar = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
        if (startsChar && chars++ == count) return utf8.substr(0, i);
    }
    return utf8;
}

unsigned imageFor(bool cardReady) { return cardReady ? IDI_CARD_READY : IDI_CARD_NOT_READY; }

}  // namespace

TrayLauncher::TrayLauncher(Host& host, TrayDesktop& desktop, card::CardDriver& driver)
    : host_(host),
      desktop_(desktop),
      card_(driver),
      controllerTitle_(StringTable(resources::rotelaStrings(), host.strings().language())
                           .text(IDS_CONTROLLER_TITLE)) {}

TrayLauncher::~TrayLauncher() { destroy(); }

int TrayLauncher::run() {
    if (!start()) return 0;
    return host_.runModal(window_);
}

bool TrayLauncher::start() {
    WindowRegistry& registry = host_.windowRegistry();
    if (registry.findWindow(std::string(kWindowClass), std::nullopt)) return false;
    registration_ = registry.registerWindow(kWindowClass, kWindowTitle, {});
    window_ = host_.createWindow(*this);
    onCreate();
    return true;
}

void TrayLauncher::onCreate() {
    if (!card_.open() || !card_.attach() || !host_.setTimer(window_, TIMER_CARD_POLL, kCardPollMs)) {
        requestClose();
        return;
    }
    menu_.clear();
    for (const MenuEntry& entry : kTrayMenu) {
        const std::string text = entry.command ? host_.strings().text(entry.textId) : std::string();
        menu_.push_back({entry.command, firstChars(text, kMenuTextMax)});
    }
}

void TrayLauncher::requestClose() { host_.post(window_, WM_CLOSE, 0, 0); }

LResult TrayLauncher::onMessage(Msg msg, WParam wParam, LParam lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == TIMER_CARD_POLL) onPollTick();
            if (wParam == TIMER_REPLY) onReplyTimeout();
            break;
        case card::WM_MD_STATUS: onStatusReply(wParam); break;
        case WM_TRAY_NOTIFY: onTrayNotify(wParam, lParam); break;
        case WM_COMMAND: onCommand(static_cast<unsigned>(wParam & 0xFFFF)); break;
        case WM_CLOSE: destroy(); break;
        default: break;
    }
    return 0;
}

void TrayLauncher::onPollTick() {
    const bool wasReady = cardReady_;
    cardReady_ = card_.cardReady();
    if (!iconShown_) iconShown_ = desktop_.addIcon(window_, kTrayIconId, imageFor(cardReady_), kTrayTip);

    if (wasReady) {
        if (!cardReady_) {
            showImage(IDI_CARD_NOT_READY);
            unitReadySeen_ = false;
        }
    } else {
        if (!cardReady_) return;
        showImage(IDI_CARD_READY);
    }
    if (!cardReady_ || requestPending_) return;

    // A controller already on screen counts as a ready unit, so that closing it later does not
    // bring it straight back.
    if (controllerRunning()) {
        unitReadySeen_ = true;
        return;
    }
    if (!host_.setTimer(window_, TIMER_REPLY, kReplyTimeoutMs)) {
        requestClose();
        return;
    }
    requestPending_ = true;
    card_.requestStatus(window_);
}

void TrayLauncher::onReplyTimeout() {
    host_.killTimer(window_, TIMER_REPLY);
    requestPending_ = false;
    host_.killTimer(window_, TIMER_CARD_POLL);
    if (!host_.setTimer(window_, TIMER_CARD_POLL, kCardPollMs)) {
        requestClose();
        return;
    }
    onPollTick();
}

void TrayLauncher::onStatusReply(WParam result) {
    requestPending_ = false;
    host_.killTimer(window_, TIMER_REPLY);
    if (result != 0 || !card_.isAttached()) return;

    const bool wasReady = unitReadySeen_;
    unitReadySeen_ = unitReady(card_.unitStateByte());
    if (unitReadySeen_ && !wasReady && !controllerRunning()) launchController();
}

void TrayLauncher::onTrayNotify(WParam iconId, LParam mouseMessage) {
    if (aboutOpen_ || iconId != kTrayIconId) return;
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        if (cardReady_ && !controllerRunning()) launchController();
    } else if (mouseMessage == WM_RBUTTONDOWN) {
        showMenu();
    }
}

void TrayLauncher::showMenu() {
    // A menu that cannot be shown leaves nothing to do.
    desktop_.trackPopupMenu(window_, menu_, desktop_.cursorPos());
}

void TrayLauncher::onCommand(unsigned command) {
    if (command == ID_ABOUT) showAbout();
    if (command == ID_CLOSE) requestClose();
}

void TrayLauncher::showAbout() {
    const StringTable& strings = host_.strings();
    const AboutTexts texts{strings.text(IDS_ABOUT_TITLE), strings.text(IDS_ABOUT_PROGRAM),
                           strings.text(IDS_ABOUT_VERSION)};
    const Point cursor = desktop_.cursorPos();
    const Size screen = desktop_.desktopSize();
    aboutOpen_ = true;
    desktop_.runAboutBox(texts, [&](Size box) { return aboutBoxPosition(cursor, box, screen); });
    aboutOpen_ = false;
}

void TrayLauncher::destroy() {
    if (window_ == kNoWindow) return;
    // A close from outside (a signal, the session's end) may come while the About box shows.
    desktop_.closeOwnedWindows();
    card_.close(window_);
    if (iconShown_) desktop_.removeIcon(kTrayIconId);
    iconShown_ = false;
    host_.killTimer(window_, TIMER_CARD_POLL);
    host_.killTimer(window_, TIMER_REPLY);
    requestPending_ = false;
    if (registration_) host_.windowRegistry().unregisterWindow(registration_);
    registration_ = 0;
    const Handle window = window_;
    window_ = kNoWindow;
    host_.destroyWindow(window);
    host_.endModal(window, 0);
}

void TrayLauncher::showImage(unsigned imageId) {
    if (iconShown_) desktop_.changeIcon(kTrayIconId, imageId);
}

bool TrayLauncher::controllerRunning() {
    return host_.windowRegistry().findWindow(std::nullopt, controllerTitle_).has_value();
}

void TrayLauncher::launchController() { host_.shell().startProgram(kControllerProgram, {}); }

}  // namespace tovik::launcher
