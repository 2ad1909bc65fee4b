// libFuzzer target for the label-file reader: any bytes either decode or fail with ArchiveError,
// never crash, hang or allocate beyond the input; whatever decodes re-encodes to a file that
// decodes to the same content.
#include <cstdint>
#include <cstdlib>

#include "labeleditor/document/archive.h"
#include "labeleditor/document/label_file.h"

using namespace tovik;
using namespace tovik::label;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const CodePage kCodePages[] = {CodePage::forLanguage(Language::English),
                                          CodePage::forLanguage(Language::Japanese)};
    for (const CodePage& cp : kCodePages) {
        LabelFileContent c;
        try {
            c = decodeLabelFile(std::span(data, size), cp);
        } catch (const ArchiveError&) {
            continue;
        }
        auto again = decodeLabelFile(encodeFullLayout(c), cp);
        if (again.mdTitle != c.mdTitle || again.printTitle != c.printTitle || again.mdTracks != c.mdTracks ||
            again.printTracks != c.printTracks || again.fonts != c.fonts)
            std::abort();
    }
    return 0;
}
