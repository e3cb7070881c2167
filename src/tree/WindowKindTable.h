#pragma once
// The window kinds one client knows: an entry per kind, filled by the families' registrations.
#include <cstdint>
#include <deque>
#include <span>
#include <unordered_map>

#include "tree/WindowKind.h"

class WindowKindTable {
public:
    // The entry of a kind, or null for a kind nobody registered.
    const WindowKind* find(int32_t kind) const;
    // Adds the entry of entry.kind, or replaces it; entries found before stay valid.
    void add(const WindowKind& entry);
    void add(std::span<const WindowKind> entries);
    // The entry whose command `command` makes a window under a parent of `parentKind`, or null.
    const WindowKind* createdBy(int command, int32_t parentKind) const;
    // Whether some kind is made by `command`: the commands a window that derives nothing refuses.
    bool makesWindow(int command) const;
    const std::deque<WindowKind>& entries() const { return entries_; }

private:
    std::deque<WindowKind> entries_;
    // Each kind's place in entries_: found on every update and every repaint of the control window.
    std::unordered_map<int32_t, std::size_t> index_;
};
