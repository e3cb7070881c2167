#pragma once
#include <cstddef>
#include <random>
#include <vector>

// Uniform noise in [−1, 1), the same for the same seed.
inline std::vector<float> noise(std::size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    std::vector<float> x(count);
    for (float& v : x)
        v = uniform(generator);
    return x;
}
