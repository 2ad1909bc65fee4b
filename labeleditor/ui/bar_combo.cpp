#include "labeleditor/ui/bar_combo.h"

#include <algorithm>
#include <array>

#include "labeleditor/ui/point_size.h"

namespace tovik::label {

namespace {

// Case is folded for the Latin letters only; other characters compare as they are.
char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalFolded(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return fold(x) == fold(y); });
}

bool beginsFolded(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalFolded(text.substr(0, prefix.size()), prefix);
}

constexpr std::array<int, 16> kStandardPoints = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

}  // namespace

// --- CBarCombo ---

bool CBarCombo::preTranslateKey(BarKey key, bool alt, bool control) {
    switch (key) {
        case BarKey::Tab:
            parent_.focusNextCombo(*this);
            return true;
        case BarKey::Escape:
            parent_.SyncWithDoc();
            parent_.sendReturn();
            return true;
        case BarKey::Return:
            parent_.sendReturn();
            return true;
        case BarKey::Up:
        case BarKey::Down:
            if (alt || control || control_.isListOpen()) return false;
            control_.openList();
            return true;
        case BarKey::Other: break;
    }
    return false;
}

std::string CBarCombo::GetText() const {
    const int selected = control_.selection();
    if (selected >= 0 && selected < count()) return itemText(selected);
    return control_.editText();
}

void CBarCombo::SetText(const std::string& text, bool exact) {
    const int found = exact ? findExact(text) : findPrefix(text);
    control_.select(found);
    if (found < 0) control_.setEditText(text);
}

template <typename Match>
int CBarCombo::find(int after, Match match) const {
    const int n = count();
    for (int step = 1; step <= n; ++step) {
        const int index = ((after < 0 ? -1 : after) + step) % n;
        if (match(itemText(index))) return index;
    }
    return -1;
}

int CBarCombo::findExact(const std::string& text, int after) const {
    return find(after, [&](const std::string& item) { return equalFolded(item, text); });
}

int CBarCombo::findPrefix(const std::string& text, int after) const {
    if (text.empty()) return -1;
    return find(after, [&](const std::string& item) { return beginsFolded(item, text); });
}

void CBarCombo::setItems(std::vector<std::string> texts) {
    texts_ = std::move(texts);
    control_.setItems(texts_);
}

// --- CFaceNameCombo ---

void CFaceNameCombo::fill(const FontEnumerator& fonts, bool doubleByteSystem, const Collation& collation) {
    const std::string text = GetText();
    std::vector<FaceItem> items = buildFaceList(fonts.allFaces(), doubleByteSystem, collation);
    std::vector<std::string> texts;
    entries_.clear();
    for (FaceItem& item : items) {
        texts.push_back(std::move(item.text));
        entries_.push_back(std::move(item.entry));
    }
    setItems(std::move(texts));
    SetText(text, false);
}

void CFaceNameCombo::matchFace(const std::string& name, std::uint8_t charSet) {
    // Every item that begins with the name, once round from the first.
    const int first = findPrefix(name);
    int accepted = -1;
    for (int index = first; index >= 0;) {
        const FaceEntry& e = entry(index);
        if (e.name == name && (charSet == DEFAULT_CHARSET || e.charSet == charSet)) {
            accepted = index;
            break;
        }
        index = findPrefix(name, index);
        if (index == first) break;
    }
    if (accepted < 0) {
        SetText(name, true);
    } else if (control().selection() != accepted) {
        control().select(accepted);
    }
}

const FaceEntry* CFaceNameCombo::exactEntry(const std::string& text) const {
    const int index = findExact(text);
    return index < 0 ? nullptr : &entry(index);
}

// --- CPointSizeCombo ---

int CPointSizeCombo::readValue() const { return readSizeValue(GetText()); }

int CPointSizeCombo::enteredValue() const {
    if (lastSize_ >= 0 && GetText() == sizeText(lastSize_)) return lastSize_;
    return readValue();
}

void CPointSizeCombo::showValue(int value) {
    if (value != readValue()) SetText(sizeText(value), true);
    lastSize_ = value;
}

void CPointSizeCombo::fillSizes(const std::optional<FaceSizes>& sizes) {
    std::vector<std::string> texts;
    if (sizes && sizes->scalable) {
        for (int points : kStandardPoints) texts.push_back(std::to_string(points));
    } else if (sizes) {
        // A bitmap face: its own sizes, smallest first, each shown text once.
        std::vector<int> values = sizes->rasterSizes;
        std::sort(values.begin(), values.end());
        for (int value : values) {
            std::string text = sizeText(value);
            if (text.empty()) continue;
            if (std::find(texts.begin(), texts.end(), text) == texts.end()) texts.push_back(std::move(text));
        }
    }
    setItems(std::move(texts));
}

}  // namespace tovik::label
