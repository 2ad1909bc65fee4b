#include "labeleditor/ui/font_setting_bar.h"

#include <algorithm>

#include "labeleditor/document/document_ids.h"
#include "labeleditor/ui/point_size.h"
#include "labeleditor/ui/ui_ids.h"

namespace tovik::label {

namespace {

// A face name in the record's field: at most 31 bytes, never ending inside a double-byte
// character.
void putFaceName(CharFormat& cf, const std::string& bytes, const CodePage& codePage) {
    std::size_t n = 0;
    while (n < bytes.size() && bytes[n] != '\0') {
        const std::size_t width = codePage.isLeadByte(static_cast<std::uint8_t>(bytes[n])) ? 2 : 1;
        if (n + width > cf.szFaceName.size() - 1 || n + width > bytes.size()) break;
        n += width;
    }
    cf.szFaceName.fill('\0');
    std::copy_n(bytes.data(), n, cf.szFaceName.data());
}

}  // namespace

CFontSettingBar::CFontSettingBar(Host& host, const FontEnumerator& fonts, Collation collation,
                                 std::function<LResult(FormatNotify&)> notify)
    : host_(host), fonts_(fonts), collation_(std::move(collation)), notify_(std::move(notify)) {}

CFontSettingBar::~CFontSettingBar() = default;

void CFontSettingBar::OnCreate(ComboControl& faceBox, ComboControl& sizeBox) {
    face_ = std::make_unique<CFaceNameCombo>(*this, faceBox);
    size_ = std::make_unique<CPointSizeCombo>(*this, sizeBox);
    face_->fill(fonts_, host_.codePage().isJapanese(), collation_);
}

LResult CFontSettingBar::send(int code, FormatNotify& block) {
    block.hdr.idFrom = ID_FORMAT_BAR;
    block.hdr.code = code;
    return notify_ ? notify_(block) : 0;
}

LResult CFontSettingBar::send(int code) {
    FormatNotify block;
    return send(code, block);
}

void CFontSettingBar::sendReturn() { send(NM_RETURN); }

void CFontSettingBar::OnSetFocus() { send(NM_SETFOCUS); }

void CFontSettingBar::OnCloseUp() { send(NM_RETURN); }

void CFontSettingBar::focusNextCombo(const CBarCombo& from) {
    (&from == face_.get() ? size_->control() : face_->control()).setFocus();
}

void CFontSettingBar::OnIdleUpdate() {
    if (!face_ || face_->control().hasFocus() || size_->control().hasFocus()) return;
    // A message about a bad entry shows while the entry is still there to see.
    if (host_.messageBoxOpen()) return;
    SyncWithDoc();
}

void CFontSettingBar::SyncWithDoc() {
    if (!face_) return;
    FormatNotify block;
    block.cf.cbSize = sizeof(CharFormat);
    // Without an answer there is no font to show.
    if (send(FBN_QUERYFONT, block) == 0) return;
    face_->matchFace(host_.codePage().toUtf8(block.cf.faceName()), block.cf.bCharSet);
    size_->showValue(block.cf.yHeight);
}

void CFontSettingBar::OnFaceKillFocus() {
    send(NM_KILLFOCUS);
    // A typed beginning becomes the first face that begins with it.
    face_->SetText(face_->GetText(), false);
    const std::string text = face_->GetText();
    if (text.empty()) return;

    FormatNotify block;
    CharFormat& cf = block.cf;
    cf.cbSize = sizeof(CharFormat);
    cf.dwMask = CFM_FACE | CFM_CHARSET;
    std::string name = text;
    if (const FaceEntry* entry = face_->exactEntry(text)) {
        name = entry->name;
        cf.bCharSet = entry->charSet;
        cf.bPitchAndFamily = entry->pitchAndFamily;
    } else {
        // Not a listed face: the system's font mapper picks one for the name.
        cf.bCharSet = DEFAULT_CHARSET;
        cf.bPitchAndFamily = 0;
    }
    // A name the code page cannot write cannot be kept in a label file; the next
    // synchronisation shows the document's face again.
    auto bytes = host_.codePage().fromUtf8(name);
    if (!bytes) return;
    putFaceName(cf, *bytes, host_.codePage());
    send(FBN_APPLYFONT, block);
}

bool CFontSettingBar::rejectSize(int value) {
    auto problem = sizeValueProblem(value);
    if (problem) host_.messageBoxId(*problem, Buttons::Ok, Icon::Information);
    return problem.has_value();
}

void CFontSettingBar::OnSizeKillFocus() {
    send(NM_KILLFOCUS);
    const int value = size_->enteredValue();
    // An invalid text stays in the box until the next synchronisation replaces it.
    if (rejectSize(value) || value == kSizeEmpty) return;
    FormatNotify block;
    block.cf.cbSize = sizeof(CharFormat);
    block.cf.dwMask = CFM_SIZE;
    block.cf.yHeight = value;
    send(FBN_APPLYFONT, block);
}

void CFontSettingBar::OnSizeDropDown() {
    const FaceEntry* entry = face_->exactEntry(face_->GetText());
    int value = size_->enteredValue();
    if (rejectSize(value)) value = size_->lastSize();
    size_->fillSizes(entry ? fonts_.sizesOf(entry->name) : std::nullopt);
    size_->showValue(value);
}

}  // namespace tovik::label
