#pragma once
// The "Sample rate" dialog: one field, accepted only for a rate above 0.
#include <string>

#include "base/DialogForm.h"

class SampleRateForm : public DialogForm {
public:
    static constexpr std::string_view Name = "SampleRate";
    static constexpr int MaxLength = 11;

    std::string text;       // "Sample rate:" field, empty at first
    long double rate = 0;   // set by accept()

    std::string_view formName() const override { return Name; }
    bool accept() override;
};
