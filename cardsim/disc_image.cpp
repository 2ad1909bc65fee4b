#include "cardsim/disc_image.h"

#include <cmath>
#include <cstdio>

#include "platform/json.h"

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
std::optional<std::uint32_t> parseLength(const Json& v) {
    double seconds = -1;
    if (v.is_number()) {
        seconds = v.get<double>();
    } else if (v.is_string()) {
        unsigned m = 0, s = 0;
        char tail = 0;
        const std::string& str = v.get_ref<const std::string&>();
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

// The member, or null when the object has none of that name.
const Json* member(const Json& object, const char* name) {
    auto it = object.find(name);
    return it == object.end() ? nullptr : &*it;
}

}  // namespace

DiscImageResult parseDiscImage(const std::string& jsonText) {
    DiscImageResult r;
    auto fail = [&](std::string msg) {
        r.error = std::move(msg);
        return r;
    };
    JsonParseResult parsed = parseJson(jsonText);
    if (!parsed.value) return fail("not valid JSON: " + parsed.error);
    const Json& root = *parsed.value;
    if (!root.is_object()) return fail("the image must be a JSON object");

    static const char* const known[] = {"title", "recordable", "capacity", "tracks"};
    for (const auto& [key, value] : root.items()) {
        bool ok = false;
        for (const char* k : known) ok = ok || key == k;
        if (!ok) return fail("unknown member \"" + key + "\"");
    }

    Disc disc;
    if (const Json* t = member(root, "title")) {
        if (!t->is_string()) return fail("title: expected a string");
        disc.title = t->get<std::string>();
        if (auto p = nameProblem(disc.title); !p.empty()) return fail("title " + p);
    }
    const Json* rec = member(root, "recordable");
    if (!rec || !rec->is_boolean()) return fail("recordable: expected true or false");
    disc.recordable = rec->get<bool>();

    if (const Json* c = member(root, "capacity")) {
        double minutes = c->is_number() ? c->get<double>() : -1;
        if (minutes < 1 || minutes > kMaxCapacityMinutes || std::floor(minutes) != minutes)
            return fail("capacity: expected whole minutes from 1 to 99");
        disc.capacityMinutes = static_cast<unsigned>(minutes);
    }

    if (const Json* tracks = member(root, "tracks")) {
        if (!tracks->is_array()) return fail("tracks: expected an array");
        if (tracks->size() > kMaxTracks) return fail("tracks: a disc holds at most 255 tracks");
        for (std::size_t i = 0; i < tracks->size(); ++i) {
            const Json& tv = (*tracks)[i];
            std::string where = "tracks[" + std::to_string(i) + "]";
            if (!tv.is_object()) return fail(where + ": expected an object");
            DiscTrack track;
            for (const auto& [key, value] : tv.items())
                if (key != "name" && key != "length" && key != "mono")
                    return fail(where + ": unknown member \"" + key + "\"");
            if (const Json* n = member(tv, "name")) {
                if (!n->is_string()) return fail(where + ".name: expected a string");
                track.name = n->get<std::string>();
                if (auto p = nameProblem(track.name); !p.empty()) return fail(where + ".name " + p);
            }
            const Json* len = member(tv, "length");
            if (!len) return fail(where + ": missing \"length\"");
            auto ms = parseLength(*len);
            if (!ms) return fail(where + ".length: expected \"m:ss\" or seconds, from 0:01 to 99:00");
            track.lengthMs = *ms;
            if (const Json* m = member(tv, "mono")) {
                if (!m->is_boolean()) return fail(where + ".mono: expected true or false");
                track.mono = m->get<bool>();
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

Json discToJson(const Disc& disc) {
    Json tracks = Json::array();
    for (const auto& t : disc.tracks) {
        Json tv = {{"name", t.name}, {"length", formatMinutesSeconds(t.lengthMs)}};
        if (t.mono) tv["mono"] = true;
        tracks.push_back(std::move(tv));
    }
    return {{"title", disc.title},
            {"recordable", disc.recordable},
            {"capacity", disc.capacityMinutes},
            {"tracks", std::move(tracks)}};
}

}  // namespace tovik::card
