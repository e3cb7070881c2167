#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/MenuTree.h"

namespace {
struct Expected {
    const char* label;
    int id;
    const char* shortcut;
    const char* hint;
};

// The command items of each menu in order, typed from the menu description.
const std::vector<std::pair<std::string, std::vector<Expected>>> ExpectedMenus{
    {"File",
     {{"&Open signal...\tCtrl+O", 24332, "Alt+F", "Opens this signal"},
      {"&Close", 24339, "", "Close this signal"},
      {"Export signal...", 25, "", ""},
      {"Import signal...", 118, "", ""},
      {"Open picture...", 27800, "", "Shows a bitmap or a binary matrix file as a 3D graphic"},
      {"Picture from clipboard", 27801, "", "Shows the picture on the Clipboard as a 3D graphic"},
      {"Export 3D-graphics (XYZ triples)", 127, "", ""},
      {"Export 3D graphics (matrix)", 128, "", ""},
      {"Replace signal with...", 7, "", "Replaces signal with other signal"},
      {"Save signal &As...", 24334, "", "Saves this signal with a new name"},
      {"Save &Workspace...", 130, "", ""},
      {"&Load Workspace...", 131, "", ""},
      {"&Clear the list", 27802, "", ""},
      {"&Window only...", 132, "", ""},
      {"Window and its &subtree...", 138, "", ""},
      {"&From file...", 133, "", ""},
      {"E&xit\tAlt+F4", 24310, "Alt+F4", "Quits MARLUNE"}}},
    {"Data &acquisition",
     {{"Sound card calibration...", 141, "", ""},
      {"&Sound card data acquisition...", 107, "", "Acquisition from your sound card"},
      {"START", 11, "", "Starts acquisition"},
      {"STOP", 12560, "", "Stops acquisition"}}},
    {"&Edit",
     {{"Copy\tCtrl+C", 24323, "Ctrl+C", "Copies the selection and puts it on the Clipboard"},
      {"Cut\tCtrl+X", 24322, "Ctrl+X", "Cuts the selection and puts it on the Clipboard"},
      {"Paste\tCtrl+V", 24324, "Ctrl+V", "Inserts the clipboard contents at the insertion point"},
      {"Copy picture to clipboard", 24342, "", "Copies bitmap of current window to Clipboard"},
      {"Zoom &In", 24329, "", "Zoom selected part"},
      {"Zoom &Out", 24330, "", "Show previous zoom"},
      {"Zoom first ^&2...\tCtrl+2", 24336, "Ctrl+2", "Zoom to power of 2"},
      {"&Extract selection\tCtrl+E", 24335, "Ctrl+E", "Extract selected part of the signal"},
      {"E&xtract from-to...", 24341, "", "Extract part of the signal"},
      {"Axes settings...\tCtrl+A", 8, "Ctrl+A", "Sets range, labels ..."},
      {"&Step change...", 1, "", "Change step for moving trough signals"},
      {"Sample rate change...", 24, "", "Change sample rate of the signal"},
      {"Ruler in \"sample\" units", 3, "", "Units for signal status bar"},
      {"<< Signal beginning", 27663, "", ""},
      {"Signal end >>", 27338, "", ""},
      {"Play signal (no sound)", 30118, "", ""},
      {"Play signal (with sound)", 24901, "", ""},
      {"Stop playing", 12560, "", "Stops acquisition"},
      {"Change window title...", 136, "", ""},
      {"Properties...\tCtrl+P", 6, "Ctrl+P", ""}}},
    {"Signal &tools",
     {{"Spectral analysis defaults ...", 15, "", "Tapering, smoothing, ..."},
      {"&FFT\tCtrl+F", 101, "Ctrl+F", "Spectrum of visible part of the signal"},
      {"Filter...", 104, "", "Bandstop, bandpass, lowpass, highpass  filters"},
      {"Smoothing...", 16, "", ""},
      {"Remove linear trend", 17, "", ""},
      {"Remove peaks...", 18, "", ""},
      {"Peak hold", 26, "", ""},
      {"Averager", 21, "", ""},
      {"&Time FFT...\tCtrl+T", 106, "Ctrl+T", "Perform Time FFT"},
      {"Spectrogram...", 126, "", ""},
      {"3D signal log... ", 108, "", "Log signal changes as 3D graphic"},
      {"&From file...", 133, "", ""},
      {"At... (with marker)", 114, "", ""},
      {"Mean", 110, "", ""},
      {"Sum", 115, "", ""},
      {"Standard deviation", 111, "", ""},
      {"RMS - normalized", 135, "", "RMS - relative to mean of the signal"},
      {"RMS", 134, "", "RMS - relative to 0"},
      {"Maximum (with marker)", 112, "", ""},
      {"Minimum (with marker)", 113, "", ""},
      {"Maximum position (with marker)", 116, "", ""},
      {"Minimum position (with marker)", 117, "", ""},
      {"Sum 3D over frequency range...", 119, "", ""},
      {"Log instrument values...", 109, "", "Log changes of instrument values"},
      {"Signal &generator...", 5, "", "Generate standard wave signals"},
      {"Signal &calculator...", 2, "Ctrl+Q", "Perform various calculations with signals"}}},
    {"&3D tools",
     {{"&Spectrogram view\tF3", 1005, "", "Show 3D graphic from above"},
      {"&Ruler\tTAB", 81, "", "Turn the rulers on"},
      {"&Mesh view\tF2", 80, "", "Show 3D with colored grid"},
      {"&Adjust Z-axis", 1015, "", "Adjust Z-axis values"},
      {"Low frequencies at the &bottom", 1016, "", "Draw the spectrogram with its frequency axis rising upwards"},
      {"&Time FFT statistics...", 12, "", "perform statistic on Time-FFT graphic"},
      {"Extract X-ruler", 9, "", "Show X-ruler as separate signal"},
      {"Extract Y-ruler", 10, "", "Show Y-ruler as separate signal"},
      {"Invert colors", 23, "", "Invert colors of the 3D-graphic"},
      {"Gray", 124, "", ""},
      {"HSV", 123, "", ""},
      {"Blue", 120, "", ""},
      {"Copper", 122, "", ""},
      {"Hot", 121, "", ""},
      {"White", 125, "", ""}}},
    {"S&ystem control",
     {{"&Link window to parent", 102, "Alt+L", "Link window with his parent"},
      {"&Unlink window from parent", 103, "Alt+U", "Remove link"},
      {"Merge signals parallel", 1999, "", "Overlay more signals into one window (parallel view)"},
      {"Merge signals together", 22, "", "Overlay more signals into one window"},
      {"Control &window\tCtrl+W", 4, "Ctrl+W", "Show main control window"}}},
    {"&Window",
     {{"&Cascade", 24361, "", ""},
      {"&Tile", 24362, "", ""},
      {"Arrange &Icons", 24364, "", ""},
      {"C&lose All", 24365, "", ""}}},
    {"&Help",
     {{"&Contents...", 2001, "", "Help table of contents"},
      {"Examples...", 2003, "", ""},
      {"Marlune online...", 2005, "", ""},
      {"&About...", 2009, "", "About the Marlune application"}}},
};

void collect(const std::vector<MenuItem>& items, std::vector<const MenuItem*>& out)
{
    for (const MenuItem& item : items) {
        if (item.isSubmenu())
            collect(item.children, out);
        else if (!item.isSeparator())
            out.push_back(&item);
    }
}

const MenuItem* submenu(const std::vector<MenuItem>& items, const std::string& label)
{
    for (const MenuItem& item : items)
        if (item.isSubmenu() && item.label == label)
            return &item;
    return nullptr;
}
}  // namespace

TEST(MenuTree, EveryMenuHoldsItsCommandsInOrder)
{
    const auto& menus = MenuTree::menus();
    ASSERT_EQ(menus.size(), ExpectedMenus.size());
    for (std::size_t m = 0; m < menus.size(); ++m) {
        SCOPED_TRACE(ExpectedMenus[m].first);
        EXPECT_EQ(menus[m].title, ExpectedMenus[m].first);
        std::vector<const MenuItem*> items;
        collect(menus[m].items, items);
        const auto& expected = ExpectedMenus[m].second;
        ASSERT_EQ(items.size(), expected.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i]->label, expected[i].label);
            EXPECT_EQ(items[i]->id, expected[i].id) << expected[i].label;
            EXPECT_EQ(items[i]->shortcut, expected[i].shortcut) << expected[i].label;
            EXPECT_EQ(items[i]->hint, expected[i].hint) << expected[i].label;
        }
    }
}

TEST(MenuTree, ZoomToPowerOfTwoIsFoundWithItsAcceleratorAndHint)
{
    const MenuItem* item = MenuTree::find(24336);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->label, "Zoom first ^&2...\tCtrl+2");
    EXPECT_EQ(item->shortcut, "Ctrl+2");
    EXPECT_EQ(item->hint, "Zoom to power of 2");
    EXPECT_EQ(MenuTree::find(424242), nullptr);
}

TEST(MenuTree, BothCustomToolMenusShowTheSameItems)
{
    const MenuItem* inFile = submenu(MenuTree::menus()[0].items, "&Use custom tool");
    const MenuItem* inTools = submenu(MenuTree::menus()[3].items, "&Use custom tool");
    ASSERT_NE(inFile, nullptr);
    ASSERT_NE(inTools, nullptr);
    ASSERT_EQ(inFile->children.size(), inTools->children.size());
    for (std::size_t i = 0; i < inFile->children.size(); ++i) {
        EXPECT_EQ(inFile->children[i].label, inTools->children[i].label);
        EXPECT_EQ(inFile->children[i].id, inTools->children[i].id);
    }
}

TEST(MenuTree, KeysWithoutMenuItems)
{
    std::set<std::pair<int, std::string>> keys;
    for (const Accelerator& key : MenuTree::extraAccelerators())
        keys.insert({key.id, key.shortcut});
    const std::set<std::pair<int, std::string>> expected{
        {23581, "Alt+Up"}, {23580, "Alt+Down"}, {60, "Ctrl+M"},         {61, "Ctrl+0"},
        {62, "Ctrl+Z"},    {24325, "Ctrl+S"},   {24321, "Alt+Backspace"}, {24326, "Ctrl+Del"},
        {24332, "Ctrl+O"},
    };
    EXPECT_EQ(keys, expected);
}

TEST(MenuTree, HelpPagesFollowTheMenus)
{
    EXPECT_EQ(MenuTree::helpPageOf(24336), "edit.html");
    EXPECT_EQ(MenuTree::helpPageOf(24332), "file.html");
    EXPECT_EQ(MenuTree::helpPageOf(120), "tools3d.html");
    EXPECT_EQ(MenuTree::helpPageOf(23581), "keys.html");
    EXPECT_EQ(MenuTree::helpPageOf(424242), "");
}

TEST(MenuTree, EveryCommandHasAHelpTopic)
{
    const std::string folder = std::string(MARLUNE_SOURCE_DIR) + "/resources/help/";
    std::vector<int> ids;
    for (const MenuItem* item : MenuTree::commandItems())
        ids.push_back(item->id);
    for (const Accelerator& key : MenuTree::extraAccelerators())
        ids.push_back(key.id);
    for (const int id : ids) {
        std::ifstream page(folder + MenuTree::helpPageOf(id));
        ASSERT_TRUE(page) << MenuTree::helpPageOf(id);
        std::stringstream text;
        text << page.rdbuf();
        EXPECT_NE(text.str().find("<a name=\"" + std::to_string(id) + "\">"), std::string::npos)
            << "no topic " << id << " in " << MenuTree::helpPageOf(id);
    }
}

// Every link of the help pages leads to a page that is there.
TEST(MenuTree, EveryHelpLinkLeadsToAPage)
{
    const std::filesystem::path folder = std::filesystem::path(MARLUNE_SOURCE_DIR) / "resources" / "help";
    const std::regex link("href=\"([^\"#]+)");
    int links = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream page(entry.path());
        std::stringstream text;
        text << page.rdbuf();
        const std::string html = text.str();
        for (auto it = std::sregex_iterator(html.begin(), html.end(), link); it != std::sregex_iterator(); ++it) {
            if ((*it)[1].str().find(':') != std::string::npos)
                continue;  // another site's address
            ++links;
            EXPECT_TRUE(std::filesystem::exists(folder / (*it)[1].str()))
                << entry.path().filename() << " links to " << (*it)[1].str();
        }
    }
    EXPECT_GT(links, 20);
}
