#pragma once
// The main menu as plain data: a flat list in which Popup opens a drop-down
// and EndPopup closes it. Qt-free.

#include <cstddef>

enum class MenuEntryKind { Popup, EndPopup, Command, Separator, RecentFiles };

struct MenuEntry {
    MenuEntryKind kind;
    int commandId;     // Command and RecentFiles; 0 otherwise
    const char* text;  // built-in text (UTF-8); an '&' marks the mnemonic
};

struct MenuTemplate {
    int id;
    const MenuEntry* entries;
    std::size_t count;
};

const MenuTemplate* FindMenuTemplate(int id);
