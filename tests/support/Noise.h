#pragma once
#include <cstddef>
#include <random>
#include <vector>

// Uniform noise in [−1, 1), the same for the same seed.
template <typename Value = float>
std::vector<Value> noise(std::size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<Value> uniform(-1, 1);
    std::vector<Value> x(count);
    for (Value& v : x)
        v = uniform(generator);
    return x;
}
