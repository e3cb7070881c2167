#pragma once
// The rows of a 3D window's matrix in one block, moved by their pointers.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "signal/MinMaxSummary.h"

// The matrix of a 3D window: `rows` arrays of `bins` floats in one block, reached through a table
// of row pointers, so that scrolling by a row moves pointers and never values.
class FFTRows {
public:
    FFTRows() = default;
    // A matrix of unset values. Throws std::bad_alloc when rows × bins floats cannot be addressed or had.
    FFTRows(uint32_t rows, uint32_t bins);

    // Whether rows × bins floats can be addressed at all and fit in the machine's memory.
    static bool fits(uint64_t rows, uint64_t bins);

    uint32_t rows() const { return uint32_t(rows_.size()); }
    uint32_t bins() const { return bins_; }
    float* row(uint32_t r) { return rows_[r]; }
    const float* row(uint32_t r) const { return rows_[r]; }
    float value(uint32_t r, uint32_t bin) const { return rows_[r][bin]; }

    // Every value of every row (dropping the rows' extremes); a new matrix holds unset values until each
    // row is written.
    void fill(float value);

    // Room for each row's extremes, kept beside the rows and moved with them; a new matrix has none.
    // Throws std::bad_alloc.
    void keepExtremes() { extremes_.resize(rows_.size()); }
    // The extremes of row r, given by whoever wrote it; ignored where no room was kept.
    void setExtremes(uint32_t r, MinMax extremes)
    {
        if (r < extremes_.size())
            extremes_[r] = extremes;
    }
    // One per row, or none.
    const MinMax* extremes() const { return extremes_.size() == rows_.size() ? extremes_.data() : nullptr; }
    // Every row moves one place towards row 0; the old row 0 becomes the last row, values kept.
    void rotateTowardsFirst();
    // Every row moves one place towards the end; the old last row becomes row 0, values kept.
    void rotateTowardsLast();

private:
    struct Free {
        void operator()(float* block) const { std::free(block); }
    };
    std::unique_ptr<float[], Free> block_;
    std::vector<float*> rows_;
    std::vector<MinMax> extremes_;
    uint32_t bins_ = 0;
};
