#pragma once
// The deterministic host the tests run on: a virtual clock, a FIFO of posted messages, timers
// fired in due order, scripted message boxes, an in-memory profile, a recording shell and an
// in-memory window registry that can play several processes.
//
// Nothing here sleeps. Time moves only when a test calls advance(), or when a modal loop (a
// dialog or message box run by the code under test) needs it to; a modal loop that would wait
// forever, or longer than modalLimitMs of virtual time, throws FakeHostError so the test fails
// instead of hanging.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "platform/host.h"

namespace tovik::fake {

class FakeHostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ShownBox {
    std::string text;
    Buttons buttons;
    Icon icon;
    int answer;
    std::uint64_t atMs;
    DefaultButton defaultButton = DefaultButton::First;
};

struct StartedProgram {
    std::string name;
    std::vector<std::string> args;
};

class FakeProfile : public Profile {
public:
    using Value = std::variant<int, std::string, std::vector<std::uint8_t>>;
    int getInt(const std::string& section, const std::string& key, int fallback) const override;
    bool setInt(const std::string& section, const std::string& key, int value) override;
    std::string getString(const std::string& section, const std::string& key,
                          const std::string& fallback) const override;
    bool setString(const std::string& section, const std::string& key,
                   const std::string& value) override;
    std::optional<std::vector<std::uint8_t>> getBinary(const std::string& section,
                                                        const std::string& key) const override;
    bool setBinary(const std::string& section, const std::string& key,
                   const std::vector<std::uint8_t>& value) override;

    const Value* find(const std::string& section, const std::string& key) const;
    std::map<std::string, std::map<std::string, Value>> values;
    bool failWrites = false;  // every set* returns false and stores nothing
};

class FakeShell : public Shell {
public:
    bool startProgram(const std::string& systemName, const std::vector<std::string>& args) override;
    std::vector<StartedProgram> started;
    bool startSucceeds = true;
    std::function<void(const StartedProgram&)> onStart;  // e.g. to register the new program's window
};

// Entries carry a process id; the test plays other processes with setProcess() and a crash with
// endProcess().
class FakeWindowRegistry : public WindowRegistry {
public:
    RegistrationId registerWindow(const std::string& windowClass, const std::string& title,
                                  std::function<void()> onBringToFront) override;
    void setTitle(RegistrationId id, const std::string& title) override;
    void unregisterWindow(RegistrationId id) override;
    std::optional<RemoteWindow> findWindow(const std::optional<std::string>& windowClass,
                                           const std::optional<std::string>& title) override;
    bool bringToFront(const RemoteWindow& window) override;
    bool restore(const RemoteWindow& window) override;

    void setMinimised(RegistrationId id, bool minimised);
    void setProcess(std::int64_t pid) { currentProcess_ = pid; }
    void endProcess(std::int64_t pid);
    std::size_t size() const { return entries_.size(); }
    int frontRequests = 0;
    int restoreRequests = 0;
    // Every bringToFront and restore in order: "front <class>", "restore <class>".
    std::vector<std::string> windowRequests;

private:
    struct Entry {
        RegistrationId id;
        std::int64_t pid;
        std::string windowClass;
        std::string title;
        std::function<void()> onFront;
        bool minimised = false;
    };
    Entry* entry(const RemoteWindow& window);
    std::vector<Entry> entries_;
    RegistrationId nextId_ = 1;
    std::int64_t currentProcess_ = 1;
};

class FakeHost : public Host {
public:
    explicit FakeHost(const StringResource& strings = {}, Language language = Language::English);
    ~FakeHost() override;

    // --- ports ---
    Handle createWindow(MessageTarget& target) override;
    void destroyWindow(Handle window) override;
    bool isWindow(Handle window) const override;
    bool post(Handle window, Msg msg, WParam wParam, LParam lParam) override;
    LResult send(Handle window, Msg msg, WParam wParam, LParam lParam) override;
    bool setTimer(Handle window, unsigned id, unsigned periodMs) override;
    void killTimer(Handle window, unsigned id) override;
    std::uint64_t nowMs() const override { return now_; }
    int runModal(Handle dialog) override;
    void endModal(Handle dialog, int code) override;
    int messageBox(const std::string& text, Buttons buttons, Icon icon) override;
    int messageBoxWithDefault(const std::string& text, Buttons buttons, Icon icon,
                              DefaultButton defaultButton) override;
    bool messageBoxOpen() const override { return openBoxes_ > 0; }
    Profile& profile() override { return profile_; }
    Shell& shell() override { return shell_; }
    WindowRegistry& windowRegistry() override { return registry_; }
    const StringTable& strings() const override { return strings_; }
    const CodePage& codePage() const override { return codePage_; }

    // --- driving time ---
    // Moves the virtual clock forward by ms, firing every timer and scheduled action that falls
    // due, in due order, and delivering posted messages after each.
    void advance(std::uint64_t ms);
    // Delivers posted messages (and anything due now) until none is left; no time passes.
    void runUntilIdle();
    // Runs fn at virtual time now+ms, as part of the timeline (e.g. "the card is removed 3 s
    // into the wait").
    void at(std::uint64_t ms, std::function<void()> fn);

    // --- inspecting ---
    bool timerRunning(Handle window, unsigned id) const;
    std::optional<unsigned> timerPeriod(Handle window, unsigned id) const;
    std::size_t pendingMessages() const { return queue_.size(); }

    // --- scripting ---
    // The next message box answers `answer`, after `afterMs` of virtual time with the box open.
    void answerNextBox(int answer, std::uint64_t afterMs = 0);
    // Called for each box that has no scripted answer; by default OK/Yes for the boxes that have
    // them and Cancel for Retry/Cancel, so an unscripted retry loop ends.
    std::function<int(const ShownBox&)> boxHandler;
    std::vector<ShownBox> shownBoxes;
    // The next n setTimer calls are refused.
    void refuseTimers(int n) { refuseTimers_ = n; }

    FakeProfile& fakeProfile() { return profile_; }
    FakeShell& fakeShell() { return shell_; }
    FakeWindowRegistry& fakeRegistry() { return registry_; }

    std::uint64_t modalLimitMs = 3'600'000;  // one virtual hour per modal loop
    std::size_t modalStepLimit = 5'000'000;

private:
    struct Posted {
        Handle window;
        Msg msg;
        WParam wParam;
        LParam lParam;
    };
    struct Timer {
        unsigned period;
        std::uint64_t due;
        std::uint64_t order;
    };
    struct Action {
        std::uint64_t due;
        std::uint64_t order;
        std::function<void()> fn;
    };
    struct ScriptedAnswer {
        int answer;
        std::uint64_t afterMs;
    };

    bool deliverOne();
    // Fires the earliest timer or action due at or before `limit`; false when none.
    bool fireNextDue(std::uint64_t limit);
    std::optional<std::uint64_t> nextDue() const;
    void pumpUntil(std::uint64_t until);

    std::map<Handle, MessageTarget*> windows_;
    Handle nextHandle_ = 0x1000;
    std::deque<Posted> queue_;
    std::map<std::pair<Handle, unsigned>, Timer> timers_;
    std::vector<Action> actions_;
    std::uint64_t order_ = 0;
    std::uint64_t now_ = 0;
    std::map<Handle, int> endedModals_;
    std::deque<ScriptedAnswer> script_;
    int openBoxes_ = 0;
    int refuseTimers_ = 0;

    FakeProfile profile_;
    FakeShell shell_;
    FakeWindowRegistry registry_;
    StringTable strings_;
    CodePage codePage_;
};

}  // namespace tovik::fake
