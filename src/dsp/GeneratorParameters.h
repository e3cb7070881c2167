#pragma once
// The ten numbers of the signal generator, stored as Param0 … Param9.
#include <array>
#include <cstddef>
#include <cstdint>

// Sample rate, length in seconds, length in samples, maximum, minimum, frequency, function index; the last
// three are carried only.
struct GeneratorParameters {
    static constexpr std::size_t Count = 10;
    // The functions in the order of their index.
    enum Function : int32_t { Sin, Cos, Step, Random, Hanning, Hamming, Blackman, Const, Triangular };
    static constexpr std::size_t FunctionCount = 9;
    // The function's name in a generated window's title.
    static constexpr std::array<const char*, FunctionCount> TitleNames{
        "sin", "cos", "step", "random", "hanning", "hamming", "blackman", "const", "triang"};
    // The largest length a signal can count.
    static constexpr long double MaxSamples = 4294967295.0L;

    std::array<long double, Count> param{};

    // 8000 Hz, 1 s, 8000 samples, between -1 and 1, 1000 Hz, sine.
    static GeneratorParameters initial();

    long double sampleRate() const { return param[0]; }
    long double seconds() const { return param[1]; }
    long double maximum() const { return param[3]; }
    long double minimum() const { return param[4]; }
    long double frequency() const { return param[5]; }
    // The length in samples, truncated; only meaningful for usable parameters.
    uint32_t sampleCount() const { return uint32_t(param[2]); }
    // The function index; only meaningful for usable parameters.
    Function function() const { return Function(int32_t(param[6])); }

    // A signal can be made: finite numbers, sample rate, seconds and frequency above 0, between 1 and
    // MaxSamples samples, a known function, and maximum and minimum apart unless the function is const.
    bool usable() const;
};
