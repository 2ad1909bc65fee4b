// slvtool's commands, run in-process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "labeleditor/document/file_io.h"
#include "labeleditor/document/label_file.h"
#include "tests/labeleditor/document/temp_folder.h"
#include "tools/slvtool/slvtool.h"

namespace tovik::label {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

ToolRun slvtool(std::vector<std::string> args) {
    std::ostringstream out, err;
    int code = slvtool::run(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(Slvtool, MakeWritesWhatTheControllerWritesAndDumpReadsItBack) {
    test::TempFolder folder;
    std::string file = (folder / "label.slv").string();
    ToolRun made = slvtool({"make", file, "--no-japanese", "--title", "Café", "--track", "Ünö", "--track", ""});
    ASSERT_EQ(made.code, 0) << made.err;
    std::vector<std::string> tracks{"\xDCn\xF6", ""};
    EXPECT_EQ(readFileBytes(file), encodeShortLayout("Caf\xE9", tracks));

    ToolRun dumped = slvtool({"dump", file, "--json", "--no-japanese"});
    ASSERT_EQ(dumped.code, 0);
    EXPECT_EQ(dumped.out,
              "{\n  \"format_flag\": 0,\n  \"md_title\": \"Café\",\n  \"print_title\": \"Café\",\n"
              "  \"md_tracks\": [\"Ünö\", \"\"],\n  \"print_tracks\": [\"Ünö\", \"\"],\n  \"fonts\": []\n}\n");

    ToolRun japanese = slvtool({"make", file, "--japanese", "--title", "日本", "--track", "ｱｲｳ"});
    ASSERT_EQ(japanese.code, 0);
    EXPECT_EQ(readFileBytes(file), encodeShortLayout("\x93\xfa\x96\x7b", std::vector<std::string>{"\xB1\xB2\xB3"}));
    EXPECT_NE(slvtool({"dump", file, "--japanese"}).out.find("MD title: 日本"), std::string::npos);
}

TEST(Slvtool, DumpShowsEveryFontFieldAndEscapesTexts) {
    test::TempFolder folder;
    LabelFileContent c;
    c.mdTitle = "a\"b\\c\n";
    c.printTitle = std::string("\0", 1);
    LogFont f;
    f.height = -15;
    f.weight = 700;
    f.pitchAndFamily = 34;
    f.setFace("Arial");
    c.fonts = {f, f, f};
    std::string file = (folder / "full.slv").string();
    ASSERT_TRUE(replaceFile(file, encodeFullLayout(c)));
    ToolRun dumped = slvtool({"dump", file, "--json"});
    ASSERT_EQ(dumped.code, 0);
    EXPECT_NE(dumped.out.find("\"md_title\": \"a\\\"b\\\\c\\n\""), std::string::npos);
    EXPECT_NE(dumped.out.find("\"print_title\": \"\\u0000\""), std::string::npos);
    EXPECT_NE(dumped.out.find(
                  "{\"height\": -15, \"width\": 0, \"escapement\": 0, \"orientation\": 0, \"weight\": 700, "
                  "\"italic\": 0, \"underline\": 0, \"strike_out\": 0, \"charset\": 0, \"out_precision\": 0, "
                  "\"clip_precision\": 0, \"quality\": 0, \"pitch_and_family\": 34, \"face\": \"Arial\"}"),
              std::string::npos)
        << dumped.out;
}

TEST(Slvtool, HelpOfOneCommandOrAllOnStandardOutput) {
    ToolRun help = slvtool({"make", "x.slv", "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out, "usage: slvtool make OUT --title TEXT [--track NAME]... [--japanese | --no-japanese]\n");
    EXPECT_FALSE(std::filesystem::exists("x.slv")) << "help does not make the file";
    help = slvtool({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out.rfind("usage: slvtool dump FILE", 0), 0u);
    EXPECT_NE(help.out.find("Exit status"), std::string::npos);
    EXPECT_EQ(help.err, "");
}

TEST(Slvtool, FailuresSayWhyAndExitNonZero) {
    ::setenv("TOVIK_LANG", "en", 1);  // the messages come from the English table
    test::TempFolder folder;
    std::string file = (folder / "cut.slv").string();
    ASSERT_TRUE(replaceFile(file, Bytes{1, 0, 0, 0, 3, 'a'}));
    ToolRun cut = slvtool({"dump", file});
    EXPECT_EQ(cut.code, 1);
    EXPECT_NE(cut.err.find("Unexpected file format."), std::string::npos);
    EXPECT_EQ(cut.out, "");
    EXPECT_EQ(slvtool({"dump", (folder / "none").string()}).code, 1);

    std::string out = (folder / "new.slv").string();
    ToolRun bad = slvtool({"make", out, "--no-japanese", "--title", "日本"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("character 1"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));

    EXPECT_EQ(slvtool({}).code, 2);
    EXPECT_EQ(slvtool({"export", file}).err.rfind("slvtool: unknown command 'export'\nusage: slvtool dump", 0), 0u);
    EXPECT_EQ(slvtool({"make", out}).code, 2);
    EXPECT_EQ(slvtool({"make", out, "--title"}).code, 2);
    EXPECT_EQ(slvtool({"dump", file, "--bogus"}).code, 2);
}

}  // namespace
}  // namespace tovik::label
