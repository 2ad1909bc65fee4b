#include "cardsim/disc_image.h"

#include <cmath>
#include <cstdio>

namespace tovik::card {

std::uint64_t Disc::usedMs() const {
    std::uint64_t used = 0;
    for (const auto& t : tracks) used += t.mono ? (t.lengthMs + 1) / 2 : t.lengthMs;
    return used;
}

std::uint64_t Disc::playTimeMs() const {
    std::uint64_t total = 0;
    for (const auto& t : tracks) total += t.lengthMs;
    return total;
}

unsigned titleSlotsFor(std::size_t chars) {
    return static_cast<unsigned>((chars + kTitleSlotChars - 1) / kTitleSlotChars);
}

unsigned Disc::titleSlotsUsed() const {
    unsigned slots = titleSlotsFor(title.size());
    for (const auto& t : tracks) slots += titleSlotsFor(t.name.size());
    return slots;
}

bool isDiscText(const std::string& text) {
    for (unsigned char c : text)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}

std::string formatMinutesSeconds(std::uint64_t ms) {
    char buf[32];
    std::uint64_t s = ms / 1000;
    std::snprintf(buf, sizeof buf, "%llu:%02llu", static_cast<unsigned long long>(s / 60),
                  static_cast<unsigned long long>(s % 60));
    return buf;
}

namespace {

// "m:ss" or a number of seconds; 1 second to 99 minutes.
std::optional<std::uint32_t> parseLength(const json::Value& v) {
    double seconds = -1;
    if (v.type() == json::Value::Type::Number) {
        seconds = v.asNumber();
    } else if (v.type() == json::Value::Type::String) {
        unsigned m = 0, s = 0;
        char tail = 0;
        const std::string& str = v.asString();
        if (std::sscanf(str.c_str(), "%u:%u%c", &m, &s, &tail) != 2 || s > 59 || m > 99 ||
            str.find(':') == std::string::npos)
            return std::nullopt;
        seconds = m * 60.0 + s;
    } else {
        return std::nullopt;
    }
    if (!(seconds >= 1 && seconds <= kMaxCapacityMinutes * 60.0)) return std::nullopt;
    return static_cast<std::uint32_t>(std::lround(seconds * 1000));
}

std::string nameProblem(const std::string& name) {
    if (!isDiscText(name)) return "holds characters a disc cannot store (printable ASCII only; kana in disc form)";
    if (name.size() >= 2048) return "is longer than 2047 characters";
    return {};
}

}  // namespace

DiscImageResult parseDiscImage(const std::string& jsonText) {
    DiscImageResult r;
    auto fail = [&](std::string msg) {
        r.error = std::move(msg);
        return r;
    };
    json::ParseResult parsed = json::parse(jsonText);
    if (!parsed.value) return fail("not valid JSON: " + parsed.error);
    const json::Value& root = *parsed.value;
    if (root.type() != json::Value::Type::Object) return fail("the image must be a JSON object");

    static const char* const known[] = {"title", "recordable", "capacity", "tracks"};
    for (const auto& [key, value] : root.members()) {
        bool ok = false;
        for (const char* k : known) ok = ok || key == k;
        if (!ok) return fail("unknown member \"" + key + "\"");
    }

    Disc disc;
    if (const json::Value* t = root.find("title")) {
        if (t->type() != json::Value::Type::String) return fail("title: expected a string");
        disc.title = t->asString();
        if (auto p = nameProblem(disc.title); !p.empty()) return fail("title " + p);
    }
    const json::Value* rec = root.find("recordable");
    if (!rec || rec->type() != json::Value::Type::Bool) return fail("recordable: expected true or false");
    disc.recordable = rec->asBool();

    if (const json::Value* c = root.find("capacity")) {
        double minutes = c->type() == json::Value::Type::Number ? c->asNumber() : -1;
        if (minutes < 1 || minutes > kMaxCapacityMinutes || std::floor(minutes) != minutes)
            return fail("capacity: expected whole minutes from 1 to 99");
        disc.capacityMinutes = static_cast<unsigned>(minutes);
    }

    if (const json::Value* tracks = root.find("tracks")) {
        if (tracks->type() != json::Value::Type::Array) return fail("tracks: expected an array");
        if (tracks->items().size() > kMaxTracks) return fail("tracks: a disc holds at most 255 tracks");
        for (std::size_t i = 0; i < tracks->items().size(); ++i) {
            const json::Value& tv = tracks->items()[i];
            std::string where = "tracks[" + std::to_string(i) + "]";
            if (tv.type() != json::Value::Type::Object) return fail(where + ": expected an object");
            DiscTrack track;
            for (const auto& [key, value] : tv.members())
                if (key != "name" && key != "length" && key != "mono")
                    return fail(where + ": unknown member \"" + key + "\"");
            if (const json::Value* n = tv.find("name")) {
                if (n->type() != json::Value::Type::String) return fail(where + ".name: expected a string");
                track.name = n->asString();
                if (auto p = nameProblem(track.name); !p.empty()) return fail(where + ".name " + p);
            }
            const json::Value* len = tv.find("length");
            if (!len) return fail(where + ": missing \"length\"");
            auto ms = parseLength(*len);
            if (!ms) return fail(where + ".length: expected \"m:ss\" or seconds, from 0:01 to 99:00");
            track.lengthMs = *ms;
            if (const json::Value* m = tv.find("mono")) {
                if (m->type() != json::Value::Type::Bool) return fail(where + ".mono: expected true or false");
                track.mono = m->asBool();
            }
            disc.tracks.push_back(std::move(track));
        }
    }
    if (disc.usedMs() > disc.capacityMs())
        return fail("tracks: " + formatMinutesSeconds(disc.usedMs()) + " of sound do not fit a " +
                    std::to_string(disc.capacityMinutes) + "-minute disc");
    if (disc.titleSlotsUsed() > kTitleSlots)
        return fail("names need " + std::to_string(disc.titleSlotsUsed()) +
                    " title slots; the disc's title memory holds 255 (7 characters each)");
    r.disc = std::move(disc);
    return r;
}

json::Value discToJson(const Disc& disc) {
    json::Value v = json::Value::object();
    v.set("title", disc.title);
    v.set("recordable", disc.recordable);
    v.set("capacity", disc.capacityMinutes);
    json::Value tracks = json::Value::array();
    for (const auto& t : disc.tracks) {
        json::Value tv = json::Value::object();
        tv.set("name", t.name);
        tv.set("length", formatMinutesSeconds(t.lengthMs));
        if (t.mono) tv.set("mono", true);
        tracks.push(std::move(tv));
    }
    v.set("tracks", std::move(tracks));
    return v;
}

}  // namespace tovik::card
