// What the tools print as JSON for the shipped discs, byte for byte: the unit's state report
// (vtovikmd-ctl state), mdctl status, names and decode, and slvtool dump. Each disc has one
// transcript in json_output/; the commands run in-process on virtual time, so it never moves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cardsim/in_process_driver.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tools/mdctl/mdctl_commands.h"
#include "tools/slvtool/slvtool.h"

namespace tovik::mdctl {
namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class JsonOutput : public ::testing::Test {
protected:
    explicit JsonOutput(Language language = Language::English) : host(resources::rotelaStrings(), language) {
        env.wait = [this](const std::function<bool()>& done, unsigned timeoutMs) {
            const std::uint64_t end = host.nowMs() + timeoutMs;
            while (!done()) {
                if (host.nowMs() >= end) return false;
                host.advance(10);
            }
            return true;
        };
        std::string pattern = (std::filesystem::temp_directory_path() / "jsonout-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
    }
    ~JsonOutput() override { std::filesystem::remove_all(folder); }

    // One command's output in the transcript, under a line naming it.
    void mdctl(Args args) {
        transcript << "$ mdctl";
        for (const std::string& a : args) transcript << ' ' << withoutFolder(a);
        transcript << '\n';
        std::ostringstream out, err;
        std::istringstream in;
        const int status = dispatch(subcommands(env), args, in, out, err);
        EXPECT_EQ(status, 0) << err.str();
        transcript << withoutFolder(out.str());
    }
    // The temporary folder's name changes from run to run.
    std::string withoutFolder(std::string text) const {
        const std::string name = folder.string() + "/";
        for (auto at = text.find(name); at != std::string::npos; at = text.find(name))
            text.erase(at, name.size());
        return text;
    }
    void ctl(const std::vector<std::string>& args) {
        transcript << "$ vtovikmd-ctl";
        for (const std::string& a : args) transcript << ' ' << a;
        transcript << '\n' << driver.control(args).text << '\n';
    }
    void slvtool(std::vector<std::string> args) {
        transcript << "$ slvtool dump " << std::filesystem::path(args[0]).filename().string();
        for (std::size_t i = 1; i < args.size(); ++i) transcript << ' ' << args[i];
        transcript << '\n';
        args.insert(args.begin(), "dump");
        std::ostringstream out, err;
        EXPECT_EQ(slvtool::run(args, out, err), 0) << err.str();
        transcript << out.str();
    }
    void load(const std::string& image) {
        ASSERT_EQ(driver.loadDiscFile(std::string(TOVIK_DISC_DIR) + "/" + image + ".json"), "");
        host.advance(3000);  // the unit reads the table of contents
    }
    // Each shipped disc through every command that prints JSON.
    void runDisc(const std::string& image) {
        load(image);
        ctl({"state"});
        mdctl({"status", "--json"});
        mdctl({"names", "--json"});
        const std::string label = (folder / (image + ".slv")).string();
        mdctl({"label", label});
        slvtool({label, "--json", "--no-japanese"});
        slvtool({label, "--json", "--japanese"});
        mdctl({"send", "--json", "play"});
        host.advance(65'000);
        ctl({"state"});
    }
    void expectTranscript(const std::string& name) {
        const std::string expected = readFile(std::filesystem::path(TOVIK_JSON_OUTPUT_DIR) / (name + ".txt"));
        EXPECT_EQ(transcript.str(), expected) << name;
    }

    fake::FakeHost host;
    card::InProcessCardDriver driver{host};
    Environment env{host, driver, {}};
    std::filesystem::path folder;
    std::ostringstream transcript;
};

TEST_F(JsonOutput, EnglishAlbum) {
    runDisc("english-album");
    expectTranscript("english-album");
}

TEST_F(JsonOutput, PrerecordedDisc) {
    runDisc("prerecorded");
    expectTranscript("prerecorded");
}

TEST_F(JsonOutput, BlankDisc) {
    runDisc("blank-74");
    expectTranscript("blank-74");
}

class JapaneseJsonOutput : public JsonOutput {
protected:
    JapaneseJsonOutput() : JsonOutput(Language::Japanese) {}
};

TEST_F(JapaneseJsonOutput, JapaneseAlbum) {
    runDisc("japanese-album");
    expectTranscript("japanese-album");
}

// The unit's state with no disc and faults armed, statuses decoded without a unit, and label
// files in the full layout (with fonts).
TEST_F(JsonOutput, FaultsDecodingAndFullLabels) {
    ctl({"fault", "delay", "2", "5000", "--kind", "status"});
    ctl({"fault", "drop", "1"});
    ctl({"fault", "fail", "3", "--kind", "write"});
    ctl({"state"});
    mdctl({"decode", "20500040040001140000080000", "30000000000000000000000000"});
    mdctl({"decode", "--area", "b", "1050004004000003010203607a"});
    for (const char* sample : {"full.slv", "wide.slv", "short_ja.slv"})
        slvtool({(std::filesystem::path(TOVIK_LABEL_SAMPLES_DIR) / sample).string(), "--json", "--japanese"});
    expectTranscript("faults-decoding-labels");
}

}  // namespace
}  // namespace tovik::mdctl
