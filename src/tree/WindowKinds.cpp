#include "tree/WindowKinds.h"

#include <algorithm>
#include <deque>

#include "tree/CalcWindows.h"
#include "tree/DerivedSignalKinds.h"
#include "tree/GeneratorCommand.h"
#include "tree/ThreeDKinds.h"
#include "tree/marluneJoinChild.h"

namespace {
std::deque<WindowKind>& table()
{
    static std::deque<WindowKind> entries = [] {
        const auto own = derivedSignalKinds();
        std::deque<WindowKind> all(own.begin(), own.end());
        all.push_back(CalcWindows::kind());
        all.push_back(GeneratorCommand::kind());
        for (const WindowKind& kind : threeDKinds())
            all.push_back(kind);
        for (const WindowKind& kind : marluneJoinChild::kinds())
            all.push_back(kind);
        return all;
    }();
    return entries;
}
}  // namespace

namespace WindowKinds {

const WindowKind* find(int32_t kind)
{
    const auto& entries = table();
    const auto found = std::find_if(entries.begin(), entries.end(), [kind](const WindowKind& e) { return e.kind == kind; });
    return found == entries.end() ? nullptr : &*found;
}

void add(const WindowKind& entry)
{
    auto& entries = table();
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const WindowKind& e) { return e.kind == entry.kind; });
    if (found == entries.end())
        entries.push_back(entry);
    else
        *found = entry;
}

const WindowKind* createdBy(int command, int32_t parentKind)
{
    const auto& entries = table();
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const WindowKind& e) {
        return command != 0 && e.command == command && e.acceptsParent(parentKind);
    });
    return found == entries.end() ? nullptr : &*found;
}

}  // namespace WindowKinds
