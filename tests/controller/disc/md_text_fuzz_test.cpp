// Arbitrary bytes never crash, hang or overrun either conversion, and whatever encodes reads
// back the same way.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "controller/disc/md_text.h"
#include "controller/disc/md_text_tables.h"

namespace tovik::disc {
namespace {

constexpr Language kJa = Language::Japanese;

bool isLead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// True when the text does not end in the middle of a two-byte character.
bool endsOnCharacter(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) i += isLead(static_cast<unsigned char>(text[i])) ? 2 : 1;
    return i == text.size();
}

void checkBothWays(const std::string& input) {
    const MdTextResult encoded = EncodeMdText(input, kJa);
    ASSERT_LE(encoded.text.size(), kMdTextMaxLength);
    if (encoded.ok) {
        for (char c : encoded.text) {
            ASSERT_TRUE(c == '^' || isAllowedByte(static_cast<unsigned char>(c)));
        }
    } else {
        ASSERT_LT(encoded.failedAt, input.size());
    }
    const MdTextResult decoded = DecodeMdText(input, kJa);
    ASSERT_LE(decoded.text.size(), kMdTextMaxLength);
    ASSERT_TRUE(decoded.ok || decoded.error == MdTextError::TooLong);
    if (endsOnCharacter(input)) {
        ASSERT_TRUE(endsOnCharacter(decoded.text));
    }
}

// Bytes drawn mostly from what the conversions look at: carets, lead bytes, kana, marks.
std::string randomBytes(std::mt19937& rng, std::size_t length) {
    static const std::vector<unsigned char> interesting = {
        '^',  '^',  '^',  'A',  'K',  'y',  't',  'n',  '-',  ' ',  0x81, 0x82, 0x83, 0x4A,
        0x4B, 0x5E, 0xB1, 0xB6, 0xCA, 0xDE, 0xDF, 0xE0, 0xFC, 0xFD, 0x00, 0x7F, 0x80, 0xA0};
    std::uniform_int_distribution<int> pick(0, 3);
    std::uniform_int_distribution<int> any(0, 255);
    std::uniform_int_distribution<std::size_t> which(0, interesting.size() - 1);
    std::string out;
    for (std::size_t i = 0; i < length; ++i) {
        out += static_cast<char>(pick(rng) == 0 ? any(rng) : interesting[which(rng)]);
    }
    return out;
}

TEST(MdTextFuzz, RandomAndTruncatedBytes) {
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<std::size_t> length(0, 64);
    for (int i = 0; i < 20000; ++i) {
        std::string input = randomBytes(rng, length(rng));
        checkBothWays(input);
        // Every prefix too, so that inputs end on lead bytes and inside runs and segments.
        if (i % 50 == 0) {
            for (std::size_t n = 0; n < input.size(); ++n) checkBothWays(input.substr(0, n));
        }
        if (HasFatalFailure()) {
            ADD_FAILURE() << "input size " << input.size();
            return;
        }
    }
}

TEST(MdTextFuzz, LongInputsAroundTheBuffer) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::size_t> length(1500, 4200);
    for (int i = 0; i < 200; ++i) {
        checkBothWays(randomBytes(rng, length(rng)));
        if (HasFatalFailure()) return;
    }
}

// Valid display text: encoding succeeds (within the buffer), and the half-width text read back
// writes exactly the same disc text.
TEST(MdTextFuzz, DisplayTextRoundTrips) {
    std::vector<std::string> pieces;
    for (const KanaRow& row : kanaTable()) pieces.emplace_back(row.character);
    for (const SymbolRow& row : symbolTable()) pieces.emplace_back(row.character);
    for (char c : allowedBytes()) pieces.emplace_back(1, c);
    for (auto mark : {kHalfDakuten, kHalfHandakuten, kFullDakuten, kFullHandakuten}) {
        pieces.emplace_back(std::string(kanaTable()[10].character) + std::string(mark));
    }
    std::mt19937 rng(42);
    std::uniform_int_distribution<std::size_t> which(0, pieces.size() - 1);
    std::uniform_int_distribution<int> count(0, 200);
    for (int i = 0; i < 3000; ++i) {
        std::string display;
        for (int n = count(rng); n > 0; --n) display += pieces[which(rng)];
        const MdTextResult disc = EncodeMdText(display, kJa);
        ASSERT_TRUE(disc.ok) << i;
        const MdTextResult shown = DecodeMdText(disc.text, kJa);
        ASSERT_TRUE(shown.ok);
        const MdTextResult again = EncodeMdText(shown.text, kJa);
        ASSERT_TRUE(again.ok);
        ASSERT_EQ(again.text, disc.text) << i;
    }
}

}  // namespace
}  // namespace tovik::disc
