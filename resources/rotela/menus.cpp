// Rotela's editing popup (menu 119). Its first pop-up is the one the TOCEDIT button shows.
#include "resources/menus.h"

namespace tovik::resources {

namespace {

constexpr MenuItem kEditItems[] = {
    {32771, "ERASE", "消去"},
    {32772, "ALL ERASE", "全消去"},
    {32773, "MOVE", "移動"},
    {32774, "COMBINE", "結合"},
    {32775, "DIVIDE", "分割"},
    {32779, "Edit Track...", "トラック編集..."},
};
constexpr MenuItem kEditMenu[] = {
    {0, "Edit", "編集", kEditItems},
};
constexpr MenuResource kMenus[] = {
    {119, kEditMenu},
};

}  // namespace

const MenuResource* rotelaMenu(unsigned id) {
    for (const MenuResource& menu : kMenus)
        if (menu.id == id) return &menu;
    return nullptr;
}

}  // namespace tovik::resources
