#include "tree/WindowKindTable.h"

#include <algorithm>

const WindowKind* WindowKindTable::find(int32_t kind) const
{
    const auto found = index_.find(kind);
    return found == index_.end() ? nullptr : &entries_[found->second];
}

void WindowKindTable::add(const WindowKind& entry)
{
    if (const auto found = index_.find(entry.kind); found != index_.end()) {
        entries_[found->second] = entry;
        return;
    }
    index_.emplace(entry.kind, entries_.size());
    entries_.push_back(entry);
}

void WindowKindTable::add(std::span<const WindowKind> entries)
{
    for (const WindowKind& entry : entries)
        add(entry);
}

const WindowKind* WindowKindTable::createdBy(int command, int32_t parentKind) const
{
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const WindowKind& e) {
        return e.madeBy(command) && e.acceptsParent(parentKind);
    });
    return found == entries_.end() ? nullptr : &*found;
}

bool WindowKindTable::makesWindow(int command) const
{
    return std::any_of(entries_.begin(), entries_.end(), [command](const WindowKind& e) { return e.madeBy(command); });
}
