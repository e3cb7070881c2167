#pragma once
// The largest value of each bin over the rows that share one pixel column of a dense spectrogram.
#include <cstddef>
#include <vector>

// A value that is not a number never replaces a maximum; a first row's NaN stays.
class ColumnMaxima {
public:
    explicit ColumnMaxima(std::size_t bins) : maxima_(bins) {}

    // The first row of a column: its values are the maxima so far.
    void start(const float* values);
    // One more row of the column.
    void add(const float* values);

    const float* values() const { return maxima_.data(); }
    std::size_t size() const { return maxima_.size(); }

private:
    std::vector<float> maxima_;
};
