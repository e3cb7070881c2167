#include "dsp/CalcArithmetic.h"

#include <cmath>

namespace {
template <class Op>
void each(float* values, std::size_t count, Op op)
{
    for (std::size_t i = 0; i < count; ++i)
        values[i] = op(values[i]);
}

template <class Op>
void pairwise(float* result, const float* u, std::size_t count, Op op)
{
    for (std::size_t i = 0; i < count; ++i)
        result[i] = op(result[i], u[i]);
}
}  // namespace

namespace CalcArithmetic {

void applyUnary(char code, float* values, std::size_t count)
{
    switch (code) {
    case 's':
        each(values, count, [](float x) { return x >= 0 ? std::sqrt(x) : 0.0f; });
        break;
    case '2':
        each(values, count, [](float x) { return x * x; });
        break;
    case 'l':
        each(values, count, [](float x) { return x > 0 ? float(std::log10(double(x))) : 0.0f; });
        break;
    case '5':
        each(values, count, [](float x) { return 2 * x; });
        break;
    case '1':
        each(values, count, [](float x) { return 10 * x; });
        break;
    case '3':
        each(values, count, [](float x) { return float(0.1 * x); });
        break;
    case '4':
        each(values, count, [](float x) { return 0.5f * x; });
        break;
    default:
        break;
    }
}

void applyBinary(char code, float* result, const float* u, std::size_t count)
{
    switch (code) {
    case '-':
        pairwise(result, u, count, [](float r, float v) { return r - v; });
        break;
    case '+':
        pairwise(result, u, count, [](float r, float v) { return r + v; });
        break;
    case '*':
        pairwise(result, u, count, [](float r, float v) { return r * v; });
        break;
    case '/':
        pairwise(result, u, count, [](float r, float v) { return v != 0 ? r / v : 0.0f; });
        break;
    default:
        break;
    }
}

}  // namespace CalcArithmetic
