#include "app/PaneRegistry.h"

#include "instruments/marlune1DChild.h"
#include "instruments/ui/crtezAnalog.h"
#include "signal/SignalKind.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneJoinChild.h"
#include "tree/marluneMDIChild.h"
#include "views/ui/TJoinWindow.h"
#include "views/ui/ScrolledSignalPane.h"
#include "views/ui/TSigWindow.h"
#include "views/ui/crtez.h"

PaneRegistry::PaneRegistry()
{
    add(
        SignalKind::isSignalWindow,
        [](marluneChild& child) -> QWidget* { return new TSigWindow(*signalWindowOf(&child)); }, std::nullopt,
        [](marluneChild& child) -> QWidget* { return new ScrolledSignalPane(*signalWindowOf(&child)); });
    add(SignalKind::isOverlay, [](marluneChild& child) -> QWidget* {
        auto* overlay = dynamic_cast<marluneJoinChild*>(&child);
        return overlay ? new TJoinWindow(*overlay) : nullptr;
    });
    add(SignalKind::is3D, [](marluneChild& child) -> QWidget* {
        marlune3DChild* window = threeDWindowOf(&child);
        return window ? new crtez(*window) : nullptr;
    });
    add(
        SignalKind::isInstrument,
        [](marluneChild& child) -> QWidget* {
            auto* instrument = dynamic_cast<marlune1DChild*>(&child);
            return instrument ? new crtezAnalog(*instrument) : nullptr;
        },
        QSize(crtezAnalog::Side, crtezAnalog::Side));
}

void PaneRegistry::add(Accepts accepts, Maker maker, std::optional<QSize> size, Maker framed)
{
    entries_.push_back({accepts, std::move(maker), size, std::move(framed)});
}

const PaneRegistry::Entry* PaneRegistry::entryOf(const marluneChild& child) const
{
    for (const Entry& entry : entries_)
        if (entry.accepts(child.kind()))
            return &entry;
    return nullptr;
}

std::optional<QSize> PaneRegistry::initialSize(const marluneChild& child) const
{
    if (const WindowKind* kind = child.kindEntry(); kind && kind->paneSize)
        return QSize(kind->paneSize->width, kind->paneSize->height);
    const Entry* entry = entryOf(child);
    return entry ? entry->size : std::nullopt;
}

QWidget* PaneRegistry::make(marluneChild& child) const
{
    const Entry* entry = entryOf(child);
    return entry ? entry->maker(child) : nullptr;
}

QWidget* PaneRegistry::makeFramed(marluneChild& child) const
{
    const Entry* entry = entryOf(child);
    if (!entry)
        return nullptr;
    return entry->framed ? entry->framed(child) : entry->maker(child);
}
