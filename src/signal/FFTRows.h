#pragma once
// The rows of a 3D window's matrix in one block, moved by their pointers.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

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

    // Every value of every row; a new matrix holds unset values until each row is written.
    void fill(float value);
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
    uint32_t bins_ = 0;
};
