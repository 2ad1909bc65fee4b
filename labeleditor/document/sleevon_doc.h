#pragma once
// CSleevonDoc, the label editor's one document: the disc's own title and track names, the texts
// to print, the three label fonts, the current font type and the print position. It reads and
// writes the label file, keeps default fonts and the print position in the profile, answers the
// format bar, and tells the views what changed with update hints.
//
// There is no modified flag: no edit ever makes closing the document ask to save.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "labeleditor/document/char_format.h"
#include "labeleditor/document/document_ids.h"
#include "labeleditor/document/document_ports.h"
#include "labeleditor/document/label_file.h"
#include "labeleditor/document/log_font.h"
#include "platform/host.h"

namespace tovik::label {

// How a command shows in menus and on the format bar.
struct CommandState {
    bool enabled = true;
    std::optional<bool> checked;  // set for the commands that show a check mark
};

using DeviceFonts = std::array<std::unique_ptr<DeviceFont>, kFontTypeCount>;

// Windows' MulDiv: a × b / c in 64 bits, rounded half away from zero; −1 when c is 0 or the
// result does not fit in 32 bits.
std::int32_t mulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

// −value, with the one value that has no negation (from a hostile file) held at the maximum.
constexpr std::int32_t negateHeight(std::int32_t value) {
    return value == INT32_MIN ? INT32_MAX : -value;
}

class CSleevonDoc {
public:
    // Reads the print position from the profile.
    CSleevonDoc(Host& host, DocumentUi& ui);
    // Writes the print position back to the profile.
    ~CSleevonDoc();
    CSleevonDoc(const CSleevonDoc&) = delete;
    CSleevonDoc& operator=(const CSleevonDoc&) = delete;

    // --- the document's data, read by the views (the label view also sets m_nFontType) ---
    std::vector<LogFont> m_arrFont;  // one record per font type once a document is new or open
    std::int32_t m_nPrintH = 0;      // 0.1 mm, added to every printed position
    std::int32_t m_nPrintV = 0;      // 0.1 mm, larger prints lower
    std::string m_strMDTitle;
    std::string m_strPrintTitle;
    std::vector<std::string> m_listPrintTrackName;  // parallel to the MD list
    std::vector<std::string> m_listMDTrackName;
    std::int32_t m_nFontType = FONT_TITLE;
    bool m_bFromController = false;  // the open file was the controller's; Save asks for a name

    // --- document life ---
    bool OnNewDocument();
    // Parses the whole file first; on any failure shows the message, returns false and leaves
    // the document exactly as it was.
    bool OnOpenDocument(const std::filesystem::path& path);
    // Writes the full layout under `path` (safely replacing it); shows 61698 on failure.
    bool saveAs(const std::filesystem::path& path);
    const std::filesystem::path& pathName() const { return path_; }
    // The document's content as the full layout holds it.
    LabelFileContent content() const;

    // --- operations ---
    void LoadDefaultFonts();
    // (Re)creates the device font of `type`, or of all three for −1, scaled for the device.
    void CreateFonts(FontDevice& device, DeviceFonts& fonts, int type) const;
    // Before `index` in both lists; at the end when index is the print list's size; else nothing.
    void InsertTrack(std::size_t index);
    // Removes entry `index` from both lists; an index with no entry changes nothing.
    void DeleteTrack(std::size_t index);
    void GetPrintTrackName(std::size_t index, std::string& name) const;
    void SetFontType(int type);

    // Text edits of the lists; each sends its hint only when the text really changed.
    bool setPrintTitle(const std::string& text);
    bool setPrintTrackName(std::size_t index, const std::string& text);

    // --- views ---
    void addObserver(DocumentObserver& observer);
    void removeObserver(DocumentObserver& observer);
    void UpdateAllViews(unsigned hint);

    // --- commands and the format bar ---
    // Runs a command the document handles; false for any other id.
    bool onCommand(unsigned id);
    // The update state of a command the document handles; nullopt for any other id.
    std::optional<CommandState> commandState(unsigned id) const;
    // FBN_QUERYFONT / FBN_APPLYFONT from the format bar; false (result untouched) for others.
    bool onFormatNotify(FormatNotify& block, LResult& result);

    // The command handlers, also callable directly.
    void onFontDialog(int type);
    void onBold();
    void onItalic();
    void onUnderline();
    void onSaveToDefault();
    void onReturnToDefault();
    void onPrintPosition();
    bool onFileSave();
    bool onFileSaveAs();  // always asks for the name, proposing the current one

private:
    struct CommandEntry;
    static const CommandEntry* findCommand(unsigned id);

    LogFont builtInDefaultFont() const;
    // The stored default of a type, when the profile holds exactly 60 bytes for it.
    std::optional<LogFont> storedDefault(int type) const;
    bool storedDefaultExists(int type) const;
    LogFont* currentFont();
    const LogFont* currentFont() const;
    void setCurrentFont(const LogFont& font);  // sends HINT_FONT + type when it changed
    void fontChanged(int type) { UpdateAllViews(HINT_FONT + static_cast<unsigned>(type)); }
    bool failOpen(unsigned messageId);

    CommandState updateSaveToDefault() const;
    CommandState updateReturnToDefault() const;
    CommandState updateBold() const;
    CommandState updateItalic() const;
    CommandState updateUnderline() const;
    CommandState alwaysEnabled() const { return {}; }

    Host& host_;
    DocumentUi& ui_;
    std::filesystem::path path_;
    std::vector<DocumentObserver*> observers_;
};

}  // namespace tovik::label
