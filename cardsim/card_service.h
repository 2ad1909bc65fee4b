#pragma once
// The card as a driver serves it: requests from any number of clients reach the one virtual
// unit after a latency, in the order they were made, and come back as answers (result and the
// bytes for the area). Faults can be injected. Both the in-process driver and the vtovikmd
// daemon run their card through this class; it knows nothing of windows, sockets or timers:
// its owner asks nextDueMs() and calls runDue() when that time has come.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cardsim/virtual_unit.h"

namespace tovik::card {

enum class AnswerKind : std::uint8_t { Model, Status, Meter, Read, Write };
const char* answerKindName(AnswerKind kind);
std::optional<AnswerKind> answerKindFromName(const std::string& name);

// One asynchronous request as it reaches the unit (requests 3-7 and 13).
struct UnitRequest {
    std::uint32_t code = 0;
    std::uint8_t command = 0, p1 = 0, p2 = 0, p3 = 0, selector = 0;  // request 5
    std::uint32_t nameKind = 0, nameIndex = 0;                        // requests 3, 4
    std::string text;                                                 // request 4
    AnswerKind kind() const;
};

struct UnitAnswer {
    std::uint64_t client = 0;
    std::uint64_t tag = 0;               // the client's own number for the request
    std::uint32_t result = 0;            // wParam: 0 success
    std::vector<std::uint8_t> area;      // copied to the start of the area; empty: area untouched
};

// Milliseconds from a request to its answer.
struct Latency {
    unsigned statusMs = 15;     // status, level status, model
    unsigned commandMs = 40;    // a command with the status after it
    unsigned nameReadMs = 60;
    unsigned nameWriteMs = 250;
    void setAll(unsigned ms) { statusMs = commandMs = nameReadMs = nameWriteMs = ms; }
};

// A message to the card's mixer driver ("tovikmd.drv").
struct MixerMessage {
    std::uint32_t message = 0;
    std::uint32_t param1 = 0;
    std::uint32_t param2 = 0;
    bool operator==(const MixerMessage&) const = default;
};

struct FaultRule {
    enum class Action : std::uint8_t { Drop, Fail, Delay };
    Action action = Action::Drop;
    unsigned remaining = 1;
    unsigned delayMs = 0;
    std::optional<AnswerKind> kind;  // empty: any answer
};

// A control command (vtovikmd-ctl's words) checked before it runs.
struct ControlCommand {
    enum class Verb { State, Load, Eject, RemoveCard, InsertCard, Power, Fault, Quit };
    Verb verb = Verb::State;
    std::string imageText;  // load: the image's JSON text
    bool on = false;        // power
    FaultRule fault;
};
struct ParsedControl {
    std::optional<ControlCommand> command;
    std::string error;
};
// args as vtovikmd-ctl takes them, except that `load` carries the image's text, not its path.
ParsedControl parseControl(const std::vector<std::string>& args);
constexpr unsigned kDefaultFaultDelayMs = 60'000;  // past the programs' 50-second time-outs

class CardService {
public:
    static constexpr std::size_t kMaxPendingPerClient = 256;

    using ClientId = std::uint64_t;

    explicit CardService(UnitTimings timings = {});

    VirtualUnit& unit() { return unit_; }
    const VirtualUnit& unit() const { return unit_; }
    Latency& latency() { return latency_; }

    ClientId addClient();
    // Forgets the client and every answer still on its way to it.
    void removeClient(ClientId client);
    std::size_t clientCount() const { return clients_.size(); }

    // Synchronous requests.
    bool cardReady(std::uint64_t nowMs);
    bool setVolume(std::uint64_t nowMs, std::uint8_t volume);
    // The card's mixer takes the message and keeps it for the state report; false without a card.
    bool mixerMessage(std::uint64_t nowMs, const MixerMessage& message);
    const std::optional<MixerMessage>& lastMixerMessage() const { return lastMixer_; }
    unsigned mixerMessageCount() const { return mixerMessages_; }
    // An asynchronous request: false when refused (no card, unknown client or request, or
    // kMaxPendingPerClient requests of that client still unanswered).
    bool submit(std::uint64_t nowMs, ClientId client, std::uint64_t tag, UnitRequest request);
    void cancel(ClientId client, std::uint64_t tag);

    std::optional<std::uint64_t> nextDueMs() const;
    // Runs every request due at or before nowMs on the unit, in order, and returns the answers.
    std::vector<UnitAnswer> runDue(std::uint64_t nowMs);

    void addFault(const FaultRule& rule) { faults_.push_back(rule); }
    const std::vector<FaultRule>& faults() const { return faults_; }

    struct ControlReply {
        bool ok = true;
        std::string text;
        bool quit = false;
    };
    ControlReply control(std::uint64_t nowMs, const ControlCommand& command);
    // The unit's state with the card's latencies and armed faults; members may be added.
    nlohmann::ordered_json stateJson() const;
    // The state as vtovikmd-ctl prints it: one member to a line, one track to a line.
    static std::string stateText(const nlohmann::ordered_json& state);

private:
    struct Pending {
        ClientId client;
        std::uint64_t tag;
        UnitRequest request;
        bool drop = false;
        bool fail = false;
    };
    UnitAnswer answer(const Pending& p);
    unsigned latencyFor(const UnitRequest& request) const;

    VirtualUnit unit_;
    Latency latency_;
    std::vector<FaultRule> faults_;
    std::map<ClientId, std::size_t> clients_;  // requests still on their way, per client
    ClientId nextClient_ = 1;
    // Ordered by due time, then by arrival.
    std::multimap<std::pair<std::uint64_t, std::uint64_t>, Pending> pending_;
    std::uint64_t arrivals_ = 0;
    std::optional<MixerMessage> lastMixer_;
    unsigned mixerMessages_ = 0;
};

}  // namespace tovik::card
