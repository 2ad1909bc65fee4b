#include "controller/disc/md_text.h"

#include <algorithm>
#include <utility>

#include "controller/disc/md_text_tables.h"
#include "platform/codepage.h"

namespace tovik::disc {

namespace {

constexpr char kCaret = '^';
// A run of kana codes is closed and reopened once its codes reach this many characters.
constexpr std::size_t kRunSplitLength = 70;
// A caret segment this long (or longer) was not written as kana and is shown as it stands.
constexpr std::size_t kLongSegment = 80;

bool isLeadByte(unsigned char byte) {
    return CodePage::forLanguage(Language::Japanese).isLeadByte(byte);
}

// The character at offset i: two bytes where a lead byte stands and a byte follows it, else one.
std::string_view characterAt(std::string_view text, std::size_t i) {
    std::size_t length =
        isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    return text.substr(i, length);
}

MdTextResult failure(MdTextError error, std::size_t at, std::string text) {
    return MdTextResult{false, std::move(text), error, at};
}

// On other systems the text passes as it is; only the buffer limits it. The code page there has
// single-byte characters only, so any cut is a character boundary.
MdTextResult unchanged(std::string_view text) {
    if (text.size() > kMdTextMaxLength) {
        return failure(MdTextError::TooLong, kMdTextMaxLength,
                       std::string(text.substr(0, kMdTextMaxLength)));
    }
    return MdTextResult{true, std::string(text), MdTextError::None, 0};
}

class Encoder {
  public:
    explicit Encoder(std::string_view display) : in_(display) {}

    MdTextResult run() {
        while (pos_ < in_.size()) {
            const std::size_t start = pos_;
            const std::size_t outBefore = out_.size();
            const bool runBefore = inRun_;
            if (!step()) return fail(MdTextError::Mismatch, start, outBefore, runBefore);
            if (out_.size() + (inRun_ ? 1 : 0) > kMdTextMaxLength) {
                return fail(MdTextError::TooLong, start, outBefore, runBefore);
            }
        }
        leaveRun();
        return MdTextResult{true, std::move(out_), MdTextError::None, 0};
    }

  private:
    // Converts one character (with the voicing marks it takes); false when no table holds it.
    bool step() {
        const auto byte = static_cast<unsigned char>(in_[pos_]);
        if (isAllowedByte(byte)) {
            leaveRun();
            out_ += static_cast<char>(byte);
            ++pos_;
            return true;
        }
        const std::string_view character = characterAt(in_, pos_);
        pos_ += character.size();
        if (const KanaRow* row = findKana(character)) {
            if (row->code == "-") {  // the long-vowel mark stands outside the run
                leaveRun();
                out_ += row->code;
            } else {
                appendKana(*row);
            }
            return true;
        }
        if (const SymbolRow* row = findSymbol(character)) {
            leaveRun();
            out_ += row->code;
            return true;
        }
        return false;
    }

    void appendKana(const KanaRow& row) {
        if (!inRun_) {
            out_ += kCaret;
            inRun_ = true;
        }
        std::string_view code = row.code;
        if (takeMark(kHalfHandakuten, kFullHandakuten) && !row.handakuten.empty())
            code = row.handakuten;
        if (takeMark(kHalfDakuten, kFullDakuten) && !row.dakuten.empty()) code = row.dakuten;
        runLength_ += code.size();
        if (runLength_ >= kRunSplitLength) {
            out_ += kCaret;
            out_ += kCaret;
            runLength_ = 0;
        }
        out_ += code;
    }

    // Consumes the next character when it is the mark in either width.
    bool takeMark(std::string_view half, std::string_view full) {
        if (pos_ >= in_.size()) return false;
        const std::string_view next = characterAt(in_, pos_);
        if (next != half && next != full) return false;
        pos_ += next.size();
        return true;
    }

    void leaveRun() {
        if (!inRun_) return;
        out_ += kCaret;
        inRun_ = false;
        runLength_ = 0;
    }

    // Keeps what was converted before the failing character, with its run closed.
    MdTextResult fail(MdTextError error, std::size_t at, std::size_t outBefore, bool runBefore) {
        out_.resize(outBefore);
        if (runBefore) out_ += kCaret;
        return failure(error, at, std::move(out_));
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::string out_;
    bool inRun_ = false;
    std::size_t runLength_ = 0;
};

bool isLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

const DecodingRow* findDecodingPrefix(std::string_view code) {
    const auto table = decodingTable();
    auto it = std::find_if(table.begin(), table.end(),
                           [&](const DecodingRow& row) { return row.code.starts_with(code); });
    return it == table.end() ? nullptr : &*it;
}

// Digits and signs are codes of one character; so are the vowels and the small kana other than
// ya, yu, yo and tu; everything else is a two-character syllable.
std::size_t codeLength(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c == 'y' || c == 't' ? 2 : 1;
    if (c == 'A' || c == 'I' || c == 'U' || c == 'E' || c == 'O') return 1;
    if (!isLetter(c)) {
        const char one = static_cast<char>(c);
        const DecodingRow* row = findDecodingPrefix(std::string_view(&one, 1));
        if (row && row->code.size() == 1) return 1;
    }
    return 2;
}

// The display text of a segment's codes, or false when one of them has no row. A code that
// would run past the segment's end is not a code.
bool decodeSegment(std::string_view segment, std::string& out) {
    std::string decoded;
    for (std::size_t k = 0; k < segment.size();) {
        const std::size_t length = codeLength(static_cast<unsigned char>(segment[k]));
        if (k + length > segment.size()) return false;
        const DecodingRow* row = findDecodingPrefix(segment.substr(k, length));
        if (!row) return false;
        decoded += row->display;
        k += length;
    }
    out += decoded;
    return true;
}

// The next caret at or after `from`, stepping over two-byte characters so that a trail byte
// 0x5E is never taken for one; npos when there is none.
std::size_t findCaret(std::string_view text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); i += characterAt(text, i).size()) {
        if (text[i] == kCaret) return i;
    }
    return std::string_view::npos;
}

MdTextResult decodeJapanese(std::string_view in) {
    std::string out;
    std::size_t i = 0;
    while (i < in.size()) {
        const std::size_t start = i;
        const std::size_t outBefore = out.size();
        if (in.substr(i, 3) == "^^^") {
            out += kCaret;
            i += 3;
        } else if (in[i] == kCaret) {
            const std::size_t close = findCaret(in, i + 1);
            if (close == std::string_view::npos) {
                // An unclosed segment stays as it is; the caret is copied and the rest, which
                // holds no caret, follows character by character.
                out += kCaret;
                ++i;
            } else {
                const std::string_view segment = in.substr(i + 1, close - i - 1);
                if (!segment.empty() &&
                    (segment.size() >= kLongSegment || !decodeSegment(segment, out))) {
                    out += in.substr(i, close - i + 1);
                }
                i = close + 1;
            }
        } else {
            const std::string_view character = characterAt(in, i);
            out += character;
            i += character.size();
        }
        if (out.size() > kMdTextMaxLength) {
            out.resize(outBefore);
            return failure(MdTextError::TooLong, start, std::move(out));
        }
    }
    return MdTextResult{true, std::move(out), MdTextError::None, 0};
}

}  // namespace

MdTextResult EncodeMdText(std::string_view display, Language language) {
    if (language != Language::Japanese) return unchanged(display);
    return Encoder(display).run();
}

MdTextResult DecodeMdText(std::string_view disc, Language language) {
    if (language != Language::Japanese) return unchanged(disc);
    return decodeJapanese(disc);
}

MdTextResult EncodeMdText(std::string_view display) {
    return EncodeMdText(display, systemLanguage());
}
MdTextResult DecodeMdText(std::string_view disc) {
    return DecodeMdText(disc, systemLanguage());
}

}  // namespace tovik::disc
