#include "tree/ControlDiagram.h"

#include <algorithm>
#include <filesystem>

#include "base/FormatText.h"
#include "signal/FILTSignal.h"
#include "signal/SignalKind.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"
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

std::string titleAfterHash(const marluneChild& window)
{
    const std::string title = window.title();
    const std::size_t hash = title.find('#');
    return hash == std::string::npos ? title : title.substr(hash + 1);
}

std::string detailOf(const marluneChild& window)
{
    const int32_t kind = window.kind();
    const marluneMDIChild* signalWindow = signalWindowOf(&window);
    const Signal* signal = signalWindow ? signalWindow->signal() : nullptr;
    switch (kind) {
    case 11:
    case 15:
    case 17:
    case 22:
    case 24:
        return formatText("(%.10s;%lu)", std::filesystem::path(window.fileName()).stem().string().c_str(),
                          (unsigned long)(signal ? signal->visibleCount() : 0));
    case 3: {
        const auto& filtered = static_cast<const FILTSignal&>(*signal);
        return formatText("(%.3Lf;%.3Lf)", filtered.fromFreq, filtered.toFreq);
    }
    case 1:
    case 5:
        return formatText("(%.3Lf;%.3Lf)", signal->xOfIndex(0), signal->xOfIndex(signal->count() - 1));
    case 6:
        return formatText("%s (%lu)", titleAfterHash(window).c_str(), (unsigned long)signal->count());
    case 2:
    case 7:
    case 8:
    case 9:
    case 10:
    case 13:
    case 14:
    case 16:
    case 23:
        return formatText("(%u)", signal ? signal->count() : 0u);
    case 20:
        return "X";
    case 21:
        return "Y";
    case 51: {
        const std::string after = titleAfterHash(window);
        return after.size() > 4 ? after.substr(4) : std::string();
    }
    default:
        break;
    }
    static const std::pair<int32_t, const char*> Instruments[] = {
        {71, "(Mean)"},      {72, "(Deviaton)"}, {73, "(Maximum)"},  {74, "(Minimum)"},     {76, "(Max. pos.)"},
        {77, "(Min. pos.)"}, {78, "(Sum)"},      {81, "(RMS-zero)"}, {82, "(RMS-mean)"},    {83, "(THD)"},
        {84, "(THD+Noise)"}, {85, "(SNR)"}};
    for (const auto& [instrumentKind, text] : Instruments)
        if (kind == instrumentKind)
            return text;
    if (kind == 75)
        return formatText("(Value:%.5LG)", window.parameterValue());
    if (SignalKind::is3D(kind)) {
        const FFTSignal& data = static_cast<const marlune3DChild&>(window).data();
        return formatText("(%ux%u)", data.rows(), data.bins());
    }
    return {};
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
                      iconOf(window.kind()), labelOf(window)});
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
        for (std::size_t j = 0; j < parents.size(); ++j) {
            const SigIco* from = iconFor(parents[j]);
            if (!from)
                continue;
            const Rgb colour = icon.window->kind() == SignalKind::Overlay ? OverlayColours[j % 8] : OverlayColours[0];
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

int32_t ControlDiagram::iconOf(int32_t kind)
{
    static const std::pair<int32_t, int32_t> Icons[] = {
        {-4, 21345}, {-3, 23346}, {-2, 20112}, {-1, 109},   {1, 57},     {5, 57},    {2, 56},     {17, 56},
        {3, 60},     {7, 30000},  {8, 22345},  {9, 11001},  {12, 11050}, {13, 17004}, {14, 17005}, {16, 24456},
        {20, 21134}, {21, 21134}, {23, 24457}, {51, 58},    {151, 110},  {152, 27756}, {153, 11002}};
    for (const auto& [k, resource] : Icons)
        if (k == kind)
            return resource;
    if (SignalKind::isInstrument(kind))
        return 17021;
    if (kind == 0 || kind == 4 || kind == 18)
        return 0;
    return 59;
}

std::string ControlDiagram::labelOf(const marluneChild& window)
{
    std::string label = window.titleSetByUser() ? window.title().substr(0, 30)
                                                : formatText("%i %s", window.index() + 1, detailOf(window).c_str());
    if (label.size() > LabelLength)
        label = label.substr(0, LabelLength) + "...";
    return label;
}
