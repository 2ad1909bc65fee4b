// The shipped Japanese album holds its names in true disc form: the controller's own decoder
// turns every kana run into half-width katakana, and encoding that back gives the same bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cardsim/disc_image.h"
#include "controller/disc/md_text.h"

namespace tovik::card {
namespace {

TEST(ShippedDiscNamesTest, JapaneseAlbumNamesRoundTripThroughTheTextRules) {
    std::ifstream f(TOVIK_DISC_DIR "/japanese-album.json");
    std::ostringstream s;
    s << f.rdbuf();
    DiscImageResult image = parseDiscImage(s.str());
    ASSERT_TRUE(image.disc) << image.error;
    std::vector<std::string> names{image.disc->title};
    for (const auto& t : image.disc->tracks) names.push_back(t.name);
    for (const std::string& name : names) {
        ASSERT_NE(name.find('^'), std::string::npos) << name << " has no kana run";
        disc::MdTextResult shown = disc::DecodeMdText(name, Language::Japanese);
        ASSERT_TRUE(shown.ok);
        EXPECT_EQ(shown.text.find('^'), std::string::npos) << name << " leaves a run undecoded";
        disc::MdTextResult back = disc::EncodeMdText(shown.text, Language::Japanese);
        ASSERT_TRUE(back.ok) << name;
        EXPECT_EQ(back.text, name);
    }
}

}  // namespace
}  // namespace tovik::card
