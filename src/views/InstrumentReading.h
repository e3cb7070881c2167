#pragma once
// What an instrument's display shows: the number, its scale and critical range, and how.
#include <cstdint>
#include <string>

struct InstrumentReading {
    enum Type : int32_t { Dial = 0, Bar = 1, Number = 2 };

    double value = 0;
    double rangeFrom = 0;
    double rangeTo = 1;
    int32_t type = Dial;
    bool inner = true;  // critical inside [criticalFrom, criticalTo], else outside it
    double criticalFrom = 0;
    double criticalTo = 0;
    std::string units;

    bool hasCriticalRange() const { return criticalFrom != criticalTo; }
    // The value held within the scale, where the needle and the bar stop.
    double clampedValue() const;
};
