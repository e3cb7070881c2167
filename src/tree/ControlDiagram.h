#pragma once
// The picture of the window tree the control window draws.
#include <cstdint>
#include <string>
#include <vector>

#include "base/Rgb.h"

class marluneChild;
class marluneMDIClient;

// One window in the control window's diagram: its icon and the label below it.
struct SigIco {
    marluneChild* window;
    int x;  // top-left corner
    int y;
    int32_t resource;  // 0: no icon
    std::string label;
};

// An icon per window, laid out by depth from left to right, each subtree in a band as high as its leaves
// need, and the lines from parents to children.
class ControlDiagram {
public:
    static constexpr int BandHeight = 70;    // pixels per leaf
    static constexpr int ColumnWidth = 140;  // pixels per level of depth
    static constexpr int IconSize = 32;
    static constexpr std::size_t LabelLength = 16;

    struct Line {
        int x1, y1, x2, y2;
        Rgb colour;
        bool dotted;  // the child is not linked
    };

    // Lays out every registered window of the client.
    explicit ControlDiagram(const marluneMDIClient& client);

    // In the order of the client's table.
    const std::vector<SigIco>& icons() const { return icons_; }
    std::vector<Line> lines() const;
    // The icon under the point (x < px ≤ x + 32, y < py ≤ y + 32); null when none is.
    const SigIco* hit(int px, int py) const;
    // The size the drawing needs.
    int width() const;
    int height() const;

    // The icon resource of a window in the diagram: its kind's control-window icon, else its own.
    static int32_t iconOf(const marluneChild& window);
    // "%i %s": the window's number and the detail of its kind, or the user's title (30 characters);
    // cut to 16 characters with "..." appended.
    static std::string labelOf(const marluneChild& window);

private:
    // Counted once per window and kept by slot, as every ancestor's band asks for it again.
    int leaves(const marluneChild& window);
    void place(const marluneChild& window, int depth, int from, int to);
    const SigIco* iconFor(const marluneChild* window) const;

    std::vector<int> leaves_;       // by slot; 0 while not counted
    std::vector<int> iconBySlot_;   // index into icons_, by slot
    std::vector<SigIco> icons_;
};
