#pragma once
#include <QIcon>
#include <cstdint>

// The 32 x 32 pictures of the icon resources that the tree gives its windows by kind (a file's wave,
// a spectrum's bars, an instrument's dial ...), drawn by the program itself. A number without a picture
// of its own shows the plain signal page.
QIcon kindIcon(int32_t resource);
