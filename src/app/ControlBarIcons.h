#pragma once
// The 24 x 24 glyphs of the control bar, drawn by the program itself; a null icon for unknown commands.
#include <QIcon>

QIcon controlBarIcon(int command);
