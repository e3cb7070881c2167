#include "tree/DerivedWindows.h"

#include "base/FormatText.h"
#include "signal/Signal.h"
#include "tree/WindowKinds.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

marluneMDIChild* DerivedWindows::create(marluneMDIClient& client, marluneMDIChild& parent, int32_t kind,
                                        const PendingParameters& parameters)
{
    const unsigned number = client.nextCreationNumber();
    const WindowKind* entry = WindowKinds::find(kind);
    if (!entry || !entry->build)
        return nullptr;
    auto window = std::make_unique<marluneMDIChild>(client, kind, nullptr);
    std::unique_ptr<Signal> signal = entry->build(*window, parent, parameters);
    if (!signal || signal->sampleRate() == 0)
        return nullptr;
    window->setCaption(entry->makeTitle ? entry->makeTitle(*entry, number, parent, *signal)
                                        : formatText(entry->title, number, parent.caption().c_str()));
    window->replaceSignal(std::move(signal));
    if (entry->xLabel) {
        window->setXLabel(entry->xLabel);
    } else {
        window->setXLabel(parent.xLabel());
        window->setYLabel(parent.yLabel());
    }
    window->setCurveColour(entry->colour.value_or(parent.curveColour()));
    window->setIcon(entry->icon);
    window->attachToParents({&parent});
    return static_cast<marluneMDIChild*>(client.addWindow(std::move(window)));
}

RecomputeOutcome DerivedWindows::recompute(marluneMDIChild& window)
{
    const WindowKind* entry = WindowKinds::find(window.kind());
    const marluneMDIChild* parent = signalWindowOf(window.parent());
    if (!entry || !entry->recompute)
        return RecomputeOutcome::Updated;
    if (!parent)
        return RecomputeOutcome::Invalid;
    return entry->recompute(window, *parent->signal());
}

void DerivedWindows::refresh(marluneMDIChild& window)
{
    if (!window.parent())
        return;
    switch (recompute(window)) {
    case RecomputeOutcome::Updated:
        window.setInvalid(false);
        window.updateAfterChange();
        break;
    case RecomputeOutcome::Invalid:
        window.setInvalid(true);
        window.repaint();
        break;
    case RecomputeOutcome::Held:
        break;
    }
}
