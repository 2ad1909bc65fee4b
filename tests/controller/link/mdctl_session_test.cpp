// mdctl's deck subcommands against the in-process unit on virtual time: what scripts rely on is
// the output and the exit status.
#include <gtest/gtest.h>

#include <sstream>

#include "cardsim/in_process_driver.h"
#include "platform/command_line.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tools/mdctl/mdctl_commands.h"

namespace tovik::mdctl {
namespace {

class MdctlTest : public ::testing::Test {
protected:
    MdctlTest() {
        env.wait = [this](const std::function<bool()>& done, unsigned timeoutMs) {
            for (unsigned t = 0; t < timeoutMs && !done(); ++t) host.advance(1);
            return done();
        };
        env.timeoutMs = 2000;
    }
    void load(const char* image) {
        ASSERT_EQ(driver.loadDiscFile(std::string(TOVIK_DISC_DIR) + "/" + image), "");
        host.advance(3000);  // the unit reads the table of contents
    }
    int run(const Args& args) {
        out.str("");
        err.str("");
        std::istringstream in;
        return dispatch(subcommands(env), args, in, out, err);
    }

    fake::FakeHost host{resources::rotelaStrings()};
    card::InProcessCardDriver driver{host};
    Environment env{host, driver, nullptr};
    std::ostringstream out, err;
};

TEST_F(MdctlTest, StatusAsJsonAndText) {
    load("english-album.json");
    ASSERT_EQ(run({"status", "--json"}), EXIT_OK) << err.str();
    const std::string json = out.str();
    EXPECT_EQ(json.rfind("{\"model\":\"ZQ-41\",", 0), 0u);
    EXPECT_NE(json.find("\"total_tracks\":8"), std::string::npos);
    EXPECT_NE(json.find("\"row\":13"), std::string::npos);
    EXPECT_NE(json.find("\"message\":null}\n"), std::string::npos);
    ASSERT_EQ(run({"status"}), EXIT_OK);
    EXPECT_NE(out.str().find("row: 13\n"), std::string::npos);
    EXPECT_EQ(driver.openDevices(), 0u) << "every run closes its device";
}

TEST_F(MdctlTest, SendByNameAndNumberPrintsTheFollowingStatus) {
    load("english-album.json");
    ASSERT_EQ(run({"send", "--json", "play"}), EXIT_OK) << err.str();
    EXPECT_NE(out.str().find("\"mode\":5"), std::string::npos);
    ASSERT_EQ(run({"send", "19"}), EXIT_OK);
    EXPECT_NE(out.str().find("current_track: 2\n"), std::string::npos);
    ASSERT_EQ(run({"volume", "7"}), EXIT_OK);
    EXPECT_NE(out.str().find("volume: 7\n"), std::string::npos);
}

TEST_F(MdctlTest, UnitErrorPrintsStatusAndMessage) {
    load("prerecorded.json");
    EXPECT_EQ(run({"send", "erase", "1"}), EXIT_UNIT_ERROR);
    EXPECT_EQ(err.str(), "Can't EDIT\n");
    EXPECT_NE(out.str().find("message: Can't EDIT\n"), std::string::npos);
}

TEST_F(MdctlTest, FailuresHaveTheirOwnExitStatus) {
    driver.setInstalled(false);
    EXPECT_EQ(run({"status"}), EXIT_NO_DRIVER);
    EXPECT_EQ(err.str(), "vtovikmd.vxd is not found.\n");
    driver.setInstalled(true);

    driver.removeCard();
    EXPECT_EQ(run({"status"}), EXIT_NO_CARD);
    EXPECT_EQ(err.str(), "PC Card removed.\nCan't execute MD controller.\n");
    driver.insertCard();
    host.advance(3000);

    EXPECT_TRUE(driver.control({"fault", "drop", "1", "--kind", "status"}).ok);
    EXPECT_EQ(run({"status"}), EXIT_TIMEOUT);
    EXPECT_EQ(err.str(), "MD Communication error\n(Time out)\n");
    EXPECT_TRUE(driver.control({"fault", "fail", "1", "--kind", "status"}).ok);
    EXPECT_EQ(run({"status"}), EXIT_NO_CARD);
    EXPECT_EQ(err.str(), "Can't ACCESS\n");
    EXPECT_TRUE(out.str().empty());
}

TEST_F(MdctlTest, BadArgumentsPrintUsage) {
    for (const Args& args : {Args{}, Args{"warp"}, Args{"send"}, Args{"send", "warp"},
                             Args{"send", "move", "3"}, Args{"send", "play", "256"},
                             Args{"volume", "31"}, Args{"volume", "-1"}, Args{"status", "x"},
                             Args{"decode"}, Args{"decode", "--area", "c", "00"},
                             Args{"decode", "1020"}}) {
        EXPECT_EQ(run(args), EXIT_USAGE) << (args.empty() ? "" : args[0]);
        EXPECT_NE(err.str().find("usage"), std::string::npos);
    }
    EXPECT_EQ(driver.openDevices(), 0u);
}

TEST_F(MdctlTest, HelpShowsOneCommandOrAllOnStandardOutput) {
    // A help word anywhere before "--" asks for the command's usage; the command does not run.
    for (const Args& args : {Args{"send", "--help"}, Args{"send", "play", "-h"}, Args{"help", "send"}}) {
        EXPECT_EQ(run(args), EXIT_OK) << args[1];
        EXPECT_EQ(out.str().rfind("usage: mdctl send [--json] COMMAND", 0), 0u) << out.str();
        EXPECT_EQ(err.str(), "");
    }
    EXPECT_EQ(driver.openDevices(), 0u);
    EXPECT_EQ(run({"encode-name", "--", "--help"}), EXIT_OK) << "after -- it is the text";
    EXPECT_EQ(out.str(), "--help\n");

    ASSERT_EQ(run({"--help"}), EXIT_OK);
    EXPECT_NE(out.str().find("\n  mdctl names [--json]"), std::string::npos);
    EXPECT_NE(out.str().find("Exit status"), std::string::npos);
    EXPECT_EQ(run({"help", "warp"}), EXIT_USAGE);
    EXPECT_NE(err.str().find("unknown command 'warp'"), std::string::npos);
    ASSERT_EQ(run({"--version"}), EXIT_OK);
    EXPECT_EQ(out.str(), "mdctl (TOVIK desktop suite) " + std::string(suiteVersion()) + "\n");
}

TEST_F(MdctlTest, DecodeCarriesTheRowThroughModeSix) {
    ASSERT_EQ(run({"decode", "--area", "b", "10500040000001140000050102",
                   "10:60:00:40:00:00:01:14:00:00:06:30:31"}),
              EXIT_OK);
    std::istringstream lines(out.str());
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_NE(first.find("\"row\":7"), std::string::npos);
    EXPECT_NE(second.find("\"row\":null"), std::string::npos);
    EXPECT_NE(second.find("\"poll\":1"), std::string::npos);
    EXPECT_NE(second.find("\"left_level\":48"), std::string::npos);
}

}  // namespace
}  // namespace tovik::mdctl
