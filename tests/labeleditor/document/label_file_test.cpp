// The label file's bytes: the encodings, both layouts, and hostile input.
#include <gtest/gtest.h>

#include <random>

#include "labeleditor/document/archive.h"
#include "labeleditor/document/label_file.h"

namespace tovik::label {
namespace {

using Bytes = std::vector<std::uint8_t>;

const CodePage kWestern = CodePage::forLanguage(Language::English);
const CodePage kJapanese = CodePage::forLanguage(Language::Japanese);

Bytes stringBytes(std::size_t n) {
    ArchiveWriter w;
    w.putString(std::string(n, 'x'));
    return w.take();
}

Bytes prefixOf(const Bytes& b, std::size_t n) { return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n)); }

LogFont sampleFont(int seed) {
    LogFont f;
    f.height = -15 - seed;
    f.width = seed;
    f.escapement = 900;
    f.orientation = -900;
    f.weight = 700;
    f.italic = 1;
    f.underline = static_cast<std::uint8_t>(seed & 1);
    f.strikeOut = 1;
    f.charSet = 128;
    f.outPrecision = 3;
    f.clipPrecision = 2;
    f.quality = 1;
    f.pitchAndFamily = 0x31;
    f.setFace("MS \x83S\x83V\x83\x62\x83N");  // Shift-JIS face name
    return f;
}

LabelFileContent sampleContent() {
    LabelFileContent c;
    c.mdTitle = "Disc \x93\xfa\x96\x7b";
    c.printTitle = std::string("Print\0title", 11);
    c.mdTracks = {"one", "", std::string(300, 'b')};
    c.printTracks = {"uno", "dos", "", "cuatro"};
    c.fonts = {sampleFont(0), sampleFont(1), sampleFont(2)};
    return c;
}

TEST(LabelFileEncoding, EmptyDiscIsSevenBytes) {
    EXPECT_EQ(encodeShortLayout("", {}), (Bytes{0, 0, 0, 0, 0x00, 0, 0}));
}

TEST(LabelFileEncoding, StringLengthForms) {
    EXPECT_EQ(prefixOf(stringBytes(0), 1), (Bytes{0x00}));
    EXPECT_EQ(prefixOf(stringBytes(254), 1), (Bytes{0xFE}));
    EXPECT_EQ(prefixOf(stringBytes(255), 3), (Bytes{0xFF, 0xFF, 0x00}));
    EXPECT_EQ(prefixOf(stringBytes(0xFFFD), 3), (Bytes{0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(prefixOf(stringBytes(0xFFFE), 7), (Bytes{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(stringBytes(254).size(), 255u);
    EXPECT_EQ(stringBytes(255).size(), 258u);
    EXPECT_EQ(stringBytes(0xFFFE).size(), 7u + 0xFFFE);
    for (std::size_t n : {0u, 1u, 254u, 255u, 256u, 0xFFFDu, 0xFFFEu, 0xFFFFu, 0x10000u}) {
        Bytes b = stringBytes(n);
        ArchiveReader r(b, kWestern);
        EXPECT_EQ(r.readString(), std::string(n, 'x')) << n;
        EXPECT_EQ(r.remaining(), 0u);
    }
}

TEST(LabelFileEncoding, CountForms) {
    for (auto [count, prefix] : std::vector<std::pair<std::uint32_t, Bytes>>{
             {0, {0, 0}}, {0xFFFE, {0xFE, 0xFF}}, {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0}},
             {0x12345, {0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}}}) {
        ArchiveWriter w;
        w.putCount(count);
        EXPECT_EQ(w.bytes(), prefix) << count;
        ArchiveReader r(w.bytes(), kWestern);
        EXPECT_EQ(r.readCount(), count);
    }
    // A list of 0xFFFF empty names: the long count form, then one byte per name.
    std::vector<std::string> many(0xFFFF);
    Bytes b = encodeShortLayout("t", many);
    EXPECT_EQ(prefixOf(b, 12), (Bytes{0, 0, 0, 0, 1, 't', 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(b.size(), 12u + 0xFFFF);
    EXPECT_EQ(decodeLabelFile(b, kWestern).mdTracks.size(), 0xFFFFu);
}

TEST(LabelFileEncoding, FontRecordIsLogFontLayout) {
    LogFont f = sampleFont(0);
    LogFontBytes b = f.toBytes();
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 8), (Bytes{0xF1, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(b.begin() + 16, b.begin() + 28),
              (Bytes{0xBC, 0x02, 0, 0, 1, 0, 1, 128, 3, 2, 1, 0x31}));
    EXPECT_EQ(b[28], 'M');
    EXPECT_EQ(LogFont::fromBytes(b), f);

    // Bytes after the terminator mean nothing and are dropped; a face with no terminator is cut.
    b[28 + 20] = 'z';
    b[59] = 'q';
    EXPECT_EQ(LogFont::fromBytes(b), f);
    std::fill(b.begin() + 28, b.end(), 'A');
    EXPECT_EQ(LogFont::fromBytes(b).face(), std::string(31, 'A'));
}

TEST(LabelFileLayouts, ShortLayoutCopiesMdTextsToPrintTexts) {
    std::vector<std::string> tracks{"a", "", "c"};
    Bytes b = encodeShortLayout("Title", tracks);
    EXPECT_EQ(b, (Bytes{0, 0, 0, 0, 5, 'T', 'i', 't', 'l', 'e', 3, 0, 1, 'a', 0, 1, 'c'}));
    LabelFileContent c = decodeLabelFile(b, kWestern);
    EXPECT_TRUE(c.isShortLayout());
    EXPECT_EQ(c.printTitle, "Title");
    EXPECT_EQ(c.mdTracks, tracks);
    EXPECT_EQ(c.printTracks, tracks);
    EXPECT_TRUE(c.fonts.empty());
}

TEST(LabelFileLayouts, FullLayoutRoundTripsAndIgnoresTrailingBytes) {
    LabelFileContent in = sampleContent();
    Bytes b = encodeFullLayout(in);
    EXPECT_EQ(prefixOf(b, 4), (Bytes{1, 0, 0, 0}));
    b.insert(b.end(), {0xDE, 0xAD, 0xFF, 0xFF});
    LabelFileContent out = decodeLabelFile(b, kWestern);
    EXPECT_EQ(out.formatFlag, 1u);
    EXPECT_EQ(out.mdTitle, in.mdTitle);
    EXPECT_EQ(out.printTitle, in.printTitle);
    EXPECT_EQ(out.mdTracks, in.mdTracks);
    EXPECT_EQ(out.printTracks, in.printTracks);
    EXPECT_EQ(out.fonts, in.fonts);
}

TEST(LabelFileLayouts, AnyNonZeroFlagIsTheFullLayoutAndFontCountIsAsRead) {
    LabelFileContent in = sampleContent();
    for (std::size_t n : {0u, 1u, 5u}) {
        in.fonts.assign(n, sampleFont(7));
        Bytes b = encodeFullLayout(in);
        b[0] = 0x7F;
        b[3] = 0x80;
        LabelFileContent out = decodeLabelFile(b, kWestern);
        EXPECT_FALSE(out.isShortLayout());
        EXPECT_EQ(out.fonts.size(), n);
    }
}

TEST(LabelFileWideStrings, MarkerIsConvertedToTheCodePage) {
    // "Aé€" then U+4E00 (not in CP1252) and a lone surrogate.
    Bytes b{0xFF, 0xFE, 0xFF, 5, 'A', 0, 0xE9, 0, 0xAC, 0x20, 0x00, 0x4E, 0x00, 0xD8};
    EXPECT_EQ(ArchiveReader(b, kWestern).readString(), "A\xE9\x80??");
    // "日本" in CP932, and a character outside it.
    Bytes j{0xFF, 0xFE, 0xFF, 3, 0xE5, 0x65, 0x2C, 0x67, 0x00, 0xAC};
    EXPECT_EQ(ArchiveReader(j, kJapanese).readString(), "\x93\xfa\x96\x7b?");
    // The marker with the longer length forms, and a surrogate pair outside both code pages.
    Bytes l{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE};
    EXPECT_EQ(ArchiveReader(l, kWestern).readString(), "?");
    // A second marker, and wide text cut short.
    Bytes twice{0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0};
    EXPECT_THROW(ArchiveReader(twice, kWestern).readString(), ArchiveError);
    Bytes cut{0xFF, 0xFE, 0xFF, 2, 'A', 0, 'B'};
    EXPECT_THROW(ArchiveReader(cut, kWestern).readString(), ArchiveError);
}

TEST(LabelFileHostile, EveryPrefixOfAValidFileFails) {
    for (const Bytes& valid : {encodeFullLayout(sampleContent()),
                               encodeShortLayout("Title", std::vector<std::string>{"a", "bb"})}) {
        for (std::size_t n = 0; n < valid.size(); ++n)
            EXPECT_THROW(decodeLabelFile(prefixOf(valid, n), kWestern), ArchiveError) << n;
        EXPECT_NO_THROW(decodeLabelFile(valid, kWestern));
    }
}

TEST(LabelFileHostile, HugeCountsAndLengthsAreRejectedBeforeAllocating) {
    Bytes hugeList{0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0};
    EXPECT_THROW(decodeLabelFile(hugeList, kWestern), ArchiveError);
    Bytes hugeString{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'};
    EXPECT_THROW(decodeLabelFile(hugeString, kWestern), ArchiveError);
    Bytes hugeWide{0, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0};
    EXPECT_THROW(decodeLabelFile(hugeWide, kWestern), ArchiveError);
    Bytes hugeFonts{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    hugeFonts.resize(hugeFonts.size() + 3 * kLogFontSize);
    EXPECT_THROW(decodeLabelFile(hugeFonts, kWestern), ArchiveError);
}

TEST(LabelFileHostile, ListsLongerThanALabelHoldsAreRejected) {
    // One byte per empty name: a 16 MiB file could otherwise ask for millions of rows.
    std::vector<std::string> names(kMaxNamesPerList);
    EXPECT_EQ(decodeLabelFile(encodeShortLayout("t", names), kWestern).mdTracks.size(), kMaxNamesPerList);
    names.emplace_back();
    EXPECT_THROW(decodeLabelFile(encodeShortLayout("t", names), kWestern), ArchiveError);
    LabelFileContent full = sampleContent();
    full.printTracks = names;
    EXPECT_THROW(decodeLabelFile(encodeFullLayout(full), kWestern), ArchiveError);
}

TEST(LabelFileHostile, RandomAndMutatedFilesNeverMisbehave) {
    std::mt19937 rng(20261208);
    Bytes valid = encodeFullLayout(sampleContent());
    for (int i = 0; i < 20000; ++i) {
        Bytes b;
        if (i % 2 == 0) {
            b.resize(rng() % 64);
            for (auto& byte : b) byte = static_cast<std::uint8_t>(rng() % 4 == 0 ? 0xFF : rng());
        } else {
            b = valid;
            for (int k = 0; k < 4; ++k) b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
        }
        try {
            LabelFileContent c = decodeLabelFile(b, i % 3 ? kWestern : kJapanese);
            EXPECT_LE(c.mdTracks.size(), b.size());
        } catch (const ArchiveError&) {
        }
    }
}

}  // namespace
}  // namespace tovik::label
