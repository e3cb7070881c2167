#include "views/ColumnMaxima.h"

#include <xmmintrin.h>

#include <algorithm>

void ColumnMaxima::start(const float* values)
{
    std::copy_n(values, maxima_.size(), maxima_.begin());
}

void ColumnMaxima::add(const float* values)
{
    // Four bins at a time: this loop reads the whole matrix on every repaint. maxps returns its
    // second operand when either is NaN, which is the maximum so far, as in the scalar tail.
    float* maxima = maxima_.data();
    const std::size_t n = maxima_.size();
    std::size_t j = 0;
    for (; j + 4 <= n; j += 4)
        _mm_storeu_ps(maxima + j, _mm_max_ps(_mm_loadu_ps(values + j), _mm_loadu_ps(maxima + j)));
    for (; j < n; ++j)
        maxima[j] = std::max(maxima[j], values[j]);
}
