// mdctl rename against the simulated unit on virtual time: names from the command line, a CUE
// sheet and a Japanese text file; names refused before anything is written; a card pulled while
// the names are being written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cardsim/in_process_driver.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tools/mdctl/disc_names.h"
#include "tools/mdctl/disc_rename.h"
#include "tools/mdctl/name_file.h"

namespace tovik::mdctl {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class MdctlRename : public ::testing::Test {
protected:
    explicit MdctlRename(Language language = Language::English) : host(resources::rotelaStrings(), language) {
        env.wait = [this](const std::function<bool()>& done, unsigned timeoutMs) {
            const std::uint64_t end = host.nowMs() + timeoutMs;
            while (!done()) {
                if (host.nowMs() >= end) return false;
                host.advance(10);
                if (duringWait) duringWait();
            }
            return true;
        };
        std::string pattern = (std::filesystem::temp_directory_path() / "rename-XXXXXX").string();
        folder = mkdtemp(pattern.data());
    }
    ~MdctlRename() override { std::filesystem::remove_all(folder); }

    void load(const std::string& image) {
        ASSERT_EQ(driver.loadDiscFile(std::string(TOVIK_DISC_DIR) + "/" + image), "");
        host.advance(2000);
    }
    void loadJson(const std::string& json) {
        ASSERT_EQ(driver.loadDiscJson(json), "");
        host.advance(2000);
    }
    std::string file(const std::string& name, const std::string& bytes) {
        const auto path = folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    Outcome run(int (*command)(Environment&, Args, std::ostream&, std::ostream&), Args args) {
        std::ostringstream out, err;
        const int status = command(env, std::move(args), out, err);
        return {status, out.str(), err.str()};
    }
    // Standard error after the read cycle's progress lines.
    static std::string afterProgress(const std::string& err) {
        const std::size_t last = err.rfind("100%\n");
        return last == std::string::npos ? err : err.substr(last + 5);
    }
    // The disc's names as the unit keeps them (disc form): the title, then each track's.
    std::vector<std::string> onDisc() {
        std::vector<std::string> names{driver.unit().disc()->title};
        for (const auto& t : driver.unit().disc()->tracks) names.push_back(t.name);
        return names;
    }

    fake::FakeHost host;
    card::InProcessCardDriver driver{host};
    Environment env{host, driver, {}};
    std::function<void()> duringWait;
    std::filesystem::path folder;
};

TEST_F(MdctlRename, NamesFromTheCommandLine) {
    load("english-album.json");
    Outcome r = run(rename, {"5", "Harbour Bells"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "track 5: Harbour Bells\n");
    EXPECT_EQ(onDisc()[5], "Harbour Bells");

    r = run(rename, {"disc", "Harbour Lights"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "every name is already so; nothing to write\n");

    EXPECT_EQ(run(rename, {"9", "x"}).status, EXIT_NAMES_REFUSED) << "the disc has 8 tracks";
    EXPECT_EQ(run(rename, {"seven", "x"}).status, EXIT_USAGE);
    EXPECT_EQ(run(rename, {"--from", (folder / "missing.txt").string()}).status, EXIT_FILE_FAILED);
    // A folder named by mistake is a file that cannot be read, not the end of the program.
    r = run(rename, {"--from", folder.string()});
    EXPECT_EQ(r.status, EXIT_FILE_FAILED);
    EXPECT_NE(r.err.find("Is a directory"), std::string::npos) << r.err;

    // Outside the code page, or in it but not a character a disc holds.
    r = run(rename, {"disc", "Łódź"});
    EXPECT_EQ(r.status, EXIT_NAMES_REFUSED);
    EXPECT_NE(r.err.find("This char is mismatch for MD. (character 1, 'Ł')"), std::string::npos) << r.err;
    r = run(rename, {"disc", "Café"});
    EXPECT_NE(r.err.find("(character 4, 'é')"), std::string::npos) << r.err;
    load("prerecorded.json");
    EXPECT_EQ(run(rename, {"disc", "Live"}).status, EXIT_NAMES_REFUSED) << "not recordable";
}

TEST_F(MdctlRename, ACueSheetTitlesTheDiscAndItsTracks) {
    load("english-album.json");
    const std::string sheet = file("album.cue",
                                   "REM GENRE Folk\r\n"
                                   "PERFORMER \"The Quay Band\"\r\n"
                                   "TITLE \"Harbour Lights (Remastered)\"\r\n"
                                   "FILE \"album.wav\" WAVE\r\n"
                                   "  TRACK 01 AUDIO\r\n"
                                   "    TITLE \"Morning Tide\"\r\n"
                                   "    PERFORMER \"The Quay Band\"\r\n"
                                   "    INDEX 01 00:00:00\r\n"
                                   "  TRACK 02 AUDIO\r\n"
                                   "    TITLE \"Lanterns\"\r\n"
                                   "    INDEX 01 04:12:30\r\n"
                                   "  TRACK 05 AUDIO\r\n"
                                   "    TITLE \"Interlude\"\r\n");
    Outcome r = run(rename, {"--dry-run", "--from", sheet});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("track 5: \"Interlude\" would be written as Interlude\n"), std::string::npos) << r.out;
    EXPECT_EQ(onDisc()[2], "Lanterns on the Quay") << "a dry run writes nothing";

    r = run(rename, {"--from", sheet});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(onDisc(), (std::vector<std::string>{"Harbour Lights (Remastered)", "Morning Tide", "Lanterns",
                                                  "Salt & Silver", "The Ferryman's Song", "Interlude",
                                                  "Northern Light (Reprise)", "Driftwood", "Last Boat Home"}));
    EXPECT_EQ(r.out.find("track 1"), std::string::npos) << "an unchanged name is not written again";
}

// Whether a file is a CUE sheet is decided by what it holds when its name does not say: a plain
// list of titles that read like TRACK lines must not lose its names to the sheet reader.
TEST(NameFileKind, ASheetNeedsItsFileLineAPlainListNeverDoes) {
    const CodePage page = CodePage::forLanguage(Language::English);
    NameFile plain = parseNameFile("Remixes\nTrack 1 Remix\nTrack 2 Extended\n", false, page);
    EXPECT_FALSE(plain.cueSheet);
    EXPECT_EQ(plain.names.disc, "Remixes");
    EXPECT_EQ(plain.names.tracks, (std::map<int, std::string>{{1, "Track 1 Remix"}, {2, "Track 2 Extended"}}));

    NameFile sheet = parseNameFile("TITLE \"Live\"\nFILE \"live.wav\" WAVE\n  TRACK 01 AUDIO\n"
                                   "    TITLE \"Opening\"\n",
                                   false, page);
    EXPECT_TRUE(sheet.cueSheet);
    EXPECT_EQ(sheet.names.disc, "Live");
    EXPECT_EQ(sheet.names.tracks, (std::map<int, std::string>{{1, "Opening"}}));
    // A ".cue" name makes a sheet of a file without FILE lines.
    EXPECT_TRUE(parseNameFile("TRACK 01 AUDIO\nTITLE \"x\"\n", true, page).cueSheet);
}

class JapaneseMdctlRename : public MdctlRename {
protected:
    JapaneseMdctlRename() : MdctlRename(Language::Japanese) {}
};

TEST_F(JapaneseMdctlRename, ATextFileInUtf8OrTheAnsiCodePage) {
    load("japanese-album.json");
    // Line 1 the disc, line k + 1 track k; an empty line keeps that name.
    const std::string utf8 = "さくら さくら\n\nこんにちは ＷＯＲＬＤ\n";
    Outcome r = run(rename, {"--from", file("names.txt", "\xEF\xBB\xBF" + utf8)});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(onDisc()[0], "^SAKURA^ ^SAKURA^");
    EXPECT_EQ(onDisc()[1], "^HARUNOKAZE^");
    EXPECT_EQ(onDisc()[2], "^KOnNITIHA^ WORLD");

    // The same names in Shift-JIS, as a Japanese editor saves them, give the same result.
    const std::string sjis = host.codePage().fromUtf8("\nゆうひ\n").value();
    r = run(rename, {"--from", file("sjis.txt", sjis)});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(onDisc()[1], "^YUUHI^");

    // mdctl names reads them back in display form.
    r = run(names, {});
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "ｻｸﾗ ｻｸﾗ");
    EXPECT_NE(r.out.find("1\tﾕｳﾋ\n2\tｺﾝﾆﾁﾊ WORLD\n"), std::string::npos) << r.out;
}

TEST_F(JapaneseMdctlRename, ANameThatCannotBeWrittenStopsEverything) {
    load("japanese-album.json");
    const auto before = onDisc();
    Outcome r = run(rename, {"--from", file("names.txt", "ゆき\n東京の夜\n")});
    EXPECT_EQ(r.status, EXIT_NAMES_REFUSED);
    EXPECT_EQ(afterProgress(r.err), "mdctl: nothing was written; these names cannot be written:\n"
                     "  track 1 \"東京の夜\": MD に書けない文字があります。 (character 1, '東')\n");
    EXPECT_EQ(onDisc(), before);
}

TEST_F(MdctlRename, TitleMemoryOverflowWritesNothingAndShrinkingNamesGoFirst) {
    // Two names that fill 243 of the 255 slots.
    loadJson(R"({"title": "", "recordable": true, "tracks": [
        {"name": ")" + std::string(1001, 'a') + R"(", "length": 60},
        {"name": ")" + std::string(700, 'b') + R"(", "length": 60}]})");
    const auto before = onDisc();
    const std::string longName(1800, 'c');  // 258 slots on its own
    Outcome r = run(rename, {"2", longName});
    EXPECT_EQ(r.status, EXIT_NAMES_REFUSED);
    EXPECT_NE(r.err.find("they would take 401 slots, 146 more than it holds; 12 slots (84 characters) are free now"),
              std::string::npos) << r.err;
    EXPECT_NE(r.err.find("track 2 \"" + longName + "\" needs 258 slots, 158 more than now"), std::string::npos);
    EXPECT_EQ(onDisc(), before);

    // Track 1 shrinks and track 2 grows: together they fit, as long as track 1 goes first.
    const std::string grown(1500, 'd');  // 215 slots
    r = run(rename, {"--from", file("names.txt", "\n" "a\n" + grown + "\n")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "track 1: a\ntrack 2: " + grown + "\n");
    EXPECT_EQ(onDisc()[2], grown);
}

TEST_F(MdctlRename, ACardPulledPartWayReportsWhatWasWritten) {
    load("english-album.json");
    duringWait = [this] {
        if (driver.unit().cardPresent() && driver.unit().disc()->title == "Tide Tables") driver.removeCard();
    };
    Outcome r = run(rename, {"--from", file("names.txt", "Tide Tables\nEbb Tide Now\nFlow on the Quay\n")});
    EXPECT_EQ(r.status, EXIT_PARTLY_WRITTEN);
    EXPECT_EQ(r.out, "disc: Tide Tables\n");
    EXPECT_EQ(afterProgress(r.err), "PC Card removed!\nExit MD controller.\n"
                     "mdctl: track 1 was not written\n"
                     "  written: disc\n"
                     "  not written: track 1, track 2\n");
}

}  // namespace
}  // namespace tovik::mdctl
