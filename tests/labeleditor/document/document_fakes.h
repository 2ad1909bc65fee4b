#pragma once
// Scripted stand-ins for the document's dialogs, devices and views.
#include <deque>
#include <optional>
#include <vector>

#include "labeleditor/document/document_ports.h"

namespace tovik::label::test {

class FakeDocumentUi : public DocumentUi {
public:
    std::optional<LogFont> chooseFont(const LogFont& initial) override {
        dialogInitial.push_back(initial);
        return nextFont;
    }
    LogFont defaultGuiFont() const override { return guiFont; }
    bool editPrintPosition(int& h, int& v) override {
        if (!positionAnswer) return false;
        h = positionAnswer->first;
        v = positionAnswer->second;
        return true;
    }
    std::optional<std::filesystem::path> askSaveFileName(const std::filesystem::path& proposed) override {
        proposedNames.push_back(proposed);
        if (saveNames.empty()) return std::nullopt;
        auto name = saveNames.front();
        saveNames.pop_front();
        return name;
    }

    LogFont guiFont = [] {
        LogFont f;
        f.height = -12;
        f.weight = 400;
        f.charSet = 1;
        f.setFace("Sans Serif");
        return f;
    }();
    std::optional<LogFont> nextFont;
    std::vector<LogFont> dialogInitial;
    std::optional<std::pair<int, int>> positionAnswer;
    std::deque<std::filesystem::path> saveNames;
    std::vector<std::filesystem::path> proposedNames;
};

struct MadeFont : DeviceFont {
    explicit MadeFont(const LogFont& f) : font(f) {}
    LogFont font;
};

class FakeFontDevice : public FontDevice {
public:
    explicit FakeFontDevice(int dpi) : dpi_(dpi) {}
    int logPixelsY() const override { return dpi_; }
    std::unique_ptr<DeviceFont> createFont(const LogFont& font) override {
        ++made;
        return std::make_unique<MadeFont>(font);
    }
    int made = 0;

private:
    int dpi_;
};

class HintRecorder : public DocumentObserver {
public:
    void onDocumentUpdate(unsigned hint) override { hints.push_back(hint); }
    std::vector<unsigned> take() { return std::exchange(hints, {}); }
    std::vector<unsigned> hints;
};

}  // namespace tovik::label::test
