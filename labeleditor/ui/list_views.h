#pragma once
// The title list (CTytleListView) and the track list (CTrackListView): report lists beside the
// label preview where the texts to print are edited. Column 0 holds the print text, column 1 the
// disc's own text, shown for reference. They keep no data: every text lives in the document, and
// each edit changes the control and the document together. They ignore the document's hints:
// only the initial update after an open rebuilds their rows.

#include <optional>
#include <string>

#include "labeleditor/document/sleevon_doc.h"
#include "labeleditor/ui/frame_view.h"
#include "labeleditor/ui/list_control.h"
#include "platform/host.h"

namespace tovik::label {

// What the two lists share: columns and their stored widths, in-place editing, focus, and the
// mouse and keyboard pop-up menus.
class CListViewBase : public FrameView {
public:
    void OnInitialUpdate() override;
    // Keeps column 0's width in the profile.
    void OnDestroy() override;

    // --- what the control reports ---
    // In-place editing ended; nullopt when it was cancelled.
    void onEndLabelEdit(int row, const std::optional<std::string>& utf8Text);
    void onDoubleClick() { onCommand(ID_EDIT); }
    // NM_SETFOCUS: with no selection, the first row becomes selected and focused; the list's
    // font type becomes the document's current one.
    void onSetFocus();
    // A mouse request for the pop-up menu at a screen point.
    void onContextMenu(ScreenPoint at);
    // Keys before the control sees them: Shift+F10 (key or system key) opens the pop-up menu at
    // the client area's top-left corner moved by (5, 5). True when the key was consumed.
    bool preTranslateKeyDown(unsigned virtualKey, bool shiftDown);
    // The keyboard's menu key: the same pop-up, at the same place.
    void onKeyboardContextMenu();

    ListControl& control() const { return control_; }

protected:
    static constexpr unsigned ID_EDIT = 32775;

    struct Columns {
        unsigned printHeader;
        unsigned mdHeader;
        const char* widthValue;  // in section "SIZE"
    };
    CListViewBase(Host& host, CSleevonDoc& doc, ListControl& control, Columns columns)
        : host_(host), doc_(doc), control_(control), columns_(columns) {}

    // The rows from the document.
    virtual void fillRows() = 0;
    // The document takes an edited row's text (code-page bytes); it tells the views only when
    // the text really changed.
    virtual void storeEditedText(int row, const std::string& bytes) = 0;
    virtual unsigned popupMenu() const = 0;
    virtual int fontType() const = 0;

    std::string toUtf8(const std::string& bytes) const { return host_.codePage().toUtf8(bytes); }
    void showPopupMenu(ScreenPoint at);

    Host& host_;
    CSleevonDoc& doc_;
    ListControl& control_;

private:
    Columns columns_;
};

class CTytleListView : public CListViewBase {
public:
    CTytleListView(Host& host, CSleevonDoc& doc, ListControl& control);

    bool onCommand(unsigned id) override;
    std::optional<CommandState> commandState(unsigned id) const override;
    // LVN_ITEMCHANGED with a change of state (selection or focus).
    void onItemStateChanged();

protected:
    void fillRows() override;
    void storeEditedText(int row, const std::string& bytes) override;
    unsigned popupMenu() const override;
    int fontType() const override { return FONT_TITLE; }
};

class CTrackListView : public CListViewBase {
public:
    CTrackListView(Host& host, CSleevonDoc& doc, ListControl& control);

    bool onCommand(unsigned id) override;
    std::optional<CommandState> commandState(unsigned id) const override;

    void insertBeforeSelection();  // Shift+Ins
    void insertAfterSelection();   // Ins
    void deleteSelection();        // Del, with a question first

protected:
    void fillRows() override;
    void storeEditedText(int row, const std::string& bytes) override;
    unsigned popupMenu() const override;
    int fontType() const override { return FONT_TRACK; }

private:
    void insertAt(int row);
};

}  // namespace tovik::label
