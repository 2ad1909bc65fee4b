#include "labeleditor/document/label_file.h"

#include "labeleditor/document/archive.h"

namespace tovik::label {

std::vector<std::uint8_t> encodeShortLayout(std::string_view mdTitle,
                                            std::span<const std::string> mdTracks) {
    ArchiveWriter out;
    out.putDword(kShortLayoutFlag);
    out.putString(mdTitle);
    out.putStringList(mdTracks);
    return out.take();
}

std::vector<std::uint8_t> encodeFullLayout(const LabelFileContent& content) {
    ArchiveWriter out;
    out.putDword(kFullLayoutFlag);
    out.putString(content.mdTitle);
    out.putString(content.printTitle);
    out.putStringList(content.mdTracks);
    out.putStringList(content.printTracks);
    out.putCount(content.fonts.size());
    for (const LogFont& font : content.fonts) out.putBytes(font.toBytes());
    return out.take();
}

LabelFileContent decodeLabelFile(std::span<const std::uint8_t> data, const CodePage& codePage) {
    ArchiveReader in(data, codePage);
    LabelFileContent c;
    c.formatFlag = in.readDword();
    c.mdTitle = in.readString();
    c.printTitle = c.isShortLayout() ? c.mdTitle : in.readString();
    c.mdTracks = in.readStringList(kMaxNamesPerList);
    if (c.isShortLayout()) {
        c.printTracks = c.mdTracks;
        return c;
    }
    c.printTracks = in.readStringList(kMaxNamesPerList);
    std::uint32_t count = in.readCount();
    // Font records cut short are a damaged file like any other field cut short.
    if (std::uint64_t{count} * kLogFontSize > in.remaining())
        throw ArchiveError("the file ends inside the font records");
    c.fonts.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        LogFontBytes record;
        in.readBytes(record);
        c.fonts.push_back(LogFont::fromBytes(record));
    }
    return c;
}

}  // namespace tovik::label
