#include "dsp/CalcOperator.h"

#include <cmath>

namespace {
constexpr CalcOperator Operators[] = {
    {'-', true, false, "-", "-", "-"},
    {'+', true, false, "+", "+", "+"},
    {'*', true, false, "*", "*", "*"},
    {'/', true, false, "/", "/", "/"},
    {'c', true, false, "conv", "CONV", " conv"},
    {'o', true, false, "smooth", "smooth with", " smooth"},
    {'S', true, true, "cross spectrum", "cross spectrum", " cross spec."},
    {'D', true, true, "Rel. spectrum (dBr)", "dBr", " dBr"},
    {'C', true, true, "cross coherence", "cross coherence", " coherence"},
    {'G', true, true, "cross gain", "cross gain", " cross gain"},
    {'P', true, true, "phase shift", "phase shift", " phase shift"},
    {'s', false, false, "sqrt", "sqrt", " sqrt"},
    {'2', false, false, "x^2", "squared", " pow2"},
    {'l', false, false, "log", "log", " log"},
    {'5', false, false, "2*x", "2*", " 2*"},
    {'1', false, false, "10*x", "10*", " 10*"},
    {'3', false, false, "(1/10)*x", "(1/10)*", " (1/10)*"},
    {'4', false, false, "(1/2)*x", "(1/2)*", " (1/2)*"},
};
}  // namespace

std::span<const CalcOperator> CalcOperator::all()
{
    return Operators;
}

const CalcOperator* CalcOperator::byCode(char code)
{
    for (const CalcOperator& op : Operators)
        if (op.code == code)
            return &op;
    return nullptr;
}

const CalcOperator* CalcOperator::ofElement(long double element)
{
    if (!(element >= Base + 1 && element < Base + 256) || element != std::trunc(element))
        return nullptr;
    return byCode(static_cast<char>(static_cast<unsigned char>(element - Base)));
}
