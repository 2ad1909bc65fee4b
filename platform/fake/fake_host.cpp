#include "platform/fake/fake_host.h"

#include <algorithm>

namespace tovik::fake {

// ---------------------------------------------------------------- profile

const FakeProfile::Value* FakeProfile::find(const std::string& section, const std::string& key) const {
    auto s = values.find(section);
    if (s == values.end()) return nullptr;
    auto k = s->second.find(key);
    return k == s->second.end() ? nullptr : &k->second;
}

int FakeProfile::getInt(const std::string& section, const std::string& key, int fallback) const {
    const Value* v = find(section, key);
    if (!v) return fallback;
    if (auto i = std::get_if<int>(v)) return *i;
    if (auto s = std::get_if<std::string>(v)) {
        try {
            return std::stoi(*s);
        } catch (...) {
            return fallback;
        }
    }
    return fallback;
}

bool FakeProfile::setInt(const std::string& section, const std::string& key, int value) {
    if (failWrites) return false;
    values[section][key] = value;
    return true;
}

std::string FakeProfile::getString(const std::string& section, const std::string& key,
                                   const std::string& fallback) const {
    const Value* v = find(section, key);
    if (!v) return fallback;
    if (auto s = std::get_if<std::string>(v)) return *s;
    if (auto i = std::get_if<int>(v)) return std::to_string(*i);
    return fallback;
}

bool FakeProfile::setString(const std::string& section, const std::string& key, const std::string& value) {
    if (failWrites) return false;
    values[section][key] = value;
    return true;
}

std::optional<std::vector<std::uint8_t>> FakeProfile::getBinary(const std::string& section,
                                                                 const std::string& key) const {
    const Value* v = find(section, key);
    if (!v) return std::nullopt;
    if (auto b = std::get_if<std::vector<std::uint8_t>>(v)) return *b;
    return std::nullopt;
}

bool FakeProfile::setBinary(const std::string& section, const std::string& key,
                            const std::vector<std::uint8_t>& value) {
    if (failWrites) return false;
    values[section][key] = value;
    return true;
}

// ---------------------------------------------------------------- shell and registry

bool FakeShell::startProgram(const std::string& systemName, const std::vector<std::string>& args) {
    if (!startSucceeds) return false;
    started.push_back({systemName, args});
    if (onStart) onStart(started.back());
    return true;
}

WindowRegistry::RegistrationId FakeWindowRegistry::registerWindow(const std::string& windowClass,
                                                                  const std::string& title,
                                                                  std::function<void()> onBringToFront) {
    entries_.push_back({nextId_, currentProcess_, windowClass, title, std::move(onBringToFront)});
    return nextId_++;
}

void FakeWindowRegistry::setTitle(RegistrationId id, const std::string& title) {
    for (Entry& e : entries_) {
        if (e.id == id) e.title = title;
    }
}

void FakeWindowRegistry::unregisterWindow(RegistrationId id) {
    std::erase_if(entries_, [id](const Entry& e) { return e.id == id; });
}

std::optional<RemoteWindow> FakeWindowRegistry::findWindow(const std::optional<std::string>& windowClass,
                                                           const std::optional<std::string>& title) {
    for (const Entry& e : entries_) {
        if (windowClass && *windowClass != e.windowClass) continue;
        if (title && *title != e.title) continue;
        return RemoteWindow{e.windowClass, e.title, e.pid, std::to_string(e.id), e.minimised};
    }
    return std::nullopt;
}

FakeWindowRegistry::Entry* FakeWindowRegistry::entry(const RemoteWindow& window) {
    for (Entry& e : entries_)
        if (std::to_string(e.id) == window.id) return &e;
    return nullptr;
}

bool FakeWindowRegistry::bringToFront(const RemoteWindow& window) {
    Entry* e = entry(window);
    if (!e) return false;
    ++frontRequests;
    windowRequests.push_back("front " + e->windowClass);
    if (e->onFront) e->onFront();
    return true;
}

bool FakeWindowRegistry::restore(const RemoteWindow& window) {
    Entry* e = entry(window);
    if (!e) return false;
    ++restoreRequests;
    windowRequests.push_back("restore " + e->windowClass);
    e->minimised = false;
    return true;
}

void FakeWindowRegistry::setMinimised(RegistrationId id, bool minimised) {
    for (Entry& e : entries_)
        if (e.id == id) e.minimised = minimised;
}

void FakeWindowRegistry::endProcess(std::int64_t pid) {
    std::erase_if(entries_, [pid](const Entry& e) { return e.pid == pid; });
}

// ---------------------------------------------------------------- host

FakeHost::FakeHost(const StringResource& strings, Language language)
    : strings_(strings, language), codePage_(CodePage::forLanguage(language)) {}

FakeHost::~FakeHost() = default;

Handle FakeHost::createWindow(MessageTarget& target) {
    Handle h = nextHandle_++;
    windows_[h] = &target;
    return h;
}

void FakeHost::destroyWindow(Handle window) {
    windows_.erase(window);
    std::erase_if(timers_, [window](const auto& t) { return t.first.first == window; });
    std::erase_if(queue_, [window](const Posted& p) { return p.window == window; });
}

bool FakeHost::isWindow(Handle window) const { return windows_.count(window) != 0; }

bool FakeHost::post(Handle window, Msg msg, WParam wParam, LParam lParam) {
    if (!isWindow(window)) return false;
    queue_.push_back({window, msg, wParam, lParam});
    return true;
}

LResult FakeHost::send(Handle window, Msg msg, WParam wParam, LParam lParam) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return 0;
    return it->second->onMessage(msg, wParam, lParam);
}

bool FakeHost::setTimer(Handle window, unsigned id, unsigned periodMs) {
    if (refuseTimers_ > 0) {
        --refuseTimers_;
        return false;
    }
    if (!isWindow(window)) return false;
    // A zero period still advances time by one tick, as a real timer would.
    unsigned period = std::max(periodMs, 1u);
    timers_[{window, id}] = Timer{period, now_ + period, order_++};
    return true;
}

void FakeHost::killTimer(Handle window, unsigned id) { timers_.erase({window, id}); }

bool FakeHost::timerRunning(Handle window, unsigned id) const { return timers_.count({window, id}) != 0; }

std::optional<unsigned> FakeHost::timerPeriod(Handle window, unsigned id) const {
    auto it = timers_.find({window, id});
    if (it == timers_.end()) return std::nullopt;
    return it->second.period;
}

void FakeHost::at(std::uint64_t ms, std::function<void()> fn) {
    actions_.push_back({now_ + ms, order_++, std::move(fn)});
}

bool FakeHost::deliverOne() {
    if (queue_.empty()) return false;
    Posted p = queue_.front();
    queue_.pop_front();
    auto it = windows_.find(p.window);
    if (it != windows_.end()) it->second->onMessage(p.msg, p.wParam, p.lParam);
    return true;
}

std::optional<std::uint64_t> FakeHost::nextDue() const {
    std::optional<std::uint64_t> due;
    for (const auto& [key, t] : timers_) {
        if (!due || t.due < *due) due = t.due;
    }
    for (const Action& a : actions_) {
        if (!due || a.due < *due) due = a.due;
    }
    return due;
}

bool FakeHost::fireNextDue(std::uint64_t limit) {
    // The earliest due item; among equals, the one set first.
    const std::pair<Handle, unsigned>* timerKey = nullptr;
    std::uint64_t bestDue = 0, bestOrder = 0;
    for (const auto& [key, t] : timers_) {
        if (t.due > limit) continue;
        if (!timerKey || t.due < bestDue || (t.due == bestDue && t.order < bestOrder)) {
            timerKey = &key;
            bestDue = t.due;
            bestOrder = t.order;
        }
    }
    std::optional<std::size_t> actionIndex;
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        const Action& a = actions_[i];
        if (a.due > limit) continue;
        bool better = (!timerKey && !actionIndex) || a.due < bestDue || (a.due == bestDue && a.order < bestOrder);
        if (better) {
            actionIndex = i;
            timerKey = nullptr;
            bestDue = a.due;
            bestOrder = a.order;
        }
    }
    if (actionIndex) {
        now_ = std::max(now_, bestDue);
        auto fn = std::move(actions_[*actionIndex].fn);
        actions_.erase(actions_.begin() + static_cast<std::ptrdiff_t>(*actionIndex));
        fn();
        return true;
    }
    if (!timerKey) return false;
    auto key = *timerKey;
    Timer& t = timers_.at(key);
    now_ = std::max(now_, t.due);
    t.due = now_ + t.period;
    send(key.first, WM_TIMER, key.second, 0);
    return true;
}

void FakeHost::runUntilIdle() {
    for (;;) {
        if (deliverOne()) continue;
        if (fireNextDue(now_)) continue;
        break;
    }
}

void FakeHost::pumpUntil(std::uint64_t until) {
    for (;;) {
        runUntilIdle();
        if (!fireNextDue(until)) break;
    }
    now_ = std::max(now_, until);
}

void FakeHost::advance(std::uint64_t ms) { pumpUntil(now_ + ms); }

int FakeHost::runModal(Handle dialog) {
    const std::uint64_t start = now_;
    for (std::size_t steps = 0;; ++steps) {
        if (auto it = endedModals_.find(dialog); it != endedModals_.end()) {
            int code = it->second;
            endedModals_.erase(it);
            return code;
        }
        if (steps > modalStepLimit) throw FakeHostError("modal loop ran past its step limit");
        if (deliverOne()) continue;
        std::optional<std::uint64_t> due = nextDue();
        if (!due) throw FakeHostError("modal loop is waiting with no timer, action or message left");
        if (*due > start + modalLimitMs) throw FakeHostError("modal loop ran past its time limit");
        fireNextDue(*due);
    }
}

void FakeHost::endModal(Handle dialog, int code) { endedModals_[dialog] = code; }

void FakeHost::answerNextBox(int answer, std::uint64_t afterMs) { script_.push_back({answer, afterMs}); }

int FakeHost::messageBox(const std::string& text, Buttons buttons, Icon icon) {
    return messageBoxWithDefault(text, buttons, icon, DefaultButton::First);
}

int FakeHost::messageBoxWithDefault(const std::string& text, Buttons buttons, Icon icon,
                                    DefaultButton defaultButton) {
    ShownBox box{text, buttons, icon, 0, now_, defaultButton};
    std::uint64_t openFor = 0;
    if (!script_.empty()) {
        box.answer = script_.front().answer;
        openFor = script_.front().afterMs;
        script_.pop_front();
    } else if (boxHandler) {
        box.answer = boxHandler(box);
    } else {
        box.answer = buttons == Buttons::RetryCancel ? IDCANCEL : buttons == Buttons::YesNo ? IDYES : IDOK;
    }
    shownBoxes.push_back(box);
    ++openBoxes_;
    if (openFor > 0) pumpUntil(now_ + openFor);
    --openBoxes_;
    return box.answer;
}

}  // namespace tovik::fake
