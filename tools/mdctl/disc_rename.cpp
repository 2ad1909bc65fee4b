#include "tools/mdctl/disc_rename.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <vector>

#include "controller/disc/editing_texts.h"
#include "controller/disc/md_text.h"
#include "controller/disc/name_change.h"
#include "controller/link/md_comm_wnd.h"
#include "labeleditor/document/file_io.h"
#include "tools/mdctl/disc_names.h"
#include "tools/mdctl/name_file.h"

namespace tovik::mdctl {

namespace {

constexpr const char* kUsage = "rename [--dry-run] disc TEXT | N TEXT | --from FILE";

std::string label(int track) { return track == 0 ? "disc" : "track " + std::to_string(track); }

// One name to write.
struct Change {
    int track;             // 0: the disc
    std::string utf8;      // as given
    std::string display;   // display form, in the system's code page
    std::string disc;      // disc form
    unsigned slotsBefore;  // title slots of the name it replaces
    unsigned slotsAfter;
};

struct Request {
    NameList names;
    bool dryRun = false;
};

int readNames(const std::string& path, NameList& names, const CodePage& codePage, std::ostream& err) {
    // The label files' reader: a regular file of sensible size, so that a folder, a device or a
    // pipe named by mistake is reported instead of ending the program or never returning.
    std::string why;
    const std::optional<std::vector<std::uint8_t>> read = label::readFileBytes(path, &why);
    if (!read) {
        err << "mdctl: cannot read " << path << ": " << why << '\n';
        return EXIT_FILE_FAILED;
    }
    const std::string bytes(read->begin(), read->end());
    const bool cueByName = path.size() >= 4 && (path.ends_with(".cue") || path.ends_with(".CUE"));
    NameFile file = parseNameFile(bytes, cueByName, codePage);
    if (!file.error.empty()) {
        err << "mdctl: " << path << ": " << file.error << '\n';
        return EXIT_FILE_FAILED;
    }
    names = std::move(file.names);
    return EXIT_OK;
}

int parse(Args args, Request& request, const CodePage& codePage, std::ostream& err) {
    if (auto it = std::find(args.begin(), args.end(), "--dry-run"); it != args.end()) {
        request.dryRun = true;
        args.erase(it);
    }
    if (args.size() == 2 && args[0] == "--from") return readNames(args[1], request.names, codePage, err);
    if (args.size() != 2) return usageError(err, "which name, and what to call it?", kUsage);
    if (args[0] == "disc") {
        request.names.disc = args[1];
        return EXIT_OK;
    }
    int track = 0;
    const std::string& word = args[0];
    auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), track);
    if (ec != std::errc() || ptr != word.data() + word.size() || track < 1 || track > 255)
        return usageError(err, "'" + word + "' is neither 'disc' nor a track number 1-255", kUsage);
    request.names.tracks[track] = args[1];
    return EXIT_OK;
}

// The n-th character (from 0) of a UTF-8 text.
std::string utf8Char(const std::string& utf8, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t k = 0; i < utf8.size(); ++k) {
        std::size_t next = i + 1;
        while (next < utf8.size() && (static_cast<unsigned char>(utf8[next]) & 0xC0) == 0x80) ++next;
        if (k == n) return utf8.substr(i, next - i);
        i = next;
    }
    return {};
}

// Characters in the code-page bytes before offset.
std::size_t charsBefore(const CodePage& page, std::string_view bytes, std::size_t offset) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < offset && i < bytes.size(); ++count)
        i += page.isLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
    return count;
}

// Converts a name to both forms; on failure, why it cannot be written.
std::optional<std::string> convert(Change& change, const StringTable& strings, const CodePage& page) {
    auto mismatch = [&](std::size_t index) {
        return strings.text(disc::IDS_CHAR_MISMATCH) + " (character " + std::to_string(index + 1) +
               ", '" + utf8Char(change.utf8, index) + "')";
    };
    std::size_t bad = 0;
    const std::optional<std::string> display = page.fromUtf8(change.utf8, &bad);
    if (!display) return mismatch(bad);
    const disc::MdTextResult encoded = disc::EncodeMdText(*display, strings.language());
    if (!encoded.ok) {
        if (encoded.error == disc::MdTextError::TooLong) return strings.text(disc::IDS_NAME_TOO_LONG);
        return mismatch(charsBefore(page, *display, encoded.failedAt));
    }
    // A disc holds single-byte printable characters only. Elsewhere than on a Japanese system
    // the disc form is the display form, so a byte's place is its character's.
    const auto unprintable = std::find_if(encoded.text.begin(), encoded.text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E;
    });
    if (unprintable != encoded.text.end())
        return mismatch(charsBefore(page, *display, static_cast<std::size_t>(unprintable - encoded.text.begin())));
    change.display = *display;
    change.disc = encoded.text;
    return std::nullopt;
}

// The title slots a name already on the disc takes. The cache holds names in display form: the
// disc form is found by converting it back, and a name the rules cannot convert back (it was not
// written by this program) is counted as it reads.
unsigned slotsOnDisc(const std::string& display, Language language) {
    const disc::MdTextResult encoded = disc::EncodeMdText(display, language);
    return titleSlots(encoded.ok ? encoded.text.size() : display.size());
}

void printTitleMemory(std::ostream& out, unsigned used) {
    out << "title memory: " << used << " of " << kTitleSlots << " slots of " << kTitleSlotChars
        << " characters\n";
}

}  // namespace

int rename(Environment& env, Args args, std::ostream& out, std::ostream& err) {
    const StringTable& strings = env.host.strings();
    const CodePage& page = env.host.codePage();
    const Language language = strings.language();
    Request request;
    if (int code = parse(std::move(args), request, page, err)) return code;
    if (!request.names.disc && request.names.tracks.empty()) {
        out << "no names to change\n";
        return EXIT_OK;
    }

    DiscReading reading;
    if (int code = readDisc(env, err, reading)) return code;
    const disc::MdDiscModel& model = reading.model;
    if (!reading.status.recordable) {
        err << "mdctl: the disc is not recordable: its names cannot be changed; nothing was written\n";
        return EXIT_NAMES_REFUSED;
    }

    // Every name is checked before anything is written.
    std::vector<Change> changes;
    std::vector<std::string> problems;
    unsigned usedNow = slotsOnDisc(model.discName, language);
    for (int t = 1; t <= model.trackCount; ++t) usedNow += slotsOnDisc(model.trackName(t), language);
    auto consider = [&](int track, const std::string& utf8, const std::string& current) {
        Change change{track, utf8, {}, {}, slotsOnDisc(current, language), 0};
        if (auto why = convert(change, strings, page)) {
            problems.push_back(label(track) + " \"" + utf8 + "\": " + *why);
            return;
        }
        if (change.display == current) return;  // already so
        change.slotsAfter = titleSlots(change.disc.size());
        changes.push_back(std::move(change));
    };
    if (request.names.disc) consider(0, *request.names.disc, model.discName);
    for (const auto& [track, utf8] : request.names.tracks) {
        if (track > model.trackCount) {
            problems.push_back(label(track) + ": the disc has " + std::to_string(std::max(model.trackCount, 0)) +
                               (model.trackCount == 1 ? " track" : " tracks"));
            continue;
        }
        consider(track, utf8, model.trackName(track));
    }
    if (!problems.empty()) {
        err << "mdctl: nothing was written; these names cannot be written:\n";
        for (const std::string& p : problems) err << "  " << p << '\n';
        return EXIT_NAMES_REFUSED;
    }

    unsigned usedAfter = usedNow;
    for (const Change& c : changes) usedAfter = usedAfter - c.slotsBefore + c.slotsAfter;
    if (usedAfter > kTitleSlots) {
        const unsigned free = kTitleSlots - std::min(usedNow, kTitleSlots);
        err << "mdctl: nothing was written; the names do not fit the disc's title memory ("
            << kTitleSlots << " slots of " << kTitleSlotChars << " characters):\n"
            << "  after the change they would take " << usedAfter << " slots, " << usedAfter - kTitleSlots
            << " more than it holds; " << free << " slots (" << free * kTitleSlotChars
            << " characters) are free now\n";
        for (const Change& c : changes)
            if (c.slotsAfter > c.slotsBefore)
                err << "  " << label(c.track) << " \"" << c.utf8 << "\" needs " << c.slotsAfter
                    << " slots, " << c.slotsAfter - c.slotsBefore << " more than now\n";
        return EXIT_NAMES_REFUSED;
    }

    if (changes.empty()) {
        out << "every name is already so; nothing to write\n";
        return EXIT_OK;
    }
    if (request.dryRun) {
        for (const Change& c : changes)
            out << label(c.track) << ": \"" << c.utf8 << "\" would be written as " << c.disc << '\n';
        printTitleMemory(out, usedAfter);
        return EXIT_OK;
    }

    // Names that free slots go first, so that no write on the way overflows the title memory.
    std::stable_sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) {
        auto growth = [](const Change& c) { return static_cast<int>(c.slotsAfter) - static_cast<int>(c.slotsBefore); };
        return growth(a) < growth(b);
    });
    DeckSession deck(env, err);
    if (int code = deck.open()) return code;
    std::vector<std::string> written;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const Change& c = changes[i];
        const std::uint32_t kind = c.track == 0 ? link::NAME_DISC : link::NAME_TRACK;
        const int code = deck.writeName(kind, static_cast<std::uint32_t>(c.track), c.disc,
                                        disc::kNameWriteTimeoutMs);
        if (code == EXIT_OK) {
            out << label(c.track) << ": " << c.utf8 << '\n';
            written.push_back(label(c.track));
            continue;
        }
        auto list = [&](std::size_t from, std::size_t to) {
            std::string s;
            for (std::size_t k = from; k < to; ++k) s += (s.empty() ? "" : ", ") + label(changes[k].track);
            return s;
        };
        err << "mdctl: " << label(c.track) << " was not written";
        if (written.empty()) {
            err << "; nothing was written\n";
            return code;
        }
        err << "\n  written: " << list(0, i) << "\n  not written: " << list(i, changes.size()) << '\n';
        return EXIT_PARTLY_WRITTEN;
    }
    return EXIT_OK;
}

}  // namespace tovik::mdctl
