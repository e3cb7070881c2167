#pragma once
// The calculator's expression as a program.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "dsp/CalcOperator.h"

// Operands (window indices 0 … 9999) and operators (10000 + code), read strictly from left to right:
// [unary] operand { binary [unary] operand }.
class CalcProgram {
public:
    static constexpr uint32_t MaxOperand = 9999;

    CalcProgram() = default;
    explicit CalcProgram(std::vector<long double> elements) : elements_(std::move(elements)) {}
    // From the stored form, element 0 the number of elements that follow; nothing when the
    // count does not match or an element is neither an operand nor a known operator.
    static std::optional<CalcProgram> fromStored(std::span<const long double> stored);
    // Element 0 the number of elements that follow, then the elements.
    std::vector<long double> stored() const;

    const std::vector<long double>& elements() const { return elements_; }
    bool empty() const { return elements_.empty(); }
    void clear() { elements_.clear(); }
    void appendOperand(uint32_t index) { elements_.push_back(index); }
    void appendOperator(const CalcOperator& op) { elements_.push_back(op.element()); }

    static bool isOperand(long double element);
    // The grammar holds and the program ends in an operand.
    bool complete() const;
    // Every distinct operand, in the order of first use: the first is the primary parent.
    std::vector<uint32_t> operands() const;
    // Each element's expression text, an operand's text from `operandText`, without separators.
    std::string expressionText(const std::function<std::string(uint32_t)>& operandText) const;

private:
    std::vector<long double> elements_;
};
