#pragma once
// The window kinds of the tree itself: the processed signals, the calculator, the generator, the 3D
// windows and the overlays.
class WindowKindTable;

void addTreeKinds(WindowKindTable& table);
