#pragma once
#include <complex>
#include <cstddef>
#include <vector>

// The plain discrete Fourier transform in double precision, one bin at a time, as the
// independent yardstick for the single-precision engine.
class DftReference {
public:
    // sign < 0: e^(−2πi·jk/n), sign > 0: e^(+2πi·jk/n).
    DftReference(std::size_t n, int sign);

    std::size_t size() const { return cos_.size(); }
    // Bin k of the n values x[j] = re[j·stride] + i·im[j·stride].
    std::complex<double> bin(const float* re, const float* im, std::size_t k, std::size_t stride = 1) const;
    // e^(±2πi·t/n) for any whole t.
    std::complex<double> root(std::size_t t) const;

private:
    std::vector<double> cos_;
    std::vector<double> sin_;
};

// The bins a test compares: all of them for short lengths, a fixed spread of 64 for long ones.
std::vector<std::size_t> binsToCheck(std::size_t n);

// Reproducible values uniform in [-1, 1).
std::vector<float> randomValues(std::size_t count, unsigned seed);

// A loose ceiling on the engine's relative error at length n, for tests about correctness rather
// than accuracy: rounding dominates up to some thousand points, then the drift of the twiddle
// recurrence, which grows with the length.
double errorCeiling(std::size_t n);

// Worst error over a set of bins, relative to the largest reference magnitude among them.
class RelativeError {
public:
    void add(std::complex<double> got, std::complex<double> want);
    double value() const { return largest_ > 0 ? worst_ / largest_ : worst_; }

private:
    double worst_ = 0;
    double largest_ = 0;
};
