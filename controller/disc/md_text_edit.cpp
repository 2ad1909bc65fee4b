#include "controller/disc/md_text_edit.h"

#include <string>

#include "controller/disc/md_text.h"
#include "controller/disc/md_text_tables.h"
#include "platform/codepage.h"

namespace tovik::disc {

namespace {

const CodePage& cp932() {
    static const CodePage page = CodePage::forLanguage(Language::Japanese);
    return page;
}

// The character packed in a message's wParam as CP932 bytes; empty when wParam is no character
// of the code page (a high byte that is not a lead byte).
std::string characterOf(WParam wParam) {
    if (wParam > 0xFFFF) return {};
    const auto high = static_cast<unsigned char>((wParam >> 8) & 0xFF);
    const auto low = static_cast<char>(wParam & 0xFF);
    if (high == 0) return std::string(1, low);
    if (!cp932().isLeadByte(high)) return {};
    return std::string{static_cast<char>(high), low};
}

bool fitsOnDisc(const std::string& character) {
    const bool allowed =
        character.size() == 1 && isAllowedByte(static_cast<unsigned char>(character[0]));
    return allowed || findKana(character) || findSymbol(character);
}

}  // namespace

CMdTextEdit::CMdTextEdit(MdTextEditControl& control, Language language)
    : control_(control), japanese_(language == Language::Japanese) {}

void CMdTextEdit::onMessage(Msg msg, WParam wParam, LParam lParam) {
    if (japanese_ && msg == WM_CHAR) return onChar(wParam, lParam);
    if (japanese_ && msg == WM_IME_CHAR) return onImeChar(wParam, lParam);
    control_.defaultProcessing(msg, wParam, lParam);
}

void CMdTextEdit::onChar(WParam wParam, LParam lParam) {
    // Control characters (backspace, return, ...) and the voicing marks that follow a kana.
    const bool passes = wParam < 0x20 || wParam == 0xDE || wParam == 0xDF;
    const std::string character = characterOf(wParam);
    if (passes || (!character.empty() && fitsOnDisc(character))) {
        control_.defaultProcessing(WM_CHAR, wParam, lParam);
    } else {
        control_.beep();
    }
}

void CMdTextEdit::onImeChar(WParam wParam, LParam lParam) {
    std::string character = characterOf(wParam);
    if (character.size() != 2) {
        // A one-byte character (or none) goes through the ordinary character filter.
        onChar(wParam, lParam);
        return;
    }
    // The long-vowel mark would become a hyphen anyway; typed through the input method it is
    // taken as the full-width minus.
    if (character == kFullLongVowel) character = kFullMinus;
    const MdTextResult encoded = EncodeMdText(character, Language::Japanese);
    if (!encoded.ok || encoded.text.empty()) {
        control_.beep();
        return;
    }
    const MdTextResult decoded = DecodeMdText(encoded.text, Language::Japanese);
    for (char byte : decoded.text) onChar(static_cast<unsigned char>(byte), lParam);
}

}  // namespace tovik::disc
