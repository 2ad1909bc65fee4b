// The name dialog on its own: OK takes only a name a disc can hold and otherwise keeps the part
// before the offending character; Cancel and the end from outside give nothing.
#include <gtest/gtest.h>

#include "controller/disc/editing_texts.h"
#include "controller/disc/name_dialog.h"
#include "controller/disc/wait_box.h"
#include "platform/fake/fake_host.h"
#include "resources/strings.h"
#include "tests/controller/ui/editing_fakes.h"

namespace tovik::disc {
namespace {

class NameDialogTest : public ::testing::Test {
protected:
    explicit NameDialogTest(Language language = Language::English)
        : host(resources::rotelaStrings(), language) {}

    // Opens the dialog on `name`; the person types each text in turn and presses OK. What the
    // field holds after each box goes to `afterBox`.
    std::optional<NameEntry> enter(const std::string& name, std::vector<std::string> typed) {
        view.onShow = [this, typed] {
            for (std::size_t i = 0; i < typed.size(); ++i)
                host.at(i * 10, [this, text = typed[i]] {
                    view.field = text;
                    const std::size_t boxes = host.shownBoxes.size();
                    dialog.ok();
                    if (host.shownBoxes.size() > boxes) afterBox.push_back(view.field);
                });
        };
        return dialog.run(IDS_TRACK_NAME_CAPTION, host.codePage().fromUtf8(name).value_or(""));
    }

    fake::FakeHost host;
    test::FakeNameDialogView view;
    NameDialog dialog{host, view};
    std::vector<std::string> afterBox;
};

class JapaneseNameDialog : public NameDialogTest {
protected:
    JapaneseNameDialog() : NameDialogTest(Language::Japanese) {}
};

TEST_F(JapaneseNameDialog, AMismatchKeepsTheConvertiblePartAndStaysOpen) {
    const auto entry = enter("ｻｸﾗ", {"ガギあ[ガ", "ｻｸﾗ ＮＩＧＨＴ"});
    ASSERT_TRUE(entry);
    ASSERT_EQ(host.shownBoxes.size(), 1u);
    EXPECT_EQ(host.shownBoxes[0].text, "MD に書けない文字があります。");
    EXPECT_EQ(host.shownBoxes[0].icon, Icon::Stop);
    EXPECT_EQ(afterBox, (std::vector<std::string>{"ｶﾞｷﾞｱ"})) << "the decoded part before '['";
    EXPECT_EQ(view.caption, "トラック名の編集");
    EXPECT_EQ(entry->disc, "^SAKURA^ NIGHT");
    EXPECT_EQ(host.codePage().toUtf8(entry->display), "ｻｸﾗ ＮＩＧＨＴ");
    EXPECT_FALSE(view.shown);
}

TEST_F(NameDialogTest, ACharacterOutsideTheCodePageIsAMismatch) {
    const auto entry = enter("Old", {"Zoë Łódź", "Zoë"});
    ASSERT_TRUE(entry);
    ASSERT_EQ(host.shownBoxes.size(), 1u);
    EXPECT_EQ(host.shownBoxes[0].text, "This char is mismatch for MD.");
    EXPECT_EQ(afterBox, (std::vector<std::string>{"Zoë "}));
    EXPECT_EQ(host.codePage().toUtf8(entry->disc), "Zoë") << "no conversion on an English system";
}

TEST_F(NameDialogTest, CancelAndTheEndFromOutsideGiveNothing) {
    view.onShow = [&] { host.at(5, [&] { dialog.cancel(); }); };
    EXPECT_FALSE(dialog.run(IDS_DISC_NAME_CAPTION, "Old"));
    EXPECT_FALSE(dialog.isOpen());

    // A wait box closed when it does not show stays out of the way of the next one.
    test::FakeWaitBoxView waitView;
    WaitBox box(host, waitView);
    box.close();
    waitView.onShow = [&] { host.at(100, [&] { box.close(); }); };
    const std::uint64_t before = host.nowMs();
    box.run();
    EXPECT_EQ(host.nowMs() - before, 100u);
    EXPECT_EQ(waitView.caption, "Change Text");
}

}  // namespace
}  // namespace tovik::disc
