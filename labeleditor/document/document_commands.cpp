// The document's commands, their update rules, and the format bar's two notifications.
#include <algorithm>
#include <cstring>

#include "labeleditor/document/sleevon_doc.h"
#include "labeleditor/document/stored_settings.h"

namespace tovik::label {

namespace {

constexpr std::int32_t kBoldWeight = 700;
constexpr std::int32_t kNormalWeight = 400;

}  // namespace

struct CSleevonDoc::CommandEntry {
    unsigned id;
    void (*run)(CSleevonDoc&);
    CommandState (CSleevonDoc::*update)() const;
};

// One row per command the document handles.
const CSleevonDoc::CommandEntry* CSleevonDoc::findCommand(unsigned id) {
    static const CommandEntry table[] = {
        {ID_FONT_TITLE, [](CSleevonDoc& d) { d.onFontDialog(FONT_TITLE); }, &CSleevonDoc::alwaysEnabled},
        {ID_FONT_TRACK, [](CSleevonDoc& d) { d.onFontDialog(FONT_TRACK); }, &CSleevonDoc::alwaysEnabled},
        {ID_FORMAT_BOLD, [](CSleevonDoc& d) { d.onBold(); }, &CSleevonDoc::updateBold},
        {ID_FORMAT_ITALIC, [](CSleevonDoc& d) { d.onItalic(); }, &CSleevonDoc::updateItalic},
        {ID_FORMAT_UNDERLINE, [](CSleevonDoc& d) { d.onUnderline(); }, &CSleevonDoc::updateUnderline},
        {ID_FONT_SAVE_DEFAULT, [](CSleevonDoc& d) { d.onSaveToDefault(); }, &CSleevonDoc::updateSaveToDefault},
        {ID_FONT_RETURN_DEFAULT, [](CSleevonDoc& d) { d.onReturnToDefault(); }, &CSleevonDoc::updateReturnToDefault},
        {ID_FILE_SAVE, [](CSleevonDoc& d) { d.onFileSave(); }, &CSleevonDoc::alwaysEnabled},
        {ID_FILE_SAVE_AS, [](CSleevonDoc& d) { d.onFileSaveAs(); }, &CSleevonDoc::alwaysEnabled},
        {ID_PRINT_POSITION, [](CSleevonDoc& d) { d.onPrintPosition(); }, &CSleevonDoc::alwaysEnabled},
    };
    auto it = std::find_if(std::begin(table), std::end(table), [id](const CommandEntry& e) { return e.id == id; });
    return it == std::end(table) ? nullptr : it;
}

bool CSleevonDoc::onCommand(unsigned id) {
    const CommandEntry* entry = findCommand(id);
    if (!entry) return false;
    entry->run(*this);
    return true;
}

std::optional<CommandState> CSleevonDoc::commandState(unsigned id) const {
    const CommandEntry* entry = findCommand(id);
    if (!entry) return std::nullopt;
    return (this->*entry->update)();
}

// --- handlers ---

void CSleevonDoc::onFontDialog(int type) {
    if (type < 0 || static_cast<std::size_t>(type) >= m_arrFont.size()) return;
    auto chosen = ui_.chooseFont(m_arrFont[static_cast<std::size_t>(type)]);
    if (!chosen) return;
    // The record's face is normalised whatever the dialog handed back.
    LogFont font = *chosen;
    font.setFace(font.face());
    m_arrFont[static_cast<std::size_t>(type)] = font;
    fontChanged(type);
}

void CSleevonDoc::onBold() {
    LogFont* font = currentFont();
    if (!font) return;
    font->weight = font->weight >= kBoldWeight ? kNormalWeight : kBoldWeight;
    fontChanged(m_nFontType);
}

void CSleevonDoc::onItalic() {
    LogFont* font = currentFont();
    if (!font) return;
    font->italic = font->italic == 0 ? 1 : 0;
    fontChanged(m_nFontType);
}

void CSleevonDoc::onUnderline() {
    LogFont* font = currentFont();
    if (!font) return;
    font->underline = font->underline == 0 ? 1 : 0;
    fontChanged(m_nFontType);
}

void CSleevonDoc::onSaveToDefault() {
    const LogFont* font = currentFont();
    if (!font) return;
    LogFontBytes bytes = font->toBytes();
    host_.profile().setBinary(kDefaultFontSection, defaultFontKey(m_nFontType),
                              std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

void CSleevonDoc::onReturnToDefault() {
    if (!currentFont()) return;
    if (auto stored = storedDefault(m_nFontType)) {
        *currentFont() = *stored;
        fontChanged(m_nFontType);
    }
}

void CSleevonDoc::onPrintPosition() {
    int h = m_nPrintH;
    int v = m_nPrintV;
    if (ui_.editPrintPosition(h, v)) {
        m_nPrintH = h;
        m_nPrintV = v;
    }
}

// --- update rules ---

CommandState CSleevonDoc::updateBold() const {
    const LogFont* font = currentFont();
    return {font != nullptr, font && font->weight >= kBoldWeight};
}

CommandState CSleevonDoc::updateItalic() const {
    const LogFont* font = currentFont();
    return {font != nullptr, font && font->italic != 0};
}

CommandState CSleevonDoc::updateUnderline() const {
    const LogFont* font = currentFont();
    return {font != nullptr, font && font->underline != 0};
}

CommandState CSleevonDoc::updateSaveToDefault() const {
    const LogFont* font = currentFont();
    if (!font) return {false, std::nullopt};
    auto stored = storedDefault(m_nFontType);
    return {!(stored && *stored == *font), std::nullopt};
}

CommandState CSleevonDoc::updateReturnToDefault() const {
    const LogFont* font = currentFont();
    if (!font || !storedDefaultExists(m_nFontType)) return {false, std::nullopt};
    // A stored value of another size leaves the item enabled (choosing it then does nothing).
    auto stored = storedDefault(m_nFontType);
    return {!(stored && *stored == *font), std::nullopt};
}

// --- format bar ---

bool CSleevonDoc::onFormatNotify(FormatNotify& block, LResult& result) {
    if (block.hdr.code != FBN_QUERYFONT && block.hdr.code != FBN_APPLYFONT) return false;
    CharFormat& cf = block.cf;
    const LogFont* current = currentFont();
    if (!current) {
        result = 1;
        return true;
    }
    if (block.hdr.code == FBN_QUERYFONT) {
        // Fields the bar does not read are zeroed; cbSize stays the size of the record.
        cf.dwMask = 0;
        cf.dwEffects = 0;
        cf.yOffset = 0;
        cf.yHeight = negateHeight(current->height);
        cf.crTextColor = 0;
        cf.bCharSet = current->charSet;
        cf.bPitchAndFamily = current->pitchAndFamily;
        cf.szFaceName.fill('\0');
        std::string face = current->face();
        std::copy_n(face.data(), std::min<std::size_t>(face.size(), cf.szFaceName.size() - 1),
                    cf.szFaceName.data());
    } else {
        LogFont font = *current;
        if (cf.dwMask & CFM_SIZE) {
            font.width = 0;
            font.height = negateHeight(cf.yHeight);
        }
        if (cf.dwMask & CFM_CHARSET) font.charSet = cf.bCharSet;
        if (cf.dwMask & CFM_FACE) {
            font.pitchAndFamily = cf.bPitchAndFamily;
            font.setFace(cf.faceName());
        }
        font.escapement = 0;
        font.orientation = 0;
        font.outPrecision = 3;
        font.clipPrecision = 2;
        font.quality = 1;
        setCurrentFont(font);
    }
    result = 1;
    return true;
}

}  // namespace tovik::label
