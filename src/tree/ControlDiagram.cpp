#include "tree/ControlDiagram.h"

#include <algorithm>

#include "base/FormatText.h"
#include "signal/SignalKind.h"
#include "tree/marluneChild.h"
#include "tree/marluneMDIClient.h"

namespace {
// Children drawn below a window: those whose primary parent it is. A window being made is linked
// before it takes its slot; it is drawn once it has one.
std::vector<const marluneChild*> drawnChildren(const marluneChild& window)
{
    std::vector<const marluneChild*> children;
    for (const marluneChild* child : window.children())
        if (child && child->parent() == &window && child->index() >= 0)
            children.push_back(child);
    return children;
}

// The colours of an overlay's lines from its parents, by the parent's place.
constexpr Rgb OverlayColours[] = {{255, 0, 0},   {0, 0, 0},     {0, 0, 255},     {0, 255, 0},
                                  {255, 255, 0}, {255, 0, 255}, {128, 128, 128}, {0, 255, 255}};

std::string detailOf(const marluneChild& window)
{
    const WindowKind* entry = window.kindEntry();
    return entry && entry->controlDetail ? entry->controlDetail(window) : std::string();
}
}  // namespace

ControlDiagram::ControlDiagram(const marluneMDIClient& client)
    : leaves_(std::size_t(client.highestIndex() + 1), 0), iconBySlot_(leaves_.size(), -1)
{
    int y = 1;
    for (int i = 0; i <= client.highestIndex(); ++i)
        if (const marluneChild* window = client.window(i); window && window->isRoot()) {
            const int band = leaves(*window) * BandHeight;
            place(*window, 1, y, y + band);
            y += band;
        }
    std::sort(icons_.begin(), icons_.end(), [](const SigIco& a, const SigIco& b) { return a.window->index() < b.window->index(); });
    for (std::size_t i = 0; i < icons_.size(); ++i)
        iconBySlot_[std::size_t(icons_[i].window->index())] = int(i);
}

int ControlDiagram::leaves(const marluneChild& window)
{
    int& count = leaves_[std::size_t(window.index())];
    if (count == 0) {
        for (const marluneChild* child : drawnChildren(window))
            count += leaves(*child);
        count = std::max(count, 1);
    }
    return count;
}

void ControlDiagram::place(const marluneChild& window, int depth, int from, int to)
{
    int c = from;
    for (const marluneChild* child : drawnChildren(window)) {
        const int next = c + leaves(*child) * BandHeight;
        place(*child, depth + 1, c, next - 1);
        c = next;
    }
    icons_.push_back({const_cast<marluneChild*>(&window), depth * ColumnWidth - 110, from + (to - from + 1) / 2,
                      iconOf(window), labelOf(window)});
}

const SigIco* ControlDiagram::iconFor(const marluneChild* window) const
{
    const int slot = window ? window->index() : -1;
    if (slot < 0 || std::size_t(slot) >= iconBySlot_.size() || iconBySlot_[std::size_t(slot)] < 0)
        return nullptr;
    return &icons_[std::size_t(iconBySlot_[std::size_t(slot)])];
}

std::vector<ControlDiagram::Line> ControlDiagram::lines() const
{
    std::vector<Line> lines;
    for (const SigIco& icon : icons_) {
        const auto& parents = icon.window->parents();
        const WindowKind* entry = icon.window->kindEntry();
        const bool coloured = entry && entry->linesInCurveColours;
        for (std::size_t j = 0; j < parents.size(); ++j) {
            const SigIco* from = iconFor(parents[j]);
            if (!from)
                continue;
            const Rgb colour = coloured ? OverlayColours[j % 8] : OverlayColours[0];
            lines.push_back({from->x + IconSize, from->y + IconSize / 2, icon.x, icon.y + IconSize / 2, colour,
                             !icon.window->linked()});
        }
    }
    return lines;
}

const SigIco* ControlDiagram::hit(int px, int py) const
{
    for (const SigIco& icon : icons_)
        if (icon.x < px && px <= icon.x + IconSize && icon.y < py && py <= icon.y + IconSize)
            return &icon;
    return nullptr;
}

int ControlDiagram::width() const
{
    int right = 0;
    for (const SigIco& icon : icons_)
        right = std::max(right, icon.x + ColumnWidth);
    return right;
}

int ControlDiagram::height() const
{
    int bottom = 0;
    for (const SigIco& icon : icons_)
        bottom = std::max(bottom, icon.y + BandHeight);
    return bottom;
}

int32_t ControlDiagram::iconOf(const marluneChild& window)
{
    const WindowKind* entry = window.kindEntry();
    return entry && entry->controlIcon != 0 ? entry->controlIcon : window.icon();
}

std::string ControlDiagram::labelOf(const marluneChild& window)
{
    std::string label = window.titleSetByUser() ? window.title().substr(0, 30)
                                                : formatText("%i %s", window.index() + 1, detailOf(window).c_str());
    if (label.size() > LabelLength)
        label = label.substr(0, LabelLength) + "...";
    return label;
}
