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

class NameDialogTest : public ::testing::TestWithParam<Language> {
protected:
    NameDialogTest() : host(resources::rotelaStrings(), GetParam()) {}

    // Opens the dialog on `name`; the person then types each text in turn and presses OK.
    std::optional<NameEntry> enter(const std::string& name, std::vector<std::string> typed) {
        view.onShow = [this, typed] {
            for (std::size_t i = 0; i < typed.size(); ++i)
                host.at(i * 10, [this, text = typed[i]] {
                    view.field = text;
                    dialog.ok();
                });
        };
        return dialog.run(IDS_TRACK_NAME_CAPTION, host.codePage().fromUtf8(name).value_or(""));
    }

    fake::FakeHost host;
    test::FakeNameDialogView view;
    NameDialog dialog{host, view};
};

using JapaneseNameDialog = NameDialogTest;
using EnglishNameDialog = NameDialogTest;

TEST_P(JapaneseNameDialog, AMismatchKeepsTheConvertiblePartAndStaysOpen) {
    const auto entry = enter("ｻｸﾗ", {"ｻｸﾗ☆ｻｸﾗ", "ｻｸﾗ ＮＩＧＨＴ"});
    ASSERT_TRUE(entry);
    EXPECT_EQ(host.shownBoxes.size(), 1u);
    EXPECT_EQ(host.shownBoxes[0].text, "MD に書けない文字があります。");
    EXPECT_EQ(host.shownBoxes[0].icon, Icon::Stop);
    EXPECT_EQ(view.caption, "トラック名の編集");
    EXPECT_EQ(entry->disc, "^SAKURA^ NIGHT");
    EXPECT_EQ(host.codePage().toUtf8(entry->display), "ｻｸﾗ ＮＩＧＨＴ");
    EXPECT_FALSE(dialog.isOpen());
    EXPECT_FALSE(view.shown);
}

TEST_P(JapaneseNameDialog, TheFieldGetsTheDecodedPrefixBack) {
    // What the field holds when the box about the bracket has been closed.
    std::string after;
    view.onShow = [&] {
        host.at(0, [&] {
            view.field = "ガギあ[ガ";
            dialog.ok();
            after = view.field;
            dialog.cancel();
        });
    };
    EXPECT_FALSE(dialog.run(IDS_DISC_NAME_CAPTION, ""));
    EXPECT_EQ(after, "ｶﾞｷﾞｱ");
    EXPECT_EQ(host.shownBoxes.size(), 1u);
}

TEST_P(EnglishNameDialog, ACharacterOutsideTheCodePageIsAMismatch) {
    const auto entry = enter("Old", {"Zoë Łódź", "Zoë"});
    ASSERT_TRUE(entry);
    ASSERT_EQ(host.shownBoxes.size(), 1u);
    EXPECT_EQ(host.shownBoxes[0].text, "This char is mismatch for MD.");
    EXPECT_EQ(host.codePage().toUtf8(entry->disc), "Zoë") << "no conversion on an English system";
}

TEST_P(EnglishNameDialog, CancelAndTheEndFromOutsideGiveNothing) {
    view.onShow = [&] { host.at(5, [&] { dialog.cancel(); }); };
    EXPECT_FALSE(dialog.run(IDS_DISC_NAME_CAPTION, "Old"));
    EXPECT_EQ(view.field, "Old");
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

INSTANTIATE_TEST_SUITE_P(Japanese, JapaneseNameDialog, ::testing::Values(Language::Japanese));
INSTANTIATE_TEST_SUITE_P(English, EnglishNameDialog, ::testing::Values(Language::English));

}  // namespace
}  // namespace tovik::disc
