#include "views/MarkerSource.h"

#include "tree/marluneChild.h"

std::vector<Marker> MarkerSource::markersOf(const marluneChild& window)
{
    std::vector<Marker> markers;
    for (const marluneChild* child : window.children()) {
        if (!child || child->kind() < FirstKind || child->kind() > LastKind)
            continue;
        if (const auto* source = dynamic_cast<const MarkerSource*>(child))
            if (auto marker = source->marker())
                markers.push_back(std::move(*marker));
    }
    return markers;
}
