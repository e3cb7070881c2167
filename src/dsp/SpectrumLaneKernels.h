#pragma once
// The spectrum kernels (SpectrumKernels) written once over the lanes an instruction set's file supplies.
#include <cstddef>

#include "dsp/SpectrumKernelSteps.h"
#include "dsp/SpectrumKernels.h"

// Internal to each file that includes it: the files are built for different instruction sets.
namespace {

// L holds Width floats in Floats, half of them in Half, and Width / 2 doubles in Doubles, with the
// operations below; each operation is one instruction, or a shuffle, of its set.
template <typename L>
struct SpectrumLaneKernels {
    using Floats = typename L::Floats;
    using Half = typename L::Half;
    using Doubles = typename L::Doubles;
    static constexpr std::size_t Width = L::Width;

    // Width values at once, as conditionedValue does them one by one.
    template <bool Tapered>
    [[gnu::always_inline]] static Floats conditioned(Floats x, Doubles offset, const double* taper, std::size_t i)
    {
        Doubles low = L::sub(L::widen(L::lowHalf(x)), offset);
        Doubles high = L::sub(L::widen(L::highHalf(x)), offset);
        if constexpr (Tapered) {
            low = L::mul(L::widen(L::narrow(low)), L::loadDoubles(taper + i));
            high = L::mul(L::widen(L::narrow(high)), L::loadDoubles(taper + i + Width / 2));
        }
        return L::join(L::narrow(low), L::narrow(high));
    }

    template <bool Tapered>
    static void pack(const float* block, std::size_t length, double offset, const double* taper, float* re, float* im)
    {
        const Doubles offsets = L::splat(offset);
        std::size_t i = 0;
        for (; i + 2 * Width <= length; i += 2 * Width) {
            const Floats a = conditioned<Tapered>(L::load(block + i), offsets, taper, i);
            const Floats b = conditioned<Tapered>(L::load(block + i + Width), offsets, taper, i + Width);
            L::store(re + i / 2, L::evens(a, b));
            L::store(im + i / 2, L::odds(a, b));
        }
        packFrom(i, block, length, offset, taper, re, im);
    }

    static void pack(const float* block, std::size_t length, double offset, const double* taper, float* re, float* im)
    {
        (taper ? pack<true> : pack<false>)(block, length, offset, taper, re, im);
    }

    static void magnitudes(const float* re, const float* im, std::size_t n, double scale, float* out)
    {
        const Doubles s = L::splat(scale);
        const auto magnitude = [&](Half r4, Half i4) {
            const Doubles r = L::widen(r4);
            const Doubles i = L::widen(i4);
            return L::narrow(L::mul(L::sqrt(L::add(L::mul(r, r), L::mul(i, i))), s));
        };
        std::size_t j = 1;
        for (; j + Width <= n + 1; j += Width) {
            const Floats r = L::load(re + j);
            const Floats i = L::load(im + j);
            L::store(out + j - 1, L::join(magnitude(L::lowHalf(r), L::lowHalf(i)), magnitude(L::highHalf(r), L::highHalf(i))));
        }
        magnitudesFrom(j, re, im, n, scale, out);
    }

    // Two running maxima, so that the comparisons do not wait on each other.
    static float largest(const float* values, std::size_t n)
    {
        Floats most = L::zero(), other = L::zero();
        std::size_t i = 0;
        for (; i + 2 * Width <= n; i += 2 * Width) {
            most = L::max(L::magnitude(L::load(values + i)), most);
            other = L::max(L::magnitude(L::load(values + i + Width)), other);
        }
        if (i + Width <= n) {
            most = L::max(L::magnitude(L::load(values + i)), most);
            i += Width;
        }
        alignas(sizeof(Floats)) float lanes[Width];
        L::store(lanes, L::max(most, other));
        return largestFrom(i, values, n, largestFrom(0, lanes, Width, 0.0f));
    }

    static bool scaledSum(const float* values, std::size_t n, double scale, double& sum)
    {
        const Doubles factor = L::splat(scale);
        const Doubles rounding = L::splat(0x1p52);
        Doubles total = L::splat(0);
        // Adds half the lanes times the factor; whether each product is an integer (see `whole`).
        const auto take = [&](Half half) {
            const Doubles w = L::mul(L::widen(half), factor);
            const Doubles a = L::magnitude(w);
            total = L::add(total, w);
            return L::allEqual(L::sub(L::add(a, rounding), rounding), a);
        };
        std::size_t i = 0;
        for (; i + Width <= n; i += Width) {
            const Floats x = L::load(values + i);
            if (!(take(L::lowHalf(x)) & take(L::highHalf(x))))
                return false;
        }
        alignas(sizeof(Doubles)) double parts[Width / 2];
        L::store(parts, total);
        sum = 0;
        for (const double part : parts)
            sum += part;
        return scaledSumFrom(i, values, n, scale, sum);
    }

    static bool exactSum(const float* values, std::size_t n, double& sum, int& exponent)
    {
        return exactSumWith(largest, scaledSum, values, n, sum, exponent);
    }

    static constexpr SpectrumKernels table() { return {exactSum, pack, magnitudes}; }
};

}  // namespace
