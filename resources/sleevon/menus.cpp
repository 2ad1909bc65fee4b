// Sleevon's menu bar, its four list pop-ups and its accelerators.
#include "resources/menus.h"

namespace tovik::resources {

namespace {

constexpr MenuItem kSeparator{0, nullptr, nullptr};

// Menu 128, the main window's menu bar.
constexpr MenuItem kPrintMenu[] = {
    {57607, "&Print...\tCtrl+P", "印刷(&P)...\tCtrl+P"},
    {57609, "Print Pre&view", "印刷プレビュー(&V)"},
    {57606, "Print &Setup...", "プリンタの設定(&R)..."},
    {32822, "Print P&osition", "印刷位置(&O)"},
    kSeparator,
    // Saving keeps the print texts and fonts; without it an edited label could not be kept.
    {57603, "&Save\tCtrl+S", "上書き保存(&S)\tCtrl+S"},
    {57604, "Save &As...", "名前を付けて保存(&A)..."},
    kSeparator,
    {57665, "E&xit", "終了(&X)"},
};
constexpr MenuItem kViewMenu[] = {
    {59392, "&Toolbar", "ツール バー(&T)"},
    {59393, "&Status Bar", "ステータス バー(&S)"},
    {32820, "&Format bar", "書式バー(&F)"},
};
constexpr MenuItem kHelpMenu[] = {
    {57667, "&Help Topics", "トピックの検索(&H)"},
    kSeparator,
    {57664, "&About Sleevon...", "バージョン情報(&A)..."},
};
constexpr MenuItem kMainMenu[] = {
    {0, "&Print", "印刷(&P)", kPrintMenu},
    {0, "&View", "表示(&V)", kViewMenu},
    {0, "&Help", "ヘルプ(&H)", kHelpMenu},
};

// The list views' pop-ups.
constexpr MenuItem kTrackRowMenu[] = {  // 104: a row other than the first is selected
    {32816, "Insert\tIns", "挿入\tIns"},
    {32775, "Edit\tShift+Enter or Click", "編集\tShift+Enter またはクリック"},
    {32774, "Delete\tDel", "削除\tDel"},
    kSeparator,
    {32772, "Font...", "フォント..."},
};
constexpr MenuItem kTitleMenu[] = {  // 105
    {32775, "Edit\tShift+Enter", "編集\tShift+Enter"},
    {32771, "Font...", "フォント..."},
};
constexpr MenuItem kFirstTrackMenu[] = {  // 153: the first row is selected
    {32821, "Insert top\tShift+Ins", "先頭に挿入\tShift+Ins"},
    {32816, "Insert\tIns", "挿入\tIns"},
    {32775, "Edit\tShift+Enter or Click", "編集\tShift+Enter またはクリック"},
    {32774, "Delete\tDel", "削除\tDel"},
    kSeparator,
    {32772, "Font...", "フォント..."},
};
constexpr MenuItem kNoTrackMenu[] = {  // 154: no row selected, or no rows
    {32821, "Insert\tIns", "挿入\tIns"},
    kSeparator,
    {32772, "Font...", "フォント..."},
};
constexpr MenuItem kTrackRowPopup[] = {{0, "Track", "トラック", kTrackRowMenu}};
constexpr MenuItem kTitlePopup[] = {{0, "Title", "タイトル", kTitleMenu}};
constexpr MenuItem kFirstTrackPopup[] = {{0, "Track", "トラック", kFirstTrackMenu}};
constexpr MenuItem kNoTrackPopup[] = {{0, "Track", "トラック", kNoTrackMenu}};

constexpr MenuResource kMenus[] = {
    {128, kMainMenu},
    {104, kTrackRowPopup},
    {105, kTitlePopup},
    {153, kFirstTrackPopup},
    {154, kNoTrackPopup},
};

// Accelerator table 128.
constexpr Accelerator kAccelerators[] = {
    {'P', true, false, 57607},        // print
    {'S', true, false, 57603},        // save
    {VK_DELETE, false, false, 32774}, // delete track name
    {VK_INSERT, false, false, 32816}, // insert track name
    {VK_INSERT, false, true, 32821},  // insert at top
    {VK_RETURN, false, true, 32775},  // edit name
    {VK_TAB, false, false, 32776},    // switch list
    {VK_F1, false, false, 57670},     // help
    {VK_F1, false, true, 57669},      // context help
    {VK_F6, false, false, 57680},     // next pane
    {VK_F6, false, true, 57681},      // previous pane
};

}  // namespace

const MenuResource* sleevonMenu(unsigned id) {
    for (const MenuResource& menu : kMenus)
        if (menu.id == id) return &menu;
    return nullptr;
}

std::span<const Accelerator> sleevonAccelerators() { return kAccelerators; }

}  // namespace tovik::resources
