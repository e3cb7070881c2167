#pragma once
// The window kinds of the tree itself: processed signals, calculator, generator, 3D windows, overlays.
class WindowKindTable;

void addTreeKinds(WindowKindTable& table);
