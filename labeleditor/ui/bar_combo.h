#pragma once
// The format bar's two combo boxes as behaviour: CBarCombo (what both share: the keys they take
// before the box sees them, reading and setting the text with a search of the list), the face
// box CFaceNameCombo with its FaceEntry items, and the size box CPointSizeCombo with its last
// size. The box on screen is a ComboControl; texts are UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "labeleditor/ui/face_list.h"

namespace tovik::label {

// A drop-down combo box with an edit field.
class ComboControl {
public:
    virtual ~ComboControl() = default;
    // Replaces the list's items, in list order. Afterwards no item is selected and the edit
    // field is empty.
    virtual void setItems(const std::vector<std::string>& texts) = 0;
    // The selected item, −1 for none. Typing in the edit field leaves no item selected.
    virtual int selection() const = 0;
    // Selects an item and shows its text in the edit field; −1 clears both.
    virtual void select(int index) = 0;
    virtual std::string editText() const = 0;
    // Writes the edit field; the selection stays as it is.
    virtual void setEditText(const std::string& text) = 0;
    // True while the box, its edit field or its open list has the keyboard focus.
    virtual bool hasFocus() const = 0;
    virtual void setFocus() = 0;
    virtual bool isListOpen() const = 0;
    virtual void openList() = 0;
};

class CBarCombo;

// What a combo box asks of the bar it sits on.
class ComboParent {
public:
    // Tab: the focus goes to the bar's next tab stop.
    virtual void focusNextCombo(const CBarCombo& from) = 0;
    // Shows the document's current font in both boxes.
    virtual void SyncWithDoc() = 0;
    // NM_RETURN: the owner takes the focus back.
    virtual void sendReturn() = 0;

protected:
    ~ComboParent() = default;
};

// Keys a combo box looks at before the box itself.
enum class BarKey { Tab, Escape, Return, Up, Down, Other };

class CBarCombo {
public:
    virtual ~CBarCombo() = default;
    CBarCombo(const CBarCombo&) = delete;
    CBarCombo& operator=(const CBarCombo&) = delete;

    // A key press before the box sees it: Tab (with or without Shift) goes to the other box,
    // Escape shows the document's font again and hands the focus back, Enter hands the focus
    // back, Up and Down open a closed list when neither Alt nor Control is held. True when the
    // key was taken.
    bool preTranslateKey(BarKey key, bool alt, bool control);

    // The selected item's text, else the edit field's.
    std::string GetText() const;
    // Selects the item whose whole text equals `text` (exact) or the first that begins with it
    // (otherwise), in any case; with none, clears the selection and writes the text.
    void SetText(const std::string& text, bool exact);

    // The first item from `after` + 1 on (wrapping round) whose text equals `text`, or begins
    // with it, in any case; −1 when none. An empty text begins no item.
    int findExact(const std::string& text, int after = -1) const;
    int findPrefix(const std::string& text, int after = -1) const;

    int count() const { return static_cast<int>(texts_.size()); }
    const std::string& itemText(int index) const { return texts_.at(static_cast<std::size_t>(index)); }
    ComboControl& control() const { return control_; }

protected:
    CBarCombo(ComboParent& parent, ComboControl& control) : parent_(parent), control_(control) {}
    void setItems(std::vector<std::string> texts);

private:
    template <typename Match>
    int find(int after, Match match) const;

    ComboParent& parent_;
    ComboControl& control_;
    std::vector<std::string> texts_;
};

// The face box: one item per face and character set, in collation order.
class CFaceNameCombo : public CBarCombo {
public:
    static constexpr int kControlId = 32819;
    static constexpr int kTextLimit = 32;

    CFaceNameCombo(ComboParent& parent, ComboControl& control) : CBarCombo(parent, control) {}

    // Fills the list from the system's fonts, keeping the text the box had.
    void fill(const FontEnumerator& fonts, bool doubleByteSystem, const Collation& collation);
    // Shows a face: the item of that very name (case-sensitive) in that character set, in any
    // character set for DEFAULT_CHARSET; with none, the name as text.
    void matchFace(const std::string& name, std::uint8_t charSet);

    const FaceEntry& entry(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    // The entry of the item whose whole text is `text` (any case), if any.
    const FaceEntry* exactEntry(const std::string& text) const;

private:
    std::vector<FaceEntry> entries_;
};

// The size box: points in the box, font height values to and from the document.
class CPointSizeCombo : public CBarCombo {
public:
    static constexpr int kControlId = 32818;
    static constexpr int kTextLimit = 4;

    CPointSizeCombo(ComboParent& parent, ComboControl& control) : CBarCombo(parent, control) {}

    // The font height value the box's text reads as (kSizeEmpty, kSizeGarbage or a value).
    int readValue() const;
    // The value to apply: while the box still shows the last size, that size itself (so that
    // leaving an untouched box never rounds the font's height), else what the text reads as.
    int enteredValue() const;
    // Shows a value unless the text already reads as it; it becomes the last size.
    void showValue(int value);
    int lastSize() const { return lastSize_; }

    // The list of sizes for a face: the 16 standard sizes when it scales, its own sizes when it
    // is a bitmap face, nothing for an unknown face.
    void fillSizes(const std::optional<FaceSizes>& sizes);

private:
    int lastSize_ = 0;
};

}  // namespace tovik::label
