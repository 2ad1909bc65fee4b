// mdctl names and mdctl label against the simulated unit on virtual time: every shipped disc,
// in English and Japanese, and the ways the read can fail.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cardsim/in_process_driver.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tools/mdctl/disc_names.h"

namespace tovik::mdctl {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class MdctlNames : public ::testing::Test {
protected:
    explicit MdctlNames(Language language = Language::English)
        : host(resources::rotelaStrings(), language) {
        env.wait = [this](const std::function<bool()>& done, unsigned timeoutMs) {
            const std::uint64_t end = host.nowMs() + timeoutMs;
            while (!done()) {
                if (host.nowMs() >= end) return false;
                host.advance(10);
            }
            return true;
        };
        env.interrupted = [this] { return interrupted; };
        std::string pattern = (std::filesystem::temp_directory_path() / "mdctl-XXXXXX").string();
        folder = mkdtemp(pattern.data());
    }
    ~MdctlNames() override { std::filesystem::remove_all(folder); }

    void load(const std::string& image) {
        ASSERT_EQ(driver.loadDiscFile(std::string(TOVIK_DISC_DIR) + "/" + image), "");
        host.advance(2000);  // the unit reads the table of contents
    }
    Outcome run(int (*command)(Environment&, Args, std::ostream&, std::ostream&), Args args) {
        std::ostringstream out, err;
        const int status = command(env, std::move(args), out, err);
        return {status, out.str(), err.str()};
    }
    std::string bytes(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fake::FakeHost host;
    card::InProcessCardDriver driver{host};
    Environment env{host, driver, {}};
    bool interrupted = false;
    std::filesystem::path folder;
};

TEST_F(MdctlNames, EachShippedDiscAsJsonAndText) {
    struct Case {
        const char* image;
        const char* json;
    } cases[] = {
        {"english-album.json",
         R"j({"disc": "Harbour Lights", "tracks": ["Morning Tide", "Lanterns on the Quay", )j"
         R"j("Salt & Silver", "The Ferryman's Song", "", "Northern Light (Reprise)", "Driftwood", )j"
         R"j("Last Boat Home"]})j"},
        {"prerecorded.json",
         R"j({"disc": "Greatest Hits Live", "tracks": ["Opening Night", "City of Glass", )j"
         R"j("Paper Moon", "Runaway Train", "Encore"]})j"},
        {"blank-74.json", R"j({"disc": "", "tracks": []})j"},
        // Without Japanese the disc form is the display form.
        {"japanese-album.json",
         R"j({"disc": "^SAKURA^", "tracks": ["^HARUNOKAZE^", "^TOUKIyoU^ NIGHT", "^KOnNITIHA^", )j"
         R"j("^RA^-^MEn^ BLUES", "^YUUHI^", "^AMENOHI^ (Live)", "^SIAWASE^", "^SAYOUNARA^"]})j"},
    };
    for (const Case& c : cases) {
        load(c.image);
        Outcome r = run(names, {"--json"});
        EXPECT_EQ(r.status, 0) << c.image << r.err;
        EXPECT_EQ(r.out, std::string(c.json) + "\n") << c.image;
        EXPECT_NE(r.err.find("MD Track data read: 100%"), std::string::npos) << c.image;
    }
    load("prerecorded.json");
    Outcome r = run(names, {});
    EXPECT_EQ(r.out,
              "Greatest Hits Live\n1\tOpening Night\n2\tCity of Glass\n3\tPaper Moon\n"
              "4\tRunaway Train\n5\tEncore\n");
    EXPECT_EQ(run(names, {"--xml"}).status, EXIT_USAGE);
}

TEST_F(MdctlNames, LabelWritesTheShortLayoutOnce) {
    load("prerecorded.json");
    const auto file = folder / "EditingLabel.slv";
    Outcome r = run(label, {file.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string expected = std::string("\0\0\0\0", 4) + "\x12" "Greatest Hits Live" +
                                 std::string("\x05\0", 2) + "\x0d" "Opening Night" +
                                 "\x0d" "City of Glass" + "\x0a" "Paper Moon" +
                                 "\x0d" "Runaway Train" + "\x06" "Encore";
    EXPECT_EQ(bytes(file), expected);

    // No folder to write in: a message, status 6, nothing left behind.
    r = run(label, {(folder / "missing" / "x.slv").string()});
    EXPECT_EQ(r.status, EXIT_FILE_FAILED);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    EXPECT_EQ(run(label, {"a", "b"}).status, EXIT_USAGE);
}

TEST_F(MdctlNames, FailuresHaveTheirStatus) {
    // No disc.
    Outcome r = run(names, {});
    EXPECT_EQ(r.status, EXIT_NO_DISC);
    EXPECT_EQ(r.err, "NO DISC\n");

    // Six failed reads in a row end the cycle.
    load("english-album.json");
    driver.injectFault({card::FaultRule::Action::Fail, 6, 0, card::AnswerKind::Read});
    r = run(names, {});
    EXPECT_EQ(r.status, EXIT_READ_FAILED);
    ASSERT_FALSE(host.shownBoxes.empty());  // mdctl's console host prints boxes on stderr
    EXPECT_EQ(host.shownBoxes.back().text, "Communicasion error!");
    EXPECT_EQ(r.out, "");

    // Ctrl+C is Cancel: the cycle ends at the next answer and nothing is written.
    interrupted = true;
    r = run(label, {(folder / "cancelled.slv").string()});
    EXPECT_EQ(r.status, EXIT_READ_FAILED);
    EXPECT_FALSE(std::filesystem::exists(folder / "cancelled.slv"));
    interrupted = false;

    // The card pulled out while the names are read.
    host.at(150, [this] { driver.removeCard(); });
    r = run(names, {});
    EXPECT_NE(r.status, 0);
    EXPECT_EQ(r.out, "");

    driver.setInstalled(false);
    EXPECT_EQ(run(names, {}).status, EXIT_NO_DRIVER);
}

class JapaneseMdctlNames : public MdctlNames {
protected:
    JapaneseMdctlNames() : MdctlNames(Language::Japanese) {}
};

TEST_F(JapaneseMdctlNames, NamesInHalfWidthKanaAndTheFileInCp932) {
    load("japanese-album.json");
    Outcome r = run(names, {"--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"disc\": \"ｻｸﾗ\", \"tracks\": [\"ﾊﾙﾉｶｾﾞ\", \"ﾄｳｷｮｳ NIGHT\", \"ｺﾝﾆﾁﾊ\", "
              "\"ﾗ-ﾒﾝ BLUES\", \"ﾕｳﾋ\", \"ｱﾒﾉﾋ (Live)\", \"ｼｱﾜｾ\", \"ｻﾖｳﾅﾗ\"]}\n");
    EXPECT_NE(r.err.find("MD トラック情報の読み込み: 100%"), std::string::npos);

    const auto file = folder / "EditingLabel.slv";
    ASSERT_EQ(run(label, {file.string()}).status, 0);
    const std::string b = bytes(file);
    EXPECT_EQ(b.substr(0, 8), std::string("\0\0\0\0\x03\xBB\xB8\xD7", 8));  // ｻｸﾗ in CP932
}

}  // namespace
}  // namespace tovik::mdctl
