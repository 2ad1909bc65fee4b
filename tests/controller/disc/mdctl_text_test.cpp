// mdctl encode-name / decode-name, called as mdctl's main calls them.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/strings.h"
#include "resources/strings.h"
#include "tools/mdtext/text_commands.h"

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

using Command = int (*)(const std::vector<std::string>&, std::istream&, std::ostream&,
                        std::ostream&);

Outcome run(Command command, const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    int status = command(args, in, out, err);
    return {status, out.str(), err.str()};
}

// The messages come in the user's language.
std::string message(unsigned id) {
    return tovik::StringTable(tovik::resources::rotelaStrings(), tovik::systemLanguage()).text(id);
}

TEST(MdctlText, ConvertsOneName) {
    Outcome r = run(mdctlEncodeName, {"--japanese", "ラーメン ｶﾞｷﾞ"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "^RA^-^MEn^ ^GAGI^\n");
    EXPECT_EQ(r.err, "");

    r = run(mdctlDecodeName, {"^RA^-^MEn^", "--japanese"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "ﾗ-ﾒﾝ\n");

    r = run(mdctlEncodeName, {"--japanese", ""});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "\n");
}

TEST(MdctlText, LanguageCanBeForcedEitherWay) {
    EXPECT_EQ(run(mdctlEncodeName, {"--japanese", "--no-japanese", "Café ^"}).out, "Café ^\n");
    EXPECT_EQ(run(mdctlDecodeName, {"--no-japanese", "^KA^"}).out, "^KA^\n");
    EXPECT_EQ(run(mdctlDecodeName, {"--no-japanese", "--japanese", "^KA^"}).out, "ｶ\n");
}

TEST(MdctlText, CharacterThatCannotBeWrittenGivesItsPosition) {
    Outcome r = run(mdctlEncodeName, {"--japanese", "ABア漢"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, message(57688) + " (position 4)\n");

    // No CP932 form at all.
    r = run(mdctlEncodeName, {"--japanese", "ab😀"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, message(57688) + " (position 3)\n");

    // No Windows-1252 form: kana cannot be a name on such a system.
    r = run(mdctlEncodeName, {"--no-japanese", "xア"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, message(57688) + " (position 2)\n");

    r = run(mdctlEncodeName, {"--japanese", std::string(2100, 'A')});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, message(57740) + " (position 2048)\n");
}

TEST(MdctlText, StandardInputConvertsOneLinePerLine) {
    Outcome r = run(mdctlEncodeName, {"--japanese", "-"}, "ﾗｰﾒﾝ\r\nABC漢\n\nＡＢＣ");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "^RA^-^MEn^\n" + message(57688) + " (position 4)\n\nABC\n");
    EXPECT_EQ(r.err, "");

    r = run(mdctlDecodeName, {"--japanese", "-"}, "^GAGI^\n^KA\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "ｶﾞｷﾞ\n^KA\n");

    // After "--" a text may start with a dash.
    r = run(mdctlEncodeName, {"--japanese", "--", "-ｱ"});
    EXPECT_EQ(r.out, "-^A^\n");
    EXPECT_EQ(run(mdctlEncodeName, {"--japanese", "-ｱ"}).status, 1);
}

TEST(MdctlText, BadArgumentsShowUsage) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"--japanese"}, {"A", "B"}, {"--bogus", "A"}}) {
        Outcome r = run(mdctlEncodeName, args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("usage: mdctl encode-name"), std::string::npos);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_NE(run(mdctlDecodeName, {}).err.find("usage: mdctl decode-name"), std::string::npos);
}

}  // namespace
