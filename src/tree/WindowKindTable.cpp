#include "tree/WindowKindTable.h"

#include <algorithm>

const WindowKind* WindowKindTable::find(int32_t kind) const
{
    const auto found = std::find_if(entries_.begin(), entries_.end(), [kind](const WindowKind& e) { return e.kind == kind; });
    return found == entries_.end() ? nullptr : &*found;
}

void WindowKindTable::add(const WindowKind& entry)
{
    const auto found =
        std::find_if(entries_.begin(), entries_.end(), [&](const WindowKind& e) { return e.kind == entry.kind; });
    if (found == entries_.end())
        entries_.push_back(entry);
    else
        *found = entry;
}

void WindowKindTable::add(std::span<const WindowKind> entries)
{
    for (const WindowKind& entry : entries)
        add(entry);
}

const WindowKind* WindowKindTable::createdBy(int command, int32_t parentKind) const
{
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const WindowKind& e) {
        return command != 0 && e.command == command && e.acceptsParent(parentKind);
    });
    return found == entries_.end() ? nullptr : &*found;
}

bool WindowKindTable::makesWindow(int command) const
{
    return command != 0 &&
           std::any_of(entries_.begin(), entries_.end(), [command](const WindowKind& e) { return e.command == command; });
}
