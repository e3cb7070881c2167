#pragma once
// The 32 x 32 pictures of the window icons, drawn by the program itself.
#include <QIcon>
#include <cstdint>

// The tree gives its windows icon resources by kind (a file's wave, a spectrum's bars, an instrument's dial
// ...). A number without a picture of its own shows the plain signal page.
QIcon kindIcon(int32_t resource);
