#pragma once
// Menu and accelerator resources. A menu's structure and ids are the same in both languages; each
// item carries its English and its Japanese text. In a text, '&' marks the mnemonic and a tab
// separates the shortcut shown at the right.

#include <span>

#include "platform/strings.h"

namespace tovik::resources {

struct MenuItem {
    unsigned id;           // the command; 0 for a separator or a pop-up
    const char* english;   // nullptr for a separator
    const char* japanese;
    std::span<const MenuItem> popup = {};  // the items of a pop-up

    bool isSeparator() const { return english == nullptr; }
    const char* text(Language language) const {
        return language == Language::Japanese ? japanese : english;
    }
};

// A menu bar, or a pop-up menu resource whose first pop-up is the one shown.
struct MenuResource {
    unsigned id;
    std::span<const MenuItem> items;
};

// Keys as the system names them (virtual-key codes).
enum VirtualKey : unsigned {
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_F1 = 0x70,
    VK_F6 = 0x75,
    VK_F10 = 0x79,
};

struct Accelerator {
    unsigned key;  // a VirtualKey, or an upper-case letter
    bool control;
    bool shift;
    unsigned command;
};

// Sleevon's menus (128, 104, 105, 153, 154); nullptr for any other id.
const MenuResource* sleevonMenu(unsigned id);
// Rotela's editing popup 119; nullptr for any other id.
const MenuResource* rotelaMenu(unsigned id);
// Sleevon's accelerator table 128.
std::span<const Accelerator> sleevonAccelerators();

}  // namespace tovik::resources
