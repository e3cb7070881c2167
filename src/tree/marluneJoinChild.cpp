#include "tree/marluneJoinChild.h"

#include <algorithm>
#include <cmath>

#include "base/FormatText.h"
#include "base/UiServices.h"
#include "settings/BoundKeys.h"
#include "settings/TIniHelper.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/WorkspaceSection.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/YAxisForm.h"

namespace {
constexpr int32_t OverlayIcon = 23346;
constexpr int32_t StackedIcon = 21345;


std::vector<marluneMDIChild*> signalParents(const WorkspaceSection& section)
{
    std::vector<marluneMDIChild*> windows;
    const int count = section.ini.readInt(section.name, "ParentCount");
    for (int i = 1; i <= count; ++i) {
        marluneMDIChild* signal =
            signalWindowOf(section.made(section.ini.readText(section.name, "Parent_" + std::to_string(i))));
        if (!signal)
            return {};
        windows.push_back(signal);
    }
    return windows;
}

WindowKind entryOf(int32_t kind, int32_t icon)
{
    return {
        .kind = kind,
        .icon = icon,
        .load = [kind](const WorkspaceSection& section, marluneChild*) -> marluneChild* {
            const std::vector<marluneMDIChild*> windows = signalParents(section);
            return windows.empty() ? nullptr : marluneJoinChild::create(section.client, windows, kind);
        },
        .linesInCurveColours = kind == SignalKind::Overlay,
    };
}

const WindowKind Kinds[] = {entryOf(SignalKind::Overlay, OverlayIcon),
                            entryOf(SignalKind::StackedOverlay, StackedIcon)};
}  // namespace

std::span<const WindowKind> marluneJoinChild::kinds()
{
    return Kinds;
}

marluneJoinChild* marluneJoinChild::create(marluneMDIClient& client, const std::vector<marluneMDIChild*>& windows,
                                           int32_t kind)
{
    if (windows.empty())
        return nullptr;
    auto window = std::make_unique<marluneJoinChild>(client, kind, client.nextCreationNumber());
    window->setCaption(titleOf(window->number_, {windows.begin(), windows.end()}));
    window->attachToParents({windows.begin(), windows.end()});
    window->fitYRange();
    return client.addWindow(std::move(window));
}

marluneJoinChild::marluneJoinChild(marluneMDIClient& client, int32_t kind, unsigned number)
    : marluneChild(client, kind), number_(number)
{
}

std::span<const int> marluneJoinChild::refusedCommands()
{
    static constexpr int Refused[] = {
        Cmd::Close,      Cmd::SaveSignal,  Cmd::SaveSignalAs,     Cmd::ZoomIn,    Cmd::ZoomOut,
        Cmd::StepDown,   Cmd::StepUp,      Cmd::StepChange,       Cmd::ExtractSelection, Cmd::ZoomPow2,
        Cmd::RulerSampleUnits, Cmd::Generator, Cmd::Properties,   Cmd::ReplaceSignal, Cmd::Copy,
        Cmd::Cut,        Cmd::Paste,       Cmd::FillMean,         Cmd::FillZero,
    };
    return Refused;
}

bool marluneJoinChild::refuses(int id) const
{
    const std::span<const int> refused = refusedCommands();
    return std::find(refused.begin(), refused.end(), id) != refused.end() || client().kinds().makesWindow(id);
}

bool marluneJoinChild::stacked() const
{
    return kind() == SignalKind::StackedOverlay;
}

std::vector<marluneMDIChild*> marluneJoinChild::parentSignals() const
{
    std::vector<marluneMDIChild*> windows;
    for (marluneChild* parent : parents())
        windows.push_back(signalWindowOf(parent));
    return windows;
}

marluneMDIChild* marluneJoinChild::mainSignal() const
{
    return signalWindowOf(parent());
}

void marluneJoinChild::showStatusBar() const
{
    if (const marluneMDIChild* main = mainSignal(); main && main->showsSamples())
        main->showStatusBar();
}

void marluneJoinChild::setYRange(float max, float min)
{
    yMax_ = max;
    yMin_ = min;
}

void marluneJoinChild::fitYRange()
{
    bool any = false;
    float max = 0;
    float min = 0;
    for (const marluneMDIChild* window : parentSignals()) {
        const Signal* signal = window ? window->signal() : nullptr;
        // A parent without a usable range (nothing computed yet, NaN samples) does not stretch the others'.
        if (!signal || !std::isfinite(signal->yMax()) || !std::isfinite(signal->yMin()))
            continue;
        max = any ? std::max(max, signal->yMax()) : signal->yMax();
        min = any ? std::min(min, signal->yMin()) : signal->yMin();
        any = true;
    }
    if (any)
        setYRange(max, min);
}

std::string marluneJoinChild::titleOf(unsigned number, const std::vector<marluneChild*>& parents)
{
    std::string caption = formatText(" %u#Overlay (", number);
    for (const marluneChild* parent : parents)
        caption += " " + (parent->titleSetByUser() ? parent->title() : std::to_string(parent->index() + 1)) + " ";
    return caption + ")";
}

void marluneJoinChild::updateTitle()
{
    if (!titleSetByUser())
        setCaption(titleOf(number_, parents()));
}

bool marluneJoinChild::recomputeFromParents()
{
    if (!display_.fixedRange)
        fitYRange();
    return true;
}

void marluneJoinChild::parentsChanged()
{
    if (!display_.fixedRange)
        fitYRange();
    updateTitle();
    client().treeChanged();
    repaint();
}

void marluneJoinChild::switchForm()
{
    setKind(stacked() ? SignalKind::Overlay : SignalKind::StackedOverlay);
    parentsChanged();
    // The frame shows the form's icon beside the title, which the person may have fixed.
    announce({ChildChange::Caption});
}

bool marluneJoinChild::shows(const marluneChild& window) const
{
    return std::find(parents().begin(), parents().end(), &window) != parents().end();
}

void marluneJoinChild::addSignal(marluneMDIChild& signal)
{
    if (shows(signal) || &signal == static_cast<marluneChild*>(this))
        return;
    addParent(signal);
    parentsChanged();
}

void marluneJoinChild::removeSignal(std::size_t position)
{
    if (position >= parents().size())
        return;
    marluneChild& parent = *parents()[position];
    dropParent(parent);
    if (parents().empty()) {
        client().closeWindow(this);
        return;
    }
    parentsChanged();
}

void marluneJoinChild::parentClosed(marluneChild* parent)
{
    const auto& list = parents();
    const auto found = std::find(list.begin(), list.end(), parent);
    if (found != list.end())
        removeSignal(std::size_t(found - list.begin()));
}

void marluneJoinChild::rotate()
{
    rotateParents();
    parentsChanged();
}

const CommandRow<marluneJoinChild> marluneJoinChild::Rows[] = {
    {ShowInOneSystem, [](const marluneJoinChild& w) { return std::optional(CommandState{true, !w.stacked()}); },
     [](marluneJoinChild& w) { w.switchForm(); }},
    {Cmd::OverlayS, nullptr, [](marluneJoinChild& w) { w.switchForm(); }},
    {Cmd::OverlayZ, nullptr, [](marluneJoinChild& w) { w.rotate(); }},
    {Cmd::AxesSettings, nullptr, [](marluneJoinChild& w) { w.axesSettings(); }},
};

const CommandTable<marluneJoinChild> marluneJoinChild::Table{"overlay", Rows};

std::optional<CommandState> marluneJoinChild::commandState(int id) const
{
    if (refuses(id))
        return CommandState{false};
    if (id >= AddSignalBase && id < RemoveSignalBase) {
        const marluneMDIChild* candidate = signalWindowOf(client().window(id - AddSignalBase));
        return CommandState{candidate && !shows(*candidate)};
    }
    if (id >= RemoveSignalBase && id < RemoveSignalEnd)
        return CommandState{std::size_t(id - RemoveSignalBase) < parents().size()};
    if (auto state = Table.state(*this, id))
        return state;
    return marluneChild::commandState(id);
}

bool marluneJoinChild::command(int id)
{
    if (refuses(id))
        return true;
    if (id >= AddSignalBase && id < RemoveSignalBase) {
        if (marluneMDIChild* signal = signalWindowOf(client().window(id - AddSignalBase)))
            addSignal(*signal);
        return true;
    }
    if (id >= RemoveSignalBase && id < RemoveSignalEnd) {
        removeSignal(std::size_t(id - RemoveSignalBase));
        return true;
    }
    return Table.run(*this, id) || marluneChild::command(id);
}

void marluneJoinChild::axesSettings()
{
    // The dialog edits the overlay's own range, which both forms draw with while it is fixed.
    const auto previewRange = [this](float max, float min) {
        setYRange(max, min);
        repaint();
    };
    YAxisForm::run(client().ui(), display_, yMax_, yMin_, previewRange, [this] { repaint(); });
}

const BoundKey<marluneJoinChild> marluneJoinChild::Keys[] = {
    {"OriginalUnits", KeyFormat::Int, [](const marluneJoinChild& w) { return keyNumber(w.originalUnits_); },
     [](marluneJoinChild& w, const KeyValue& v) { w.originalUnits_ = intOf(v); }},
    {"XLabel", KeyFormat::Text, [](const marluneJoinChild& w) { return keyText(w.display_.xLabel); },
     [](marluneJoinChild& w, const KeyValue& v) { w.display_.xLabel = textOf(v); }},
    {"YLabel", KeyFormat::Text, [](const marluneJoinChild& w) { return keyText(w.display_.yLabel); },
     [](marluneJoinChild& w, const KeyValue& v) { w.display_.yLabel = textOf(v); }},
    {"FixedMinMax", KeyFormat::Int, [](const marluneJoinChild& w) { return keyNumber(w.display_.fixedRange); },
     [](marluneJoinChild& w, const KeyValue& v) { w.display_.fixedRange = intOf(v) != 0; }},
    // A range read back only where it was fixed; otherwise the one fitted to the parents stays.
    {"MaximumY", KeyFormat::Extended, [](const marluneJoinChild& w) { return keyNumber(w.yMax_); },
     [](marluneJoinChild& w, const KeyValue& v) {
         if (w.display_.fixedRange)
             w.setYRange(float(numberOf(v)), w.yMin_);
     }},
    {"MinimumY", KeyFormat::Extended, [](const marluneJoinChild& w) { return keyNumber(w.yMin_); },
     [](marluneJoinChild& w, const KeyValue& v) {
         if (w.display_.fixedRange)
             w.setYRange(w.yMax_, float(numberOf(v)));
     }},
    {"LogXAxis", KeyFormat::Int, [](const marluneJoinChild& w) { return keyNumber(w.display_.logX); },
     [](marluneJoinChild& w, const KeyValue& v) { w.display_.logX = intOf(v) != 0; }},
    {"DrawAxes", KeyFormat::Int, [](const marluneJoinChild& w) { return keyNumber(w.display_.axes); },
     [](marluneJoinChild& w, const KeyValue& v) { w.display_.axes = intOf(v) != 0; }},
    // The loader makes the overlay from its parents, so these are written only.
    {"ParentCount", KeyFormat::Int, [](const marluneJoinChild& w) { return keyNumber(w.parents().size()); }},
    // Windows of several parents name them all with the common keys; a single parent is named here.
    {"Parent_1", KeyFormat::Text,
     [](const marluneJoinChild& w) {
         return w.parents().size() == 1 ? keyText("Window_" + std::to_string(w.parent()->index()))
                                        : std::nullopt;
     }},
};

void marluneJoinChild::saveKindKeys(TIniHelper& ini, const std::string& section) const
{
    writeBoundKeys<marluneJoinChild>(ini, section, Keys, *this);
}

void marluneJoinChild::loadKindKeys(const TIniHelper& ini, const std::string& section)
{
    readBoundKeys<marluneJoinChild>(ini, section, Keys, *this);
}
