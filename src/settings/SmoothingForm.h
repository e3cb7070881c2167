#pragma once
// The "Smoothing" dialog on a parameter block of two extended reals: window type and length.
#include <array>
#include <string>

#include "base/DialogForm.h"

class UiServices;

class SmoothingForm : public DialogForm {
public:
    static constexpr std::string_view Name = "Smoothing";
    static constexpr int LengthChars = 3;
    static constexpr std::array<const char*, 4> WindowNames{"Hanning", "Hamming", "Blackman", "Rectangle"};

    // Shows the integer parts of the block's type and length.
    SmoothingForm(UiServices& ui, long double type, long double length);

    int window = 0;      // "Weighting function:", index into WindowNames
    std::string length;  // "Length:"

    std::string_view formName() const override { return Name; }
    // Refuses a length that is not above 0 with "Length must be positive value!"; a longer length than a
    // 32-bit one is kept as the longest.
    bool accept() override;
    long double type() const { return type_; }
    long double lengthValue() const { return length_; }

private:
    UiServices& ui_;
    long double type_;
    long double length_;
};
