#pragma once
// The main menu, its accelerators and the help page of each menu.
#include <string>
#include <vector>

// One entry of the main menu: a command, a submenu (children, id 0) or a separator (empty label).
struct MenuItem {
    std::string label;
    int id = 0;
    // Key sequence in Qt's portable text form ("Ctrl+C"); empty when the item has no accelerator.
    std::string shortcut;
    // Status-bar hint shown while the item is highlighted.
    std::string hint;
    std::vector<MenuItem> children;

    bool isSeparator() const { return label.empty(); }
    bool isSubmenu() const { return !children.empty(); }
};

// A menu of the menu bar; `helpPage` is the help file that describes its commands.
struct TopMenu {
    std::string title;
    std::string helpPage;
    std::vector<MenuItem> items;
};

// An accelerator that has no menu item of its own.
struct Accelerator {
    int id = 0;
    std::string shortcut;
};

// The menu bar as data: the frame builds its menus from it and the tests read it.
namespace MenuTree {
// The submenus that list the custom tools after "&From file..." and a separator.
constexpr const char* ToolMenuLabel = "&Use custom tool";
// The submenu that lists the recent files and workspaces above its "&Clear the list".
constexpr const char* RecentMenuLabel = "&Recent files";
const std::vector<TopMenu>& menus();
const std::vector<Accelerator>& extraAccelerators();
// The help page that describes the keys without menu items.
inline constexpr const char* KeysHelpPage = "keys.html";
// The first item with this command number anywhere in the tree, or null.
const MenuItem* find(int id);
// The help page of the menu that holds the command; the keys page for accelerators; empty otherwise.
std::string helpPageOf(int id);
// Every command item of the tree in menu order, submenus included.
std::vector<const MenuItem*> commandItems();
}  // namespace MenuTree
