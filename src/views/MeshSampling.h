#pragma once
// The rows and bins a mesh or wire view draws: all of them up to a limit, beyond it evenly spread ones.
#include <cstddef>
#include <vector>

class FFTSignal;
struct ViewLevel;

// A mesh of more lines than a screen has pixels is a solid face, and drawing every cell of a long Time FFT
// would cost minutes: beyond `maxLines` rows (or bins) the view draws evenly spread ones, the first and
// the last among them, each cell holding the largest number of the rows and bins it stands for, so a
// peak between two drawn lines still shows. Up to the limit every row and bin is drawn as it is.
class MeshSampling {
public:
    static constexpr int MaxLines = 400;

    MeshSampling(const FFTSignal& data, const ViewLevel& level, int maxLines = MaxLines);

    int rows() const { return int(rows_.size()); }
    int bins() const { return int(bins_.size()); }
    // The level's row and bin that sampled row k and bin m are drawn at.
    int row(int k) const { return rows_[std::size_t(k)]; }
    int bin(int m) const { return bins_[std::size_t(m)]; }
    // The largest value from row(k) up to the next sampled row (the last one alone), and the same for bins.
    float value(int k, int m) const { return values_[std::size_t(k) * bins_.size() + std::size_t(m)]; }

private:
    std::vector<int> rows_;
    std::vector<int> bins_;
    std::vector<float> values_;
};
