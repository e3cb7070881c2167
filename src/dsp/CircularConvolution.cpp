#include "dsp/CircularConvolution.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "dsp/Interleaved.h"
#include "dsp/RealTransformPair.h"

namespace {
// Below this length the direct sum is cheaper than the transforms and exact to the float.
constexpr std::size_t DirectLimit = 256;

void direct(float* result, std::size_t resultCount, const float* u, std::size_t operandCount, std::size_t n)
{
    const std::vector<float> r(result, result + resultCount);
    for (std::size_t i = 0; i < n; ++i) {
        double sum = 0;
        for (std::size_t j = 0; j < operandCount; ++j) {
            const std::size_t k = (i + n - j) % n;
            if (k < resultCount)
                sum += double(u[j]) * r[k];
        }
        result[i] = float(sum);
    }
}

// Samples 2j and 2j + 1 of a zero-padded sequence in re[j] and im[j].
void pack(const float* values, std::size_t count, float* re, float* im, std::size_t points)
{
    std::fill_n(re, points + 1, 0.0f);
    std::fill_n(im, points + 1, 0.0f);
    for (std::size_t i = 0; i < count; ++i)
        interleaved(re, im, i) = values[i];
}
}  // namespace

void circularConvolution(float* result, std::size_t resultCount, const float* u, std::size_t operandCount)
{
    const std::size_t n = std::max(resultCount, operandCount);
    if (n <= DirectLimit) {
        direct(result, resultCount, u, operandCount, n);
        return;
    }
    // The linear convolution has 2n − 1 values; the transform takes half as many complex points.
    const std::size_t points = powerOfTwoAtLeast(2 * n - 1) / 2;
    if (points >= (std::size_t(1) << 32))
        throw std::bad_alloc();
    RealTransformPair transform(points);
    float* re = transform.re();
    float* im = transform.im();
    pack(result, resultCount, re, im, points);
    transform.forward();
    const std::vector<float> rRe(re, re + points + 1);
    const std::vector<float> rIm(im, im + points + 1);
    pack(u, operandCount, re, im, points);
    transform.forward();
    for (std::size_t k = 0; k <= points; ++k) {
        const float a = rRe[k] * re[k] - rIm[k] * im[k];
        const float b = rRe[k] * im[k] + rIm[k] * re[k];
        re[k] = a;
        im[k] = b;
    }
    transform.inverse();
    // Each forward transform is twice the plain one and the inverse gives 4 × points × the values.
    const double unscale = 1.0 / (8.0 * double(points));
    const auto linear = [&](std::size_t i) { return double(interleaved(re, im, i)); };
    for (std::size_t i = 0; i < n; ++i) {
        const double wrapped = i + n < 2 * n - 1 ? linear(i + n) : 0.0;
        result[i] = float((linear(i) + wrapped) * unscale);
    }
}
