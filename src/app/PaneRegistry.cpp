#include "app/PaneRegistry.h"

#include "signal/SignalKind.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"
#include "views/ui/TSigWindow.h"
#include "views/ui/crtez.h"

PaneRegistry::PaneRegistry()
{
    add(SignalKind::isSignalWindow, [](marluneChild& child) -> QWidget* { return new TSigWindow(*signalWindowOf(&child)); });
    add(SignalKind::is3D, [](marluneChild& child) -> QWidget* { return new crtez(static_cast<marlune3DChild&>(child)); });
}

void PaneRegistry::add(Accepts accepts, Maker maker)
{
    entries_.push_back({accepts, std::move(maker)});
}

QWidget* PaneRegistry::make(marluneChild& child) const
{
    for (const Entry& entry : entries_)
        if (entry.accepts(child.kind()))
            return entry.maker(child);
    return nullptr;
}
