#include "tree/DerivedWindows.h"

#include <new>

#include "base/FormatText.h"
#include "base/NoMoreMemory.h"
#include "base/UiServices.h"
#include "signal/Signal.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

marluneMDIChild* DerivedWindows::create(marluneMDIClient& client, marluneChild& parent, int32_t kind,
                                        const PendingParameters& parameters, const SpectralSettings* spectral)
{
    const unsigned number = client.nextCreationNumber();
    const WindowKind* entry = client.kinds().find(kind);
    if (!entry || !entry->build || !entry->acceptsParent(parent.kind()))
        return nullptr;
    std::unique_ptr<marluneMDIChild> window;
    std::unique_ptr<Signal> signal;
    try {
        window = std::make_unique<marluneMDIChild>(client, kind, nullptr);
        signal = entry->build(*window, parent, parameters, spectral ? *spectral : client.spectralSettings);
    } catch (const std::bad_alloc&) {
        showNoMoreMemory(client.ui());
        return nullptr;
    }
    if (!signal || signal->sampleRate() == 0)
        return nullptr;
    window->setCaption(entry->makeTitle ? entry->makeTitle(*entry, number, parent, *signal)
                                        : formatText(entry->title, number, parent.caption().c_str()));
    window->replaceSignal(std::move(signal));
    // Labels and colour follow a signal parent unless the kind has its own.
    const marluneMDIChild* signalParent = signalWindowOf(&parent);
    if (entry->xLabel) {
        window->setXLabel(entry->xLabel);
    } else if (signalParent) {
        window->setXLabel(signalParent->xLabel());
        window->setYLabel(signalParent->yLabel());
    }
    if (entry->yLabel)
        window->setYLabel(entry->yLabel(*window->signal()));
    if (entry->colour)
        window->setCurveColour(*entry->colour);
    else if (signalParent)
        window->setCurveColour(signalParent->curveColour());
    window->attachToParents({&parent});
    return client.addWindow(std::move(window));
}

marluneChild* DerivedWindows::createChild(marluneMDIClient& client, marluneChild& parent, int32_t kind,
                                          const PendingParameters& parameters, const SpectralSettings* spectral)
{
    const WindowKind* entry = client.kinds().find(kind);
    if (entry && entry->createWindow)
        return entry->acceptsParent(parent.kind()) ? entry->createWindow(client, parent, parameters) : nullptr;
    if (!entry || !entry->makeWindow)
        return create(client, parent, kind, parameters, spectral);
    const unsigned number = client.nextCreationNumber();
    if (!entry->acceptsParent(parent.kind()))
        return nullptr;
    std::unique_ptr<marluneChild> window;
    try {
        window = entry->makeWindow(*entry, client, parent, parameters, number);
    } catch (const std::bad_alloc&) {
        showNoMoreMemory(client.ui());
        return nullptr;
    }
    return client.addWindow(std::move(window));
}

marluneChild* DerivedWindows::createByCommand(marluneChild& parent, const WindowKind& entry, int command)
{
    PendingParameters parameters;
    if (entry.askParameters) {
        marluneChild* parents[] = {&parent};
        std::optional<PendingParameters> asked = entry.askParameters(command, std::span<marluneChild* const>(parents));
        if (!asked)
            return nullptr;
        parameters = std::move(*asked);
    }
    WaitCursor wait(parent.client().ui());
    return createChild(parent.client(), parent, entry.kind, parameters);
}

RecomputeOutcome DerivedWindows::recompute(marluneMDIChild& window)
{
    const WindowKind* entry = window.kindEntry();
    marluneChild* parent = window.parent();
    if (!entry || !entry->recompute)
        return RecomputeOutcome::Updated;
    if (!parent || !entry->acceptsParent(parent->kind()))
        return RecomputeOutcome::Invalid;
    return entry->recompute(window, *parent);
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
