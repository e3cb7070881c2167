#pragma once
// One operator of the signal calculator.
#include <cstdint>
#include <span>

// In a program it is the element 10000 + its code character; smaller elements are operands (window
// indices).
struct CalcOperator {
    char code;
    bool binary;
    bool spectral;
    const char* button;          // the dialog's button
    const char* listText;        // the expression list's entry
    const char* expressionText;  // its part of the window title

    static constexpr long double Base = 10000;

    long double element() const { return Base + static_cast<unsigned char>(code); }

    // Every operator, in the order of the dialog's buttons.
    static std::span<const CalcOperator> all();
    static const CalcOperator* byCode(char code);
    // The operator an element stands for; null for an operand or an unknown code.
    static const CalcOperator* ofElement(long double element);
};
