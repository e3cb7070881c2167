#include "views/PictureScale.h"

#include "views/FFTSignal.h"

bool PictureScale::enlarge(FFTSignal& data)
{
    const int width = int(data.virtualWidth * (1 / 1.1));
    const int height = int(data.virtualHeight * (1 / 1.1));
    // An extent of 0 would leave the picture no logical space to map.
    if (width < 1 || height < 1)
        return false;
    data.virtualWidth = width;
    data.virtualHeight = height;
    return true;
}

void PictureScale::reduce(FFTSignal& data)
{
    // Far beyond any useful picture; the product would otherwise overflow after many presses.
    constexpr int Largest = 1 << 24;
    if (data.virtualWidth >= Largest || data.virtualHeight >= Largest)
        return;
    data.virtualWidth = int(data.virtualWidth * 1.1);
    data.virtualHeight = int(data.virtualHeight * 1.1);
}
