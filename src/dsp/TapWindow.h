#pragma once
// A window function or smoothing kernel.
#include <cstdint>
#include <span>
#include <vector>

// The taper of a transform block, the kernel of a smoothing convolution, or any kernel taken from a signal.
// Values are recomputed only when the type, the length or the normalisation flag change, so a window reused
// with the same shape costs nothing.
class TapWindow {
public:
    // Window types in the order they are listed to the user; FromSignal marks a kernel copied from a signal.
    enum Type : int32_t { Hanning = 0, Hamming = 1, Blackman = 2, Rectangle = 3, Triangle = 4, FromSignal = 10 };

    // Type 0 … 4 (any other is a rectangle), requested length a. A normalised kernel has odd length
    // (a + 1 for an even a) and sums to 1. A FromSignal kernel is kept until another set() replaces it.
    void set(int32_t type, uint32_t length, bool normalised);
    // The normalised kernel of `smooth` for `count` values: a length below 1 is the identity, and one of
    // `count` or more copies the data, so a longer request (from a file) is cut to `count` and costs no
    // more than the data.
    void setSmoothing(int32_t type, int32_t length, uint32_t count);
    // A kernel of the values of a signal: type FromSignal, always normalised.
    void setFromSignal(std::span<const float> values);

    int32_t type() const { return type_; }
    // The effective length L (odd when normalised).
    uint32_t length() const { return uint32_t(values_.size()); }
    bool normalised() const { return normalised_; }
    const double* values() const { return values_.data(); }

    // data[i] × value[i] for the first L values.
    void apply(float* data) const;
    // Centred convolution with the kernel, the data mirrored about each end (the end sample repeated),
    // written to `result` (which must not overlap `data`). When the kernel is at least as long as the
    // data, the data are copied unchanged.
    void smooth(const float* data, float* result, uint32_t count) const;

    // Power gain of a taper type: 1.5 Hanning, 1.4 Hamming, 1 for the others.
    static double gain(int32_t type);

private:
    int32_t type_ = -1;
    bool normalised_ = false;
    std::vector<double> values_;
};
