#pragma once
// Stand-ins for the list control and the main window, recording what the behaviour does.
#include <array>
#include <map>
#include <string>
#include <vector>

#include "labeleditor/ui/list_control.h"
#include "labeleditor/ui/main_frame.h"

namespace tovik::label::test {

class FakeListControl : public ListControl {
public:
    struct Row {
        std::string print;
        std::string md;
    };

    int columnCount() const override { return static_cast<int>(headers.size()); }
    void insertColumn(int, const std::string& header, int width) override {
        headers.push_back(header);
        widths.push_back(width);
    }
    int columnWidth(int column) const override { return widths.at(static_cast<std::size_t>(column)); }
    int windowWidth() const override { return width; }
    int rowCount() const override { return static_cast<int>(rows.size()); }
    void deleteAllRows() override { rows.clear(), selected.reset(), focused.reset(); }
    void insertRow(int row, const std::string& text) override {
        rows.insert(rows.begin() + row, Row{text, {}});
        if (selected && *selected >= row) ++*selected;
    }
    void setCellText(int row, int column, const std::string& text) override {
        auto& r = rows.at(static_cast<std::size_t>(row));
        (column == 0 ? r.print : r.md) = text;
    }
    void deleteRow(int row) override {
        rows.erase(rows.begin() + row);
        if (selected == row) selected.reset();
    }
    std::optional<int> selectedRow() const override { return selected; }
    std::optional<int> focusedRow() const override { return focused; }
    void selectAndFocus(int row) override { selected = focused = row; }
    void beginEdit(int row) override {
        selectAndFocus(row);
        editing = row;
    }
    ScreenPoint clientTopLeftOnScreen() const override { return corner; }
    unsigned trackPopupMenu(unsigned menuId, ScreenPoint at) override {
        menus.push_back({menuId, at});
        return menuAnswer;
    }

    std::vector<std::string> headers;
    std::vector<int> widths;
    std::vector<Row> rows;
    std::optional<int> selected;
    std::optional<int> focused;
    std::optional<int> editing;
    int width = 400;
    ScreenPoint corner{300, 200};
    std::vector<std::pair<unsigned, ScreenPoint>> menus;
    unsigned menuAnswer = 0;
};

class FakeFrameWindow : public FrameWindow {
public:
    Pane focusedPane() const override { return focus; }
    void focusPane(Pane pane) override {
        focus = pane;
        focusRequests.push_back(pane);
    }
    bool isBarVisible(unsigned barId) const override { return bars.at(barId); }
    void showBar(unsigned barId, bool visible) override { bars[barId] = visible; }
    WindowRect windowRect() const override { return rect; }
    int previewColumnWidth() const override { return colX; }
    int titleRowHeight() const override { return colY; }
    std::vector<std::uint8_t> saveBarState() const override { return barState; }
    void loadBarState(std::span<const std::uint8_t> state) override { loaded.assign(state.begin(), state.end()); }
    void showHelp(HelpTopic topic) override { help.push_back(topic); }
    void beginContextHelp() override { ++contextHelp; }
    void bringToFront() override { ++fronted; }

    Pane focus = Pane::None;
    std::vector<Pane> focusRequests;
    std::map<unsigned, bool> bars{{59392, true}, {59393, true}, {32820, true}};
    WindowRect rect{10, 20, 700, 500};
    int colX = 300;
    int colY = 90;
    std::vector<std::uint8_t> barState{1, 2, 3};
    std::vector<std::uint8_t> loaded;
    std::vector<HelpTopic> help;
    int contextHelp = 0;
    int fronted = 0;
};

// A view that records the commands it gets and claims the ones it is told to.
class RecordingView : public LabelPreview {
public:
    void OnInitialUpdate() override { ++updates; }
    void OnDestroy() override { ++destroyed; }
    bool onCommand(unsigned id) override {
        commands.push_back(id);
        return handles(id);
    }
    std::optional<CommandState> commandState(unsigned id) const override {
        if (!handles(id)) return std::nullopt;
        return CommandState{};
    }
    bool canPrint() const override { return printable; }
    void print() override { ++prints; }
    void printPreview() override { ++previews; }

    bool handles(unsigned id) const { return std::find(claimed.begin(), claimed.end(), id) != claimed.end(); }
    std::vector<unsigned> claimed;
    std::vector<unsigned> commands;
    bool printable = true;
    int updates = 0, destroyed = 0, prints = 0, previews = 0;
};

}  // namespace tovik::label::test
