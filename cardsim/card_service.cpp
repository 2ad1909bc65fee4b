#include "cardsim/card_service.h"

#include <charconv>
#include <cstring>

#include "cardsim/card_device.h"
#include "platform/json.h"

namespace tovik::card {

namespace {

struct KindName {
    AnswerKind kind;
    const char* name;
};
constexpr KindName kKindNames[] = {
    {AnswerKind::Model, "model"}, {AnswerKind::Status, "status"}, {AnswerKind::Meter, "meter"},
    {AnswerKind::Read, "read"},   {AnswerKind::Write, "write"},
};

std::optional<unsigned> parseCount(const std::string& s, unsigned max) {
    unsigned v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v > max) return std::nullopt;
    return v;
}

}  // namespace

const char* answerKindName(AnswerKind kind) {
    for (const auto& k : kKindNames)
        if (k.kind == kind) return k.name;
    return "?";
}

std::optional<AnswerKind> answerKindFromName(const std::string& name) {
    for (const auto& k : kKindNames)
        if (name == k.name) return k.kind;
    return std::nullopt;
}

AnswerKind UnitRequest::kind() const {
    switch (code) {
    case MDIO_GET_MODEL: return AnswerKind::Model;
    case MDIO_GET_METER_STATUS: return AnswerKind::Meter;
    case MDIO_SEND_COMMAND: return selector ? AnswerKind::Meter : AnswerKind::Status;
    case MDIO_READ_NAME: return AnswerKind::Read;
    case MDIO_WRITE_NAME: return AnswerKind::Write;
    default: return AnswerKind::Status;
    }
}

ParsedControl parseControl(const std::vector<std::string>& args) {
    ParsedControl r;
    auto fail = [&](std::string msg) {
        r.error = std::move(msg);
        return r;
    };
    if (args.empty()) return fail("no command given");
    ControlCommand c;
    const std::string& verb = args[0];
    auto noMore = [&](std::size_t n) { return args.size() == n; };
    if (verb == "state") {
        if (!noMore(1)) return fail("state takes no arguments");
        c.verb = ControlCommand::Verb::State;
    } else if (verb == "load") {
        if (!noMore(2)) return fail("load takes one disc image");
        c.verb = ControlCommand::Verb::Load;
        c.imageText = args[1];
    } else if (verb == "eject" || verb == "remove-card" || verb == "insert-card" || verb == "quit") {
        if (!noMore(1)) return fail(verb + " takes no arguments");
        c.verb = verb == "eject"         ? ControlCommand::Verb::Eject
                 : verb == "remove-card" ? ControlCommand::Verb::RemoveCard
                 : verb == "insert-card" ? ControlCommand::Verb::InsertCard
                                         : ControlCommand::Verb::Quit;
    } else if (verb == "power") {
        if (!noMore(2) || (args[1] != "on" && args[1] != "off")) return fail("power takes on or off");
        c.verb = ControlCommand::Verb::Power;
        c.on = args[1] == "on";
    } else if (verb == "fault") {
        c.verb = ControlCommand::Verb::Fault;
        if (args.size() < 3) return fail("fault takes drop|fail|delay N [MS] [--kind model|status|meter|read|write]");
        const std::string& action = args[1];
        if (action == "drop") c.fault.action = FaultRule::Action::Drop;
        else if (action == "fail") c.fault.action = FaultRule::Action::Fail;
        else if (action == "delay") c.fault.action = FaultRule::Action::Delay;
        else return fail("fault: unknown action \"" + action + "\" (drop, fail or delay)");
        auto n = parseCount(args[2], 1'000'000);
        if (!n || *n == 0) return fail("fault: N must be a whole number from 1 to 1000000");
        c.fault.remaining = *n;
        c.fault.delayMs = kDefaultFaultDelayMs;
        std::size_t i = 3;
        if (i < args.size() && args[i] != "--kind") {
            if (c.fault.action != FaultRule::Action::Delay) return fail("fault: only delay takes MS");
            auto ms = parseCount(args[i], 3'600'000);
            if (!ms) return fail("fault: MS must be a whole number up to 3600000");
            c.fault.delayMs = *ms;
            ++i;
        }
        if (i < args.size()) {
            if (args[i] != "--kind" || i + 2 != args.size()) return fail("fault: expected --kind KIND at the end");
            c.fault.kind = answerKindFromName(args[i + 1]);
            if (!c.fault.kind) return fail("fault: unknown kind \"" + args[i + 1] + "\" (model, status, meter, read or write)");
        }
    } else {
        return fail("unknown command \"" + verb + "\"");
    }
    r.command = std::move(c);
    return r;
}

CardService::CardService(UnitTimings timings) : unit_(timings) {}

CardService::ClientId CardService::addClient() {
    ClientId id = nextClient_++;
    clients_[id] = 0;
    return id;
}

void CardService::removeClient(ClientId client) {
    clients_.erase(client);
    for (auto it = pending_.begin(); it != pending_.end();)
        it = it->second.client == client ? pending_.erase(it) : std::next(it);
}

void CardService::cancel(ClientId client, std::uint64_t tag) {
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->second.client == client && it->second.tag == tag) {
            --clients_[client];
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
}

bool CardService::cardReady(std::uint64_t nowMs) {
    unit_.advanceTo(nowMs);
    return unit_.cardPresent();
}

bool CardService::setVolume(std::uint64_t nowMs, std::uint8_t volume) {
    unit_.advanceTo(nowMs);
    if (!unit_.cardPresent()) return false;
    unit_.setVolume(volume);
    return true;
}

bool CardService::mixerMessage(std::uint64_t nowMs, const MixerMessage& message) {
    unit_.advanceTo(nowMs);
    if (!unit_.cardPresent()) return false;
    lastMixer_ = message;
    ++mixerMessages_;
    return true;
}

unsigned CardService::latencyFor(const UnitRequest& request) const {
    switch (request.code) {
    case MDIO_SEND_COMMAND: return latency_.commandMs;
    case MDIO_READ_NAME: return latency_.nameReadMs;
    case MDIO_WRITE_NAME: return latency_.nameWriteMs;
    default: return latency_.statusMs;
    }
}

bool CardService::submit(std::uint64_t nowMs, ClientId client, std::uint64_t tag, UnitRequest request) {
    unit_.advanceTo(nowMs);
    auto owner = clients_.find(client);
    if (!unit_.cardPresent() || owner == clients_.end() || owner->second >= kMaxPendingPerClient) return false;
    switch (request.code) {
    case MDIO_READ_NAME: case MDIO_WRITE_NAME: case MDIO_SEND_COMMAND:
    case MDIO_GET_STATUS: case MDIO_GET_METER_STATUS: case MDIO_GET_MODEL: break;
    default: return false;
    }
    Pending p{client, tag, std::move(request)};
    std::uint64_t due = nowMs + latencyFor(p.request);
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (it->kind && *it->kind != p.request.kind()) continue;
        switch (it->action) {
        case FaultRule::Action::Drop: p.drop = true; break;
        case FaultRule::Action::Fail: p.fail = true; break;
        case FaultRule::Action::Delay: due += it->delayMs; break;
        }
        if (--it->remaining == 0) faults_.erase(it);
        break;
    }
    pending_.emplace(std::make_pair(due, arrivals_++), std::move(p));
    ++owner->second;
    return true;
}

std::optional<std::uint64_t> CardService::nextDueMs() const {
    if (pending_.empty()) return std::nullopt;
    return pending_.begin()->first.first;
}

std::vector<UnitAnswer> CardService::runDue(std::uint64_t nowMs) {
    std::vector<UnitAnswer> answers;
    while (!pending_.empty() && pending_.begin()->first.first <= nowMs) {
        auto node = pending_.extract(pending_.begin());
        unit_.advanceTo(node.key().first);
        const Pending& p = node.mapped();
        if (auto owner = clients_.find(p.client); owner != clients_.end()) --owner->second;
        if (!unit_.cardPresent()) continue;  // the card went: nothing answers
        UnitAnswer a = answer(p);
        if (!p.drop) answers.push_back(std::move(a));
    }
    unit_.advanceTo(nowMs);
    return answers;
}

UnitAnswer CardService::answer(const Pending& p) {
    UnitAnswer a{p.client, p.tag, 0, {}};
    if (p.fail) {
        a.result = 1;
        return a;
    }
    const UnitRequest& r = p.request;
    switch (r.code) {
    case MDIO_GET_MODEL: {
        ModelBytes m = unit_.model();
        a.area.assign(m.begin(), m.end());
        break;
    }
    case MDIO_SEND_COMMAND:
        unit_.command(r.command, r.p1, r.p2);
        [[fallthrough]];
    case MDIO_GET_STATUS:
    case MDIO_GET_METER_STATUS: {
        const bool areaB = r.code == MDIO_GET_METER_STATUS || (r.code == MDIO_SEND_COMMAND && r.selector);
        StatusBytes s = unit_.status(areaB);
        a.area.assign(s.begin(), s.end());
        break;
    }
    case MDIO_READ_NAME: {
        VirtualUnit::NameRead read = unit_.readName(r.nameKind, r.nameIndex);
        a.result = read.result;
        if (read.result == NAME_OK) {
            a.area.assign(kNameRecordSize, 0);
            putU32(a.area.data(), r.nameKind);
            putU32(a.area.data() + 4, r.nameIndex);
            putU32(a.area.data() + 12, static_cast<std::uint32_t>(read.text.size() + 1));
            std::memcpy(a.area.data() + 16, read.text.data(), read.text.size());
        }
        break;
    }
    case MDIO_WRITE_NAME:
        a.result = unit_.writeName(r.nameKind, r.nameIndex, r.text);
        break;
    default: a.result = 1; break;
    }
    return a;
}

Json CardService::stateJson() const {
    Json v = unit_.toJson();
    v["clients"] = clients_.size();
    v["latencyMs"] = {{"status", latency_.statusMs},
                      {"command", latency_.commandMs},
                      {"nameRead", latency_.nameReadMs},
                      {"nameWrite", latency_.nameWriteMs}};
    v["faults"] = Json::array();
    for (const auto& f : faults_) {
        Json fv;
        fv["action"] = f.action == FaultRule::Action::Drop ? "drop" : f.action == FaultRule::Action::Fail ? "fail" : "delay";
        fv["remaining"] = f.remaining;
        if (f.action == FaultRule::Action::Delay) fv["delayMs"] = f.delayMs;
        fv["kind"] = f.kind ? answerKindName(*f.kind) : "any";
        v["faults"].push_back(std::move(fv));
    }
    if (lastMixer_) {
        v["mixer"] = {{"messages", mixerMessages_},
                      {"message", lastMixer_->message},
                      {"param1", lastMixer_->param1},
                      {"param2", lastMixer_->param2}};
    }
    return v;
}

std::string CardService::stateText(const Json& state) {
    return indentedJson(state, 96);
}

CardService::ControlReply CardService::control(std::uint64_t nowMs, const ControlCommand& c) {
    unit_.advanceTo(nowMs);
    ControlReply r;
    switch (c.verb) {
    case ControlCommand::Verb::State: r.text = stateText(stateJson()); break;
    case ControlCommand::Verb::Load: {
        DiscImageResult image = parseDiscImage(c.imageText);
        if (!image.disc) return {false, "disc image rejected: " + image.error, false};
        unit_.loadDisc(std::move(*image.disc));
        r.text = "disc loaded";
        break;
    }
    case ControlCommand::Verb::Eject:
        if (!unit_.disc()) return {false, "no disc to eject", false};
        unit_.ejectDisc();
        r.text = "disc ejected";
        break;
    case ControlCommand::Verb::RemoveCard:
        unit_.removeCard();
        r.text = "card removed";
        break;
    case ControlCommand::Verb::InsertCard:
        unit_.insertCard();
        r.text = "card inserted";
        break;
    case ControlCommand::Verb::Power:
        unit_.setPower(c.on);
        r.text = c.on ? "power on" : "power off";
        break;
    case ControlCommand::Verb::Fault:
        addFault(c.fault);
        r.text = "fault armed";
        break;
    case ControlCommand::Verb::Quit:
        r.text = "quitting";
        r.quit = true;
        break;
    }
    return r;
}

}  // namespace tovik::card
