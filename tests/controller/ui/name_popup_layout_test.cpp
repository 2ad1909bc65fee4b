// The name pop-up's lines and size, and the character steps under them.
#include "controller/ui/name_popup_layout.h"

#include <gtest/gtest.h>

#include "controller/ui/utf8_chars.h"
#include "platform/fake/recording_canvas.h"

namespace tovik::ui {
namespace {

// 6 pixels per character, 12 high; a 17-pixel scroll bar; margins of 2 + 2.
NamePopupMetrics metrics() {
    return {[](std::string_view line) { return Size{6 * fake::utf8Length(line), 12}; }, 17, 4};
}

TEST(NamePopupLayout, BreaksEveryTwentyFifthCharacterAndSizesTheEditToTheLines) {
    NamePopupLayout layout = layoutNamePopup(std::string(25, 'a') + std::string(25, 'b') + "cc", metrics());
    ASSERT_EQ(layout.lines.size(), 3u);
    EXPECT_EQ(layout.lines[2], "cc");
    EXPECT_EQ(layout.text(), std::string(25, 'a') + "\n" + std::string(25, 'b') + "\ncc");
    EXPECT_FALSE(layout.scrollBar);
    EXPECT_EQ(layout.editClient, (Size{150 + 4 + 10, 1 + 36 + 4 + 2}));

    // Exactly one line's worth: no empty line after it.
    EXPECT_EQ(layoutNamePopup(std::string(25, 'x'), metrics()).lines.size(), 1u);
}

TEST(NamePopupLayout, FiveLinesOrMoreShowFiveWithAScrollBar) {
    for (std::size_t chars : {101u, 125u, 250u}) {
        NamePopupLayout layout = layoutNamePopup(std::string(chars, 'n'), metrics());
        EXPECT_TRUE(layout.scrollBar) << chars;
        EXPECT_EQ(layout.editClient, (Size{150 + 17 + 4 + 10, 60 + 4 + 2})) << chars;
    }
    EXPECT_FALSE(layoutNamePopup(std::string(100, 'n'), metrics()).scrollBar);
}

TEST(NamePopupLayout, JapaneseNamesBreakBetweenCharacters) {
    std::string name;
    for (int i = 0; i < 30; ++i) name += "ア";  // three bytes each
    NamePopupLayout layout = layoutNamePopup(name, metrics());
    ASSERT_EQ(layout.lines.size(), 2u);
    EXPECT_EQ(fake::utf8Length(layout.lines[0]), 25);
    EXPECT_EQ(layout.lines[1], "アアアアア");

    std::string cut = "ｱｲ";
    dropLastUtf8Char(cut);
    EXPECT_EQ(cut, "ｱ");
}

}  // namespace
}  // namespace tovik::ui
