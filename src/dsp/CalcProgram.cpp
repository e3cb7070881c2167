#include "dsp/CalcProgram.h"

#include <algorithm>
#include <cmath>

std::optional<CalcProgram> CalcProgram::fromStored(std::span<const long double> stored)
{
    if (stored.empty() || stored[0] != (long double)(stored.size() - 1))
        return std::nullopt;
    std::vector<long double> elements(stored.begin() + 1, stored.end());
    for (long double e : elements)
        if (!isOperand(e) && !CalcOperator::ofElement(e))
            return std::nullopt;
    return CalcProgram(std::move(elements));
}

std::vector<long double> CalcProgram::stored() const
{
    std::vector<long double> out;
    out.reserve(elements_.size() + 1);
    out.push_back((long double)elements_.size());
    out.insert(out.end(), elements_.begin(), elements_.end());
    return out;
}

bool CalcProgram::isOperand(long double element)
{
    return element >= 0 && element <= MaxOperand && element == std::trunc(element);
}

bool CalcProgram::complete() const
{
    // The states of the dialog: expecting an operand (or a unary operator before it), or a binary operator.
    bool operandExpected = true;
    bool afterUnary = false;
    for (long double e : elements_) {
        const CalcOperator* op = CalcOperator::ofElement(e);
        if (isOperand(e)) {
            if (!operandExpected)
                return false;
            operandExpected = false;
            afterUnary = false;
        } else if (op && op->binary) {
            if (operandExpected)
                return false;
            operandExpected = true;
        } else if (op) {
            if (!operandExpected || afterUnary)
                return false;
            afterUnary = true;
        } else {
            return false;
        }
    }
    return !elements_.empty() && !operandExpected;
}

std::vector<uint32_t> CalcProgram::operands() const
{
    std::vector<uint32_t> out;
    for (long double e : elements_)
        if (isOperand(e) && std::find(out.begin(), out.end(), uint32_t(e)) == out.end())
            out.push_back(uint32_t(e));
    return out;
}

std::string CalcProgram::expressionText(const std::function<std::string(uint32_t)>& operandText) const
{
    std::string text;
    for (long double e : elements_) {
        if (isOperand(e))
            text += operandText(uint32_t(e));
        else if (const CalcOperator* op = CalcOperator::ofElement(e))
            text += op->expressionText;
    }
    return text;
}
