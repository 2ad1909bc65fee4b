#include "labeleditor/ui/list_views.h"

#include "labeleditor/ui/ui_ids.h"
#include "resources/menus.h"

namespace tovik::label {

namespace {

// The text with every "%1" replaced by `value`, as the system formats a one-argument message.
std::string formatArgument(std::string text, const std::string& value) {
    for (std::size_t at = text.find("%1"); at != std::string::npos; at = text.find("%1", at + value.size()))
        text.replace(at, 2, value);
    return text;
}

}  // namespace

// --- both lists ---

void CListViewBase::OnInitialUpdate() {
    if (control_.columnCount() == 0) {
        // First time only: the columns survive every later New and Open.
        const int width = control_.windowWidth();
        const int printWidth = host_.profile().getInt(kSizeSection, columns_.widthValue, width / 2);
        control_.insertColumn(0, host_.strings().text(columns_.printHeader), printWidth);
        control_.insertColumn(1, host_.strings().text(columns_.mdHeader), width - printWidth);
    }
    control_.deleteAllRows();
    fillRows();
}

void CListViewBase::OnDestroy() {
    // A list that never had its columns has no width worth keeping.
    if (control_.columnCount() > 0)
        host_.profile().setInt(kSizeSection, columns_.widthValue, control_.columnWidth(0));
}

void CListViewBase::onEndLabelEdit(int row, const std::optional<std::string>& utf8Text) {
    if (!utf8Text) return;  // cancelled: nothing changes
    auto bytes = host_.codePage().fromUtf8(*utf8Text);
    if (!bytes) return;  // no code-page form: the editor refuses such text as it is typed
    control_.setCellText(row, 0, *utf8Text);
    storeEditedText(row, *bytes);
}

void CListViewBase::onSetFocus() {
    if (!control_.selectedRow() && control_.rowCount() > 0) control_.selectAndFocus(0);
    doc_.SetFontType(fontType());
}

void CListViewBase::onContextMenu(ScreenPoint at) { showPopupMenu(at); }

bool CListViewBase::preTranslateKeyDown(unsigned virtualKey, bool shiftDown) {
    if (virtualKey != resources::VK_F10 || !shiftDown) return false;
    onKeyboardContextMenu();
    return true;
}

void CListViewBase::onKeyboardContextMenu() {
    ScreenPoint corner = control_.clientTopLeftOnScreen();
    showPopupMenu({corner.x + 5, corner.y + 5});
}

void CListViewBase::showPopupMenu(ScreenPoint at) {
    // The chosen command goes through this view, then its document.
    unsigned command = control_.trackPopupMenu(popupMenu(), at);
    if (command != 0 && !onCommand(command)) doc_.onCommand(command);
}

// --- the title list ---

CTytleListView::CTytleListView(Host& host, CSleevonDoc& doc, ListControl& control)
    : CListViewBase(host, doc, control, {IDS_PRINT_TITLE_HEADER, IDS_MD_TITLE_HEADER, "TytleColumnWidth"}) {}

void CTytleListView::fillRows() {
    control_.insertRow(0, toUtf8(doc_.m_strPrintTitle));
    control_.setCellText(0, 1, toUtf8(doc_.m_strMDTitle));
}

void CTytleListView::storeEditedText(int row, const std::string& bytes) {
    if (row == 0) doc_.setPrintTitle(bytes);
}

unsigned CTytleListView::popupMenu() const { return IDR_TITLE_MENU; }

bool CTytleListView::onCommand(unsigned id) {
    if (id != ID_EDIT) return false;
    if (auto row = control_.focusedRow()) control_.beginEdit(*row);
    return true;
}

std::optional<CommandState> CTytleListView::commandState(unsigned id) const {
    if (id == ID_EDIT) return CommandState{};
    return std::nullopt;
}

void CTytleListView::onItemStateChanged() { doc_.SetFontType(FONT_TITLE); }

// --- the track list ---

CTrackListView::CTrackListView(Host& host, CSleevonDoc& doc, ListControl& control)
    : CListViewBase(host, doc, control, {IDS_PRINT_TRACK_HEADER, IDS_MD_TRACK_HEADER, "TrackColumnWidth"}) {}

void CTrackListView::fillRows() {
    // One row per print name; an MD name without a print name at its position gets no row.
    // Each row takes its MD name as it is made: changing a row of a long list afterwards makes
    // the control search all its rows, so a long list would fill in quadratic time.
    const auto& printNames = doc_.m_listPrintTrackName;
    const auto& mdNames = doc_.m_listMDTrackName;
    for (std::size_t i = 0; i < printNames.size(); ++i) {
        control_.insertRow(static_cast<int>(i), toUtf8(printNames[i]));
        if (i < mdNames.size()) control_.setCellText(static_cast<int>(i), 1, toUtf8(mdNames[i]));
    }
}

void CTrackListView::storeEditedText(int row, const std::string& bytes) {
    if (row >= 0) doc_.setPrintTrackName(static_cast<std::size_t>(row), bytes);
}

unsigned CTrackListView::popupMenu() const {
    auto selected = control_.selectedRow();
    if (!selected || control_.rowCount() == 0) return IDR_NO_TRACK_MENU;
    return *selected == 0 ? IDR_FIRST_TRACK_MENU : IDR_TRACK_ROW_MENU;
}

bool CTrackListView::onCommand(unsigned id) {
    switch (id) {
        case ID_TRACK_INSERT_TOP: insertBeforeSelection(); return true;
        case ID_TRACK_INSERT: insertAfterSelection(); return true;
        case ID_TRACK_DELETE: deleteSelection(); return true;
        case ID_EDIT:
            if (auto row = control_.selectedRow()) control_.beginEdit(*row);
            return true;
        default: return false;
    }
}

std::optional<CommandState> CTrackListView::commandState(unsigned id) const {
    if (id == ID_TRACK_INSERT_TOP || id == ID_TRACK_INSERT || id == ID_TRACK_DELETE || id == ID_EDIT)
        return CommandState{};
    return std::nullopt;
}

void CTrackListView::insertBeforeSelection() {
    auto selected = control_.selectedRow();
    insertAt(control_.rowCount() == 0 || !selected ? 0 : *selected);
}

void CTrackListView::insertAfterSelection() {
    const int rows = control_.rowCount();
    auto selected = control_.selectedRow();
    insertAt(rows == 0 ? 0 : selected ? *selected + 1 : rows);
}

void CTrackListView::insertAt(int row) {
    // The rows and the document's lists move in step; a row beyond them would part them.
    if (row < 0 || static_cast<std::size_t>(row) > doc_.m_listPrintTrackName.size()) return;
    doc_.InsertTrack(static_cast<std::size_t>(row));
    doc_.UpdateAllViews(HINT_TRACKNAMES);
    control_.insertRow(row, std::string());
    control_.beginEdit(row);
}

void CTrackListView::deleteSelection() {
    auto selected = control_.selectedRow();
    if (!selected) return;
    std::string name;
    doc_.GetPrintTrackName(static_cast<std::size_t>(*selected), name);
    std::string question = formatArgument(host_.strings().text(IDS_DELETE_TRACK_QUESTION), toUtf8(name));
    if (host_.messageBoxWithDefault(question, Buttons::OkCancel, Icon::Question, DefaultButton::Second) != IDOK)
        return;
    doc_.DeleteTrack(static_cast<std::size_t>(*selected));
    control_.deleteRow(*selected);
    doc_.UpdateAllViews(HINT_TRACKNAMES);
}

}  // namespace tovik::label
