#pragma once
// One zoom level of a 3D matrix.
#include <cstdint>

// The rectangle of rows and bins shown, the ruler inside it and the Z range of its values. Bounds are
// inclusive.
struct ViewLevel {
    int32_t firstRow = 0;
    int32_t lastRow = 0;
    int32_t rowCount = 0;
    int32_t firstBin = 0;
    int32_t lastBin = 0;
    int32_t binCount = 0;
    int32_t rulerRow = 0;
    int32_t rulerBin = 0;
    float zMax = 1;
    float zMin = 0;

    // The rectangle rows first ... last, bins first ... last, with the counts that follow from it.
    static ViewLevel spanning(int32_t firstRow, int32_t lastRow, int32_t firstBin, int32_t lastBin)
    {
        ViewLevel level;
        level.firstRow = firstRow;
        level.lastRow = lastRow;
        level.rowCount = lastRow - firstRow + 1;
        level.firstBin = firstBin;
        level.lastBin = lastBin;
        level.binCount = lastBin - firstBin + 1;
        return level;
    }
};
