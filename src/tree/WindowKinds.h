#pragma once
#include <cstdint>

#include "tree/WindowKind.h"

// The table of derived window kinds. The tree's own kinds are in it from the start; the folders above
// the tree (instruments, sound card) add theirs once at start-up.
namespace WindowKinds {

// The entry of a kind, or null for a kind without one (root windows, for example).
const WindowKind* find(int32_t kind);

// Adds or replaces the entry of entry.kind; entries found before stay valid.
void add(const WindowKind& entry);

// The entry whose command `command` makes a window under a parent of `parentKind`, or null.
const WindowKind* createdBy(int command, int32_t parentKind);

}  // namespace WindowKinds
