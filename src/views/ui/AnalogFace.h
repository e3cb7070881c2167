#pragma once
// Draws an instrument's display over the whole of an image.
#include "views/InstrumentReading.h"

class QImage;

// The dial, the bar or the number alone, then the value text. The needle inverts the pixels beneath it.
class AnalogFace {
public:
    static void paint(QImage& image, const InstrumentReading& reading);
};
